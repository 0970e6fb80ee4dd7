#include "platform/AppInfo.h"
#include <QCoreApplication>

namespace platform {

namespace {
AppInfo& info()
{
    static AppInfo i{QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5")};
    return i;
}
QStringList& arguments()
{
    static QStringList a;
    return a;
}
} // namespace

void setAppInfo(const AppInfo& i) { info() = i; }
const AppInfo& appInfo() { return info(); }

QString appPath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QStringLiteral(".");
}

void setCommandArguments(const QStringList& args) { arguments() = args; }

QString commandLine() { return arguments().join(QLatin1Char(' ')); }

} // namespace platform
