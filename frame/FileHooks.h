#pragma once
// The hooks through which a main window's file commands reach the frame:
// the change flags, the recent-file list, Clear All and the database window.
#include <QString>
#include <functional>

namespace frame {

// What the commands need of the frame. Every hook may be left empty.
struct StudyFileHooks {
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
    // Shows the study database window for the database the command line
    // names. Empty (no such window): a database on the command line is
    // treated like any other unknown ending.
    std::function<void(const QString&)> showDatabase;
    // False when the frame has asked the unsaved-data question already
    // before Open or a recent file (it stops on a cancelled or failed save).
    bool askBeforeOpening = true;
};

} // namespace frame
