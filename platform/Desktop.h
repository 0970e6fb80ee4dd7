#pragma once
// The desktop's handlers: opening a web page, mail address or document with
// its default program, and starting a program by path. Tests install a
// handler that records the request instead.
#include <QString>
#include <QStringList>
#include <functional>

namespace platform {

struct DesktopRequest {
    enum Kind { OpenUrl, StartProgram } kind = OpenUrl;
    QString target;      // URL (or local file path) / program path
    QStringList arguments;
};

// Opens a URL or a local file with the desktop's default handler.
bool openUrl(const QString& urlOrPath);
// Starts a program detached, with a normal focused window.
bool startProgram(const QString& program, const QStringList& arguments = {});

using DesktopHandler = std::function<bool(const DesktopRequest&)>;
void setDesktopHandler(DesktopHandler handler);

} // namespace platform
