#include "shell/Application.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "shell/Trace.h"

#include <exception>

namespace shell {

namespace {

// At most one message at a time: a box that fails again while it shows does
// not open another.
bool showing = false;

void tell(const QString& description)
{
    if (showing)
        return;
    showing = true;
    try {
        platform::msgBox(QStringLiteral("Something went very wrong and resulted in the following error:\n") + description,
                         platform::MsgButtons::OK, platform::MsgIcon::Critical);
    } catch (...) {
        // The message itself failed; the program goes on.
        qCWarning(traceShell) << "the message of an error:" << description << "failed:" << platform::currentErrorText();
    }
    showing = false;
}

} // namespace

bool deliverWithNet(const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (const platform::RuntimeError& e) {
        tell(e.description());
    } catch (const std::exception& e) {
        tell(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        tell(QStringLiteral("Unknown error"));
    }
    return false;
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    return deliverWithNet([&] { return QApplication::notify(receiver, event); });
}

} // namespace shell
