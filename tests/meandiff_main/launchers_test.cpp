// The main window's calculator buttons: each opens its window once per run,
// the question before the two correlation windows, the modal table.
#include "meandiff/frmMain.h"
#include "platform/AppInfo.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

using platform::MsgResult;

namespace {

int visibleWindows(const QString& name)
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            ++n;
    return n;
}

void closeWindows(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            w->close();
    testkit::settle();
}

} // namespace

TEST(TarvossLaunchers, EachModelessLauncherKeepsOneWindowOfItsKind)
{
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
    tarvoss::frmMain w;
    w.show();
    const struct {
        const char* button;
        const char* window;
    } cases[] = {
        {"cmdCI", "frmConf"},
        {"cmdChi", "frmChiSq"},
        {"cmdR2", "frmMultipleR"},
        {"cmdHierarchicalR", "frmHierarchicalR"},
        {"cmdZDiffs", "frmZDifferences"},
        {"cmdSignificance", "frmSignificance"},
        {"cmdHedges", "frmDiffBetGs"},
        {"cmdWithinES", "frmWithinES"},
        {"cmdSD", "frmSDEstimate"},
        {"cmdCounterNull", "frmCounterNull"},
    };
    for (const auto& c : cases) {
        auto* b = testkit::find<QPushButton>(&w, QString::fromLatin1(c.button));
        ASSERT_TRUE(b);
        b->click();
        b->click();
        testkit::settle();
        EXPECT_EQ(visibleWindows(QString::fromLatin1(c.window)), 1) << c.button;
        closeWindows(QString::fromLatin1(c.window));
    }
}

TEST(TarvossLaunchers, TheCorrelationQuestionChoosesTheWindow)
{
    tarvoss::frmMain w;
    w.show();
    auto* b = testkit::find<QPushButton>(&w, QStringLiteral("cmd2Corr"));
    {
        testkit::MsgBoxScript msgs({MsgResult::Cancel});
        b->click();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("What Type Of Samples?"));
        EXPECT_EQ(msgs.shown()[0].text, QStringLiteral("Are your correlations from independent samples?"));
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::YesNoCancel);
    }
    EXPECT_EQ(visibleWindows(QStringLiteral("frmDiffBetweenRs")) + visibleWindows(QStringLiteral("frmDiffBetRsDependent")),
              0);
    {
        testkit::MsgBoxScript msgs({MsgResult::Yes, MsgResult::No});
        b->click();
        b->click();
    }
    testkit::settle();
    EXPECT_EQ(visibleWindows(QStringLiteral("frmDiffBetweenRs")), 1);
    EXPECT_EQ(visibleWindows(QStringLiteral("frmDiffBetRsDependent")), 1);
    closeWindows(QStringLiteral("frmDiffBetweenRs"));
    closeWindows(QStringLiteral("frmDiffBetRsDependent"));
}

TEST(TarvossLaunchers, TheProbabilityTableIsModalOverTheMainWindow)
{
    tarvoss::frmMain w;
    w.show();
    QString shown;
    QWidget* owner = nullptr;
    QTimer::singleShot(100, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            shown = m->objectName();
            owner = m->parentWidget();
            m->close();
        }
    });
    testkit::MsgBoxScript msgs;   // the lookup database lies next to the program
    testkit::find<QPushButton>(&w, QStringLiteral("CmdProbabilities"))->click();
    EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(shown, QStringLiteral("frmTdata"));
    EXPECT_EQ(owner, &w);
}

TEST(TarvossLaunchers, TheInteractionWarningFollowsItsWindowAtEveryPress)
{
    tarvoss::frmMain w;
    w.show();
    auto* b = testkit::find<QPushButton>(&w, QStringLiteral("cmdESInteract"));
    for (int press = 0; press < 2; ++press) {
        bool windowShownFirst = false;
        testkit::MsgBoxScript msgs;
        platform::setMsgHandler([&](const platform::MsgRequest& r) {
            windowShownFirst = visibleWindows(QStringLiteral("frmESInteract")) == 1;
            EXPECT_EQ(r.title, QStringLiteral("2x2 ES Interaction Warning"));
            EXPECT_EQ(r.icon, platform::MsgIcon::Information);
            EXPECT_TRUE(r.text.startsWith(QStringLiteral("Please keep in mind that this is only an estimate")));
            EXPECT_TRUE(r.text.contains(QStringLiteral("already. \n\nHowever, the current method")));
            return MsgResult::OK;
        });
        b->click();
        EXPECT_TRUE(windowShownFirst) << "press " << press;
    }
    closeWindows(QStringLiteral("frmESInteract"));
}

TEST(TarvossLaunchers, TheConversionQuestionChoosesTheDirection)
{
    tarvoss::frmMain w;
    w.show();
    auto* b = testkit::find<QPushButton>(&w, QStringLiteral("cmdDandOR"));
    EXPECT_EQ(b->text(), QStringLiteral("Convert Between Odds Ratios && d Effect Sizes"));
    {
        testkit::MsgBoxScript msgs({MsgResult::Cancel});
        b->click();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("What Type Of Conversion?"));
    }
    EXPECT_EQ(visibleWindows(QStringLiteral("frmORtoD")) + visibleWindows(QStringLiteral("frmDtoOR")), 0);
    {
        testkit::MsgBoxScript msgs({MsgResult::Yes, MsgResult::No});
        b->click();
        b->click();
    }
    testkit::settle();
    EXPECT_EQ(visibleWindows(QStringLiteral("frmORtoD")), 1);
    EXPECT_EQ(visibleWindows(QStringLiteral("frmDtoOR")), 1);
    closeWindows(QStringLiteral("frmORtoD"));
    closeWindows(QStringLiteral("frmDtoOR"));
}
