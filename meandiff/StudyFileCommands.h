#pragma once
// The main window's study-file commands: File > Save As, File > Open, a
// recent-file entry, and the file named on the command line at start. They
// work on any window that holds the fourteen study boxes (found by
// objectName) and reach the frame through small hooks.
//
// The main window keeps one StudyFileCommands (it stands for the window's one
// file dialog) and calls it from the frame's hooks: mnuFileOpen_Click,
// saveAs -> mnuFileSaveAs_Click, openRecentFile -> mnuMRU_Click, and in its
// own loading steps loadCommandLine(platform::commandLine()).
#include "frame/DataFileCommands.h"
#include "meandiff/StudyFile.h"

#include <QString>

class QWidget;

namespace meandiff {

// What the commands need of the frame: StudyFileHooks, frame/FileHooks.h.

// The fourteen study boxes as a record, and back.
StudyRecord studyRecordFromWindow(QWidget* window);
void putStudyRecord(QWidget* window, const StudyRecord& record);

class StudyFileCommands : public frame::DataFileCommands<StudyRecord> {
public:
    // The dialog starts in the program folder.
    StudyFileCommands(QWidget* window, frame::StudyFileHooks hooks);

    // At loading: reads the file the command line names, or hands a study
    // database to the database window. True when loading may go on (also
    // when nothing was read); false after a reported failure.
    bool loadCommandLine(const QString& commandLine);
};

} // namespace meandiff
