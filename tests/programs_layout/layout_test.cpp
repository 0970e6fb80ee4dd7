// Every window of the three programs looked at as a person would, in the
// application font: in each tab, after each option and check box a person can
// click, no caption is cut off, no control sticks out of its frame or page,
// and no caption runs under another control.
#include "TopWindows.h"
#include "calculators/frmChiSq.h"
#include "calculators/frmConf.h"
#include "calculators/frmCounterNull.h"
#include "calculators/frmCriticalTable.h"
#include "calculators/frmDiffBetGs.h"
#include "calculators/frmDiffBetRsDependent.h"
#include "calculators/frmDiffBetweenRs.h"
#include "calculators/frmDtoOR.h"
#include "calculators/frmESInteract.h"
#include "calculators/frmHierarchicalR.h"
#include "calculators/frmMultipleR.h"
#include "calculators/frmORtoD.h"
#include "calculators/frmSDEstimate.h"
#include "calculators/frmSignificance.h"
#include "calculators/frmWithinES.h"
#include "calculators/frmZDifferences.h"
#include "meandiff/frmMain.h"
#include "metadb/frmAccess.h"
#include "metadb/frmExcel.h"
#include "metadb/frmExport.h"
#include "metadb/frmMetData.h"
#include "metadb/frmProgress.h"
#include "metastats/frmFailSafe.h"
#include "metastats/frmHeterogeneity.h"
#include "outcometable/frmChiTable.h"
#include "outcometable/frmMain.h"
#include "outcometable/frmORToD.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/DesignFont.h"
#include "platform/Screen.h"
#include "programs/ProgramTables.h"
#include "shell/frmAbout.h"
#include "shell/frmOptions.h"
#include "shell/frmPrint.h"
#include "shell/Resize.h"
#include "shell/ScreenFit.h"
#include "shell/frmSCalc.h"
#include "testkit/LayoutCheck.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace {

// Faults of the window as it is, in every tab of its tab controls.
void lookAt(QWidget* w, QSet<QString>& faults)
{
    testkit::settle();
    for (const QString& f : testkit::layoutFaults(w))
        faults.insert(f);
}

// The window as it is and in every tab of its tab controls.
void lookInEveryTab(QWidget* w, QSet<QString>& faults)
{
    lookAt(w, faults);
    const auto tabs = w->findChildren<QTabWidget*>();
    for (QTabWidget* t : tabs) {
        const int was = t->currentIndex();
        for (int i = 0; i < t->count(); ++i) {
            t->setCurrentIndex(i);
            lookAt(w, faults);
        }
        t->setCurrentIndex(was);
    }
}

QWidget* client(QWidget* w)
{
    if (auto* mw = qobject_cast<QMainWindow*>(w); mw && mw->centralWidget())
        return mw->centralWidget();
    return w;
}

// A window whose controls follow its size, looked at as a person drags it
// smaller and larger (and as a small screen scales it), then back at its
// designed size.
void lookAtOtherSizes(QWidget* w, QSet<QString>& faults)
{
    if (shell::Resize::FindFormEntry(w->objectName()) < 0)
        return;   // a window of fixed layout
    const QSize designed = client(w)->size();
    const QSize chrome = w->size() - designed;
    for (const double f : {0.8, 0.95, 1.3}) {
        w->resize(QSize(qRound(designed.width() * f), qRound(designed.height() * f)) + chrome);
        QSet<QString> scaled;
        lookInEveryTab(w, scaled);
        for (const QString& fault : scaled)
            faults.insert(QStringLiteral("at %1 %: ").arg(qRound(f * 100)) + fault);
    }
    w->resize(designed + chrome);
    testkit::settle();
}

// A short screen: 1366 x 768 at 125 %, less a panel. The windows taller
// than it open scaled down to it, by one factor in both directions.
const QRect kShortScreen(0, 0, 1093, 582);

// The window as it opens on the short screen, in every tab.
void lookOnAShortScreen(QWidget* w, QSet<QString>& faults)
{
    const QSize before = w->size();
    platform::setScreenAreaHandler([](const QWidget*) { return kShortScreen; });
    shell::fitToScreen(w);
    QSet<QString> seen;
    lookInEveryTab(w, seen);
    for (const QString& fault : seen)
        faults.insert(QStringLiteral("on a short screen (%1x%2): ").arg(w->width()).arg(w->height()) + fault);
    platform::setScreenAreaHandler({});
    // Back at the size it had.
    w->resize(before);
    shell::Resize::ResizeFormControls(w);
    testkit::settle();
}

// The window in its present state, then in each tab, at other sizes when it
// follows its size, then after a click on each option and check box (a check
// box is clicked back afterwards), and at last on a short screen.
QStringList explore(QWidget* w)
{
    QSet<QString> faults;
    w->show();
    lookInEveryTab(w, faults);
    lookAtOtherSizes(w, faults);
    testkit::MsgBoxScript msgs;
    testkit::FileDialogScript dialogs;
    // A window that an option opens modal is closed again at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [w] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != w)
            modal->close();
    });
    closer.start(20);
    const auto buttons = w->findChildren<QAbstractButton*>();
    for (QAbstractButton* b : buttons) {
        if (!(qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b)) || !b->isEnabled())
            continue;
        // Bring the button's tab forward.
        for (QWidget* p = b; p && p != w; p = p->parentWidget())
            if (auto* t = qobject_cast<QTabWidget*>(p->parentWidget() ? p->parentWidget()->parentWidget() : nullptr))
                if (t->indexOf(p) >= 0)
                    t->setCurrentWidget(p);
        if (!b->isVisibleTo(w))
            continue;
        b->click();
        lookAt(w, faults);
        if (qobject_cast<QCheckBox*>(b)) {
            b->click();
            lookAt(w, faults);
        }
    }
    lookOnAShortScreen(w, faults);
    QStringList sorted(faults.begin(), faults.end());
    sorted.sort();
    return sorted;
}

void expectWhole(const TopWindow& s)
{
    SCOPED_TRACE(s.name);
    testkit::MsgBoxScript msgs;
    shell::Resize::ForgetRecords();
    QPointer<QWidget> w(s.make());
    ASSERT_NE(w, nullptr);
    const QStringList faults = explore(w);
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n  "
                                  << faults.join(QStringLiteral("\n  ")).toStdString();
    testkit::MsgBoxScript closing({platform::MsgResult::No});
    if (w)
        w->close();
    testkit::settle();
    delete w.data();   // a window that does not delete itself on closing
}

// Studies written into a study database with plain SQL: name, d, g, N, SD.
struct StudyRow {
    const char* name;
    const char* d;
    const char* g;
    const char* n;
};

bool addStudies(const QString& file, std::initializer_list<StudyRow> rows)
{
    const QString connection = QUuid::createUuid().toString();
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        ok = db.open();
        for (const StudyRow& r : rows) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("INSERT INTO data (\"Study Name\", \"Year of Study\", \"Include\", "
                                     "\"Measure Used\", \"Cohen's D\", \"Hedges' G\", \"Total N\", \"Used SD\") "
                                     "VALUES (?, '2000', 1, 'BDI', ?, ?, ?, 1)"));
            for (const char* v : {r.name, r.d, r.g, r.n})
                q.addBindValue(v ? QVariant(QString::fromLatin1(v)) : QVariant());
            ok = q.exec() && ok;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

// The window that a click opens modal, looked at while it is up, then
// closed; the name of the window that came up.
QString checkModalOf(QWidget* owner, const char* button, QStringList& faults)
{
    QString name;
    int tries = 0;
    std::function<void()> look = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal != owner) {
            name = modal->objectName();
            QSet<QString> seen;
            lookAt(modal, seen);
            faults += QStringList(seen.begin(), seen.end());
            modal->close();
            return;
        }
        if (++tries < 300)
            QTimer::singleShot(10, look);
    };
    QTimer::singleShot(10, look);
    testkit::find<QPushButton>(owner, QString::fromLatin1(button))->click();
    return name;
}

class Layout : public ::testing::Test {
protected:
    void SetUp() override { platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0}); }
};

} // namespace

TEST_F(Layout, TheTestsRunInTheApplicationFont)
{
    EXPECT_EQ(QApplication::font().family(), platform::designFontFamily());
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), platform::designFontFamily());
    EXPECT_EQ(QFontInfo(QApplication::font()).pixelSize(), 11);
    // The runs on a scaled screen are scaled.
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        EXPECT_DOUBLE_EQ(qApp->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
}

TEST_F(Layout, MainWindowsAreWholeInEveryTabAndOption)
{
    expectWhole(window<tarvoss::frmMain>("Tarvoss"));
    platform::setAppInfo({QStringLiteral("Quellin"), QStringLiteral("Quellin5"), 5, 0, 0});
    expectWhole(window<quellin::frmMain>("Quellin"));
    platform::setAppInfo({QStringLiteral("Morvane"), QStringLiteral("Morvane5"), 5, 0, 0});
    expectWhole(window<morvane::frmMain>("Morvane"));
}

TEST_F(Layout, CalculatorWindowsAreWholeInEveryOption)
{
    for (const TopWindow& s : calculatorWindows())
        expectWhole(s);
}

TEST_F(Layout, ShellWindowsAreWhole)
{
    const shell::ProgramShellRegistration tarvoss(programs::tarvossShell());
    expectWhole(window<shell::frmAbout>("frmAbout"));
    expectWhole(window<shell::frmPrint>("frmPrint"));
    expectWhole(window<shell::frmSCalc>("frmSCalc"));
    for (const auto& program : {programs::tarvossShell(), programs::quellinShell(), programs::morvaneShell()})
        expectWhole({"frmOptions", [&] { return static_cast<QWidget*>(new shell::frmOptions(program.options)); }});
}

TEST_F(Layout, DatabaseWindowsAreWholeWithADatabaseOpen)
{
    QTemporaryDir dir;
    testkit::MsgBoxScript msgs;
    metadb::frmMetData* w = metadb::showMetData();
    testkit::settle();
    {
        testkit::FileDialogScript dialogs({dir.filePath(QStringLiteral("layout.met"))});
        testkit::find<QPushButton>(w, QStringLiteral("cmdNewDB"))->click();
    }
    testkit::settle();
    QStringList faults = explore(w);
    // The print panel takes the report's place.
    testkit::find<QPushButton>(w, QStringLiteral("cmdPrintDG"))->click();
    ASSERT_FALSE(testkit::find<QWidget>(w, QStringLiteral("picPrint"))->isHidden());
    faults += explore(w);
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n  "
                                  << faults.join(QStringLiteral("\n  ")).toStdString();
    expectWhole({"frmProgress", [w] { return static_cast<QWidget*>(new metadb::frmProgress(w)); }});
    expectWhole({"frmExport", [w] { return static_cast<QWidget*>(new metadb::frmExport(w)); }});
    expectWhole({"frmExcel", [w] { return static_cast<QWidget*>(new metadb::frmExcel(w)); }});
    expectWhole({"frmAccess", [w] { return static_cast<QWidget*>(new metadb::frmAccess(w)); }});
    expectWhole({"frmFailSafe", [w] {
                     auto* f = new metastats::frmFailSafe(w);
                     f->Form_Load();
                     return static_cast<QWidget*>(f);
                 }});
    metastats::RosenthalResults r;
    r.RosenthalN = 5;
    r.RosenthalFormula = 9.4877;
    r.RosenthalP2 = 0.05;
    expectWhole({"frmHeterogeneity", [w, r] {
                     auto* h = new metastats::frmHeterogeneity(w, r);
                     h->Form_Load();
                     return static_cast<QWidget*>(h);
                 }});
    w->close();
    testkit::settle();
}

// The result windows as a run over a study database leaves them: the study
// database window analyses its studies, then opens the fail-safe and the
// heterogeneity windows with what the run found, for a database whose
// studies give a Q statistic and for one whose studies give none.
TEST_F(Layout, ResultWindowsAreWholeAfterARunOverAStudyDatabase)
{
    QTemporaryDir dir;
    testkit::MsgBoxScript msgs;
    shell::Resize::ForgetRecords();
    metadb::frmMetData* w = metadb::showMetData();
    testkit::settle();
    const struct {
        const char* file;
        std::initializer_list<StudyRow> studies;
    } databases[] = {
        {"none.met", {{"Able, 2001", nullptr, nullptr, "42"}, {"Baker, 2003", nullptr, nullptr, "58"}}},
        {"three.met",
         {{"Able, 2001", "0.41234", "0.40112", "42"},
          {"Baker, 2003", "0.7321", "0.7166", "58"},
          {"Carter, 2005", "0.12345", "0.12001", "75"}}},
    };
    for (const auto& db : databases) {
        SCOPED_TRACE(db.file);
        const QString file = dir.filePath(QString::fromLatin1(db.file));
        {
            testkit::FileDialogScript dialogs({file});
            testkit::find<QPushButton>(w, QStringLiteral("cmdNewDB"))->click();
        }
        testkit::settle();
        ASSERT_TRUE(addStudies(file, db.studies));
        {
            testkit::FileDialogScript dialogs({file});
            testkit::find<QPushButton>(w, QStringLiteral("cmdOpenDB"))->click();
        }
        testkit::settle();
        testkit::find<QPushButton>(w, QStringLiteral("cmdSummary"))->click();
        testkit::settle();
        ASSERT_FALSE(testkit::find<QWidget>(w, QStringLiteral("picMeta"))->isHidden());
        QStringList faults;
        EXPECT_EQ(checkModalOf(w, "cmdFailSafe", faults), QStringLiteral("frmFailSafe"));
        EXPECT_EQ(checkModalOf(w, "cmdHeterogeneity", faults), QStringLiteral("frmHeterogeneity"));
        faults.sort();
        EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n  "
                                      << faults.join(QStringLiteral("\n  ")).toStdString();
    }
    w->close();
    testkit::settle();
}
