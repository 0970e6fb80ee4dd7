// On a 1366 x 768 screen with a 40 px panel every window can be used: the
// windows designed taller than the screen open scaled down to it, through the
// proportional layout, and the others keep their designed size; every window
// opens with its whole frame, title bar included, inside the screen's free
// area.
#include "calculators/frmChiSq.h"
#include "calculators/frmConf.h"
#include "calculators/frmWithinES.h"
#include "meandiff/frmMain.h"
#include "metadb/frmMetData.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/Screen.h"
#include "platform/Settings.h"
#include "shell/Resize.h"
#include "shell/ScreenFit.h"
#include "testkit/QtTestKit.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QGroupBox>
#include <QScreen>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QRect kSmallScreen(0, 0, 1366, 728);
const QRect kLargeScreen(0, 0, 1600, 960);
// 1366 x 768 with a 40 px panel at the top.
const QRect kBelowPanel(0, 40, 1366, 728);
// 2560 x 1600 at twice the scale, a 40 px panel at the bottom.
const QRect kDoubleScale(0, 0, 1280, 780);
// 1366 x 768 at twice the scale, a 40 px panel at the top.
const QRect kTinyScreen(0, 20, 683, 364);

class ScreenFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        shell::installScreenFit();
        platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
    }
    void TearDown() override { platform::setScreenAreaHandler({}); }
    void screen(QRect area)
    {
        platform::setScreenAreaHandler([area](const QWidget*) { return area; });
    }
};

// The window's outer size with the frame the fitting allows for.
QRect outer(QWidget* w)
{
    const QSize frame(8, 38);
    return QRect(w->frameGeometry().topLeft(), w->size() + frame);
}

struct Tall {
    const char* name;
    QSize designed;
    std::function<QWidget*()> make;
};

} // namespace

// A window that does not fit is scaled by one factor in both directions,
// the smaller of the two shares, but not below its smallest readable size.
TEST_F(ScreenFit, FittedSizeScalesBothDirectionsByOneFactor)
{
    const QSize frame(8, 38);
    const struct {
        QSize designed;
        QRect area;
        int percent;
        QSize fitted;
    } cases[] = {
        {{814, 794}, kSmallScreen, 86, {700, 683}},                 // the height decides
        {{1072, 732}, QRect(0, 0, 1024, 728), 94, {1008, 688}},     // the width decides
        {{600, 400}, kSmallScreen, 100, {600, 400}},                // fits: the design
        {{600, 400}, QRect(), 100, {600, 400}},                     // no screen known
        {{814, 794}, kTinyScreen, 70, {570, 556}},                  // the smallest readable size
        {{500, 1000}, QRect(0, 0, 2000, 738), 70, {350, 700}},      // tall and narrow
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.designed.width()) + "x" + std::to_string(c.designed.height()));
        EXPECT_EQ(shell::fittedPercent(c.designed, frame, c.area), c.percent);
        const QSize f = shell::fittedSize(c.designed, frame, c.area);
        EXPECT_EQ(f, c.fitted);
        // Both sides at the same whole percent of the design, as the layout
        // reads it.
        EXPECT_EQ(shell::Resize::LayoutPercent(f.width() * 15, c.designed.width() * 15), c.percent);
        EXPECT_EQ(shell::Resize::LayoutPercent(f.height() * 15, c.designed.height() * 15), c.percent);
    }
}

TEST_F(ScreenFit, TallWindowsOpenWithinTheScreenAndComeBackWhenItIsLarger)
{
    testkit::MsgBoxScript msgs;
    const Tall windows[] = {
        {"frmWithinES", {814, 794}, [] { return new calculators::frmWithinES; }},
        {"Quellin", {1072, 732}, [] { return new quellin::frmMain; }},
        {"Morvane", {824, 716}, [] { return new morvane::frmMain; }},
    };
    for (const Tall& t : windows) {
        SCOPED_TRACE(t.name);
        screen(kSmallScreen);
        shell::Resize::ForgetRecords();
        std::unique_ptr<QWidget> w(t.make());
        const QSize designed = w->size();
        EXPECT_GT(designed.height() + 38, kSmallScreen.height());
        w->show();
        testkit::settle();
        EXPECT_TRUE(kSmallScreen.contains(outer(w.get()))) << w->width() << "x" << w->height();
        // Its lowest button is on the screen too.
        int lowest = 0;
        for (auto* b : w->findChildren<QPushButton*>())
            if (b->isVisibleTo(w.get()) && b->x() > -1000)
                lowest = std::max(lowest, b->mapTo(w.get(), QPoint(0, b->height())).y());
        EXPECT_LE(lowest, w->height());
        w->close();
        // Opened again on a large screen: the design.
        screen(kLargeScreen);
        std::unique_ptr<QWidget> again(t.make());
        again->show();
        testkit::settle();
        EXPECT_EQ(again->size(), designed);
        again->close();
    }
}

TEST_F(ScreenFit, TheStudyDatabaseWindowFitsAndAWindowThatFitsKeepsItsSize)
{
    screen(kSmallScreen);
    testkit::MsgBoxScript msgs;
    QPointer<metadb::frmMetData> w = metadb::showMetData();
    testkit::settle();
    EXPECT_TRUE(kSmallScreen.contains(outer(w))) << w->width() << "x" << w->height();
    w->close();
    testkit::settle();

    calculators::frmConf conf;
    const QSize designed = conf.size();
    conf.show();
    testkit::settle();
    EXPECT_EQ(conf.size(), designed);
}

TEST_F(ScreenFit, EveryMainWindowFitsTheSmallScreen)
{
    screen(kSmallScreen);
    testkit::MsgBoxScript msgs;
    std::unique_ptr<QWidget> w(new tarvoss::frmMain);
    w->show();
    testkit::settle();
    EXPECT_TRUE(kSmallScreen.contains(outer(w.get())));
}

TEST_F(ScreenFit, AFrameIsMovedTheLeastIntoTheArea)
{
    const QRect area = kBelowPanel;
    const struct {
        QRect frame;
        QPoint at;
    } cases[] = {
        {{67, 67, 798, 700}, {67, 67}},        // inside: stays
        {{67, 67, 798, 704}, {67, 64}},        // 3 px over the bottom: up by 3
        {{67, 0, 1080, 728}, {67, 40}},        // under the panel: down to it
        {{900, 100, 600, 300}, {766, 100}},    // over the right edge
        {{-30, 300, 600, 300}, {0, 300}},      // over the left edge
        {{100, 100, 1500, 900}, {0, 40}},      // larger than the area: its top-left corner
    };
    for (const auto& c : cases)
        EXPECT_EQ(shell::placedFrame(c.frame, area), c.at) << c.frame.x() << "," << c.frame.y();
    EXPECT_EQ(shell::placedFrame({5, -9, 10, 10}, QRect()), QPoint(5, -9));
}

// Every large window, scaled or not, on work areas below and above a panel
// and at twice the scale: its whole frame lies inside the area.
TEST_F(ScreenFit, EveryLargeWindowsFrameLiesInsideTheWorkArea)
{
    testkit::MsgBoxScript msgs;
    const Tall windows[] = {
        {"Tarvoss", {}, [] { return new tarvoss::frmMain; }},
        {"Quellin", {}, [] { return new quellin::frmMain; }},
        {"Morvane", {}, [] { return new morvane::frmMain; }},
        {"frmWithinES", {}, [] { return new calculators::frmWithinES; }},
        {"frmChiSq", {}, [] { return new calculators::frmChiSq; }},
        {"frmConf", {}, [] { return new calculators::frmConf; }},
    };
    for (const QRect& area : {kBelowPanel, kSmallScreen, kDoubleScale}) {
        for (const Tall& t : windows) {
            SCOPED_TRACE(std::string(t.name) + " on " + std::to_string(area.y()) + "+" +
                         std::to_string(area.height()));
            screen(area);
            shell::Resize::ForgetRecords();
            std::unique_ptr<QWidget> w(t.make());
            w->show();
            testkit::settle();
            EXPECT_TRUE(area.contains(outer(w.get())))
                << outer(w.get()).x() << "," << outer(w.get()).y() << " " << outer(w.get()).width() << "x"
                << outer(w.get()).height();
            w->close();
        }
    }
    // The study database window, opened where the program puts it.
    screen(kBelowPanel);
    shell::Resize::ForgetRecords();
    QPointer<metadb::frmMetData> db = metadb::showMetData();
    testkit::settle();
    EXPECT_TRUE(kBelowPanel.contains(outer(db))) << outer(db).y() << " " << outer(db).height();
    db->close();
    testkit::settle();
}

TEST_F(ScreenFit, AWindowWhoseFrameFitsKeepsItsPlace)
{
    testkit::MsgBoxScript msgs;
    screen(kLargeScreen);
    shell::Resize::ForgetRecords();
    // The main window at the place kept in the settings.
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainLeft"), QStringLiteral("1005"));
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainTop"), QStringLiteral("1500"));
    std::unique_ptr<QWidget> w(new tarvoss::frmMain);
    w->show();
    testkit::settle();
    EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(67, 100));
    // A calculator in the middle of the area, frame and all.
    calculators::frmChiSq chi;
    chi.show();
    testkit::settle();
    const QRect frame = outer(&chi);
    EXPECT_LE(std::abs(frame.center().x() - kLargeScreen.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - kLargeScreen.center().y()), 1);
}

// A window scaled to fit the screen and then switched to another size of
// table puts the moved controls at their place at the scaled size, and keeps
// them there through the layout.
TEST_F(ScreenFit, ControlsMovedByAModeFollowTheScaledWindow)
{
    testkit::MsgBoxScript msgs;
    screen(kTinyScreen);
    shell::Resize::ForgetRecords();
    {
        calculators::frmChiSq chi;
        const QSize designed = chi.size();
        chi.show();
        testkit::settle();
        ASSERT_LT(chi.height(), designed.height());
        const QSize laidOut = shell::Resize::ClientArea(&chi)->size();
        const double h = double(laidOut.height()) / designed.height();
        const double wr = double(laidOut.width()) / designed.width();
        testkit::click(testkit::find<QWidget>(&chi, QStringLiteral("OpTwo")));
        // The totals row 1920 twips down, 600 below the second condition's
        // row (40 px at the design); the totals column 3120 twips in (208 px).
        auto* row2 = testkit::find<QWidget>(&chi, QStringLiteral("TxSame"));
        auto* total = testkit::find<QWidget>(&chi, QStringLiteral("txtGP1"));
        auto* totalColumn = testkit::find<QWidget>(&chi, QStringLiteral("txtCond1N"));
        EXPECT_NEAR(total->y() - row2->y(), 40 * h, 2);
        EXPECT_NEAR(totalColumn->x(), 208 * wr, 2);
    }
    screen(QRect(0, 20, 683, 200));
    {
        calculators::frmConf conf;
        const QSize designed = conf.size();
        conf.show();
        testkit::settle();
        ASSERT_LT(conf.height(), designed.height());
        const double h = double(shell::Resize::ClientArea(&conf)->height()) / designed.height();
        testkit::click(testkit::find<QWidget>(&conf, QStringLiteral("opOther")));
        // The level frame grows to 3195 twips (213 px at the design).
        auto* frame1 = testkit::find<QGroupBox>(&conf, QStringLiteral("Frame1"));
        EXPECT_NEAR(frame1->height(), 213 * h, 2);
        testkit::click(testkit::find<QWidget>(&conf, QStringLiteral("op95")));
        EXPECT_NEAR(frame1->height(), 125 * h, 2);
    }
}

// A window that would have to shrink below its smallest readable size keeps
// that size, as far as the screen allows, and its content scrolls: every
// control can still be reached, none is cut.
TEST_F(ScreenFit, BelowTheSmallestReadableSizeTheContentScrolls)
{
    testkit::MsgBoxScript msgs;
    const Tall windows[] = {
        {"Tarvoss", {}, [] { return new tarvoss::frmMain; }},
        {"frmWithinES", {}, [] { return new calculators::frmWithinES; }},
    };
    for (const Tall& t : windows) {
        SCOPED_TRACE(t.name);
        screen(kTinyScreen);
        shell::Resize::ForgetRecords();
        std::unique_ptr<QWidget> w(t.make());
        const QSize designed = shell::Resize::ClientArea(w.get())->size();
        w->show();
        testkit::settle();
        EXPECT_TRUE(kTinyScreen.contains(outer(w.get()))) << w->width() << "x" << w->height();
        QWidget* content = shell::Resize::ClientArea(w.get());
        auto* scroll = w->findChild<QScrollArea*>(QString::fromLatin1(shell::Resize::ScrollAreaName));
        ASSERT_NE(scroll, nullptr);
        EXPECT_EQ(scroll->widget(), content);
        // Laid out at 70 % in both directions.
        EXPECT_EQ(content->size(), designed * 0.7) << content->width() << "x" << content->height();
        // The lowest button scrolled into view is whole in the window.
        QPushButton* lowest = nullptr;
        for (auto* b : content->findChildren<QPushButton*>())
            if (b->isVisibleTo(content) && (!lowest || b->mapTo(content, QPoint()).y() > lowest->mapTo(content, QPoint()).y()))
                lowest = b;
        ASSERT_NE(lowest, nullptr);
        scroll->ensureWidgetVisible(lowest, 0, 0);
        testkit::settle();
        const QRect seen(lowest->mapTo(w.get(), QPoint()), lowest->size());
        const QRect view(scroll->viewport()->mapTo(w.get(), QPoint()), scroll->viewport()->size());
        EXPECT_TRUE(view.contains(seen)) << lowest->objectName().toStdString() << " at " << seen.y() << "+"
                                         << seen.height() << " in " << view.y() << "+" << view.height();
        w->close();
    }
}

// On a real desktop, where the window manager frames a window only after it
// is shown: a window scaled to fit opens with its title bar on the screen.
// Offscreen there is no window manager; run by hand with
// QT_QPA_PLATFORM=xcb under an X server with a window manager.
TEST_F(ScreenFit, UnderAWindowManagerTheTitleBarIsOnTheScreen)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server with a window manager";
    testkit::MsgBoxScript msgs;
    platform::setScreenAreaHandler({});
    shell::Resize::ForgetRecords();
    std::unique_ptr<QWidget> w(new quellin::frmMain);
    w->show();
    QElapsedTimer clock;
    clock.start();
    while (w->frameGeometry().height() - w->height() < 10 && clock.elapsed() < 3000)
        testkit::settle();
    if (w->frameGeometry().height() - w->height() < 10)
        GTEST_SKIP() << "no window manager framed the window";
    testkit::settle();
    const QRect area = w->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(w->frameGeometry()))
        << w->frameGeometry().x() << "," << w->frameGeometry().y() << " " << w->frameGeometry().width() << "x"
        << w->frameGeometry().height() << " in " << area.height();
}
