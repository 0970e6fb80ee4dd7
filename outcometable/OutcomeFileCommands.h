#pragma once
// The main window's outcome-file commands: File > Save As, File > Open, a
// recent-file entry, and the file named on the command line at start. They
// work on any window that holds the nine record boxes (found by objectName)
// and reach the frame through small hooks.
//
// The main window keeps one OutcomeFileCommands (it stands for the window's
// one file dialog) and calls it from the frame's hooks: mnuFileOpen_Click,
// saveAs -> mnuFileSaveAs_Click, openRecentFile -> mnuMRU_Click, and in its
// own loading steps loadCommandLine(platform::commandLine()).
#include "frame/DataFileCommands.h"
#include "outcometable/OutcomeFile.h"

#include <QString>
#include <functional>

class QWidget;

namespace quellin {

// What the commands need of the frame: the hooks of every main window's file
// commands (frame/FileHooks.h; showDatabase is not used), and the mode.
struct OutcomeFileHooks : frame::StudyFileHooks {
    // Selects the option button of the mode. Empty: the QRadioButton "OpTwo"
    // or "OpThree" of the window is set checked, which emits its toggled
    // signal when it was not selected (the window's mode switch runs then).
    std::function<void(OutcomeMode)> setMode;
};

// The nine record boxes as a record, and back.
OutcomeRecord outcomeRecordFromWindow(QWidget* window);
void putOutcomeRecord(QWidget* window, const OutcomeRecord& record);

class OutcomeFileCommands : public frame::DataFileCommands<OutcomeRecord> {
public:
    // The dialog starts in the program folder.
    OutcomeFileCommands(QWidget* window, OutcomeFileHooks hooks);

    // At loading: an empty command line empties the nine record boxes;
    // otherwise the last piece that names an existing file is read, its
    // record written to the boxes and its mode selected (the Fisher question
    // shown in the 2 x 2 mode, hidden in the 3 x 2 mode). False after a
    // reported failure (the rest of the loading is then skipped).
    bool loadCommandLine(const QString& commandLine);

private:
    void setMode(OutcomeMode mode) const;
    void hideWarnings() const;

    std::function<void(OutcomeMode)> setModeHook_;
};

} // namespace quellin
