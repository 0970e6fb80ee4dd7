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
#include "frame/DataFileWindow.h"
#include "outcometable/OutcomeFile.h"

#include <QString>
#include <functional>

class QWidget;

namespace quellin {

// What the commands need of the frame. Every hook may be left empty.
struct OutcomeFileHooks {
    // RecordChanged(Reset): true when a box of the window reports a change;
    // with Reset the flags are cleared. Empty: nothing counts as changed.
    std::function<bool(bool)> recordChanged;
    // AddToMRU(path): the path goes to the top of the recent-file list.
    std::function<void(const QString&)> addToMRU;
    // MoveMRUToTop(path, index): the entry at index moves to the top.
    std::function<void(const QString&, int)> moveMRUToTop;
    // Empties every text box of the window. Empty: every line and plain
    // text box among the window's children gets the empty text.
    std::function<void()> clearAll;
    // Selects the option button of the mode. Empty: the QRadioButton "OpTwo"
    // or "OpThree" of the window is set checked, which emits its toggled
    // signal when it was not selected (the window's mode switch runs then).
    std::function<void(OutcomeMode)> setMode;
    // False when the frame has asked the unsaved-data question already
    // before Open or a recent file.
    bool askBeforeOpening = true;
};

// The nine record boxes as a record, and back.
OutcomeRecord outcomeRecordFromWindow(QWidget* window);
void putOutcomeRecord(QWidget* window, const OutcomeRecord& record);

class OutcomeFileCommands {
public:
    // The dialog starts in the program folder.
    OutcomeFileCommands(QWidget* window, OutcomeFileHooks hooks);

    // File > Save As. True when the file was written.
    bool mnuFileSaveAs_Click();
    // File > Open.
    void mnuFileOpen_Click();
    // A recent-file entry (index in the menu array, the entry's path).
    void mnuMRU_Click(int index, const QString& path);
    // At loading: an empty command line empties the nine record boxes;
    // otherwise the last piece that names an existing file is read, its
    // record written to the boxes and its mode selected (the Fisher question
    // shown in the 2 x 2 mode, hidden in the 3 x 2 mode). False after a
    // reported failure (the rest of the loading is then skipped).
    bool loadCommandLine(const QString& commandLine);

    meandiff::CommonDialogState& dialog() { return dialog_; }

private:
    bool recordChanged(bool reset) const;
    void clearAll() const;
    void setMode(OutcomeMode mode) const;
    void hideWarnings() const;
    // The unsaved-data question before a file is read; false when the data
    // is to be kept (Cancel, or a save that did not happen).
    bool askToSaveBeforeOpening();

    QWidget* window_;
    OutcomeFileHooks hooks_;
    meandiff::CommonDialogState dialog_;
};

} // namespace quellin
