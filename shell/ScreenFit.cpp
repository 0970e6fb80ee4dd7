#include "shell/ScreenFit.h"
#include "platform/Screen.h"
#include "shell/Resize.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <QWindow>

namespace shell {

namespace {

// Before a window is first mapped the desktop has not yet given it a frame
// (or only a thin border without title bar); a title bar and border of this
// size are allowed for.
constexpr int kAssumedFrameWidth = 8;
constexpr int kAssumedFrameHeight = 38;
constexpr int kSmallestTitleBar = 20;

// The frame's top-left corner goes to the given place. Once a window exists
// but before the desktop has framed it, a plain move would place its inner
// area there and leave the title bar above it; the window system is told the
// frame's place as well (and the widget keeps the same place, so showing it
// does not ask for another).
void putFrameAt(QWidget* w, const QPoint& at)
{
    w->move(at);
    if (QWindow* handle = w->windowHandle())
        handle->setFramePosition(at);
}

class ScreenFitFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            if (w->isWindow() && w->objectName().startsWith(QLatin1String("frm")))
                fitToScreen(w);
        }
        return false;
    }
};

} // namespace

QSize fittedSize(const QSize& designed, const QSize& frame, const QRect& area)
{
    if (area.isEmpty())
        return designed;
    const int width = std::min(designed.width(), area.width() - frame.width());
    const int height = std::min(designed.height(), area.height() - frame.height());
    return {std::max(1, width), std::max(1, height)};
}

QPoint placedFrame(const QRect& frame, const QRect& area)
{
    if (area.isEmpty())
        return frame.topLeft();
    const int x = std::clamp(frame.x(), area.left(), std::max(area.left(), area.right() + 1 - frame.width()));
    const int y = std::clamp(frame.y(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height()));
    return {x, y};
}

QSize windowFrameSize(const QWidget* w)
{
    const QSize f = w->frameGeometry().size() - w->geometry().size();
    const Qt::WindowType type = w->windowType();
    if (f.height() >= kSmallestTitleBar || w->windowFlags().testFlag(Qt::FramelessWindowHint) ||
        type == Qt::SplashScreen || type == Qt::ToolTip || type == Qt::Popup)
        return f;
    return {std::max(f.width(), kAssumedFrameWidth), kAssumedFrameHeight};
}

void fitToScreen(QWidget* window)
{
    if (!window || !window->isWindow() || window->isMaximized() || window->isFullScreen())
        return;
    const QRect area = platform::availableScreenArea(window);
    if (area.isEmpty())
        return;
    const QSize frame = windowFrameSize(window);
    const QSize size = fittedSize(window->size(), frame, area);
    if (size != window->size()) {
        // The design is recorded at the designed size before anything moves.
        Resize::ResizeFormControls(window);
        window->setMinimumSize(window->minimumSize().boundedTo(size));
        window->resize(size);
        // Windows that lay out their controls on every resize have done so
        // now; for the others this is their one layout at the fitted size.
        Resize::ResizeFormControls(window);
    }
    // The whole frame inside the area. Until the window is framed, its place
    // is the one asked for its frame.
    const QRect outer(window->frameGeometry().topLeft(), window->size() + frame);
    const QPoint at = placedFrame(outer, area);
    if (at != outer.topLeft())
        putFrameAt(window, at);
}

void centreOnScreen(QWidget* window)
{
    if (!window)
        return;
    const QRect area = platform::availableScreenArea(window);
    if (area.isEmpty())
        return;
    const QSize outer = window->size() + windowFrameSize(window);
    const QRect centred(area.center() - QPoint(outer.width() / 2, outer.height() / 2), outer);
    putFrameAt(window, placedFrame(centred, area));
}

void installScreenFit()
{
    static ScreenFitFilter* filter = nullptr;
    if (!filter) {
        filter = new ScreenFitFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace shell
