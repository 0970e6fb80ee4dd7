// The meta-analysis commands on a real study database: the run writes its
// columns into the file and the grid, the measure box restricts a recalculation,
// and the result windows open modal over the window.
#include "MetDataTestSupport.h"
#include "meandiff/frmMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

using namespace metdatatest;

namespace {

// Runs open(), which shows a modal window; records the window that came up
// and closes it.
QString modalWindowOf(const std::function<void()>& open, QWidget** owner)
{
    QString name;
    std::function<void()> look;
    int tries = 0;
    look = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            name = modal->objectName();
            *owner = modal->parentWidget();
            modal->close();
            return;
        }
        if (++tries < 300)
            QTimer::singleShot(10, look);
    };
    QTimer::singleShot(10, look);
    open();
    return name;
}

class MetDataMeta : public MetDataTest {
protected:
    void SetUp() override
    {
        MetDataTest::SetUp();
        file = path("meta.met");
        main = std::make_unique<tarvoss::frmMain>();
        main->show();
        openWindow();
        createThroughWindow(file);
        addStudy("Able, 2001", "BDI", "10", "2", "20", "8", "2.5", "22");
        addStudy("Baker, 2003", "HAM-D", "15", "4", "30", "12", "5", "28");
        addStudy("Carter, 2005", "BDI", "11", "3", "40", "10", "3", "35");
        // The placeholder row goes: it holds no study.
        grid()->setCurrentIndex(grid()->model()->index(0, 2));
        ASSERT_TRUE(w->StudyRecordset()->value(QStringLiteral("Study Name")).isNull());
        click("cmdDelete");
        ASSERT_EQ(gridRows(), 3);
    }
    void TearDown() override
    {
        closeWindow();
        main.reset();
        MetDataTest::TearDown();
    }
    void addStudy(const char* authors, const char* measure, const char* m1, const char* sd1, const char* n1,
                  const char* m2, const char* sd2, const char* n2)
    {
        const char* values[][2] = {{"TxtID", authors}, {"TxtDevice", measure}, {"txtMean1", m1}, {"txtSD1", sd1},
                                   {"TxtN1", n1},      {"txtMean2", m2},       {"txtSD2", sd2},  {"TxtN2", n2}};
        for (const auto& v : values)
            testkit::find<QLineEdit>(main.get(), QString::fromLatin1(v[0]))->setText(QString::fromLatin1(v[1]));
        testkit::find<QPushButton>(main.get(), QStringLiteral("cmdDoIt"))->click();
        testkit::MsgBoxScript msgs;
        click("cmdAddDataAsNew");
        ASSERT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }
    QList<QVariantList> weights()
    {
        return query(file, QStringLiteral("SELECT \"% Of Weight (d)\", \"Z Score Of d\" FROM data ORDER BY \"Study Name\""));
    }

    QString file;
    std::unique_ptr<tarvoss::frmMain> main;
};

} // namespace

TEST_F(MetDataMeta, ARunWritesItsColumnsAndAMeasureRestrictsTheNext)
{
    {
        testkit::MsgBoxScript msgs;
        click("cmdSummary");
        ASSERT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }
    auto* picMeta = testkit::find<QWidget>(w, QStringLiteral("picMeta"));
    EXPECT_FALSE(picMeta->isHidden());
    EXPECT_TRUE(testkit::text(w, QStringLiteral("txtResults")).contains(file));
    QList<QVariantList> rows = weights();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_NEAR(rows[0][0].toDouble() + rows[1][0].toDouble() + rows[2][0].toDouble(), 100.0, 1e-6);
    EXPECT_FALSE(rows[0][1].isNull());
    // The grid shows what the run wrote.
    const int weightColumn = column("% Of Weight (d)");
    EXPECT_FALSE(cell(0, weightColumn).isEmpty());

    // Only the studies of the typed measure: the two BDI studies weigh 100 %.
    testkit::find<QLineEdit>(picMeta, QStringLiteral("txtMeasure"))->setText(QStringLiteral("BDI"));
    {
        testkit::MsgBoxScript msgs;
        click("cmdRecalculate");
        EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }
    rows = weights();
    EXPECT_NEAR(rows[0][0].toDouble() + rows[2][0].toDouble(), 100.0, 1e-6);

    // The result windows open modal over the database window.
    QWidget* owner = nullptr;
    EXPECT_EQ(modalWindowOf([this] { click("cmdHeterogeneity"); }, &owner), QStringLiteral("frmHeterogeneity"));
    EXPECT_EQ(owner, w);
    owner = nullptr;
    {
        testkit::MsgBoxScript msgs;
        EXPECT_EQ(modalWindowOf([this] { click("cmdFailSafe"); }, &owner), QStringLiteral("frmFailSafe"));
    }
    EXPECT_EQ(owner, w);

    // Another database hides the panel; the measure stays typed.
    createThroughWindow(path("next.met"));
    EXPECT_TRUE(picMeta->isHidden());
    EXPECT_EQ(testkit::text(picMeta, QStringLiteral("txtMeasure")), QStringLiteral("BDI"));
}

// A close-all (as a desktop's log-out sends) while a run's message box is
// open: the window hides at once, stays whole until the run has returned,
// and only then goes.
TEST_F(MetDataMeta, CloseAllDuringARunsMessageKeepsTheWindowUntilTheRunReturns)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("refuse-results"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE UPDATE ON data BEGIN SELECT RAISE(ABORT, 'results refused'); END")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("refuse-results"));

    {
        testkit::CloseAllInBox closing(w);
        click("cmdSummary");
        EXPECT_GE(closing.boxes(), 1);
        EXPECT_TRUE(closing.wholeInBox());
        EXPECT_TRUE(closing.hiddenInBox());
        // The run has returned: the window goes with the next turn of the loop.
        testkit::settle();
        EXPECT_TRUE(closing.gone());
    }
    EXPECT_EQ(metadb::metDataWindow(), nullptr);
    w = nullptr;
    main->show();
}
