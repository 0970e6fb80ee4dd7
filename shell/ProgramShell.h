#pragma once
// What each program supplies to the shell: the splash's texts, its file-type
// rows and the Options dialog's texts. The program's main hands its table to
// runProgram, which starts it through the splash.
#include <QList>
#include <QString>
#include <functional>

class QApplication;
class QWidget;

namespace shell {

// One file type that the splash makes sure the desktop opens with this program.
struct FileTypeRow {
    QString extension;        // asked about, without dot: "TVQ"
    QString programFile;      // the program's file name in its folder: "Tarvoss5"
    QString classKey;         // "Tarvoss"
    QString classDescription; // "Tarvoss"
    QString extensionKey;     // ".TVQ"
    QString iconFile;         // "TVQ.ico", next to the program
};

struct SplashTexts {
    QString productName;      // lblProductName
    QString versionLabelName; // objectName of the version label: "Label3" or "lblVersion"
    QString versionText;      // "Version 5.0"
    QString makerName;        // Label1 (shown only when not empty)
    QString webAddress;       // lblCompanyName
    QString notice;           // lblCopyright
    QString motto;            // lblMotto
};

struct OptionsTexts {
    QString caption;          // dialog caption (may be empty)
    QString checkCaption;     // chkAssoc
    QString className;        // "TvqFile"
    QString extension;        // "tvq"
    QString iconFile;         // the file type's icon next to the program
    bool startTabChoice = false; // the start-tab frame (Morvane)
};

struct ProgramShell {
    SplashTexts splash;
    QList<FileTypeRow> rows;
    OptionsTexts options;
};

// The running program's table, read by the Options dialog; nullptr before a
// program registered one.
void setProgramShell(const ProgramShell& program);
void clearProgramShell();
const ProgramShell* programShell();

// Registers the table, starts the program through its splash (which loads
// the main window with loadMain) and runs the event loop; deletes the main
// window at the end. Returns the event loop's exit code.
int runProgram(QApplication& app, const ProgramShell& program, const std::function<QWidget*()>& loadMain);

} // namespace shell
