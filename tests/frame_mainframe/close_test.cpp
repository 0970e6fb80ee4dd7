// Changed flags, clearing, the closing question and its answers, the window
// position in the settings store, and the unloading of the other windows.
#include "FrameTestSupport.h"

#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "testkit/QtTestKit.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>

using namespace frametest;
using platform::MsgResult;

class ChangedFlags : public FrameTest {};

TEST_F(ChangedFlags, EveryChangeOfContentCountsTypedOrWritten)
{
    TestFrame w;
    EXPECT_FALSE(w.RecordChanged(false)) << "a freshly loaded window has no changes";

    struct Case {
        const char* what;
        std::function<void(TestFrame&)> change;
    } cases[] = {
        {"typed into a text box", [](TestFrame& f) { testkit::type(f.txtA, QStringLiteral("12")); }},
        {"result written by the program", [](TestFrame& f) { f.txtB->setText(QStringLiteral("0.5")); }},
        {"combo box item chosen", [](TestFrame& f) { f.Combo1->setCurrentIndex(0); }},
        {"combo box text typed", [](TestFrame& f) { testkit::retype(f.Combo1, QStringLiteral("80")); }},
        {"multi-line box", [](TestFrame& f) { f.txtNotes->setPlainText(QStringLiteral("note")); }},
        {"text box emptied", [](TestFrame& f) { f.txtA->clear(); }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.change(w);
        EXPECT_TRUE(w.RecordChanged(false));
        EXPECT_TRUE(w.RecordChanged(true)) << "reading with reset still reports the change";
        EXPECT_FALSE(w.RecordChanged(false)) << "the reset cleared every flag";
    }

    // Option buttons and check boxes hold no data of the window's record.
    w.opOne->setChecked(true);
    w.chkX->setChecked(true);
    EXPECT_FALSE(w.RecordChanged(false));
    // A combo box's own edit line is not a control of its own.
    EXPECT_FALSE(w.Combo1->lineEdit()->property("DataChanged").isValid());
    EXPECT_TRUE(w.Combo1->property("DataChanged").isValid());
}

TEST_F(ChangedFlags, NewEmptiesTextBoxesOnlyAndKeepsTheFlags)
{
    TestFrame w;
    w.txtA->setText(QStringLiteral("1"));
    w.txtB->setText(QStringLiteral("2"));
    w.txtNotes->setPlainText(QStringLiteral("3"));
    w.Combo1->setCurrentText(QStringLiteral("99%"));
    w.opOne->setChecked(true);
    w.RecordChanged(true);

    for (const QString& how : {QStringLiteral("menu"), QStringLiteral("toolbar")}) {
        SCOPED_TRACE(how.toStdString());
        w.txtA->setText(QStringLiteral("1"));
        w.RecordChanged(true);
        if (how == QLatin1String("menu"))
            testkit::findAction(&w, QStringLiteral("mnuFileNew"))->trigger();
        else
            w.Toolbar1_ButtonClick(QStringLiteral("New"));
        EXPECT_EQ(w.txtA->text(), QString());
        EXPECT_EQ(w.txtB->text(), QString());
        EXPECT_EQ(w.txtNotes->toPlainText(), QString());
        EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("99%")) << "combo boxes keep their text";
        EXPECT_TRUE(w.opOne->isChecked());
        EXPECT_TRUE(w.RecordChanged(false)) << "emptying is a change; a later close asks";
    }
}

TEST_F(ChangedFlags, MorvaneNewKeepsItsFirstControl)
{
    useProgram(QStringLiteral("Morvane"), QStringLiteral("Morvane5"));
    morvane::frmMain w;
    auto* status = new QLineEdit(QStringLiteral("higher is better"), w.centralWidget());
    status->setObjectName(QStringLiteral("txtClinStatus"));
    auto* other = new QLineEdit(QStringLiteral("12"), w.centralWidget());
    other->setObjectName(QStringLiteral("TxtTime1Answer"));
    testkit::findAction(&w, QStringLiteral("mnuFileNew"))->trigger();
    EXPECT_EQ(status->text(), QStringLiteral("higher is better"));
    EXPECT_EQ(other->text(), QString());
}

class Closing : public FrameTest {};

TEST_F(Closing, WithoutChangesNoQuestionAndEverythingIsWritten)
{
    TestFrame w;
    w.show();
    w.AddToMRU(QStringLiteral("/data/a.tvq"));
    testkit::MsgBoxScript boxes;
    EXPECT_TRUE(w.close());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(w.saves, 0);
    EXPECT_EQ(setting(QStringLiteral("MRUFiles"), QStringLiteral("0")), QStringLiteral("/data/a.tvq"));
    for (const char* k : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
        EXPECT_NE(setting(QStringLiteral("Settings"), QString::fromLatin1(k)), QStringLiteral("<none>")) << k;
}

TEST_F(Closing, EachAnswerOfTheQuestion)
{
    struct Case {
        const char* what;
        MsgResult answer;
        bool saveResult;
        bool closes;
        int saves;
        bool changedAfter;
    } cases[] = {
        {"Cancel keeps the window and writes nothing", MsgResult::Cancel, true, false, 0, true},
        {"No closes without saving", MsgResult::No, true, true, 0, true},
        {"Yes saves, then closes", MsgResult::Yes, true, true, 1, false},
        {"Yes with a cancelled Save As keeps the window and the data", MsgResult::Yes, false, false, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        useProgram(QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"));
        TestFrame w;
        w.show();
        w.AddToMRU(QStringLiteral("/data/a.tvq"));
        testkit::type(w.txtA, QStringLiteral("3.5"));
        w.saveResult = c.saveResult;
        testkit::MsgBoxScript boxes{c.answer};
        const bool closed = w.close();
        EXPECT_EQ(closed, c.closes);
        EXPECT_EQ(w.isVisible(), !c.closes);
        ASSERT_EQ(boxes.count(), 1);
        const auto& q = boxes.shown().front();
        EXPECT_EQ(q.text, QStringLiteral("Data appears to have changed, do you wish to save these changes?"));
        EXPECT_EQ(q.buttons, platform::MsgButtons::YesNoCancel);
        EXPECT_EQ(q.icon, platform::MsgIcon::Question);
        EXPECT_TRUE(q.title.isEmpty() || q.title == QStringLiteral("Tarvoss"));
        EXPECT_EQ(w.saves, c.saves);
        EXPECT_EQ(w.RecordChanged(false), c.changedAfter);
        EXPECT_EQ(w.txtA->text(), QStringLiteral("3.5"));
        const QString stored = c.closes ? QStringLiteral("/data/a.tvq") : QStringLiteral("<none>");
        EXPECT_EQ(setting(QStringLiteral("MRUFiles"), QStringLiteral("0")), stored);
        EXPECT_EQ(setting(QStringLiteral("Settings"), QStringLiteral("MainLeft")) != QStringLiteral("<none>"),
                  c.closes);
        if (!c.closes) {
            // The window still works: a second close with No ends it.
            testkit::MsgBoxScript again{MsgResult::No};
            EXPECT_TRUE(w.close());
        }
    }
}

TEST_F(Closing, ExitCommandsAndQuellinAndMorvaneAskTheSameQuestion)
{
    {
        TestFrame w;
        w.show();
        w.txtB->setText(QStringLiteral("result"));
        testkit::MsgBoxScript boxes{MsgResult::Cancel, MsgResult::Cancel};
        testkit::findAction(&w, QStringLiteral("mnuFileExit"))->trigger();
        EXPECT_TRUE(w.isVisible());
        w.cmdExit_Click();
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(boxes.count(), 2);
        boxes.push(MsgResult::No);
        w.cmdExit_Click();
        EXPECT_FALSE(w.isVisible());
    }
    for (const QString& program : {QStringLiteral("Quellin"), QStringLiteral("Morvane")}) {
        SCOPED_TRACE(program.toStdString());
        useProgram(program, program + QStringLiteral("5"));
        std::unique_ptr<frame::MainFrame> w;
        if (program == QLatin1String("Quellin"))
            w = std::make_unique<quellin::frmMain>();
        else
            w = std::make_unique<morvane::frmMain>();
        auto* box = new QLineEdit(w->centralWidget());
        w->show();
        // A box added after loading has no flag; a box present at loading has.
        box->setText(QStringLiteral("x"));
        testkit::MsgBoxScript boxes{MsgResult::No};
        EXPECT_TRUE(w->close());
        EXPECT_EQ(boxes.count(), 0);
    }
}

TEST_F(Closing, MinimisedWritesTheRecentFilesButNotThePosition)
{
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainLeft"), QStringLiteral("1500"));
    TestFrame w;
    w.show();
    w.AddToMRU(QStringLiteral("/data/b.tvq"));
    w.showMinimized();
    testkit::settle();
    ASSERT_TRUE(w.isMinimized());
    EXPECT_TRUE(w.close());
    EXPECT_EQ(setting(QStringLiteral("MRUFiles"), QStringLiteral("0")), QStringLiteral("/data/b.tvq"));
    EXPECT_EQ(setting(QStringLiteral("Settings"), QStringLiteral("MainLeft")), QStringLiteral("1500"));
    EXPECT_EQ(setting(QStringLiteral("Settings"), QStringLiteral("MainWidth")), QStringLiteral("<none>"));
}

TEST_F(Closing, UnloadsEveryOtherWindow)
{
    TestFrame w;
    w.show();
    auto* modeless = new QWidget;   // a calculator shown without owner
    modeless->setAttribute(Qt::WA_DeleteOnClose);
    modeless->show();
    QPointer<QWidget> watch(modeless);
    auto* owned = new QDialog(&w);  // a dialog owned by the main window
    owned->show();
    QWidget hidden;                 // loaded, not shown
    bool hiddenClosed = false;
    struct Spy : QObject {
        bool* flag;
        explicit Spy(bool* f) : flag(f) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Close)
                *flag = true;
            return false;
        }
    } spy(&hiddenClosed);
    hidden.installEventFilter(&spy);

    EXPECT_TRUE(w.close());
    testkit::settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull()) << "the modeless window was closed and so deleted";
    EXPECT_FALSE(owned->isVisible());
    EXPECT_TRUE(hiddenClosed);
}

class Position : public FrameTest {};

TEST_F(Position, FirstStartDefaultsAndAWindowConstructedTwiceRestoresItsPosition)
{
    {
        TestFrame w;
        EXPECT_EQ(w.pos(), QPoint(67, 67)) << "1000 twips is 66.7 pixels";
        w.show();
        w.move(200, 150);
        testkit::settle();
        EXPECT_TRUE(w.close());
    }
    EXPECT_EQ(setting(QStringLiteral("Settings"), QStringLiteral("MainLeft")), QStringLiteral("3000"));
    EXPECT_EQ(setting(QStringLiteral("Settings"), QStringLiteral("MainTop")), QStringLiteral("2250"));
    {
        TestFrame w;
        EXPECT_EQ(w.pos(), QPoint(200, 150));
        const QSize designed(400, 300);
        EXPECT_EQ(w.size(), designed) << "width and height are written but never read";
    }
}

TEST_F(Position, StoredPositionThatIsNotANumberFallsBackTo1000Twips)
{
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainLeft"), QStringLiteral("left"));
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainTop"), QStringLiteral(" 4500 "));
    TestFrame w;
    EXPECT_EQ(w.pos(), QPoint(67, 300));
}

TEST_F(Position, MorvaneOpensAtItsDesignedSizeAtTheStoredPlace)
{
    useProgram(QStringLiteral("Morvane"), QStringLiteral("Morvane5"));
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainLeft"), QStringLiteral("1500"));
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainTop"), QStringLiteral("3000"));
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainWidth"), QStringLiteral("3000"));
    morvane::frmMain w;
    EXPECT_EQ(w.pos(), QPoint(100, 200));
    EXPECT_EQ(w.size(), QSize(824, 716));
}

TEST(MorvaneStartTab, OnlyTheExactOptionNamesChooseATab)
{
    platform::setAppInfo({QStringLiteral("Morvane"), QStringLiteral("Morvane5"), 5, 0, 0});
    struct Row {
        const char* stored;
        int tab;
    } rows[] = {{"op0", 0}, {"op1", 1}, {"op2", 2}, {"op3", 3}, {"OP2", 0}, {"2", 0}, {"op4", 0}, {"", 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.stored);
        platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("Tab"), QString::fromLatin1(r.stored));
        EXPECT_EQ(morvane::startTab(), r.tab);
    }
    platform::deleteSetting(QStringLiteral("Settings"), QStringLiteral("Tab"));
    EXPECT_EQ(morvane::startTab(), 0);
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
}

TEST_F(Closing, AWindowThatNeverRanItsLoadingStepsClosesQuietly)
{
    TestFrame w(false);
    w.show();
    w.txtA->setText(QStringLiteral("x"));   // no flags before loading
    testkit::MsgBoxScript boxes;
    EXPECT_TRUE(w.close());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(setting(QStringLiteral("MRUFiles"), QStringLiteral("0")), QStringLiteral("<none>"));
}
