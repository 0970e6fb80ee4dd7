#include "XTestInput.h"

#include <QGuiApplication>
#include <QPoint>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace pastex11 {

namespace {

Display* display()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

} // namespace

bool haveXTest()
{
    Display* d = display();
    int event = 0, error = 0, major = 0, minor = 0;
    return d && XTestQueryExtension(d, &event, &error, &major, &minor);
}

void clickAt(const QPoint& global, unsigned button)
{
    Display* d = display();
    XTestFakeMotionEvent(d, -1, global.x(), global.y(), CurrentTime);
    XTestFakeButtonEvent(d, button, True, CurrentTime);
    XTestFakeButtonEvent(d, button, False, CurrentTime);
    XFlush(d);
}

} // namespace pastex11
