#include "shell/ScreenFit.h"
#include "platform/Screen.h"
#include "shell/Resize.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace shell {

namespace {

// Before a window is first mapped the desktop has not yet given it a frame
// (or only a thin border without title bar); a title bar and border of this
// size are allowed for.
constexpr int kAssumedFrameWidth = 8;
constexpr int kAssumedFrameHeight = 38;
constexpr int kSmallestTitleBar = 20;

QSize frameOf(const QWidget* w)
{
    const QSize f = w->frameGeometry().size() - w->geometry().size();
    if (f.height() >= kSmallestTitleBar)
        return f;
    return {std::max(f.width(), kAssumedFrameWidth), kAssumedFrameHeight};
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

void fitToScreen(QWidget* window)
{
    if (!window || !window->isWindow() || window->isMaximized() || window->isFullScreen())
        return;
    const QRect area = platform::availableScreenArea(window);
    const QSize frame = frameOf(window);
    const QSize size = fittedSize(window->size(), frame, area);
    if (size == window->size())
        return;
    // The design is recorded at the designed size before anything moves.
    Resize::ResizeFormControls(window);
    window->setMinimumSize(window->minimumSize().boundedTo(size));
    window->resize(size);
    // Windows that lay out their controls on every resize have done so now;
    // for the others this is their one layout at the fitted size.
    Resize::ResizeFormControls(window);
    // The whole frame inside the area.
    QPoint at = window->frameGeometry().topLeft();
    const QSize outer = size + frame;
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    window->move(at);
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
