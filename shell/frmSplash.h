#pragma once
// The start-up splash: the first window of each program. Its load handler
// loads and shows the main window, shows itself over it for about a second,
// and makes sure the desktop opens the program's data files with it.
#include "shell/ProgramShell.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QTimer;

namespace shell {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Create with new: the splash deletes itself when it unloads. The
    // program folder (default: the running program's) is where the rows'
    // program file and icons are.
    frmSplash(const ProgramShell& program, std::function<QWidget*()> loadMain, const QString& programFolder = {});
    ~frmSplash() override;

    // Start-up: main window, splash, timer, file types.
    void Form_Load();
    // The timer's tick: unloads the splash.
    void Timer1_Timer();

    // The text after the last "/" of T; T itself when it holds none.
    static QString StripPath(const QString& T);
    // The full path of the program that opens files of this extension (no
    // dot), "" when there is none or no temporary file can be made.
    QString GetAssociatedProgram(const QString& Extension);

    // The main window that Form_Load loaded (not owned by the splash).
    QWidget* mainWindow() const { return main_; }

protected:
    // Draws the logo the first time the splash shows.
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void checkFileTypes();

    ProgramShell program_;
    std::function<QWidget*()> loadMain_;
    QString folder_;
    QPointer<QWidget> main_;

    QLabel* picLogo = nullptr;
    QFrame* fraMainFrame = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace shell
