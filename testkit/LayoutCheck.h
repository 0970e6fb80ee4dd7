#pragma once
// A window checked as a person would look at it: every visible caption fits
// its control (single-line width, wrapped height, group-box titles, check
// and option buttons with their indicator, grid headings), no control is cut
// off by the frame, page or window that holds it, no caption runs under
// a neighbouring control, no line or panel edge is drawn across a caption or
// a text box, a one-line box shows its whole text, and a caption beside the
// box of its row stands level with it.
#include <QStringList>

class QWidget;

namespace testkit {

// One line per fault, naming the window, the control and what is wrong;
// empty when the window looks whole. Only controls visible in the window's
// present state (tab, options) are looked at.
QStringList layoutFaults(QWidget* window);

// A short readable name for a control: objectName, else class and caption.
QString controlLabel(QWidget* w);

} // namespace testkit
