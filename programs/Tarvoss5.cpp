// Tarvoss5: starts the program through its splash.
#include "meandiff/frmMain.h"
#include "platform/AppInfo.h"
#include "programs/ProgramTables.h"
#include "shell/Application.h"

int main(int argc, char** argv)
{
    shell::Application app(argc, argv);
    app.setApplicationName(QStringLiteral("Tarvoss"));
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
    platform::setCommandArguments(app.arguments().mid(1));
    return shell::runProgram(app, programs::tarvossShell(), [] { return new tarvoss::frmMain; });
}
