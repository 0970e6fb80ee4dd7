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
// launcher passed; set by main, read by the windows.
void setCommandArguments(const QStringList& args);
QString commandLine();

// The one command-line string the windows parse, rebuilt from the program's
// arguments. A desktop launcher passes a file as one argument; a path with
// blanks that was not quoted arrives as several words. Consecutive words
// that together name an existing file become one item. A single item is
// written as it is, in double quotes when it holds a blank; several items
// are each written in double quotes, separated by one blank, so that
// splitting at double quote, blank, double quote finds them again. One pair
// of double quotes around a whole argument is dropped first; empty arguments
// are dropped.
QString buildCommandLine(const QStringList& args);

} // namespace platform
