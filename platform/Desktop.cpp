#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

namespace {
DesktopHandler& handler()
{
    static DesktopHandler h;
    return h;
}
} // namespace

bool openUrl(const QString& urlOrPath)
{
    if (handler())
        return handler()({DesktopRequest::OpenUrl, urlOrPath, {}});
    QUrl url = QFileInfo::exists(urlOrPath) ? QUrl::fromLocalFile(urlOrPath) : QUrl(urlOrPath);
    return QDesktopServices::openUrl(url);
}

bool startProgram(const QString& program, const QStringList& arguments)
{
    if (handler())
        return handler()({DesktopRequest::StartProgram, program, arguments});
    return QProcess::startDetached(program, arguments);
}

void setDesktopHandler(DesktopHandler h) { handler() = std::move(h); }

} // namespace platform
