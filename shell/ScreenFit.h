#pragma once
// Windows that fit the screen.
//
// A window whose designed size, with its title bar and border, is larger
// than the screen area it opens on could not be used: its lowest buttons
// would lie below the screen's edge. Such a window opens scaled down to the
// area, through the proportional layout (its design is recorded first, so a
// later enlargement brings it back to the design). Windows that fit keep
// their designed size.
class QWidget;
class QSize;
class QRect;

namespace shell {

// The window's size that fits the area with the given frame (title bar and
// borders) around it; the designed size when that fits.
QSize fittedSize(const QSize& designed, const QSize& frame, const QRect& area);

// Scales the window down to its screen's area when it does not fit.
void fitToScreen(QWidget* window);

// From now on, every window of the programs (named "frm...") is fitted to
// the screen each time it is shown.
void installScreenFit();

} // namespace shell
