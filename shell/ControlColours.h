#pragma once
// Focus colours: the focused study-detail box shows red with white text, and
// gets its own colours back when the focus leaves.
//
// Colours are 32-bit values 0x00BBGGRR, or a system-colour reference
// (0x80000000 | index) for a colour the control takes from the desktop's
// palette. A text box's back colour is its Base role and its fore colour its
// Text role; a button's Button / ButtonText; any other control's Window /
// WindowText.
#include <cstdint>

class QColor;
class QWidget;

namespace shell::ControlColours {

void HighlightControl(QWidget* control);
void RestoreControlColours(QWidget* control);

// System-colour references used when a control keeps the desktop's colour.
constexpr std::uint32_t SysWindowBackground = 0x80000005u;
constexpr std::uint32_t SysWindowText = 0x80000008u;
constexpr std::uint32_t SysHighlight = 0x8000000Du;
constexpr std::uint32_t SysHighlightText = 0x8000000Eu;
constexpr std::uint32_t SysButtonFace = 0x8000000Fu;
constexpr std::uint32_t SysButtonText = 0x80000012u;

// A control's colours as values, and setting them; false when the control
// cannot take the value (no control, not a colour).
bool BackColor(const QWidget* control, std::uint32_t& value);
bool ForeColor(const QWidget* control, std::uint32_t& value);
bool SetBackColor(QWidget* control, std::uint32_t value);
bool SetForeColor(QWidget* control, std::uint32_t value);

// A colour's value (0x00BBGGRR).
std::uint32_t ColourValue(const QColor& colour);

// The pair saved by the last highlight (both 0 before the first one).
std::uint32_t SavedBackColor();
std::uint32_t SavedForeColor();

} // namespace shell::ControlColours
