#pragma once
// Proportional window layout: called from a window's resize event.
//
// The first call for a window name records the window's inner size and the
// place, size and font size of each of its controls; every later call puts
// each control at its recorded geometry scaled by the window's inner width
// and height in whole percent of the recorded ones. The records live for the
// whole run, so a window opened again is laid out against its first record.
//
// The controls of a window are all its descendants (not Qt's own "qt_"
// parts) whose place no layout manages, named or not: a control without a
// name is recorded by its place among its parent's unnamed children. The
// inner parts of compound widgets (a combo box's line edit, scroll bars, a
// tab bar) are never controls. A control array element is named
// "name(index)". A control laid out at the width it was recorded at keeps
// its recorded font size exactly; other widths get whole points.
// Geometry is kept in twips, 15 to a pixel.
#include "shell/Twips.h"

#include <QRect>
#include <QString>
#include <vector>

class QWidget;

namespace shell::Resize {

void ResizeFormControls(QWidget* form);

// A window whose own commands place controls away from their recorded place
// (a mode that moves a row up) puts them back where its state wants them
// after each layout, which would otherwise return them to the record.
class LaidOutWindow {
public:
    virtual ~LaidOutWindow() = default;
    virtual void afterLayout() = 0;
};

// Where a control designed at the given place (pixels, relative to its
// parent, at the window's recorded size) goes at the window's present size,
// exactly as the layout would place it; the designed place itself while the
// window has no record yet.
QRect ScaledRect(QWidget* form, const QRect& designed);

// The widget whose inner size the layout follows and whose children are the
// window's controls: a main window's central widget, the content of a window
// that scrolls on a small screen, otherwise the window itself.
QWidget* ClientArea(QWidget* form);
// The name of the scroll area a window's content is put in when the window
// is smaller than its smallest readable size.
inline constexpr const char* ScrollAreaName = "screenFitScroll";

// ---- Exposed for tests ------------------------------------------------------
struct LayoutRecord {
    QString Name;
    int Index = 0;
    QString FormName;
    int Top = 0;
    int Left = 0;
    int Height = 0;
    int Width = 0;
    int ScaleHeight = 0;
    int ScaleWidth = 0;
    int FontSize = 0;
};

using shell::TwipsPerPixel;
constexpr int ParkOffset = 75000;

// A negative value gets the park offset added; others stay as they are.
int NormaliseOffset(int value);

// Where a recorded control goes at width percent w and height percent h
// (integer products, truncated); parked: its current left is negative.
struct Placement {
    int Left = 0, Top = 0, Width = 0, Height = 0, FontSize = 0;
};
Placement ScaledPlacement(const LayoutRecord& rec, int widthPercent, int heightPercent, bool parked);

// Whole percent of a recorded inner size, truncated: (current * 100) / recorded.
int Percent(int currentTwips, int recordedTwips);

// The whole percent a window is laid out at: a size within one pixel short
// of a whole percent of the recorded one is that percent (a window scaled by
// the desktop to 1184 pixels for a design of 1185 is the design, not 99 %).
int LayoutPercent(int currentTwips, int recordedTwips);

// The window's record and control records (copies), empty / -1 when none.
int FindFormEntry(const QString& formName);
std::vector<LayoutRecord> FormRecords();
std::vector<LayoutRecord> ControlRecords();
// The controls the layout works on, in the window's control order.
std::vector<QWidget*> FormControls(QWidget* form);
// True while a layout runs.
bool Busy();
// Forgets every record. The programs never do; a process that opens the main
// windows of all three programs (the tests, the screenshot maker), which
// share the name "frmMain", does before each.
void ForgetRecords();

} // namespace shell::Resize
