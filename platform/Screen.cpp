#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

namespace {

ScreenAreaHandler& handler()
{
    static ScreenAreaHandler h;
    return h;
}

} // namespace

QRect availableScreenArea(const QWidget* window)
{
    if (handler())
        return handler()(window);
    const QScreen* s = window ? window->screen() : nullptr;
    if (!s)
        s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

void setScreenAreaHandler(ScreenAreaHandler h) { handler() = std::move(h); }

} // namespace platform
