#pragma once
// What the running program says of itself: its title, executable name and
// version, and the folder it lives in.
#include <QString>
#include <QStringList>

namespace platform {

struct AppInfo {
    QString title;     // "Tarvoss", "Quellin", "Morvane"
    QString exeName;   // "Tarvoss5", ...
    int major = 5;
    int minor = 0;
    int revision = 0;
};

void setAppInfo(const AppInfo& info);
const AppInfo& appInfo();
// Folder of the running program (the folder of the executable).
QString appPath();

// The program's command line as one string, rebuilt from the arguments the
// launcher passed (see CommandLine.cpp); set by main, read by the windows.
void setCommandArguments(const QStringList& args);
QString commandLine();

} // namespace platform
