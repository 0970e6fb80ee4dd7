#include "shell/ControlColours.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace shell::ControlColours {

namespace {

// One pair for the whole program: the colours of the box highlighted last.
std::uint32_t g_savedBack = 0;
std::uint32_t g_savedFore = 0;

constexpr std::uint32_t Red = 255;
constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t SysFlag = 0x80000000u;

bool isTextBox(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

QPalette::ColorRole backRole(const QWidget* w)
{
    if (isTextBox(w))
        return QPalette::Base;
    if (qobject_cast<const QAbstractButton*>(w))
        return QPalette::Button;
    return QPalette::Window;
}

QPalette::ColorRole foreRole(const QWidget* w)
{
    if (isTextBox(w))
        return QPalette::Text;
    if (qobject_cast<const QAbstractButton*>(w))
        return QPalette::ButtonText;
    return QPalette::WindowText;
}

// The reference a control reports for a role it takes from the desktop.
std::uint32_t defaultReference(QPalette::ColorRole role)
{
    switch (role) {
    case QPalette::Base: return SysWindowBackground;
    case QPalette::Text: return SysWindowText;
    case QPalette::Button:
    case QPalette::Window: return SysButtonFace;
    default: return SysButtonText;
    }
}

// The desktop role a reference names; NoRole for one this module does not know.
QPalette::ColorRole referenceRole(std::uint32_t ref)
{
    switch (ref) {
    case SysWindowBackground: return QPalette::Base;
    case SysWindowText: return QPalette::Text;
    case SysHighlight: return QPalette::Highlight;
    case SysHighlightText: return QPalette::HighlightedText;
    case SysButtonFace: return QPalette::Button;
    case SysButtonText: return QPalette::ButtonText;
    default: return QPalette::NoRole;
    }
}

std::uint32_t toValue(const QColor& c)
{
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

QColor fromValue(std::uint32_t v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }

bool readRole(const QWidget* w, QPalette::ColorRole role, std::uint32_t& value)
{
    if (!w)
        return false;
    const QPalette& p = w->palette();
    if (!p.isBrushSet(QPalette::Active, role) || !w->testAttribute(Qt::WA_SetPalette))
        value = defaultReference(role);
    else
        value = toValue(p.color(QPalette::Active, role));
    return true;
}

// The control's palette with this role no longer set, so it follows the desktop again.
QPalette withoutRole(const QPalette& cur, QPalette::ColorRole role)
{
    QPalette np;
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        const auto group = static_cast<QPalette::ColorGroup>(g);
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto rr = static_cast<QPalette::ColorRole>(r);
            if (rr != role && cur.isBrushSet(group, rr))
                np.setBrush(group, rr, cur.brush(group, rr));
        }
    }
    return np;
}

bool writeRole(QWidget* w, QPalette::ColorRole role, std::uint32_t value)
{
    if (!w)
        return false;
    if (value & SysFlag) {
        if (value == defaultReference(role)) {
            w->setPalette(withoutRole(w->palette(), role));
            return true;
        }
        const QPalette::ColorRole src = referenceRole(value);
        if (src == QPalette::NoRole)
            return false;
        QPalette p = w->palette();
        p.setColor(role, QApplication::palette(w).color(QPalette::Active, src));
        w->setPalette(p);
        return true;
    }
    if (value > 0xFFFFFFu)
        return false;
    QPalette p = w->palette();
    p.setColor(role, fromValue(value));
    w->setPalette(p);
    if (role == QPalette::Window && !w->isWindow())
        w->setAutoFillBackground(true);
    return true;
}

} // namespace

bool BackColor(const QWidget* control, std::uint32_t& value) { return control && readRole(control, backRole(control), value); }
bool ForeColor(const QWidget* control, std::uint32_t& value) { return control && readRole(control, foreRole(control), value); }
bool SetBackColor(QWidget* control, std::uint32_t value) { return control && writeRole(control, backRole(control), value); }
bool SetForeColor(QWidget* control, std::uint32_t value) { return control && writeRole(control, foreRole(control), value); }

std::uint32_t ColourValue(const QColor& colour) { return toValue(colour); }

std::uint32_t SavedBackColor() { return g_savedBack; }
std::uint32_t SavedForeColor() { return g_savedFore; }

void HighlightControl(QWidget* control)
{
    // Each step by itself: a read that fails leaves the saved value as it was.
    std::uint32_t v = 0;
    if (BackColor(control, v))
        g_savedBack = v;
    if (ForeColor(control, v))
        g_savedFore = v;
    SetBackColor(control, Red);
    SetForeColor(control, White);
}

void RestoreControlColours(QWidget* control)
{
    SetBackColor(control, g_savedBack);
    SetForeColor(control, g_savedFore);
}

} // namespace shell::ControlColours
