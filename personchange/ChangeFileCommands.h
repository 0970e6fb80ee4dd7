#pragma once
// The main window's change-file commands: File > Save (Overwrite), File >
// Save As, File > Open, a recent-file entry, and the file named on the
// command line at start. They work on any window that holds the twelve
// record boxes (found by objectName) and reach the frame through the same
// small hooks as the study file.
//
// The main window keeps one ChangeFileCommands (it stands for the window's
// one file dialog and holds the current file) and calls it from the frame's
// hooks: mnuFileOpen_Click, mnuSave_Click, saveAs -> mnuFileSaveAs_Click,
// openRecentFile -> mnuMRU_Click, and in its own loading steps
// loadCommandLine(platform::commandLine()). The clearAll hook should be the
// window's own "Clear All" (pictures and note included). When the frame asks
// the unsaved-data question itself before Open and a recent file, set
// askBeforeOpening to false.
#include "frame/DataFileCommands.h"
#include "personchange/ChangeFile.h"

#include <QString>

class QWidget;

namespace morvane {

// recordChanged, addToMRU, moveMRUToTop, clearAll and askBeforeOpening are
// used; showDatabase is not.
using ChangeFileHooks = frame::StudyFileHooks;

// The text of a box of the window, found by objectName (line box, plain or
// rich multi-line box, label, combo box, button); "" when there is none. A
// multi-line box gives each line break set with its text as it was set, and
// one the person typed as CR LF.
QString changeBoxText(QWidget* window, const QString& name);
// Sets the text of a line or multi-line box; nothing when there is none.
void setChangeBoxText(QWidget* window, const QString& name, const QString& text);

// The twelve record boxes as a record, and back.
ChangeRecord changeRecordFromWindow(QWidget* window);
void putChangeRecord(QWidget* window, const ChangeRecord& record);

class ChangeFileCommands : public frame::DataFileCommands<ChangeRecord> {
public:
    // The dialog starts in the program folder; there is no current file.
    ChangeFileCommands(QWidget* window, ChangeFileHooks hooks);

    // Writes the boxes to the current file (nothing when there is none) and
    // clears the changed flags. Throws platform::RuntimeError when the file
    // cannot be written (the flags then stay set).
    void WriteDataFile();
    // File > Save (Overwrite): writes the current file, or runs Save As when
    // there is none. True when a file was written.
    bool mnuSave_Click();
    // At loading: reads the file the command line names into the boxes (all
    // twelve boxes get "" when the command line is empty). True when loading
    // may go on; false after the reported failure.
    bool loadCommandLine(const QString& commandLine);
};

} // namespace morvane
