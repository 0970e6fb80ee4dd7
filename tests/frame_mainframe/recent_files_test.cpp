// The recent-file list: order, limits, letter case, the settings store, the
// menu entries, and the question asked before an entry is opened.
#include "FrameTestSupport.h"

#include "outcometable/frmMain.h"
#include "testkit/QtTestKit.h"

#include <QAction>
#include <QMenu>

using namespace frametest;
using platform::MsgResult;

namespace {

QStringList listed(const frame::MainFrame& w)
{
    QStringList out;
    for (int i = 0; i <= w.MRULastIndex(); ++i)
        out << w.mruCaption(i);
    return out;
}

// What the File menu shows between its two separators.
QStringList shownBetweenSeparators(QWidget* w)
{
    auto* m = w->findChild<QMenu*>(QStringLiteral("mnuFile"));
    QStringList out;
    bool inside = false;
    for (QAction* a : m->actions()) {
        if (a->objectName() == QLatin1String("mnuSep1")) {
            inside = true;
            continue;
        }
        if (a->objectName() == QLatin1String("mnuSep2"))
            break;
        if (inside && a->isVisible())
            out << a->objectName() + QLatin1Char('=') + a->text();
    }
    return out;
}

} // namespace

class RecentFiles : public FrameTest {};

TEST_F(RecentFiles, FirstStartListsNothing)
{
    TestFrame w;
    EXPECT_EQ(w.MRULastIndex(), -1);
    EXPECT_TRUE(shownBetweenSeparators(&w).isEmpty());
    QAction* entry0 = testkit::findAction(&w, QStringLiteral("mnuMRU(0)"));
    ASSERT_NE(entry0, nullptr);
    EXPECT_FALSE(entry0->isVisible());
    // An empty entry is never offered for opening.
    testkit::MsgBoxScript boxes;
    w.mnuMRU_Click(0);
    EXPECT_TRUE(w.recentOpened.isEmpty());
}

TEST_F(RecentFiles, Sequences)
{
    struct Case {
        const char* what;
        QStringList added;
        QStringList expected;
    } cases[] = {
        {"newest first", {"/a", "/b", "/c"}, {"/c", "/b", "/a"}},
        {"five files keep the last four", {"/a", "/b", "/c", "/d", "/e"}, {"/e", "/d", "/c", "/b"}},
        {"a listed file moves to the top, the others keep their order", {"/a", "/b", "/c", "/d", "/b"},
         {"/b", "/d", "/c", "/a"}},
        {"the oldest moved to the top", {"/a", "/b", "/c", "/d", "/a"}, {"/a", "/d", "/c", "/b"}},
        {"letter case: the new form takes over at the top", {"/x/One.tvq", "/x/two.tvq", "/X/ONE.TVQ"},
         {"/X/ONE.TVQ", "/x/two.tvq"}},
        {"a relative and an absolute form are two entries", {"/d/a.tvq", "a.tvq"}, {"a.tvq", "/d/a.tvq"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        useProgram(QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"));
        TestFrame w;
        for (const QString& p : c.added)
            w.AddToMRU(p);
        EXPECT_EQ(listed(w), c.expected);
        EXPECT_EQ(w.MRULastIndex(), c.expected.size() - 1);
        QStringList shown;
        for (int i = 0; i < c.expected.size(); ++i)
            shown << QStringLiteral("mnuMRU(%1)=%2").arg(i).arg(c.expected[i]);
        EXPECT_EQ(shownBetweenSeparators(&w), shown);
    }
}

TEST_F(RecentFiles, FindIgnoresLetterCase)
{
    TestFrame w;
    w.AddToMRU(QStringLiteral("/data/Study.tvq"));
    w.AddToMRU(QStringLiteral("/data/other.tvq"));
    EXPECT_EQ(w.FindMRUIndex(QStringLiteral("/DATA/study.TVQ")), 1);
    EXPECT_EQ(w.FindMRUIndex(QStringLiteral("/data/other.tvq")), 0);
    EXPECT_EQ(w.FindMRUIndex(QStringLiteral("/data/none.tvq")), -1);
}

TEST_F(RecentFiles, KeptInTheSettingsStoreAcrossRestarts)
{
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        TestFrame w;
        if (run == 0) {
            for (const char* p : {"/a", "/b", "/c"})
                w.AddToMRU(QString::fromLatin1(p));
        }
        EXPECT_EQ(listed(w), (QStringList{"/c", "/b", "/a"}));
        w.show();
        EXPECT_TRUE(w.close());
        EXPECT_EQ(setting(QStringLiteral("MRUFiles"), QStringLiteral("0")), QStringLiteral("/c"));
        EXPECT_EQ(setting(QStringLiteral("MRUFiles"), QStringLiteral("2")), QStringLiteral("/a"));
        EXPECT_EQ(setting(QStringLiteral("MRUFiles"), QStringLiteral("3")), QStringLiteral("<none>"));
    }
}

TEST_F(RecentFiles, LoadingStoredKeys)
{
    struct Case {
        const char* what;
        QStringList stored;
        QStringList expected;
    } cases[] = {
        {"more than four keys: the four lowest", {"/0", "/1", "/2", "/3", "/4", "/5"}, {"/0", "/1", "/2", "/3"}},
        {"an empty value ends the list", {"/0", "", "/2"}, {"/0"}},
        {"a repeated path is listed once, at the lower key", {"/a", "/b", "/A"}, {"/a", "/b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        useProgram(QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"));
        for (int i = 0; i < c.stored.size(); ++i)
            platform::saveSetting(QStringLiteral("MRUFiles"), QString::number(i), c.stored[i]);
        TestFrame w;
        EXPECT_EQ(listed(w), c.expected);
    }
}

TEST_F(RecentFiles, SavingLeavesHigherKeysAlone)
{
    for (int i = 0; i < 4; ++i)
        platform::saveSetting(QStringLiteral("MRUFiles"), QString::number(i), QStringLiteral("/old%1").arg(i));
    platform::saveSetting(QStringLiteral("MRUFiles"), QStringLiteral("1"), QString());
    TestFrame w;
    ASSERT_EQ(listed(w), (QStringList{"/old0"}));
    w.show();
    EXPECT_TRUE(w.close());
    EXPECT_EQ(setting(QStringLiteral("MRUFiles"), QStringLiteral("0")), QStringLiteral("/old0"));
    EXPECT_EQ(setting(QStringLiteral("MRUFiles"), QStringLiteral("2")), QStringLiteral("/old2"));
}

TEST_F(RecentFiles, ChoosingAnEntryAsksFirstAndThenOpensIt)
{
    struct Case {
        const char* what;
        bool changed;
        MsgResult answer;
        bool saveResult;
        bool opens;
        int saves;
        bool changedAfter;
    } cases[] = {
        {"nothing changed: no question", false, MsgResult::OK, true, true, 0, false},
        {"No opens without saving", true, MsgResult::No, true, true, 0, true},
        {"Yes saves, then opens", true, MsgResult::Yes, true, true, 1, false},
        {"Cancel opens nothing", true, MsgResult::Cancel, true, false, 0, true},
        {"Yes with a cancelled Save As opens nothing and keeps the data", true, MsgResult::Yes, false, false, 1,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        useProgram(QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"));
        TestFrame w;
        w.AddToMRU(QStringLiteral("/data/a.tvq"));
        w.AddToMRU(QStringLiteral("/data/b.tvq"));
        if (c.changed)
            w.txtA->setText(QStringLiteral("7"));
        w.saveResult = c.saveResult;
        testkit::MsgBoxScript boxes{c.answer};
        testkit::findAction(&w, QStringLiteral("mnuMRU(1)"))->trigger();
        EXPECT_EQ(w.recentOpened, c.opens ? QStringList{"1:/data/a.tvq"} : QStringList{});
        EXPECT_EQ(w.saves, c.saves);
        EXPECT_EQ(w.RecordChanged(false), c.changedAfter);
        if (c.changed) {
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.shown().front().text,
                      QStringLiteral("Data appears to have changed, do you wish to save these changes before "
                                     "opening a new file?"));
            EXPECT_EQ(boxes.shown().front().buttons, platform::MsgButtons::YesNoCancel);
            EXPECT_EQ(boxes.shown().front().icon, platform::MsgIcon::Question);
        } else {
            EXPECT_EQ(boxes.count(), 0);
        }
    }
}

TEST_F(RecentFiles, OpenAsksTheSameQuestionFromMenuAndToolbar)
{
    TestFrame w;
    w.txtA->setText(QStringLiteral("7"));
    testkit::MsgBoxScript boxes{MsgResult::Cancel, MsgResult::No, MsgResult::Yes};
    w.saveResult = false;
    testkit::findAction(&w, QStringLiteral("mnuFileOpen"))->trigger();   // Cancel
    EXPECT_EQ(w.opens, 0);
    w.Toolbar1_ButtonClick(QStringLiteral("Open"));                     // No
    EXPECT_EQ(w.opens, 1);
    w.Toolbar1_ButtonClick(QStringLiteral("Open"));                     // Yes, Save As cancelled
    EXPECT_EQ(w.opens, 1);
    EXPECT_EQ(w.saves, 1);
    EXPECT_EQ(boxes.count(), 3);
}

TEST_F(RecentFiles, PathsWithAmpersandsAreShownAsTheyAre)
{
    useProgram(QStringLiteral("Quellin"), QStringLiteral("Quellin5"));
    quellin::frmMain w;
    w.AddToMRU(QStringLiteral("/data/R&D/a.qln"));
    EXPECT_EQ(w.mruCaption(0), QStringLiteral("/data/R&D/a.qln"));
    EXPECT_EQ(testkit::findAction(&w, QStringLiteral("mnuMRU(0)"))->text(), QStringLiteral("/data/R&&D/a.qln"));
}
