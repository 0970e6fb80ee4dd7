#pragma once
// Windows that fit the screen.
//
// A window whose designed size, with its title bar and border, is larger
// than the screen area it opens on could not be used: its lowest buttons
// would lie below the screen's edge. Such a window opens scaled down to the
// area, through the proportional layout (its design is recorded first, so a
// later enlargement brings it back to the design). Windows that fit keep
// their designed size.
//
// Every window, scaled or not, is placed so that its whole frame (title bar
// and borders) lies inside the area; a window whose frame already does keeps
// its place. Places are those of the frame's top-left corner.
class QWidget;
class QSize;
class QRect;
class QPoint;

namespace shell {

// The window's size that fits the area with the given frame (title bar and
// borders) around it; the designed size when that fits.
QSize fittedSize(const QSize& designed, const QSize& frame, const QRect& area);

// Where the frame's top-left corner goes so that the whole frame lies inside
// the area: where it is when it already does, otherwise moved the least. A
// frame larger than the area keeps its top-left corner inside it.
QPoint placedFrame(const QRect& frame, const QRect& area);

// The size the window's title bar and borders add to it: the desktop's own
// once it has framed the window, before that an allowance for a usual one.
QSize windowFrameSize(const QWidget* window);

// Scales the window down to its screen's area when it does not fit, and
// moves it so that its whole frame lies inside the area.
void fitToScreen(QWidget* window);

// Puts the window's frame in the middle of its screen's area.
void centreOnScreen(QWidget* window);

// From now on, every window of the programs (named "frm...") is fitted to
// the screen each time it is shown.
void installScreenFit();

} // namespace shell
