#pragma once
// Taking a picture of a window, and printing a picture fitted to one page.
#include <QPixmap>
#include <QSizeF>

class QPrinter;
class QWidget;

namespace shell::ScreenCapture {

// The window in the foreground: the program's active window. A display
// server does not let a program read the windows of other programs, so when
// none of the program's windows is active the fallback window stands in.
QWidget* ForegroundWindow(QWidget* fallback);

// A picture of the whole foreground window, frame and title bar included
// where the display server hands them out (otherwise its inner area).
QPixmap CaptureForegroundWindow(QWidget* fallback);

// A picture of the rectangle (left, top, width, height) in pixels relative to
// the window's inner area (clientOnly) or to its whole window with frame.
QPixmap CaptureWindowArea(QWidget* window, bool clientOnly, int left, int top, int width, int height);

// The size at which a picture fills the printable area without changing its
// shape: the full printable width when its width-to-height ratio is at least
// the page's, else the full printable height.
QSizeF FittedSize(const QSizeF& picture, const QSizeF& printable);

// Sets the printer's orientation from the picture's shape (landscape when it
// is wider than high), draws the picture fitted at the printable area's top
// left corner and ends the document. False when nothing could be printed.
bool PrintPictureFitted(QPrinter& printer, const QPixmap& picture);

} // namespace shell::ScreenCapture
