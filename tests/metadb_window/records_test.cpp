// The record commands: importing the main window's study as a new record or
// over the current one, placeholder records, deleting, committing grid
// edits, header sorting, and the main window's way into the window.
#include "MetDataTestSupport.h"
#include "meandiff/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

using namespace metdatatest;
using platform::MsgResult;

namespace {

class MetDataRecords : public MetDataTest {
protected:
    void SetUp() override
    {
        MetDataTest::SetUp();
        file = path("records.met");
        main = std::make_unique<tarvoss::frmMain>();
        main->show();
        openWindow();
        createThroughWindow(file);
    }
    void TearDown() override
    {
        closeWindow();
        main.reset();
        MetDataTest::TearDown();
    }
    QLineEdit* box(const char* name) { return testkit::find<QLineEdit>(main.get(), QString::fromLatin1(name)); }
    void fillStudy(const char* authors)
    {
        const struct {
            const char* box;
            const char* text;
        } study[] = {{"TxtID", authors},      {"TxtYear", "2001"},          {"TxtAssess", "pre to post"},
                     {"TxtDevice", "BDI"},    {"txtStudySample", "adults"}, {"txtMean1", "10"},
                     {"txtSD1", "2"},         {"TxtN1", "20"},              {"txtT1Sample", "treated"},
                     {"txtMean2", "8"},       {"txtSD2", "2.5"},            {"TxtN2", "22"},
                     {"txtT2Sample", "waiting list"}};
        for (const auto& s : study)
            box(s.box)->setText(QString::fromUtf8(s.text));
    }
    // Plain SQL read of one column of every row, in Study ID order.
    QStringList columnValues(const char* column)
    {
        QStringList out;
        for (const QVariantList& r :
             query(file, QStringLiteral("SELECT \"%1\" FROM data ORDER BY \"Study ID\"").arg(QLatin1String(column))))
            out << (r[0].isNull() ? QStringLiteral("<null>") : r[0].toString());
        return out;
    }

    QString file;
    std::unique_ptr<tarvoss::frmMain> main;
};

// The 24 columns of the import and the main window box each comes from.
const struct {
    const char* box;
    const char* column;
} ImportMap[24] = {
    {"TxtID", "Study Name"}, {"TxtYear", "Year of Study"}, {"TxtDevice", "Measure Used"},
    {"TxtAssess", "Assessment Details"}, {"txtStudySample", "Study Sample"},
    {"txtT1Sample", "Experimental / Group 1 Sample"}, {"txtMean1", "Experimental / Group 1 Mean"},
    {"txtSD1", "SD 1"}, {"TxtN1", "N 1"}, {"txtT2Sample", "Control / Group 2 Sample"},
    {"txtMean2", "Control / Group 2 Mean"}, {"txtSD2", "SD 2"}, {"TxtN2", "N 2"}, {"TxtTotalN", "Total N"},
    {"TxtMeanDiff", "Mean Difference"}, {"txtZStat", "Z Statistic"}, {"TxtUsedSD", "Used SD"},
    {"TxtTarvoss", "Cohen's D"}, {"TxtESNeg95", "Cohen -95"}, {"TxtESPlus95", "Cohen +95"},
    {"txtHedgesG", "Hedges' G"}, {"TxtHedgesS1", "Hedges' SD"}, {"TxtHedgesGNeg95", "Hedges' -95"},
    {"TxtHedgesGPlus95", "Hedges' +95"},
};

} // namespace

TEST_F(MetDataRecords, ImportAsNewRecordCopiesEveryFilledBox)
{
    // Refused while the authors are missing: nothing is appended.
    {
        testkit::MsgBoxScript msgs;
        click("cmdAddDataAsNew");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, QStringLiteral("You must at least enter 'Authors' into the Tarvoss before "
                                                       "adding a study to the database as a new record."));
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("No Data To Enter"));
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Information);
    }
    EXPECT_EQ(columnValues("Study ID").size(), 1);

    fillStudy("Smith, Jones");
    testkit::find<QPushButton>(main.get(), QStringLiteral("cmdDoIt"))->click();
    ASSERT_FALSE(box("TxtTarvoss")->text().isEmpty());
    {
        testkit::MsgBoxScript msgs;
        click("cmdAddDataAsNew");
        ASSERT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }
    EXPECT_EQ(panel(1), QStringLiteral("Number Of Records In Database:  2"));
    const QList<QVariantList> rows = query(file, QStringLiteral("SELECT * FROM data WHERE \"Study ID\" = 2"));
    ASSERT_EQ(rows.size(), 1);
    const QList<QVariantList> names = query(file, QStringLiteral("SELECT name FROM pragma_table_info('data')"));
    auto stored = [&](const char* column) {
        for (int i = 0; i < names.size(); ++i)
            if (names[i][0].toString() == QString::fromUtf8(column))
                return rows[0][i];
        return QVariant();
    };
    for (const auto& m : ImportMap) {
        const QString shown = box(m.box)->text();
        const QVariant v = stored(m.column);
        ASSERT_FALSE(v.isNull()) << m.column;
        if (v.typeId() == QMetaType::QString)
            EXPECT_EQ(v.toString(), shown) << m.column;
        else
            EXPECT_DOUBLE_EQ(v.toDouble(), shown.toDouble()) << m.column;
    }
    EXPECT_EQ(stored("Include").toInt(), -1);
    // The new record is the grid's current row.
    EXPECT_EQ(w->StudyRecordset()->value(QStringLiteral("Study Name")).toString(), QStringLiteral("Smith, Jones"));
    EXPECT_EQ(grid()->currentIndex().row(), w->StudyRecordset()->position());
}

TEST_F(MetDataRecords, OverwriteAsksOnlyForANamedRecord)
{
    // Before any computation only the typed fields are copied; the
    // placeholder row is overwritten without a question.
    fillStudy("First, 2001");
    {
        testkit::MsgBoxScript msgs;
        click("cmdAdd");
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_EQ(columnValues("Study Name"), QStringList{QStringLiteral("First, 2001")});
    EXPECT_EQ(columnValues("Cohen's D"), QStringList{QStringLiteral("<null>")});

    // A named record: No leaves every column as it was, Include included.
    ASSERT_TRUE(edit(0, column("Include"), QStringLiteral("NO")));
    click("cmdSave");
    EXPECT_EQ(columnValues("Include"), QStringList{QStringLiteral("0")});
    fillStudy("Second, 2002");
    {
        testkit::MsgBoxScript msgs({MsgResult::No});
        click("cmdAdd");
        ASSERT_EQ(msgs.count(), 2);
        EXPECT_EQ(msgs.shown()[0].text,
                  QStringLiteral("You are about to overwrite a record, are you sure you wish to do this?"));
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::YesNo);
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("Overwriting Record"));
        EXPECT_EQ(msgs.shown()[1].text, QStringLiteral("In that case, you probably need to create a new record first."));
        EXPECT_EQ(msgs.shown()[1].title, QStringLiteral("Not Overwriting"));
    }
    EXPECT_EQ(columnValues("Study Name"), QStringList{QStringLiteral("First, 2001")});
    EXPECT_EQ(columnValues("Include"), QStringList{QStringLiteral("0")});

    // Without authors the question comes first, the refusal after Yes.
    box("TxtID")->clear();
    {
        testkit::MsgBoxScript msgs({MsgResult::Yes});
        click("cmdAdd");
        ASSERT_EQ(msgs.count(), 2);
        EXPECT_EQ(msgs.shown()[1].text, QStringLiteral("You must at least enter 'Authors' into the Tarvoss before "
                                                       "adding a study to the database."));
    }
    EXPECT_EQ(columnValues("Study Name"), QStringList{QStringLiteral("First, 2001")});

    // Yes after a computation: the results come in, Include becomes true,
    // and the same record stays current.
    box("TxtID")->setText(QStringLiteral("Second, 2002"));
    testkit::find<QPushButton>(main.get(), QStringLiteral("cmdDoIt"))->click();
    {
        testkit::MsgBoxScript msgs({MsgResult::Yes});
        click("cmdAdd");
        EXPECT_EQ(msgs.count(), 1);
    }
    EXPECT_EQ(columnValues("Study Name"), QStringList{QStringLiteral("Second, 2002")});
    EXPECT_EQ(columnValues("Include"), QStringList{QStringLiteral("-1")});
    EXPECT_NE(columnValues("Cohen's D"), QStringList{QStringLiteral("<null>")});
    EXPECT_EQ(cell(0, column("Include")), QStringLiteral("YES"));
}

TEST_F(MetDataRecords, AFailedImportChangesNoRecord)
{
    fillStudy("Too long");
    box("TxtID")->setText(QString(101, QLatin1Char('x')));
    {
        testkit::MsgBoxScript msgs;
        click("cmdAddDataAsNew");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("Tarvoss"));
    }
    EXPECT_EQ(columnValues("Study ID").size(), 1);
    EXPECT_FALSE(w->StudyRecordset()->editPending());
    EXPECT_EQ(gridRows(), 1);
    // The window stays usable.
    box("TxtID")->setText(QStringLiteral("Fits"));
    click("cmdAddDataAsNew");
    EXPECT_EQ(columnValues("Study Name"), (QStringList{QStringLiteral("<null>"), QStringLiteral("Fits")}));
}

TEST_F(MetDataRecords, NewDeleteAndSaveKeepTheCurrentRecordWhereItBelongs)
{
    click("cmdNew");
    EXPECT_EQ(panel(1), QStringLiteral("Number Of Records In Database:  2"));
    const QList<QVariantList> added =
        query(file, QStringLiteral("SELECT \"Year of Study\", \"Study Sample\", \"Measure Used\", \"Include\", "
                                   "\"Study Name\" FROM data WHERE \"Study ID\" = 2"));
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added[0][0].toString(), QStringLiteral("New Record"));
    EXPECT_EQ(added[0][1].toString(), QStringLiteral("     ---"));
    EXPECT_EQ(added[0][2].toString(), QStringLiteral("Overwrite This Row"));
    EXPECT_EQ(added[0][3].toInt(), -1);
    EXPECT_TRUE(added[0][4].isNull());

    // Save: an edit pending on the current record is stored, the first record becomes current.
    ASSERT_TRUE(edit(1, column("Study Name"), QStringLiteral("Zed")));
    click("cmdSave");
    EXPECT_EQ(columnValues("Study Name"), (QStringList{QStringLiteral("<null>"), QStringLiteral("Zed")}));
    EXPECT_EQ(w->StudyRecordset()->position(), 0);

    // Deleting the last record in the grid's order makes the new last one current.
    grid()->setCurrentIndex(grid()->model()->index(1, 2));
    {
        testkit::MsgBoxScript msgs;
        click("cmdDelete");
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_EQ(columnValues("Study ID"), QStringList{QStringLiteral("1")});
    EXPECT_EQ(w->StudyRecordset()->position(), 0);
    EXPECT_EQ(panel(1), QStringLiteral("Number Of Records In Database:  1"));

    // The only record is never deleted.
    {
        testkit::MsgBoxScript msgs;
        click("cmdDelete");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text,
                  QStringLiteral("Deleting this record would leave the database empty - which would terminate the "
                                 "programme.\rPlease either replace this record or add others before deleting it."));
    }
    EXPECT_EQ(columnValues("Study ID"), QStringList{QStringLiteral("1")});
    // Numbers are never handed out twice.
    click("cmdNew");
    EXPECT_EQ(columnValues("Study ID"), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
}

TEST_F(MetDataRecords, GridEditsAreCommittedOnLeavingTheRowAndRefusalsAreShown)
{
    click("cmdNew");
    ASSERT_TRUE(edit(0, column("N 1"), QStringLiteral("12.5")));
    ASSERT_TRUE(edit(0, column("Include"), QStringLiteral("no")));
    EXPECT_EQ(cell(0, column("Include")), QStringLiteral("NO"));
    EXPECT_EQ(columnValues("N 1"), (QStringList{QStringLiteral("<null>"), QStringLiteral("<null>")}));
    grid()->setCurrentIndex(grid()->model()->index(1, 2));   // leaving the record commits it
    const QVariantList first =
        query(file, QStringLiteral("SELECT \"N 1\", \"Include\" FROM data WHERE \"Study ID\" = 1"))[0];
    EXPECT_EQ(first[0].toDouble(), 12.5);
    EXPECT_EQ(first[1].toInt(), 0);

    testkit::MsgBoxScript msgs;
    EXPECT_FALSE(edit(1, column("N 1"), QStringLiteral("twelve")));
    EXPECT_FALSE(edit(1, column("Include"), QStringLiteral("maybe")));
    EXPECT_EQ(msgs.count(), 2);
    EXPECT_EQ(columnValues("N 1"), (QStringList{QStringLiteral("12.5"), QStringLiteral("<null>")}));
    // The study number is the database's.
    EXPECT_FALSE(grid()->model()->flags(grid()->model()->index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(MetDataRecords, TextStillInACellEditorIsStoredByTheNextCommand)
{
    w->activateWindow();
    const QModelIndex nameCell = grid()->model()->index(0, column("Study Name"));
    grid()->setCurrentIndex(nameCell);
    grid()->edit(nameCell);
    testkit::settle();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, QStringLiteral("Typed in the cell"));
    trigger("mnuEmpty");   // a menu command leaves the focus in the cell
    EXPECT_EQ(columnValues("Study Name"), (QStringList{QStringLiteral("Typed in the cell"), QStringLiteral("<null>")}));
}

TEST_F(MetDataRecords, HeaderClicksAlternateTheOrderOfOneColumn)
{
    for (const char* name : {"beta", "Alpha", "gamma"}) {
        click("cmdNew");
        ASSERT_TRUE(edit(w->StudyRecordset()->position(), column("Study Name"), QString::fromLatin1(name)));
    }
    click("cmdSave");
    auto names = [this] {
        QStringList out;
        for (int r = 0; r < gridRows(); ++r)
            out << cell(r, 2);
        return out;
    };
    // The order the grid shows a column in: " ASC" or " DESC" when its cells
    // are sorted that way (empty cells lowest, numbers by value, text without
    // regard to case), "" when they are in neither order.
    auto shownOrder = [this](int c) {
        auto less = [](const QString& a, const QString& b) {
            if (a.isEmpty() || b.isEmpty())
                return a.isEmpty() && !b.isEmpty();
            bool na = false, nb = false;
            const double x = a.toDouble(&na), y = b.toDouble(&nb);
            if (na && nb)
                return x < y;
            return a.compare(b, Qt::CaseInsensitive) < 0;
        };
        bool ascending = true, descending = true;
        for (int r = 1; r < gridRows(); ++r) {
            ascending = ascending && !less(cell(r, c), cell(r - 1, c));
            descending = descending && !less(cell(r - 1, c), cell(r, c));
        }
        return ascending == descending ? QString() : ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    };
    const int nameColumn = column("Study Name");
    w->grdDataGrid_HeadClick(nameColumn);
    EXPECT_EQ(shownOrder(nameColumn), QStringLiteral(" ASC"));
    EXPECT_EQ(names(), (QStringList{QString(), QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}));
    w->grdDataGrid_HeadClick(nameColumn);
    EXPECT_EQ(shownOrder(nameColumn), QStringLiteral(" DESC"));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("gamma"), QStringLiteral("beta"), QStringLiteral("Alpha"), QString()}));
    w->grdDataGrid_HeadClick(nameColumn);
    EXPECT_EQ(shownOrder(nameColumn), QStringLiteral(" ASC"));
    // Another column always starts ascending.
    w->grdDataGrid_HeadClick(0);
    ASSERT_EQ(column("Study ID"), 0);
    EXPECT_EQ(shownOrder(0), QStringLiteral(" ASC"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(3, 0), QStringLiteral("4"));
    // A real header click runs the same handler.
    QHeaderView* header = grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(shownOrder(0), QStringLiteral(" DESC"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("4"));
}

TEST(MetDataFromMainWindow, TheMainWindowShowsClosesAndStartsTheWindow)
{
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
    platform::setCommandArguments({});
    QTemporaryDir dir;
    {
        auto main = std::make_unique<tarvoss::frmMain>();
        main->show();
        testkit::find<QPushButton>(main.get(), QStringLiteral("CmdDatabase"))->click();
        metadb::frmMetData* w = metadb::metDataWindow();
        ASSERT_TRUE(w);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->parent(), nullptr);
        testkit::findAction(main.get(), QStringLiteral("mnuMeta"))->trigger();
        EXPECT_EQ(metadb::metDataWindow(), w);
        // A database made now, for the start below.
        testkit::FileDialogScript dialogs({dir.filePath(QStringLiteral("start.met"))});
        testkit::find<QPushButton>(w, QStringLiteral("cmdNewDB"))->click();
        main->close();
        testkit::settle();
        EXPECT_EQ(metadb::metDataWindow(), nullptr);
    }
    // A command line naming a database shows the window with it at start.
    platform::setCommandArguments({dir.filePath(QStringLiteral("start.met"))});
    {
        testkit::MsgBoxScript msgs;
        auto main = std::make_unique<tarvoss::frmMain>();
        main->show();
        testkit::settle();
        metadb::frmMetData* w = metadb::metDataWindow();
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Effect Size Database Editor. ") + dir.filePath(QStringLiteral("start.met")));
        EXPECT_EQ(msgs.count(), 0);
        main->close();
        testkit::settle();
    }
    platform::setCommandArguments({});
    EXPECT_EQ(metadb::metDataWindow(), nullptr);
}
