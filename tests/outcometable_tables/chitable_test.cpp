// Quellin's chi-square table: opened from the main window, read from
// chi.mdb, and still opened (with its headers) when the database is missing.
#include "calculators/frmCriticalTable.h"
#include "outcometable/frmChiTable.h"
#include "outcometable/frmMain.h"
#include "platform/AppInfo.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

namespace {

struct Seen {
    QString window;
    QString caption;
    int rows = -1;
    int columns = -1;
    QString firstRow;
};

// Closes the next modal window as soon as it shows, noting what it held.
void inspectNextModal(Seen& seen)
{
    QTimer::singleShot(100, [&seen] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m)
            return;
        seen.window = m->objectName();
        seen.caption = m->windowTitle();
        if (auto* list = m->findChild<QTreeWidget*>(QStringLiteral("ListView1"))) {
            seen.rows = list->topLevelItemCount();
            seen.columns = list->columnCount();
            if (list->topLevelItemCount() > 0)
                seen.firstRow = list->topLevelItem(0)->text(0) + QLatin1Char('|') + list->topLevelItem(0)->text(1);
        }
        m->close();
    });
}

} // namespace

TEST(QuellinChiTable, OpensFromTheMainWindowWithTheRowsOfChiMdb)
{
    platform::setAppInfo({QStringLiteral("Quellin"), QStringLiteral("Quellin5"), 5, 0, 0});
    calculators::setLookupFolder({});
    quellin::frmMain w;
    w.show();
    Seen seen;
    inspectNextModal(seen);
    testkit::MsgBoxScript msgs;
    testkit::find<QPushButton>(&w, QStringLiteral("cmdChiTable"))->click();
    EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(seen.window, QStringLiteral("frmChiTable"));
    EXPECT_EQ(seen.caption, QStringLiteral("Critical cut-offs for 2 sided chi square test"));
    EXPECT_EQ(seen.columns, 6);
    EXPECT_GT(seen.rows, 20);
    EXPECT_EQ(seen.firstRow, QStringLiteral("1|2.706"));
}

TEST(QuellinChiTable, AMissingDatabaseIsReportedOnceAndTheEmptyTableStillOpens)
{
    platform::setAppInfo({QStringLiteral("Quellin"), QStringLiteral("Quellin5"), 5, 0, 0});
    QTemporaryDir empty;
    calculators::setLookupFolder(empty.path());
    Seen seen;
    inspectNextModal(seen);
    testkit::MsgBoxScript msgs;
    quellin::showChiTable(nullptr);
    calculators::setLookupFolder({});
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.shown()[0].text, quellin::chiTableFailureText(QStringLiteral("Show")));
    EXPECT_TRUE(msgs.shown()[0].text.contains(QStringLiteral(" (Table Show Error). Please report this error to Varnholt support.")));
    EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::None);
    EXPECT_EQ(seen.window, QStringLiteral("frmChiTable"));
    EXPECT_EQ(seen.columns, 6);
    EXPECT_EQ(seen.rows, 0);
}
