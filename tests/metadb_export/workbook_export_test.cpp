// The workbook export: sheets, header, values and the log of a study
// database, names the workbook refuses, the 16-bit row count, and what is
// left on disk when an export fails or a file would be replaced.
#include "export_fixtures.h"
#include "metadb/WorkbookExport.h"
#include "platform/Errors.h"
#include "platform/Recordset.h"
#include "testkit/StoredTruthForms.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace exportfixtures;
using metadb::exportWorkbook;
using metadb::WorkbookExportHooks;
using metadb::WorkbookSave;

namespace {

int errorNumber(const QString& db, const QString& xlsx, WorkbookExportHooks hooks = {})
{
    try {
        exportWorkbook(db, xlsx, hooks);
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

class WorkbookExportTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

    QString studyDatabase()
    {
        const QString db = path(QStringLiteral("studies.met"));
        makeDatabase(db, {
            createStudyTable(),
            insertStudy({{"Assessment Details", "'Pre'"}, {"Cohen +95", "1.25"}, {"Cohen -95", "-0.5"},
                         {"Cohen's D", "0.375"}, {"Include", "-1"}, {"Measure Used", "'BDI'"}, {"N 1", "20"},
                         {"Study ID", "1"}, {"Study Name", "'Smith'"}, {"Year of Study", "'1999'"},
                         {"Xtra5", "0"}, {"Xtra6", "-1"}}),
            insertStudy({{"Include", "0"}, {"Study ID", "2"}, {"Study Name", "'O''Neil & <Co>'"},
                         {"Year of Study", "''"}}),
            // True as other tools store it.
            insertStudy({{"Include", "1"}, {"Study ID", "3"}}),
            QStringLiteral("create table [a/b] (id integer, v text)"),
            QStringLiteral("insert into [a/b] values (1, 'x')"),
            QStringLiteral("create table [MSysObjects] (id integer, v text)"),
            QStringLiteral("create table [OldMSysCopy] (id integer, v text)"),
            QStringLiteral("create table [msysLower] (id integer, v text)"),
            QStringLiteral("insert into [msysLower] values (1, 'kept')"),
            QStringLiteral("create table [single] (only integer)"),
            QStringLiteral("insert into [single] values (7)"),
        });
        return db;
    }
};

TEST_F(WorkbookExportTest, StudyDatabaseBecomesOneSheetPerTable)
{
    const QString xlsx = path(QStringLiteral("out.xlsx"));
    ASSERT_EQ(exportWorkbook(studyDatabase(), xlsx, {}), WorkbookSave::Saved);
    Workbook book(xlsx);
    ASSERT_TRUE(book.ok());
    // "/" becomes "-"; names holding "MSys" are skipped, "msys" in other case is not.
    EXPECT_EQ(book.sheetNames(), QStringList({"data", "a-b", "msysLower", "single"}));

    const auto data = book.cells(QStringLiteral("data"));
    const auto& columns = studyColumns();
    // Every field, the first in column A.
    for (int col = 1; col <= 36; ++col) {
        const QString ref = columnName(col) + QLatin1Char('1');
        ASSERT_TRUE(data.contains(ref)) << ref.toStdString();
        EXPECT_EQ(data[ref].value, QString::fromUtf8(columns[static_cast<size_t>(col - 1)].name)) << ref.toStdString();
        const bool headerFont = col <= 26;
        EXPECT_EQ(data[ref].bold, headerFont) << ref.toStdString();
        EXPECT_EQ(data[ref].underline, headerFont) << ref.toStdString();
    }
    EXPECT_EQ(data[QStringLiteral("A1")].value, QStringLiteral("Assessment Details"));
    EXPECT_EQ(data[QStringLiteral("B1")].value, QStringLiteral("Cohen +95"));
    EXPECT_EQ(data[QStringLiteral("AJ1")].value, QStringLiteral("Xtra6"));
    EXPECT_FALSE(data.contains(QStringLiteral("AK1")));
    for (const auto& cell : data) {
        if (!cell.bold) {
            EXPECT_FALSE(cell.underline);
        }
    }

    struct Expect {
        const char* ref;
        const char* type;
        const char* value;
    };
    const Expect expected[] = {
        {"A2", "str", "Pre"},  {"B2", "", "1.25"},   {"C2", "", "-0.5"},   {"D2", "", "0.375"},
        {"I2", "b", "1"},      {"K2", "str", "BDI"}, {"L2", "", "20"},     {"P2", "", "1"},
        {"Q2", "str", "Smith"}, {"Y2", "str", "1999"}, {"AI2", "b", "0"},  {"AJ2", "b", "1"},
        {"I3", "b", "0"},      {"P3", "", "2"},      {"Q3", "str", "O'Neil & <Co>"},
        {"AI3", "b", "1"},     {"AJ3", "b", "1"},    {"I4", "b", "1"},     {"P4", "", "3"},
        {"AI4", "b", "1"},     {"AJ4", "b", "1"},
    };
    for (const Expect& e : expected) {
        const QString ref = QString::fromLatin1(e.ref);
        ASSERT_TRUE(data.contains(ref)) << e.ref;
        QString type = data[ref].type;
        if (type == QLatin1String("s") || type == QLatin1String("inlineStr"))
            type = QStringLiteral("str");
        EXPECT_EQ(type, QString::fromLatin1(e.type)) << e.ref;
        EXPECT_EQ(data[ref].value, QString::fromUtf8(e.value)) << e.ref;
        EXPECT_FALSE(data[ref].bold) << e.ref;
    }
    // Null fields leave their cells empty: only the cells above hold data.
    int dataCells = 0;
    for (auto it = data.cbegin(); it != data.cend(); ++it)
        if (!it.key().endsWith(QLatin1Char('1')) || it.key().size() > 3)
            ++dataCells;
    EXPECT_EQ(dataCells, static_cast<int>(std::size(expected)));

    const auto ab = book.cells(QStringLiteral("a-b"));
    EXPECT_EQ(ab[QStringLiteral("A1")].value, QStringLiteral("id"));
    EXPECT_EQ(ab[QStringLiteral("B1")].value, QStringLiteral("v"));
    EXPECT_EQ(ab[QStringLiteral("A2")].value, QStringLiteral("1"));
    EXPECT_EQ(ab[QStringLiteral("B2")].value, QStringLiteral("x"));
    EXPECT_FALSE(ab.contains(QStringLiteral("C1")) && !ab[QStringLiteral("C1")].value.isEmpty());

    // One field: its name in A1 and its value in A2; the header font on A1
    // to Z1.
    const auto single = book.cells(QStringLiteral("single"));
    EXPECT_EQ(single.size(), 27);
    EXPECT_EQ(single[QStringLiteral("A1")].value, QStringLiteral("only"));
    EXPECT_EQ(single[QStringLiteral("A2")].value, QStringLiteral("7"));
    for (auto it = single.cbegin(); it != single.cend(); ++it) {
        if (it.key() == QLatin1String("A2"))
            continue;
        EXPECT_TRUE(it.key().endsWith(QLatin1Char('1')) && it.key().size() == 2) << it.key().toStdString();
        EXPECT_EQ(it.value().value.isEmpty(), it.key() != QLatin1String("A1"));
        EXPECT_TRUE(it.value().bold && it.value().underline);
    }
}

TEST_F(WorkbookExportTest, LogOfAStudyDatabaseHasSixLines)
{
    const QString db = path(QStringLiteral("one.met"));
    makeDatabase(db, {createStudyTable(), insertStudy({{"Study Name", "'A'"}})});
    QString log;
    WorkbookExportHooks hooks;
    hooks.log = [&log](const QString& t) { log += t; };
    ASSERT_EQ(exportWorkbook(db, path(QStringLiteral("one.xlsx")), hooks), WorkbookSave::Saved);
    EXPECT_EQ(log, QStringLiteral("Opening Database...\nCreating Workbook...\nCreating Worksheet data...\n"
                                  "Adding Column Headers...\nAdding Data from Database Table data...\nDone!!!!"));
}

TEST_F(WorkbookExportTest, RefusedSheetNamesKeepAWorkbookName)
{
    const QString db = path(QStringLiteral("names.met"));
    makeDatabase(db, {
        QStringLiteral("create table [Sheet2] (id integer, v text)"),
        QStringLiteral("create table [bad:name] (id integer, v text)"),
        QStringLiteral("create table [history] (id integer, v text)"),
        QStringLiteral("create table [a name much longer than thirty-one characters] (id integer, v text)"),
        QStringLiteral("create table [SHEET2/x] (id integer, v text)"),
        QStringLiteral("insert into [bad:name] values (1, 'still exported')"),
    });
    QString log;
    WorkbookExportHooks hooks;
    hooks.log = [&log](const QString& t) { log += t; };
    const QString xlsx = path(QStringLiteral("names.xlsx"));
    ASSERT_EQ(exportWorkbook(db, xlsx, hooks), WorkbookSave::Saved);
    Workbook book(xlsx);
    EXPECT_EQ(book.sheetNames(), QStringList({"Sheet2", "Sheet3", "Sheet4", "Sheet5", "SHEET2-x"}));
    EXPECT_EQ(book.cells(QStringLiteral("Sheet3"))[QStringLiteral("B2")].value, QStringLiteral("still exported"));
    // The log names the tables as listed.
    EXPECT_TRUE(log.contains(QStringLiteral("Creating Worksheet bad:name...\n")));
    EXPECT_TRUE(log.contains(QStringLiteral("Adding Data from Database Table SHEET2/x...\n")));
}

// Table names with any character, a "]" or a double quote among them, are
// read as the names they are.
TEST_F(WorkbookExportTest, TableNamesWithQuoteCharactersAreRead)
{
    const QString db = path(QStringLiteral("quotes.met"));
    makeDatabase(db, {
        QStringLiteral("create table \"odd]name\" (\"id\" integer, \"a]b\" text)"),
        QStringLiteral("insert into \"odd]name\" values (1, 'bracket')"),
        QStringLiteral("create table \"say \"\"hi\"\"\" (\"id\" integer, \"x\"\"y\" boolean)"),
        QStringLiteral("insert into \"say \"\"hi\"\"\" values (2, 1)"),
        QStringLiteral("create table \"[both]\" (\"id\" integer, v text)"),
        QStringLiteral("insert into \"[both]\" values (3, 'square')"),
    });
    QString log;
    WorkbookExportHooks hooks;
    hooks.log = [&log](const QString& t) { log += t; };
    const QString xlsx = path(QStringLiteral("quotes.xlsx"));
    ASSERT_EQ(exportWorkbook(db, xlsx, hooks), WorkbookSave::Saved);
    EXPECT_TRUE(log.endsWith(QStringLiteral("Done!!!!")));
    Workbook book(xlsx);
    // "]" and "[" are no part of a worksheet name; the sheet keeps its own.
    EXPECT_EQ(book.sheetNames(), QStringList({"Sheet1", "say \"hi\"", "Sheet3"}));
    const auto odd = book.cells(QStringLiteral("Sheet1"));
    EXPECT_EQ(odd[QStringLiteral("B1")].value, QStringLiteral("a]b"));
    EXPECT_EQ(odd[QStringLiteral("B2")].value, QStringLiteral("bracket"));
    const auto say = book.cells(QStringLiteral("say \"hi\""));
    EXPECT_EQ(say[QStringLiteral("B1")].value, QStringLiteral("x\"y"));
    EXPECT_EQ(say[QStringLiteral("B2")].type, QStringLiteral("b"));   // declared Boolean: read by its quoted name
    EXPECT_EQ(say[QStringLiteral("B2")].value, QStringLiteral("1"));
    EXPECT_EQ(book.cells(QStringLiteral("Sheet3"))[QStringLiteral("B2")].value, QStringLiteral("square"));
}

TEST_F(WorkbookExportTest, ValuesACellCannotHoldStayEmpty)
{
    const QString db = path(QStringLiteral("odd.met"));
    makeDatabase(db, {
        QStringLiteral("create table [t] (id integer, big text, blob blob, inf double, ok text)"),
        QStringLiteral("insert into [t] values (1, '%1', x'0102', 9e999, 'fine')").arg(QString(40000, QLatin1Char('z'))),
    });
    const QString xlsx = path(QStringLiteral("odd.xlsx"));
    QStringList leftEmpty;
    int told = 0;
    WorkbookExportHooks hooks;
    hooks.fieldsLeftEmpty = [&](const QStringList& fields) {
        ++told;
        leftEmpty = fields;
    };
    ASSERT_EQ(exportWorkbook(db, xlsx, hooks), WorkbookSave::Saved);
    const auto cells = Workbook(xlsx).cells(QStringLiteral("t"));
    EXPECT_EQ(cells[QStringLiteral("A2")].value, QStringLiteral("1"));
    EXPECT_FALSE(cells.contains(QStringLiteral("B2")));
    EXPECT_FALSE(cells.contains(QStringLiteral("C2")));
    EXPECT_FALSE(cells.contains(QStringLiteral("D2")));
    EXPECT_EQ(cells[QStringLiteral("E2")].value, QStringLiteral("fine"));
    // Each field left empty is named, once, at the end.
    EXPECT_EQ(told, 1);
    EXPECT_EQ(leftEmpty, QStringList({
                             "t, row 2, field big: a text of 40000 characters; a cell holds at most 32,767",
                             "t, row 2, field blob: binary data of 2 bytes, which no cell holds",
                             "t, row 2, field inf: a number that is not finite (+infinity)",
                         }));
}

// A text too long for a cell is named with the characters a person counts,
// and with the count the cell's limit is in where the two differ.
TEST_F(WorkbookExportTest, ATextTooLongForACellIsCountedAsAPersonCountsIt)
{
    const QString db = path(QStringLiteral("wide.met"));
    const QString smile = QString::fromUcs4(U"\U0001F600");
    makeDatabase(db, {
        QStringLiteral("create table [t] (id integer, wide text, fits text)"),
        QStringLiteral("insert into [t] values (1, '%1', '%2')").arg(smile.repeated(20000), smile.repeated(16383)),
    });
    const QString xlsx = path(QStringLiteral("wide.xlsx"));
    QStringList leftEmpty;
    WorkbookExportHooks hooks;
    hooks.fieldsLeftEmpty = [&](const QStringList& fields) { leftEmpty = fields; };
    ASSERT_EQ(exportWorkbook(db, xlsx, hooks), WorkbookSave::Saved);
    EXPECT_EQ(leftEmpty, QStringList({"t, row 2, field wide: a text of 20000 characters, 40000 as a cell counts them "
                                      "(a character beyond U+FFFF counts twice); a cell holds at most 32,767"}));
    const auto cells = Workbook(xlsx).cells(QStringLiteral("t"));
    EXPECT_FALSE(cells.contains(QStringLiteral("B2")));
    EXPECT_EQ(cells[QStringLiteral("C2")].value, smile.repeated(16383));
}

// Every number reads back as the double the database holds, also those that
// need 17 significant digits.
TEST_F(WorkbookExportTest, NumbersReadBackAsTheSameDouble)
{
    const double values[] = {11.905222543052886, 0.1, 1.0 / 3.0, -2.2250738585072014e-308, 5e-324,
                             1.7976931348623157e308, 123456789012345678.0, 0.30000000000000004, 42.0, -0.0};
    QStringList statements = {QStringLiteral("create table [n] (id integer, v double, w text)")};
    int id = 0;
    for (double v : values)
        statements << QStringLiteral("insert into [n] values (%1, %2, 'x')")
                          .arg(++id)
                          .arg(QString::number(v, 'g', 17));
    const QString db = path(QStringLiteral("numbers.met"));
    makeDatabase(db, statements);
    const QString xlsx = path(QStringLiteral("numbers.xlsx"));
    ASSERT_EQ(exportWorkbook(db, xlsx, {}), WorkbookSave::Saved);
    Workbook book(xlsx);
    ASSERT_TRUE(book.ok());
    const auto cells = book.cells(QStringLiteral("n"));
    for (int i = 0; i < int(std::size(values)); ++i) {
        const auto& cell = cells[QStringLiteral("B%1").arg(i + 2)];
        EXPECT_EQ(cell.type, QString());
        EXPECT_EQ(cell.value.toDouble(), values[i]) << cell.value.toStdString();
        EXPECT_EQ(cells[QStringLiteral("A%1").arg(i + 2)].value, QString::number(i + 1));
        EXPECT_EQ(cells[QStringLiteral("C%1").arg(i + 2)].value, QStringLiteral("x"));
    }
    EXPECT_EQ(cells[QStringLiteral("B2")].value, QStringLiteral("11.905222543052886"));
    // The archive written again with the new digits is whole: every part's
    // checksum and size as its directory says.
    QProcess test;
    test.start(QStringLiteral("unzip"), {QStringLiteral("-tq"), xlsx});
    ASSERT_TRUE(test.waitForFinished(60000));
    EXPECT_EQ(test.exitCode(), 0) << test.readAllStandardOutput().toStdString();
}

TEST_F(WorkbookExportTest, RowCountOverflowsAfterRow32767)
{
    const QString db = path(QStringLiteral("big.met"));
    makeDatabase(db, {QStringLiteral("create table [big] (id integer, v double)")});
    fillTable(db, QStringLiteral("big"), 32765, [](int i) { return QStringLiteral("%1, %1.5").arg(i + 1); });
    const QString fits = path(QStringLiteral("fits.xlsx"));
    ASSERT_EQ(exportWorkbook(db, fits, {}), WorkbookSave::Saved);
    const auto cells = Workbook(fits).cells(QStringLiteral("big"));
    EXPECT_EQ(cells[QStringLiteral("A32766")].value, QStringLiteral("32765"));
    EXPECT_EQ(cells[QStringLiteral("B32766")].value, QStringLiteral("32765.5"));
    EXPECT_FALSE(cells.contains(QStringLiteral("A32767")));

    // One more record goes to row 32,767, after which the count overflows.
    fillTable(db, QStringLiteral("big"), 1, [](int) { return QStringLiteral("0, 0"); });
    QString log;
    WorkbookExportHooks hooks;
    hooks.log = [&log](const QString& t) { log += t; };
    const QString over = path(QStringLiteral("over.xlsx"));
    EXPECT_EQ(errorNumber(db, over, hooks), platform::ErrOverflow);
    // The message says why.
    try {
        exportWorkbook(db, over, hooks);
    } catch (const platform::RuntimeError& e) {
        EXPECT_TRUE(e.description().startsWith(QStringLiteral("Overflow: a worksheet of this export holds at most "
                                                              "32,766 rows")))
            << e.description().toStdString();
        EXPECT_TRUE(e.description().contains(QStringLiteral("the table big has more records")));
    }
    EXPECT_FALSE(QFile::exists(over));
    EXPECT_TRUE(log.endsWith(QStringLiteral("Adding Data from Database Table big...\n")));
}

TEST_F(WorkbookExportTest, FailedExportLeavesNoWorkbookAndAnEarlierFileUntouched)
{
    const QString xlsx = path(QStringLiteral("target.xlsx"));
    // A missing database, a folder, a file that is not a database.
    EXPECT_EQ(errorNumber(path(QStringLiteral("missing.met")), xlsx), platform::ErrDbOpen);
    EXPECT_EQ(errorNumber(dir.path(), xlsx), platform::ErrDbOpen);
    const QString text = path(QStringLiteral("notes.met"));
    writeFile(text, QByteArray("these are not the studies you are looking for, not a database at all"));
    EXPECT_EQ(errorNumber(text, xlsx), platform::ErrDbOpen);
    EXPECT_FALSE(QFile::exists(xlsx));

    writeFile(xlsx, "earlier workbook");
    EXPECT_EQ(errorNumber(text, xlsx), platform::ErrDbOpen);
    EXPECT_EQ(readAll(xlsx), QByteArray("earlier workbook"));
    EXPECT_EQ(readAll(text).left(9), QByteArray("these are"));   // the source is only read

    // A folder that cannot take the workbook.
    EXPECT_EQ(errorNumber(studyDatabase(), path(QStringLiteral("no/such/folder/x.xlsx"))), platform::ErrPathFileAccess);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 3);

    // Never over the database itself, even when replacing is confirmed.
    const QString db = studyDatabase();
    const QByteArray before = readAll(db);
    WorkbookExportHooks yes;
    yes.confirmReplace = [](const QString&) { return true; };
    EXPECT_EQ(errorNumber(db, db, yes), platform::ErrPathFileAccess);
    EXPECT_EQ(errorNumber(db, path(QStringLiteral("./studies.met")), yes), platform::ErrPathFileAccess);
    EXPECT_EQ(readAll(db), before);
}

TEST_F(WorkbookExportTest, ExistingFileIsReplacedOnlyWhenConfirmed)
{
    const QString db = studyDatabase();
    const QString xlsx = path(QStringLiteral("old.xlsx"));
    writeFile(xlsx, "earlier workbook");
    QStringList asked;
    WorkbookExportHooks hooks;
    hooks.confirmReplace = [&asked](const QString& p) {
        asked << p;
        return false;
    };
    EXPECT_EQ(exportWorkbook(db, xlsx, hooks), WorkbookSave::Declined);
    EXPECT_EQ(asked, QStringList({xlsx}));
    EXPECT_EQ(readAll(xlsx), QByteArray("earlier workbook"));

    hooks.confirmReplace = [](const QString&) { return true; };
    EXPECT_EQ(exportWorkbook(db, xlsx, hooks), WorkbookSave::Saved);
    EXPECT_EQ(Workbook(xlsx).sheetNames().value(0), QStringLiteral("data"));
}

} // namespace

namespace {

// A study database written through the program's own database provider
// exports its Booleans as true/false and its numbers and texts as written.
TEST(WorkbookExportOfProviderFile, BooleansNumbersAndTexts)
{
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("provider.met"));
    {
        auto connection = std::make_shared<platform::Connection>();
        connection->create(db);
        connection->execute(createStudyTable());
        platform::Recordset rs;
        rs.open(connection, QStringLiteral("select * from [data]"), QStringLiteral("data"));
        rs.addNew();
        rs.setValue(QStringLiteral("Study Name"), QStringLiteral("Jones"));
        rs.setValue(QStringLiteral("Include"), QStringLiteral("-1"));
        rs.setValue(QStringLiteral("Xtra6"), false);
        rs.setValue(QStringLiteral("Cohen +95"), 0.8125);
        rs.update();
        rs.close();
    }
    const QString xlsx = dir.filePath(QStringLiteral("provider.xlsx"));
    ASSERT_EQ(exportWorkbook(db, xlsx, {}), WorkbookSave::Saved);
    const auto cells = Workbook(xlsx).cells(QStringLiteral("data"));
    EXPECT_EQ(cells[QStringLiteral("B2")].value, QStringLiteral("0.8125"));
    EXPECT_EQ(cells[QStringLiteral("I2")].type, QStringLiteral("b"));
    EXPECT_EQ(cells[QStringLiteral("I2")].value, QStringLiteral("1"));
    EXPECT_EQ(cells[QStringLiteral("AI2")].value, QStringLiteral("1"));   // the default
    EXPECT_EQ(cells[QStringLiteral("AJ2")].type, QStringLiteral("b"));
    EXPECT_EQ(cells[QStringLiteral("AJ2")].value, QStringLiteral("0"));
    EXPECT_EQ(cells[QStringLiteral("Q2")].value, QStringLiteral("Jones"));
}

// Include holds TRUE or FALSE by the rule the grid and the meta-analysis
// read it with, whatever the file stores in it and declares it as; Null
// leaves the cell empty.
TEST(WorkbookExportOfOtherToolsFile, IncludeIsTrueOrFalseByTheOneRule)
{
    QTemporaryDir dir;
    for (const char* declaration : testkit::kYesNoDeclarations) {
        SCOPED_TRACE(declaration);
        const QString db = dir.filePath(QStringLiteral("%1.met").arg(QLatin1String(declaration)));
        QString create = createStudyTable();
        const QString own = QStringLiteral("[Include] boolean not null default -1");
        ASSERT_TRUE(create.contains(own));
        create.replace(own, QStringLiteral("[Include] %1").arg(QLatin1String(declaration)));
        QStringList statements{create};
        int id = 0;
        for (const testkit::StoredTruthForm& f : testkit::kStoredTruthForms)
            statements << insertStudy({{"Study ID", QString::number(++id)}, {"Include", QLatin1String(f.literal)}});
        makeDatabase(db, statements);
        const QString xlsx = dir.filePath(QStringLiteral("%1.xlsx").arg(QLatin1String(declaration)));
        ASSERT_EQ(exportWorkbook(db, xlsx, {}), WorkbookSave::Saved);
        const auto cells = Workbook(xlsx).cells(QStringLiteral("data"));
        int row = 1;
        for (const testkit::StoredTruthForm& f : testkit::kStoredTruthForms) {
            SCOPED_TRACE(f.literal);
            const QString ref = QStringLiteral("I%1").arg(++row);
            if (QLatin1String(f.literal) == QLatin1String("NULL")) {
                EXPECT_FALSE(cells.contains(ref));
                continue;
            }
            const bool expected = testkit::isTextDeclaration(declaration) ? f.truthAsText : f.truth;
            ASSERT_TRUE(cells.contains(ref));
            EXPECT_EQ(cells[ref].type, QStringLiteral("b"));
            EXPECT_EQ(cells[ref].value, expected ? QStringLiteral("1") : QStringLiteral("0"));
        }
    }
}

} // namespace

// A database left half written by a killed process is exported as last
// committed.
TEST_F(WorkbookExportTest, ATornDatabaseIsExportedAsLastCommitted)
{
    const QString db = path(QStringLiteral("torn.met"));
    makeTornDatabase(db, 3000);
    const QString xlsx = path(QStringLiteral("torn.xlsx"));
    ASSERT_EQ(exportWorkbook(db, xlsx, {}), WorkbookSave::Saved);
    const auto t = Workbook(xlsx).cells(QStringLiteral("t"));
    int olds = 0;
    for (int row = 2; row <= 3001; ++row)
        olds += t.value(QStringLiteral("B%1").arg(row)).value.startsWith(QLatin1String("old")) ? 1 : 0;
    EXPECT_EQ(olds, 3000);
}
