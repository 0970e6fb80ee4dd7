#pragma once
// Windows that fit the screen.
//
// A window whose designed size, with its title bar and border, is larger
// than the screen area it opens on could not be used: its lowest buttons
// would lie below the screen's edge. Such a window opens scaled down to the
// area, through the proportional layout (its design is recorded first, so a
// later enlargement brings it back to the design), by one factor in both
// directions, so that its text, which follows the width, still fits the
// rows, which follow the height. Below the smallest readable share of its
// design it is not scaled further: it keeps that size as far as the area
// allows and its content scrolls. Windows that fit keep their designed size.
//
// Every window, scaled or not, is placed so that its whole frame (title bar
// and borders) lies inside the area; a window whose frame already does keeps
// its place. Places are those of the frame's top-left corner. Until the
// desktop has framed a window, a usual title bar and border are allowed
// for; once it has, the window is fitted and placed again with its real
// frame.
class QWidget;
class QSize;
class QRect;
class QPoint;

namespace shell {

// The smallest share of its design, in percent, a window is scaled down to.
constexpr int kSmallestReadablePercent = 70;

// The whole percent of its design a window is laid out at so that, with
// what lies around it (title bar, borders, menu and tool bars), it fits the
// area: 100 when it fits, else the smaller of the width's and the height's
// share, never below kSmallestReadablePercent.
int fittedPercent(const QSize& designed, const QSize& around, const QRect& area);

// The designed size at fittedPercent, in whole pixels, both sides at the same
// whole percent of the design; the designed size when that fits.
QSize fittedSize(const QSize& designed, const QSize& around, const QRect& area);

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

// Puts the window's frame (title bar included) with its top-left corner at
// the given place, before or after the window is shown or framed.
void placeFrameAt(QWidget* window, const QPoint& at);

// From now on, every window of the programs (named "frm...") is fitted to
// the screen each time it is shown.
void installScreenFit();

} // namespace shell
