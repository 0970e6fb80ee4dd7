// On a 1366 x 768 screen with a 40 px panel every window can be used: the
// windows designed taller than the screen open scaled down to it, through the
// proportional layout, and the others keep their designed size.
#include "calculators/frmConf.h"
#include "calculators/frmWithinES.h"
#include "meandiff/frmMain.h"
#include "metadb/frmMetData.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/Screen.h"
#include "shell/Resize.h"
#include "shell/ScreenFit.h"
#include "testkit/QtTestKit.h"

#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QRect kSmallScreen(0, 0, 1366, 728);
const QRect kLargeScreen(0, 0, 1600, 960);

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

TEST_F(ScreenFit, FittedSizeShrinksOnlyWhatDoesNotFit)
{
    const QSize frame(8, 38);
    EXPECT_EQ(shell::fittedSize({814, 794}, frame, kSmallScreen), QSize(814, 690));
    EXPECT_EQ(shell::fittedSize({1072, 732}, frame, QRect(0, 0, 1024, 728)), QSize(1016, 690));
    EXPECT_EQ(shell::fittedSize({600, 400}, frame, kSmallScreen), QSize(600, 400));
    EXPECT_EQ(shell::fittedSize({600, 400}, frame, QRect()), QSize(600, 400));
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
