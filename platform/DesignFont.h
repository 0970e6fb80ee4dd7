#pragma once
// The one application font of the three programs.
//
// The windows' geometry was designed for a small sans-serif screen font
// 11 pixels high (8.25 points at 96 dots per inch). The programs use a
// metric-compatible sans face at that pixel height, so captions fit the
// controls drawn for them; the desktop's default font is wider and taller.
// Fonts that a window names itself keep their own family and size.
#include <QString>

class QFont;

namespace platform {

// The family used for the application font and for the design font's name.
QString designFontFamily();
// The design font: designFontFamily() at 11 pixels on a 96-dpi screen,
// given in points for the current screen so that window layout can scale it.
QFont designFont();
// Makes designFont() the application font and maps the design font's name
// onto it. Call once after the QApplication is made.
void applyDesignFont();

} // namespace platform
