#pragma once
// What each program supplies to the shell: the splash's texts, its file-type
// rows, the Options dialog's texts and what is its own in the About box, the
// capture dialog and the simple calculator. The program's main hands its
// table to runProgram, which starts it through the splash; the shell's
// windows read it there and never ask which program they run in.
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QApplication;
class QWidget;

namespace shell {

// One file type that the splash makes sure the desktop opens with this program.
struct FileTypeRow {
    QString extension;        // asked about, without dot: "TVQ"
    QString programFile;      // the program's file name in its folder: "Tarvoss5"
    QString classKey;         // the program's class, its title
    QString classDescription; // the same
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

// What is the program's own in the About box.
struct AboutTexts {
    QString titleLabelName = QStringLiteral("lblTitle"); // objectName of the label with the title
    QString purpose;          // txtPurpose, above the notice, when not empty
    bool versionAtLoad = false; // the title and version set at load from the running program's
};

struct ProgramShell {
    SplashTexts splash;
    QList<FileTypeRow> rows;
    OptionsTexts options;
    AboutTexts about;
    QString calculatorCaption;   // the simple calculator's caption
    QString captureLead;         // the capture dialog's first instruction begins with it
};

// The running program's table, read by the shell's windows; nullptr while no
// program has registered one.
const ProgramShell* programShell();

// Registers a program's table for as long as it lives (runProgram holds one
// for the program's run); the table registered before comes back after it.
class ProgramShellRegistration {
public:
    explicit ProgramShellRegistration(const ProgramShell& program);
    ~ProgramShellRegistration();
    ProgramShellRegistration(const ProgramShellRegistration&) = delete;
    ProgramShellRegistration& operator=(const ProgramShellRegistration&) = delete;

private:
    std::optional<ProgramShell> before_;
};

// Registers the table, starts the program through its splash (which loads
// the main window with loadMain) and runs the event loop; deletes the main
// window at the end. Returns the event loop's exit code.
int runProgram(QApplication& app, const ProgramShell& program, const std::function<QWidget*()>& loadMain);

} // namespace shell
