#include "shell/ScreenCapture.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

namespace shell::ScreenCapture {

QWidget* ForegroundWindow(QWidget* fallback)
{
    if (QWidget* w = QApplication::activeWindow(); w && w->isVisible())
        return w;
    if (QWidget* m = QApplication::activeModalWidget(); m && m->isVisible())
        return m;
    return fallback ? fallback->window() : nullptr;
}

QPixmap CaptureForegroundWindow(QWidget* fallback)
{
    QWidget* w = ForegroundWindow(fallback);
    if (!w)
        return {};
    const QRect r = w->frameGeometry();
    return CaptureWindowArea(w, false, 0, 0, r.width(), r.height());
}

QPixmap CaptureWindowArea(QWidget* window, bool clientOnly, int left, int top, int width, int height)
{
    if (!window || width <= 0 || height <= 0)
        return {};
    if (!clientOnly) {
        // The screen's pixels under the window, frame and title bar included.
        if (QScreen* scr = window->screen()) {
            const QPoint origin = window->frameGeometry().topLeft() + QPoint(left, top);
            const QPoint rel = origin - scr->geometry().topLeft();
            QPixmap p = scr->grabWindow(0, rel.x(), rel.y(), width, height);
            const QSize logical = p.deviceIndependentSize().toSize();
            if (!p.isNull() && logical == QSize(width, height))
                return p;
        }
        // The display server gives no pixels of the screen: the window draws
        // its own inner area instead.
        const QPoint inner = window->geometry().topLeft() - window->frameGeometry().topLeft();
        return window->grab(QRect(QPoint(left, top) - inner, QSize(width, height)) & window->rect());
    }
    return window->grab(QRect(left, top, width, height) & window->rect());
}

QSizeF FittedSize(const QSizeF& picture, const QSizeF& printable)
{
    if (picture.width() <= 0 || picture.height() <= 0 || printable.width() <= 0 || printable.height() <= 0)
        return {};
    const double pictureRatio = picture.width() / picture.height();
    const double pageRatio = printable.width() / printable.height();
    if (pictureRatio >= pageRatio)
        return {printable.width(), printable.width() / pictureRatio};
    return {printable.height() * pictureRatio, printable.height()};
}

bool PrintPictureFitted(QPrinter& printer, const QPixmap& picture)
{
    if (picture.isNull())
        return false;
    printer.setPageOrientation(picture.height() < picture.width() ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QSizeF printable(printer.width(), printer.height());
    const QSizeF size = FittedSize(QSizeF(picture.size()), printable);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(QPointF(0, 0), size), picture, QRectF(picture.rect()));
    return painter.end();
}

} // namespace shell::ScreenCapture
