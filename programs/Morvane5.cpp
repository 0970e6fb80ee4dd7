// Morvane5: starts the program through its splash.
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "programs/ProgramTables.h"
#include "shell/Application.h"

int main(int argc, char** argv)
{
    shell::Application app(argc, argv);
    app.setApplicationName(QStringLiteral("Morvane"));
    platform::setAppInfo({QStringLiteral("Morvane"), QStringLiteral("Morvane5"), 5, 0, 0});
    platform::setCommandArguments(app.arguments().mid(1));
    return shell::runProgram(app, programs::morvaneShell(), [] { return new morvane::frmMain; });
}
