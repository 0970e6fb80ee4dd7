#include "shell/ScreenFit.h"
#include "platform/Screen.h"
#include "shell/Resize.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QScrollArea>
#include <QScrollBar>
#include <QSize>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace shell {

namespace {

// Before a window is first mapped the desktop has not yet given it a frame;
// a title bar and border of this size are allowed for (larger than most, so
// that the window is fitted again, larger, once its real frame is known).
constexpr int kAssumedFrameWidth = 8;
constexpr int kAssumedFrameHeight = 38;

// The window's design as it was first shown: the inner area that its
// controls are laid out in, and what the window adds around it.
const char* const kDesignedInner = "screenFitDesignedInner";
const char* const kDesignedAround = "screenFitDesignedAround";
// Set on a window that was scaled to fit.
const char* const kFitted = "screenFitFitted";
// The frame size the window was last fitted with.
const char* const kFittedFrame = "screenFitFrame";

// The desktop has put its frame around the window.
bool isFramed(const QWidget* w)
{
    const QWindow* handle = w->windowHandle();
    return handle && handle->isVisible() && !handle->frameMargins().isNull();
}

// The scroll area scrollContent gave the window, if any.
QScrollArea* scrollAreaOf(const QWidget* window)
{
    return window->findChild<QScrollArea*>(QString::fromLatin1(Resize::ScrollAreaName));
}

// Moves the controls `from` holds (not its own windows) into `to`, each at
// its place and as shown or hidden as it was.
void moveControls(QWidget* from, QWidget* to)
{
    const QObjectList children = from->children();
    for (QObject* o : children) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        const bool shown = !w->isHidden();
        const QRect at = w->geometry();
        w->setParent(to);
        w->setGeometry(at);
        w->setVisible(shown);
    }
}

// Gives the window's controls a scrolling area of their own: a main window's
// central widget, or everything a plain window holds, goes into a scroll
// area that fills the window. The layout follows the scrolled content from
// then on (Resize::ClientArea).
void scrollContent(QWidget* window)
{
    if (Resize::ClientArea(window) != window && !qobject_cast<QMainWindow*>(window))
        return;   // done before
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QString::fromLatin1(Resize::ScrollAreaName));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    if (auto* mw = qobject_cast<QMainWindow*>(window)) {
        if (!mw->centralWidget() || qobject_cast<QScrollArea*>(mw->centralWidget())) {
            delete scroll;
            return;
        }
        QWidget* central = mw->takeCentralWidget();
        scroll->setWidget(central);
        mw->setCentralWidget(scroll);
        scroll->show();
        central->show();
        return;
    }
    auto* content = new QWidget;
    content->resize(window->size());
    moveControls(window, content);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    scroll->show();
    content->show();
}

// Undoes scrollContent when the window, fitted again with its real frame,
// no longer needs to scroll.
void unscrollContent(QWidget* window)
{
    auto* scroll = scrollAreaOf(window);
    if (!scroll || !scroll->widget())
        return;
    QWidget* content = scroll->widget();
    content->setMinimumSize(0, 0);
    if (auto* mw = qobject_cast<QMainWindow*>(window)) {
        if (mw->centralWidget() != scroll)
            return;
        scroll->takeWidget();
        mw->setCentralWidget(content);   // deletes the scroll area
        content->show();
        return;
    }
    moveControls(content, window);
    delete window->layout();
    delete scroll;
}

// Once the desktop has framed the window, it is fitted again with its real
// frame. The desktop frames a window a moment after it is shown, and may
// then still report the size and place the window was created with, after
// the fit asked for others: the window is looked at for a while longer.
void fitWhenFramed(QWidget* window)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;   // nothing ever frames a window there
    constexpr int kTick = 25;              // ms
    constexpr int kWaitForFrame = 200;     // ticks
    constexpr int kWatchFramed = 40;       // ticks
    auto* timer = new QTimer(window);
    timer->setInterval(kTick);
    QPointer<QWidget> w(window);
    int waited = 0, watched = 0;
    QObject::connect(timer, &QTimer::timeout, timer, [w, timer, waited, watched]() mutable {
        if (!w || !w->isVisible() || ++waited > kWaitForFrame + kWatchFramed) {
            timer->deleteLater();
            return;
        }
        if (!isFramed(w))
            return;
        fitToScreen(w);
        if (++watched >= kWatchFramed)
            timer->deleteLater();
    });
    timer->start();
}

class ScreenFitFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            if (w->isWindow() && w->objectName().startsWith(QLatin1String("frm"))) {
                fitToScreen(w);
                if (!isFramed(w))
                    fitWhenFramed(w);
            }
        }
        return false;
    }
};

} // namespace

// Scales the window to the area with the frame it has now (assumed or
// real), from its design, and places its frame inside the area.
void fitToScreen(QWidget* window)
{
    if (!window || !window->isWindow() || window->isMaximized() || window->isFullScreen())
        return;
    const QRect area = platform::availableScreenArea(window);
    if (area.isEmpty())
        return;
    const QSize frame = windowFrameSize(window);
    if (auto* mw = qobject_cast<QMainWindow*>(window); mw && mw->layout())
        mw->layout()->activate();
    QWidget* inner = Resize::ClientArea(window);
    if (!window->property(kDesignedInner).isValid()) {
        window->setProperty(kDesignedInner, inner->size());
        window->setProperty(kDesignedAround, window->size() - inner->size());
    }
    const QSize designed = window->property(kDesignedInner).toSize();
    const QSize around = window->property(kDesignedAround).toSize();
    // On a screen scaled by a fraction the window system rounds each side
    // to whole pixels of the screen: one pixel of room is kept for that.
    const qreal ratio = window->devicePixelRatioF();
    const int rounding = ratio == std::floor(ratio) ? 0 : 1;
    const QSize room = area.size() - frame - QSize(rounding, rounding);

    // Shrunk when it does not fit; fitted again, from its design, when it
    // was scaled with a frame other than the one it has now.
    const bool doesNotFit = window->width() > room.width() || window->height() > room.height();
    const bool refit = window->property(kFitted).toBool() && window->property(kFittedFrame).toSize() != frame;
    bool resized = false;
    if ((doesNotFit || refit) && !designed.isEmpty()) {
        const QSize scaled = fittedSize(designed, around + frame + QSize(rounding, rounding), area);
        // Where the content scrolls one way, its scroll bar takes room the
        // other way.
        const int bar = std::max(window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window),
                                 QScrollBar(Qt::Vertical).sizeHint().width());
        QSize size = scaled + around;
        bool down = size.height() > room.height();
        const bool across = size.width() + (down ? bar : 0) > room.width();
        down = down || (across && size.height() + bar > room.height());
        const bool scrolls = down || across;
        size += QSize(down ? bar : 0, across ? bar : 0);
        size = size.boundedTo(room);
        const bool scrolled = scrollAreaOf(window);
        if (size != window->size() || scrolls || scrolled) {
            // The design is recorded at the designed size before anything moves.
            Resize::ResizeFormControls(window);
            if (!scrolls)
                unscrollContent(window);
            if (scrolls) {
                scrollContent(window);
                Resize::ClientArea(window)->setMinimumSize(scaled);
                // Only the scroll bars the fitted size needs: one that is not
                // needed, shown for a moment while the other comes, would
                // take its room for good.
                if (auto* scroll = scrollAreaOf(window)) {
                    scroll->setVerticalScrollBarPolicy(down ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
                    scroll->setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
                }
            }
            window->setMinimumSize(window->minimumSize().boundedTo(size));
            window->resize(size);
            if (QLayout* l = window->layout())
                l->activate();
            if (scrolls) {
                // The content at its size in the scroll area before it is
                // laid out, not when the scroll area next gets to it.
                auto* scroll = scrollAreaOf(window);
                if (scroll && scroll->widget())
                    scroll->widget()->resize(scaled.expandedTo(scroll->viewport()->size()));
            }
            // Windows that lay out their controls on every resize have done so
            // now; for the others this is their one layout at the fitted size.
            Resize::ResizeFormControls(window);
            resized = true;
        }
        window->setProperty(kFitted, true);
        window->setProperty(kFittedFrame, frame);
    }
    // The whole frame inside the area. Until the window is framed, its place
    // is the one asked for its frame; a resize asks the window system for
    // the window's inner place, so the frame's is asked for again.
    const QRect outer(window->frameGeometry().topLeft(), window->size() + frame);
    const QPoint at = placedFrame(outer, area.adjusted(0, 0, -rounding, -rounding));
    if (at != outer.topLeft() || resized)
        placeFrameAt(window, at);
}

int fittedPercent(const QSize& designed, const QSize& around, const QRect& area)
{
    if (area.isEmpty() || designed.isEmpty())
        return 100;
    const long long w = (static_cast<long long>(area.width()) - around.width()) * 100 / designed.width();
    const long long h = (static_cast<long long>(area.height()) - around.height()) * 100 / designed.height();
    return static_cast<int>(std::clamp<long long>(std::min(w, h), kSmallestReadablePercent, 100));
}

QSize fittedSize(const QSize& designed, const QSize& around, const QRect& area)
{
    const int p = fittedPercent(designed, around, area);
    if (p >= 100)
        return designed;
    // The share in whole pixels, rounded as the layout rounds its controls,
    // so that a control as wide as the window stays inside it; a side that
    // the layout would then take for the next percent is a pixel shorter.
    auto side = [p](int design) {
        const int rounded = static_cast<int>(std::lround(design * p / 100.0));
        const int size = (static_cast<long long>(rounded) + 1) * 100 / design > p ? design * p / 100 : rounded;
        return std::max(1, size);
    };
    return {side(designed.width()), side(designed.height())};
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
    const Qt::WindowType type = w->windowType();
    if (isFramed(w) || w->windowFlags().testFlag(Qt::FramelessWindowHint) || type == Qt::SplashScreen ||
        type == Qt::ToolTip || type == Qt::Popup)
        return w->frameGeometry().size() - w->geometry().size();
    return {kAssumedFrameWidth, kAssumedFrameHeight};
}

void placeFrameAt(QWidget* w, const QPoint& at)
{
    // Before the window exists in the window system a move is the frame's
    // place. Once it exists the frame's place is told to the window system as
    // such (a move alone would be taken for the inner area's place until the
    // desktop has framed the window), and the widget keeps the same place,
    // so that showing it does not ask for another.
    w->move(at);
    if (QWindow* handle = w->windowHandle())
        handle->setFramePosition(at);
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
    placeFrameAt(window, placedFrame(centred, area));
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
