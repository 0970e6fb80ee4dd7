// Focus colours: a box turns red with white text while focused and gets its
// own colours, or its desktop colours, back afterwards.
#include "shell/ControlColours.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace shell::ControlColours;

namespace {

std::uint32_t back(const QWidget* w)
{
    std::uint32_t v = 0xDEADBEEF;
    EXPECT_TRUE(BackColor(w, v));
    return v;
}
std::uint32_t fore(const QWidget* w)
{
    std::uint32_t v = 0xDEADBEEF;
    EXPECT_TRUE(ForeColor(w, v));
    return v;
}

TEST(FocusColours, StudyBoxTurnsRedWhileFocusedAndGetsItsColoursBack)
{
    QLineEdit box;
    ASSERT_TRUE(SetBackColor(&box, 0xFF8080));
    ASSERT_TRUE(SetForeColor(&box, 0xFFFFFF));
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(0x80, 0x80, 0xFF));   // 0x00BBGGRR

    HighlightControl(&box);
    EXPECT_EQ(back(&box), 255u);
    EXPECT_EQ(fore(&box), 0xFFFFFFu);
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(box.palette().color(QPalette::Text), QColor(Qt::white));

    RestoreControlColours(&box);
    EXPECT_EQ(back(&box), 0xFF8080u);
    EXPECT_EQ(fore(&box), 0xFFFFFFu);
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(0x80, 0x80, 0xFF));
}

TEST(FocusColours, DesktopColoursComeBackAsReferences)
{
    QLineEdit box;
    const QColor base = box.palette().color(QPalette::Base);
    const QColor text = box.palette().color(QPalette::Text);
    EXPECT_EQ(back(&box), SysWindowBackground);
    EXPECT_EQ(fore(&box), SysWindowText);

    HighlightControl(&box);
    EXPECT_EQ(SavedBackColor(), SysWindowBackground);
    EXPECT_EQ(SavedForeColor(), SysWindowText);
    RestoreControlColours(&box);
    EXPECT_EQ(back(&box), SysWindowBackground);
    EXPECT_EQ(fore(&box), SysWindowText);
    EXPECT_EQ(box.palette().color(QPalette::Base), base);
    EXPECT_EQ(box.palette().color(QPalette::Text), text);

    // A reference to another desktop colour takes that colour.
    ASSERT_TRUE(SetBackColor(&box, SysHighlight));
    EXPECT_EQ(box.palette().color(QPalette::Base), QApplication::palette(&box).color(QPalette::Highlight));
    // What is no colour is refused and changes nothing.
    EXPECT_FALSE(SetForeColor(&box, 0x01000000));
    EXPECT_FALSE(SetForeColor(nullptr, 255));
    EXPECT_EQ(box.palette().color(QPalette::Text), text);
}

TEST(FocusColours, OnePairForTheProgram)
{
    QLineEdit a, b;
    SetBackColor(&a, 0x00FF00);
    SetForeColor(&a, 0x000000);
    HighlightControl(&a);
    HighlightControl(&a);   // a second highlight without a restore saves red and white
    EXPECT_EQ(SavedBackColor(), 255u);
    EXPECT_EQ(SavedForeColor(), 0xFFFFFFu);
    RestoreControlColours(&a);
    EXPECT_EQ(back(&a), 255u);
    EXPECT_EQ(fore(&a), 0xFFFFFFu);

    // The pair belongs to the box highlighted last.
    SetBackColor(&b, 0x123456);
    HighlightControl(&b);
    RestoreControlColours(&b);
    EXPECT_EQ(back(&b), 0x123456u);

    // No control: nothing happens and the saved pair stays.
    HighlightControl(nullptr);
    RestoreControlColours(nullptr);
    EXPECT_EQ(SavedBackColor(), 0x123456u);
}

TEST(FocusColours, LabelUsesItsWindowColours)
{
    QWidget form;
    QLabel l("x", &form);
    HighlightControl(&l);
    EXPECT_EQ(l.palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(l.palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(l.autoFillBackground());
    RestoreControlColours(&l);
    EXPECT_EQ(back(&l), SysButtonFace);
}

} // namespace
