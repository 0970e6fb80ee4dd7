// Every window of the three programs looked at as a person would, in the
// application font: in each tab, after each option and check box a person can
// click, no caption is cut off, no control sticks out of its frame or page,
// and no caption runs under another control.
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
#include "programs/ProgramTables.h"
#include "shell/frmAbout.h"
#include "shell/frmOptions.h"
#include "shell/frmPrint.h"
#include "shell/Resize.h"
#include "shell/frmSCalc.h"
#include "testkit/LayoutCheck.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
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

// The window in its present state, then in each tab, then after a click on
// each option and check box (a check box is clicked back afterwards).
QStringList explore(QWidget* w)
{
    QSet<QString> faults;
    w->show();
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
    QStringList sorted(faults.begin(), faults.end());
    sorted.sort();
    return sorted;
}

struct Scene {
    const char* name;
    std::function<QWidget*()> make;
};

void expectWhole(const Scene& s)
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

template <class T>
Scene window(const char* name)
{
    return {name, [] { return static_cast<QWidget*>(new T); }};
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
    const Scene scenes[] = {
        window<calculators::frmConf>("frmConf"),
        window<calculators::frmChiSq>("frmChiSq"),
        window<calculators::frmMultipleR>("frmMultipleR"),
        window<calculators::frmHierarchicalR>("frmHierarchicalR"),
        window<calculators::frmZDifferences>("frmZDifferences"),
        window<calculators::frmSignificance>("frmSignificance"),
        window<calculators::frmDiffBetweenRs>("frmDiffBetweenRs"),
        window<calculators::frmDiffBetRsDependent>("frmDiffBetRsDependent"),
        window<calculators::frmDiffBetGs>("frmDiffBetGs"),
        window<calculators::frmWithinES>("frmWithinES"),
        window<calculators::frmSDEstimate>("frmSDEstimate"),
        window<calculators::frmESInteract>("frmESInteract"),
        window<calculators::frmCounterNull>("frmCounterNull"),
        window<calculators::frmDtoOR>("frmDtoOR"),
        window<calculators::frmORtoD>("frmORtoD"),
        window<calculators::frmTdata>("frmTdata"),
        window<calculators::frmCITable>("frmCITable"),
        window<calculators::frmChiTable>("frmChiTable"),
        window<quellin::frmChiTable>("Quellin frmChiTable"),
        window<quellin::frmORToD>("Quellin frmORToD"),
    };
    for (const Scene& s : scenes)
        expectWhole(s);
}

TEST_F(Layout, ShellWindowsAreWhole)
{
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
    const QStringList faults = explore(w);
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
