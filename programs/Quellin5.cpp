// Quellin5: starts the program through its splash.
#include "outcometable/frmMain.h"
#include "platform/AppInfo.h"
#include "programs/ProgramTables.h"
#include "shell/Application.h"

int main(int argc, char** argv)
{
    shell::Application app(argc, argv);
    app.setApplicationName(QStringLiteral("Quellin"));
    platform::setAppInfo({QStringLiteral("Quellin"), QStringLiteral("Quellin5"), 5, 0, 0});
    platform::setCommandArguments(app.arguments().mid(1));
    return shell::runProgram(app, programs::quellinShell(), [] { return new quellin::frmMain; });
}
