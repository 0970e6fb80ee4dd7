// Proportional window layout: scaling arithmetic, and real windows laid out
// against their first record.
#include "shell/Resize.h"
#include "testkit/QtTestKit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <memory>

using namespace shell::Resize;

namespace {

TEST(ResizeArithmetic, ScalesRecordedTwipsInWholePercentTruncated)
{
    LayoutRecord r;
    r.Left = 1000;
    r.Top = 400;
    r.Width = 1935;
    r.Height = 375;
    r.FontSize = 8;
    const Placement p = ScaledPlacement(r, 150, 150, false);
    EXPECT_EQ(p.Left, 1500);
    EXPECT_EQ(p.Top, 600);
    EXPECT_EQ(p.Width, 2902);
    EXPECT_EQ(p.Height, 562);
    EXPECT_EQ(p.FontSize, 12);

    // Fonts follow the width only.
    EXPECT_EQ(ScaledPlacement(r, 100, 300, false).FontSize, 8);

    EXPECT_EQ(Percent(12345, 9000), 137);
    EXPECT_EQ(Percent(9000 * 137 / 100 + 1, 9000), 137);
    EXPECT_EQ(Percent(8999, 9000), 99);
    EXPECT_EQ(Percent(9000, 9000), 100);
}

// A window within one pixel short of a whole percent of its design is laid
// out at that percent: at a scale of 1.5 the desktop makes a 790 px design
// 1184 device pixels instead of 1185.
TEST(ResizeArithmetic, ASizeWithinAPixelOfAWholePercentIsThatPercent)
{
    const struct {
        int current, recorded, percent;
    } cases[] = {
        {1184, 1185, 100}, {1185, 1185, 100}, {1183, 1185, 99}, {789, 790, 100},
        {1777, 1185, 150}, {1776, 1185, 149}, {12345 / 15, 9000 / 15, 137},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayoutPercent(c.current * TwipsPerPixel, c.recorded * TwipsPerPixel), c.percent)
            << c.current << "/" << c.recorded;
}

TEST(ResizeArithmetic, ParkedControlKeepsItsParkOffset)
{
    EXPECT_EQ(NormaliseOffset(1500 - 75000), 1500);
    EXPECT_EQ(NormaliseOffset(0), 0);
    EXPECT_EQ(NormaliseOffset(240), 240);
    LayoutRecord r;
    r.Left = NormaliseOffset(1500 - 75000);
    EXPECT_EQ(ScaledPlacement(r, 200, 100, true).Left, 3000 - 75000);
    EXPECT_EQ(ScaledPlacement(r, 200, 100, false).Left, 3000);
}

// A window that lays itself out from its resize event, as the programs' do.
class TestForm : public QWidget {
public:
    explicit TestForm(const QString& name) { setObjectName(name); }
    int layouts = 0;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QWidget::resizeEvent(e);
        ++layouts;
        ResizeFormControls(this);
    }
};

template <class T>
T* add(QWidget* parent, const QString& name, QRect px, double points = 8)
{
    auto* w = new T(parent);
    w->setObjectName(name);
    w->setGeometry(px);
    QFont f = w->font();
    f.setPointSizeF(points);
    w->setFont(f);
    return w;
}

std::unique_ptr<TestForm> makeForm(const QString& name)
{
    auto form = std::make_unique<TestForm>(name);
    add<QPushButton>(form.get(), "cmdGo", {30, 20, 120, 25});
    add<QComboBox>(form.get(), "cboPick", {30, 60, 120, 22});
    add<QListWidget>(form.get(), "lstItems", {160, 20, 100, 80});
    add<QLabel>(form.get(), "lblNote", {30, 100, 100, 20}, 8.25);
    add<QLineEdit>(form.get(), "txtBox(2)", {30, 130, 60, 20});
    add<QLineEdit>(form.get(), "txtBox(3)", {100, 130, 60, 20});
    auto* edit = add<QComboBox>(form.get(), "cboEdit", {30, 160, 120, 22});
    edit->setEditable(true);
    add<QSpinBox>(form.get(), "spnCount", {160, 160, 60, 22});
    add<QPlainTextEdit>(form.get(), "txtReport", {230, 110, 60, 80});
    auto* tabs = add<QTabWidget>(form.get(), "SSTab1", {160, 110, 60, 40});
    auto* page = new QWidget;
    page->setObjectName("tabPage0");
    tabs->addTab(page, "One");
    add<QPushButton>(page, "cmdOnTab", {2, 2, 30, 10});
    form->resize(300, 200);
    return form;
}

QWidget* child(QWidget* form, const char* name) { return testkit::find(form, QString::fromLatin1(name)); }

TEST(ResizeWindow, ControlsAreTheWindowsOwnChildrenNamedOrNot)
{
    auto form = makeForm("frmLayoutControls");
    // A caption without a name of its own is a control like any other.
    auto* caption = new QLabel(QStringLiteral("Unnamed caption"), form.get());
    caption->setGeometry(30, 180, 100, 15);
    QStringList names;
    for (QWidget* w : FormControls(form.get()))
        names << (w == caption ? QStringLiteral("<caption>") : w->objectName());
    EXPECT_EQ(names, QStringList({"cmdGo", "cboPick", "lstItems", "lblNote", "txtBox(2)", "txtBox(3)", "cboEdit",
                                  "spnCount", "txtReport", "SSTab1", "cmdOnTab", "<caption>"}));
    // It follows the window like the named ones.
    form->show();
    testkit::settle();
    form->resize(600, 400);
    testkit::settle();
    EXPECT_EQ(caption->geometry(), QRect(60, 360, 200, 30));
}

TEST(ResizeWindow, ScalesFromTheFirstRecordAndComesBackExactly)
{
    auto form = makeForm("frmLayoutScale");
    form->show();
    testkit::settle();
    ASSERT_GE(form->layouts, 1);
    const QRect go = child(form.get(), "cmdGo")->geometry();
    const QRect combo = child(form.get(), "cboPick")->geometry();
    const QRect onTab = child(form.get(), "cmdOnTab")->geometry();

    // 150 % both ways: 30 px = 450 twips -> 675 twips = 45 px; 25 px = 375 -> 562 twips = 37 px.
    form->resize(450, 300);
    testkit::settle();
    EXPECT_EQ(child(form.get(), "cmdGo")->geometry(), QRect(45, 30, 180, 37));
    EXPECT_EQ(child(form.get(), "cmdGo")->font().pointSize(), 12);
    // A combo box keeps its height.
    EXPECT_EQ(child(form.get(), "cboPick")->geometry(), QRect(45, 90, 180, combo.height()));
    EXPECT_EQ(child(form.get(), "txtBox(3)")->geometry(), QRect(150, 195, 90, 30));
    EXPECT_EQ(child(form.get(), "cmdOnTab")->geometry(), QRect(3, 3, 45, 15));
    // A tab control keeps its font; a label is recorded at 8 points.
    EXPECT_EQ(child(form.get(), "SSTab1")->font().pointSizeF(), 8.0);
    EXPECT_EQ(child(form.get(), "lblNote")->font().pointSize(), 12);

    // Odd sizes in between do not drift: back at the recorded size all is in place.
    for (QSize s : {QSize(517, 233), QSize(301, 199), QSize(1000, 90)}) {
        form->resize(s);
        testkit::settle();
    }
    form->resize(300, 200);
    testkit::settle();
    EXPECT_EQ(child(form.get(), "cmdGo")->geometry(), go);
    EXPECT_EQ(child(form.get(), "cboPick")->geometry(), combo);
    EXPECT_EQ(child(form.get(), "cmdOnTab")->geometry(), onTab);
    // Recorded as 8 whole points; back at the recorded width the label gets
    // the 8.25 points it was designed with, not a smaller 8.
    EXPECT_EQ(child(form.get(), "lblNote")->font().pointSizeF(), 8.25);
    // A list box turns to bold Courier New, also at 100 %.
    const QFont lf = child(form.get(), "lstItems")->font();
    EXPECT_EQ(lf.family(), QString("Courier New"));
    EXPECT_TRUE(lf.bold());
    EXPECT_EQ(lf.pointSize(), 8);

    // A very narrow window still leaves every font readable.
    form->resize(20, 200);
    testkit::settle();
    EXPECT_GE(child(form.get(), "cmdGo")->font().pointSize(), 1);
}

TEST(ResizeWindow, AWindowAPixelShortOfItsDesignKeepsTheDesign)
{
    auto form = makeForm("frmLayoutPixelShort");
    form->resize(1185, 790);
    form->show();
    testkit::settle();
    const QRect go = child(form.get(), "cmdGo")->geometry();
    // One pixel short each way, as a scale of 1.5 rounds it.
    form->resize(1184, 789);
    testkit::settle();
    EXPECT_EQ(child(form.get(), "cmdGo")->geometry(), go);
    EXPECT_EQ(child(form.get(), "cmdGo")->font().pointSizeF(), 8.0);
    EXPECT_EQ(child(form.get(), "lblNote")->font().pointSizeF(), 8.25);
    // One pixel short of 150 %: 150 %, 12 points.
    form->resize(1777, 1184);
    testkit::settle();
    EXPECT_EQ(child(form.get(), "cmdGo")->font().pointSize(), 12);
}

TEST(ResizeWindow, WindowOpenedAgainUsesItsFirstRecord)
{
    {
        auto first = makeForm("frmLayoutAgain");
        first->show();
        testkit::settle();
    }
    const auto formsBefore = FormRecords().size();
    const auto controlsBefore = ControlRecords().size();
    auto second = makeForm("frmLayoutAgain");
    second->resize(600, 400);   // opens larger than the first time
    second->show();
    testkit::settle();
    EXPECT_EQ(FormRecords().size(), formsBefore);
    EXPECT_EQ(ControlRecords().size(), controlsBefore);
    EXPECT_EQ(child(second.get(), "cmdGo")->geometry(), QRect(60, 40, 240, 50));
}

TEST(ResizeWindow, ArrayElementsAndParkedControlsAreRecordedByPlace)
{
    auto form = makeForm("frmLayoutRecords");
    auto* parked = add<QPushButton>(form.get(), "cmdParked", {100 - 5000, 40, 50, 20});
    form->show();
    testkit::settle();
    const int fi = FindFormEntry("frmLayoutRecords");
    ASSERT_GE(fi, 0);
    EXPECT_EQ(FormRecords()[size_t(fi)].ScaleWidth, 300 * 15);
    EXPECT_EQ(FormRecords()[size_t(fi)].ScaleHeight, 200 * 15);
    int arrayRecords = 0;
    for (const auto& r : ControlRecords()) {
        if (r.FormName != "frmLayoutRecords")
            continue;
        if (r.Name == "txtBox") {
            ++arrayRecords;
            EXPECT_TRUE(r.Index == 2 || r.Index == 3);
        }
        if (r.Name == "cmdParked") {
            EXPECT_EQ(r.Left, 1500);
        }
        if (r.Name == "lblNote") {
            EXPECT_EQ(r.FontSize, 8);
        }
    }
    EXPECT_EQ(arrayRecords, 2);
    form->resize(600, 200);
    testkit::settle();
    EXPECT_EQ(parked->x(), 200 - 5000);
    EXPECT_EQ(child(form.get(), "txtBox(2)")->x(), 60);
    EXPECT_EQ(child(form.get(), "txtBox(3)")->x(), 200);
}

// A control that asks for a layout while one runs.
class Reentrant : public QWidget {
public:
    using QWidget::QWidget;
    QWidget* form = nullptr;
    int calls = 0;
    bool sawBusy = false;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QWidget::resizeEvent(e);
        ++calls;
        sawBusy = sawBusy || Busy();
        if (form)
            ResizeFormControls(form);
    }
};

TEST(ResizeWindow, CallDuringALayoutDoesNothing)
{
    auto form = makeForm("frmLayoutBusy");
    auto* probe = new Reentrant(form.get());
    probe->setObjectName("ctlProbe");
    probe->setGeometry(10, 10, 20, 20);
    probe->form = form.get();
    form->show();
    testkit::settle();
    probe->calls = 0;
    form->resize(600, 400);
    testkit::settle();
    EXPECT_EQ(probe->calls, 1);
    EXPECT_TRUE(probe->sawBusy);
    EXPECT_FALSE(Busy());
    EXPECT_EQ(probe->geometry(), QRect(20, 20, 40, 40));
}

TEST(ResizeWindow, ControlsMadeAfterTheFirstLayoutAndLayoutManagedOnesStayPut)
{
    auto form = makeForm("frmLayoutLate");
    auto* box = new QWidget(form.get());
    box->setObjectName("fraManaged");
    box->setGeometry(200, 150, 90, 40);
    auto* lay = new QVBoxLayout(box);
    auto* managed = new QPushButton("m", box);
    managed->setObjectName("cmdManaged");
    lay->addWidget(managed);
    form->show();
    testkit::settle();
    auto* late = add<QPushButton>(form.get(), "cmdLate", {5, 5, 20, 20});
    late->show();
    const QRect managedBefore = managed->geometry();
    form->resize(600, 400);
    testkit::settle();
    EXPECT_EQ(late->geometry(), QRect(5, 5, 20, 20));
    EXPECT_EQ(box->geometry(), QRect(400, 300, 180, 80));
    EXPECT_NE(managed->geometry(), managedBefore);   // its layout, not the module, placed it
    EXPECT_EQ(child(form.get(), "cmdGo")->geometry(), QRect(60, 40, 240, 50));
}

TEST(ResizeWindow, MainWindowLaysOutItsCentralControlsOnly)
{
    QMainWindow mw;
    mw.setObjectName("frmLayoutMain");
    mw.menuBar()->setObjectName("menuBar");
    mw.addToolBar("tools")->setObjectName("Toolbar1");
    mw.statusBar()->setObjectName("StatusBar1");
    auto* central = new QWidget;
    central->setObjectName("centralArea");
    mw.setCentralWidget(central);
    add<QPushButton>(central, "cmdDoIt", {30, 20, 120, 25});
    QStringList names;
    for (QWidget* w : FormControls(&mw))
        names << w->objectName();
    EXPECT_EQ(names, QStringList({"cmdDoIt"}));
    mw.resize(400, 300);
    mw.show();
    testkit::settle();
    ResizeFormControls(&mw);
    const QSize inner = central->size();
    mw.resize(400 + inner.width(), 300);   // central area twice as wide
    testkit::settle();
    ResizeFormControls(&mw);
    const int pct = Percent(central->width() * 15, inner.width() * 15);
    EXPECT_EQ(central->findChild<QWidget*>("cmdDoIt")->x(), (450 * pct / 100 + 7) / 15);
}

TEST(ResizeWindow, ZeroSizedOrMissingWindowIsLeftAlone)
{
    ResizeFormControls(nullptr);
    TestForm form("frmLayoutZero");
    add<QPushButton>(&form, "cmdA", {1, 1, 10, 10});
    form.resize(0, 0);
    ResizeFormControls(&form);
    EXPECT_LT(FindFormEntry("frmLayoutZero"), 0);
}

} // namespace
