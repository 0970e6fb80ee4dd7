// The critical-value table windows and their lookup databases.
#include "calc_test_util.h"

#include "calculators/frmCriticalTable.h"

#include <QHeaderView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace calculators;
using testkit::MsgBoxScript;

namespace {

const QString kBinDir = QStringLiteral(SUITE_BIN_DIR);

// Runs SQL statements on a database file (made when missing).
void runSql(const QString& path, const QStringList& statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test_setup"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& s : statements)
            ASSERT_TRUE(q.exec(s)) << s.toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test_setup"));
}

// A lookup folder of its own for one test.
struct LookupFolder {
    QTemporaryDir dir;
    LookupFolder() { setLookupFolder(dir.path()); }
    ~LookupFolder() { setLookupFolder(QString()); }
    QString db() const { return dir.filePath(QStringLiteral("cutoff.mdb")); }
};

QStringList numbers(int from, int count)
{
    QStringList s;
    for (int i = 0; i < count; ++i)
        s << QString::number(from + i);
    return s;
}

} // namespace

TEST(LookupDatabases, BuiltNextToTheProgramsWithTheStandardTables)
{
    const QString cutoff = lookupDatabasePath(kBinDir, QStringLiteral("cutoff.mdb"));
    const auto t = readLookupTable(cutoff, QStringLiteral("select * from ttable"), 13);
    ASSERT_EQ(t.size(), 37);
    EXPECT_EQ(t.first(), QStringList({"1", "1", "1.376", "1.963", "3.078", "6.314", "12.706", "15.895", "31.821",
                                      "63.657", "127.321", "318.309", "636.619"}));
    EXPECT_EQ(t[9], QStringList({"10", "0.7", "0.879", "1.093", "1.372", "1.812", "2.228", "2.359", "2.764",
                                 "3.169", "3.581", "4.144", "4.587"}));
    EXPECT_EQ(t.last()[0], QString("1000"));
    EXPECT_EQ(t.last()[6], QString("1.962"));
    // Stored order: degrees of freedom rise, each row's values rise with 1 - p.
    for (int r = 0; r < t.size(); ++r) {
        if (r > 0) {
            EXPECT_LT(t[r - 1][0].toInt(), t[r][0].toInt());
        }
        for (int c = 2; c < 13; ++c)
            EXPECT_LT(t[r][c - 1].toDouble(), t[r][c].toDouble()) << r << "," << c;
    }
    const auto chi = readLookupTable(cutoff, QStringLiteral("select * from chitable"), 6);
    ASSERT_EQ(chi.size(), 37);
    EXPECT_EQ(chi.first(), QStringList({"1", "2.706", "3.841", "5.024", "6.635", "10.828"}));
    EXPECT_EQ(chi[9], QStringList({"10", "15.987", "18.307", "20.483", "23.209", "29.588"}));
    EXPECT_EQ(chi.last(), QStringList({"100", "118.498", "124.342", "129.561", "135.807", "149.449"}));
    // Quellin's database holds the same chi-square table.
    EXPECT_EQ(readLookupTable(lookupDatabasePath(kBinDir, QStringLiteral("chi.mdb")),
                              QStringLiteral("select * from chitable"), 6),
              chi);
}

TEST(LookupDatabases, PathTakesOneSeparator)
{
    EXPECT_EQ(lookupDatabasePath("/", "cutoff.mdb"), QString("/cutoff.mdb"));
    EXPECT_EQ(lookupDatabasePath("C:\\", "cutoff.mdb"), QString("C:\\cutoff.mdb"));
    EXPECT_EQ(lookupDatabasePath("/opt/prog", "cutoff.mdb"), QString("/opt/prog/cutoff.mdb"));
    // Blanks count only for the test: the folder itself is kept as it is.
    EXPECT_EQ(lookupDatabasePath("/opt/prog/ ", "chi.mdb"), QString("/opt/prog/ chi.mdb"));
    EXPECT_EQ(lookupDatabasePath("/opt/prog ", "chi.mdb"), QString("/opt/prog /chi.mdb"));
}

TEST(CriticalTableWindows, ShowTheDatabaseModalUnderTheirHeaders)
{
    QWidget owner;
    owner.show();
    const auto stored = readLookupTable(lookupDatabasePath(kBinDir, "cutoff.mdb"), "select * from ttable", 13);
    struct Case {
        bool (*show)(QWidget*);
        const char* name;
        const char* caption;
        QStringList headers;
        QSize size;
    };
    const Case cases[] = {
        {showTdata, "frmTdata",
         "Critical cut-offs for 1-sided t-test (double the derived p-value to get result for a two-sided t-test)",
         {"DF", "p<.25", "p<.20", "p<.15", "p<.10", "p<.05", "p<.025", "p<.02", "p<.01", "p<.005", "p<.0025",
          "p<.001", "p<.0005"},
         QSize(758, 547)},
        {showCITable, "frmCITable", "t Values For Confidence Intervals",
         {"DF", "50%", "60%", "70%", "80%", "90%", "95%", "96%", "98%", "99%", "99.5%", "99.8%", "99.9%"},
         QSize(756, 545)},
    };
    for (const Case& c : cases) {
        MsgBoxScript msgs;
        bool shown = false;
        const bool opened = calctest::withModal([&] { shown = c.show(&owner); }, [&](QWidget* w) {
            EXPECT_EQ(w->objectName(), QString(c.name));
            EXPECT_EQ(w->windowTitle(), QString(c.caption));
            EXPECT_EQ(w->parentWidget(), &owner);
            EXPECT_TRUE(w->isModal());
            EXPECT_EQ(w->size(), c.size);
            EXPECT_FALSE(w->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
            EXPECT_EQ(calctest::listHeaders(w), c.headers);
            EXPECT_EQ(calctest::listRows(w), stored);
            auto* list = testkit::find<QTreeWidget>(w, "ListView1");
            EXPECT_EQ(list->columnWidth(0), static_cast<int>(0.05f * list->width()));
            EXPECT_EQ(list->columnWidth(1), static_cast<int>(0.07f * list->width()));
            EXPECT_EQ(list->columnWidth(12), static_cast<int>(0.08f * list->width()));
            // The list reaches down to the window's bottom edge, not past it.
            EXPECT_EQ(list->y() + list->height(), w->height());
        });
        EXPECT_TRUE(opened) << c.name;
        EXPECT_TRUE(shown);
        EXPECT_EQ(msgs.count(), 0);
    }
}

TEST(CriticalTableWindows, ChiTableShowsSixColumns)
{
    QWidget owner;
    const auto stored = readLookupTable(lookupDatabasePath(kBinDir, "cutoff.mdb"), "select * from chitable", 6);
    const bool opened = calctest::withModal([&] { showChiTable(&owner); }, [&](QWidget* w) {
        EXPECT_EQ(w->objectName(), QString("frmChiTable"));
        EXPECT_EQ(w->windowTitle(), QString("Critical cut-offs for 2 sided chi square test"));
        EXPECT_EQ(calctest::listHeaders(w), QStringList({"DF", "p<.10", "p<.05", "p<.025", "p<.01", "p<.001"}));
        EXPECT_EQ(calctest::listRows(w), stored);
        auto* list = testkit::find<QTreeWidget>(w, "ListView1");
        EXPECT_EQ(list->columnWidth(5), static_cast<int>(0.158f * list->width()));
    });
    EXPECT_TRUE(opened);
}

TEST(CriticalTableWindows, EmptyWiderAndReadAgain)
{
    LookupFolder folder;
    runSql(folder.db(), {"create table ttable (a, b, c, d, e, f, g, h, i, j, k, l, m, n, o)",
                         "create table chitable (a, b, c, d, e, f, g)"});
    // An empty table: headers, no rows.
    frmTdata empty;
    empty.Form_Load();
    EXPECT_EQ(calctest::listHeaders(&empty).size(), 13);
    EXPECT_TRUE(calctest::listRows(&empty).isEmpty());

    // More columns than the window reads: the first ones only; texts, empty
    // cells and numbers as stored, in stored order.
    runSql(folder.db(), {"insert into ttable values (" + numbers(20, 15).join(",") + ")",
                         "insert into ttable values (" + numbers(5, 15).join(",") + ")",
                         "insert into chitable values ('inf', null, 1.5, 2.25, 3, 4, 99)"});
    frmCITable wide;
    wide.Form_Load();
    EXPECT_EQ(calctest::listRows(&wide), QList<QStringList>({numbers(20, 13), numbers(5, 13)}));
    frmChiTable chi;
    chi.Form_Load();
    EXPECT_EQ(calctest::listRows(&chi), QList<QStringList>({{"inf", "", "1.5", "2.25", "3", "4"}}));

    // Each opening reads the database again.
    QWidget owner;
    calctest::withModal([&] { showChiTable(&owner); },
                        [](QWidget* w) { EXPECT_EQ(calctest::listRows(w).size(), 1); });
    runSql(folder.db(), {"insert into chitable values (2, 1, 2, 3, 4, 5, 6)"});
    calctest::withModal([&] { showChiTable(&owner); }, [](QWidget* w) {
        ASSERT_EQ(calctest::listRows(w).size(), 2);
        EXPECT_EQ(calctest::listRows(w)[1], QStringList({"2", "1", "2", "3", "4", "5"}));
    });
}

TEST(CriticalTableWindows, UnreadableDatabaseIsReportedAndNothingShown)
{
    QWidget owner;
    struct Case {
        const char* what;
        QStringList sql;   // empty: no database file
        QByteArray bytes;  // written as the file when set
    };
    const Case cases[] = {
        {"missing file", {}, {}},
        {"not a database", {}, "this is not a database file at all, just some text\n"},
        {"table missing", {"create table other (x)"}, {}},
        {"too few columns", {"create table ttable (a, b, c)", "insert into ttable values (1, 2, 3)"}, {}},
        {"a blob cell", {"create table ttable (a,b,c,d,e,f,g,h,i,j,k,l,m)",
                         "insert into ttable values (1,2,3,4,5,6,7,8,9,10,11,12,x'0102')"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LookupFolder folder;
        if (!c.sql.isEmpty())
            runSql(folder.db(), c.sql);
        if (!c.bytes.isEmpty()) {
            QFile f(folder.db());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        MsgBoxScript msgs;
        bool shown = true;
        const bool opened = calctest::withModal([&] { shown = showTdata(&owner); }, [](QWidget* w) {
            ADD_FAILURE() << "a window opened: " << w->objectName().toStdString();
        });
        EXPECT_FALSE(opened);
        EXPECT_FALSE(shown);
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.texts()[0].contains(folder.db())) << msgs.texts()[0].toStdString();
        EXPECT_TRUE(msgs.texts()[0].contains("Something went very wrong and resulted in the following error\r\n"));
        // The database is only ever read: no file is made where none was.
        if (c.sql.isEmpty() && c.bytes.isEmpty()) {
            EXPECT_FALSE(QFile::exists(folder.db()));
        }
    }
}

TEST(CriticalTableWindows, TallerStretchesTheListNarrowerKeepsColumns)
{
    frmChiTable w;
    w.Form_Load();
    w.show();
    testkit::settle();
    auto* list = testkit::find<QTreeWidget>(&w, "ListView1");
    const int width = list->width();
    const QList<int> columns = {list->columnWidth(0), list->columnWidth(3), list->columnWidth(5)};
    EXPECT_EQ(list->height(), w.height());
    w.resize(w.width(), w.height() + 120);
    testkit::settle();
    EXPECT_EQ(list->height(), w.height());
    w.resize(w.width() - 200, w.height());
    testkit::settle();
    EXPECT_EQ(list->width(), width);
    EXPECT_EQ(QList<int>({list->columnWidth(0), list->columnWidth(3), list->columnWidth(5)}), columns);
}
