// The database provider: opening files, the recordset's moves, pending
// edits, conversions on write and the database's refusals.
#include "platform/Errors.h"
#include "platform/Recordset.h"
#include "testkit/StoredTruthForms.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <random>
#include <gtest/gtest.h>
#include <thread>

using platform::Connection;
using platform::Recordset;
using platform::RuntimeError;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("studies.met"));
        conn = std::make_shared<Connection>();
        conn->create(path);
        conn->execute(QStringLiteral(
            "CREATE TABLE data (\"Name\" VARCHAR(10) COLLATE NOCASE CHECK (length(\"Name\") > 0), "
            "\"Score\" DOUBLE, \"Count\" INTEGER, \"Include\" BOOLEAN NOT NULL DEFAULT -1)"));
        conn->execute(QStringLiteral("INSERT INTO data VALUES ('beta', 2.5, 3, -1)"));
        conn->execute(QStringLiteral("INSERT INTO data VALUES ('Alpha', NULL, 1, 0)"));
        conn->execute(QStringLiteral("INSERT INTO data VALUES ('gamma', -1, NULL, -1)"));
        rs.open(conn, QStringLiteral("SELECT [Name], [Score], [Count], [Include] FROM data ORDER BY [Name]"),
                QStringLiteral("data"));
    }

    // What the file holds, read past the recordset.
    QVariant stored(const QString& sql)
    {
        QSqlQuery q(conn->database());
        EXPECT_TRUE(q.exec(sql));
        return q.next() ? q.value(0) : QVariant();
    }

    QTemporaryDir dir;
    QString path;
    std::shared_ptr<Connection> conn;
    Recordset rs;
};

TEST_F(RecordsetTest, ReadsTypedValuesInQueryOrder)
{
    ASSERT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.fieldCount(), 4);
    EXPECT_EQ(rs.fieldIndex(QStringLiteral("score")), 1);
    EXPECT_EQ(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("Alpha"));   // without case
    EXPECT_FALSE(rs.value(QStringLiteral("Score")).isValid());                        // Null
    EXPECT_EQ(rs.value(QStringLiteral("Include")).typeId(), QMetaType::Bool);
    EXPECT_FALSE(rs.value(QStringLiteral("Include")).toBool());
    rs.moveNext();
    EXPECT_DOUBLE_EQ(rs.value(1).toDouble(), 2.5);
    EXPECT_EQ(rs.value(2).toInt(), 3);
    rs.moveNext();
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.value(0), RuntimeError);
    EXPECT_THROW(rs.moveNext(), RuntimeError);
}

TEST_F(RecordsetTest, MovingOffARecordCommitsItsEdit)
{
    rs.setValue(QStringLiteral("Score"), QStringLiteral("1.25"));
    EXPECT_TRUE(rs.editPending());
    EXPECT_DOUBLE_EQ(rs.value(QStringLiteral("Score")).toDouble(), 1.25);
    EXPECT_TRUE(stored(QStringLiteral("SELECT Score FROM data WHERE Name = 'Alpha'")).isNull());
    rs.moveNext();
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Name = 'Alpha'")).toDouble(), 1.25);
    // Booleans are stored as -1 / 0.
    rs.setValue(QStringLiteral("Include"), false);
    rs.update();
    EXPECT_EQ(stored(QStringLiteral("SELECT Include FROM data WHERE Name = 'beta'")).toInt(), 0);
}

TEST_F(RecordsetTest, ConversionsOnWrite)
{
    struct Case {
        const char* field;
        QVariant value;
        bool ok;
        QVariant expected;
    };
    const Case cases[] = {
        {"Score", QStringLiteral("-0.5"), true, -0.5},
        {"Score", QStringLiteral("1,5"), false, {}},          // "." is the only decimal separator
        {"Score", QStringLiteral("abc"), false, {}},
        {"Count", QStringLiteral("7"), true, 7},
        {"Count", QStringLiteral("7.5"), false, {}},
        {"Include", QStringLiteral("-1"), true, true},
        {"Include", QStringLiteral("No"), true, false},
        {"Include", QStringLiteral("maybe"), false, {}},
        {"Name", QStringLiteral("0123456789"), true, QStringLiteral("0123456789")},
        {"Name", QStringLiteral("0123456789X"), false, {}},  // longer than the field
        {"Name", QVariant(), true, QVariant()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " <- " + c.value.toString().toStdString());
        rs.cancelUpdate();
        if (c.ok) {
            ASSERT_NO_THROW(rs.setValue(QString::fromLatin1(c.field), c.value));
            EXPECT_EQ(rs.value(QString::fromLatin1(c.field)), c.expected);
        } else {
            EXPECT_THROW(rs.setValue(QString::fromLatin1(c.field), c.value), RuntimeError);
        }
    }
}

TEST_F(RecordsetTest, RefusedWriteStaysPendingAndKeepsThePosition)
{
    rs.moveTo(1);
    rs.setValue(QStringLiteral("Name"), QString());   // empty text refused by the table
    EXPECT_THROW(rs.moveNext(), RuntimeError);
    EXPECT_EQ(rs.position(), 1);
    EXPECT_TRUE(rs.editPending());
    rs.setValue(QStringLiteral("Include"), QVariant());   // Null into a required field
    rs.setValue(QStringLiteral("Name"), QStringLiteral("delta"));
    try {
        rs.update();
        FAIL() << "a Null in a required field was stored";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("You must enter a value in the 'data.Include' field."));
    }
    rs.cancelUpdate();
    EXPECT_EQ(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("beta"));
    EXPECT_EQ(stored(QStringLiteral("SELECT count(*) FROM data WHERE Name = 'beta'")).toInt(), 1);
}

TEST_F(RecordsetTest, AddNewTakesDefaultsAndDeleteMovesOn)
{
    rs.addNew();
    EXPECT_EQ(rs.position(), 3);
    rs.setValue(QStringLiteral("Name"), QStringLiteral("new"));
    rs.update();
    EXPECT_TRUE(rs.value(QStringLiteral("Include")).toBool());   // the table's default
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(stored(QStringLiteral("SELECT count(*) FROM data")).toInt(), 4);

    rs.moveTo(1);   // beta
    rs.deleteCurrent();
    EXPECT_EQ(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("gamma"));
    EXPECT_EQ(stored(QStringLiteral("SELECT count(*) FROM data WHERE Name = 'beta'")).toInt(), 0);
    rs.moveLast();
    rs.deleteCurrent();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.recordCount(), 2);

    // A new record dropped before it was written leaves nothing behind.
    rs.addNew();
    rs.cancelUpdate();
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(stored(QStringLiteral("SELECT count(*) FROM data")).toInt(), 2);
}

TEST_F(RecordsetTest, SortIsStableNullsFirstTextWithoutCase)
{
    rs.sortBy(QStringLiteral("Score"), false);
    QStringList names;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        names << rs.value(0).toString();
    EXPECT_EQ(names, (QStringList{"Alpha", "gamma", "beta"}));
    // Booleans order by their stored value: true (-1) before false (0).
    rs.sortBy(QStringLiteral("Include"), false);
    names.clear();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        names << rs.value(0).toString();
    EXPECT_EQ(names, (QStringList{"gamma", "beta", "Alpha"}));
    rs.sortBy(QStringLiteral("name"), true);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("gamma"));
    EXPECT_EQ(rs.position(), 0);
}

// A computed column of every record in one go: the file and the records
// hold the values, a pending edit is committed first, and a refusal keeps
// the records written before it.
TEST_F(RecordsetTest, StoreFieldsWritesManyRecordsAtOnce)
{
    int notices = 0;
    rs.setChangeListener([&notices] { ++notices; });
    rs.setValue(QStringLiteral("Name"), QStringLiteral("Alpha2"));   // pending on the first record
    const std::vector<int> fields{1, 2};
    rs.storeFields(fields, {0, 1, 2}, [](int row, int k) {
        return k == 0 ? (row == 1 ? QVariant() : QVariant(row + 0.5)) : QVariant(QStringLiteral("%1").arg(row * 10));
    });
    EXPECT_EQ(notices, 2);   // the committed edit, then the stored fields
    EXPECT_EQ(stored(QStringLiteral("SELECT Name FROM data WHERE Count = 0")).toString(), QStringLiteral("Alpha2"));
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Name = 'Alpha2'")).toDouble(), 0.5);
    EXPECT_TRUE(stored(QStringLiteral("SELECT Score FROM data WHERE Name = 'beta'")).isNull());
    EXPECT_EQ(stored(QStringLiteral("SELECT Count FROM data WHERE Name = 'gamma'")).toInt(), 20);
    EXPECT_DOUBLE_EQ(rs.valueAt(2, 1).toDouble(), 2.5);
    EXPECT_EQ(rs.valueAt(2, 2).toInt(), 20);

    // Text that is no number: the first record is written, the second not.
    EXPECT_THROW(rs.storeFields({2}, {0, 1}, [](int row, int) {
        return row == 0 ? QVariant(7) : QVariant(QStringLiteral("seven"));
    }),
                 RuntimeError);
    EXPECT_EQ(rs.valueAt(0, 2).toInt(), 7);
    EXPECT_EQ(stored(QStringLiteral("SELECT Count FROM data WHERE Name = 'Alpha2'")).toInt(), 7);
    EXPECT_EQ(rs.valueAt(1, 2).toInt(), 10);
}

// The many-record write is one statement; when the database refuses it the
// records are written one by one up to the one refused, as before, and a
// record listed twice keeps its last value.
TEST_F(RecordsetTest, StoreFieldsRefusedByTheDatabaseKeepsTheRecordsBeforeIt)
{
    conn->execute(QStringLiteral("CREATE TRIGGER cap BEFORE UPDATE OF Score ON data WHEN NEW.Score > 100 "
                                 "BEGIN SELECT RAISE(ABORT, 'Score too high'); END"));
    try {
        rs.storeFields({1}, {0, 1, 2}, [](int row, int) { return QVariant(row == 1 ? 500.0 : row + 1.0); });
        ADD_FAILURE() << "the refusal was not raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrDbRefused);
        EXPECT_TRUE(e.description().contains(QStringLiteral("Score too high"))) << e.description().toStdString();
    }
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Name = 'Alpha'")).toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Name = 'beta'")).toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Name = 'gamma'")).toDouble(), -1.0);
    EXPECT_DOUBLE_EQ(rs.valueAt(0, 1).toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(rs.valueAt(1, 1).toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(rs.valueAt(2, 1).toDouble(), -1.0);

    rs.storeFields({1}, {2, 2}, [](int, int) {
        static double next = 10;
        return QVariant(next++);
    });
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Name = 'gamma'")).toDouble(), 11.0);
    EXPECT_DOUBLE_EQ(rs.valueAt(2, 1).toDouble(), 11.0);
    // No scratch table is left behind.
    EXPECT_EQ(stored(QStringLiteral("SELECT count(*) FROM sqlite_temp_master")).toInt(), 0);
}

// Any stored Boolean other than 0 reads as true (other tools store 1).
TEST_F(RecordsetTest, AnyNonZeroBooleanIsTrue)
{
    conn->execute(QStringLiteral("UPDATE data SET Include = 1 WHERE Name = 'beta'"));
    conn->execute(QStringLiteral("UPDATE data SET Include = 0.25 WHERE Name = 'gamma'"));
    rs.open(conn, QStringLiteral("SELECT [Name], [Include] FROM data ORDER BY [Name]"), QStringLiteral("data"));
    EXPECT_FALSE(rs.valueAt(0, 1).toBool());
    EXPECT_TRUE(rs.valueAt(1, 1).toBool());
    EXPECT_TRUE(rs.valueAt(2, 1).toBool());
}

// The rule as SQLite itself reads a stored value: numbers other than 0, text
// as the number CAST reads from it, never a blob.
QString engineTruthSql(const QString& column)
{
    return QStringLiteral("(CASE typeof(%1) WHEN 'integer' THEN %1 <> 0 WHEN 'real' THEN %1 <> 0 "
                          "WHEN 'text' THEN CAST(%1 AS REAL) <> 0 ELSE 0 END)")
        .arg(column);
}

// One rule of truth for a yes/no column whatever type it is declared with,
// the same in SQL, in the values read and in SQLite's own reading of what
// the column holds; a yes/no written into it reads back as written.
TEST_F(RecordsetTest, StoredTruthIsOneRuleInSqlAndInValuesReadForEveryDeclaration)
{
    for (const char* declaration : testkit::kYesNoDeclarations) {
        SCOPED_TRACE(declaration);
        conn->execute(QStringLiteral("DROP TABLE IF EXISTS flags"));
        conn->execute(QStringLiteral("CREATE TABLE flags (\"Flag\" %1, \"Form\" INTEGER)")
                          .arg(QLatin1String(declaration)));
        QStringList rows;
        for (const testkit::StoredTruthForm& f : testkit::kStoredTruthForms)
            rows << QStringLiteral("(%1, %2)").arg(QLatin1String(f.literal)).arg(rows.size());
        conn->execute(QStringLiteral("INSERT INTO flags VALUES ") + rows.join(QStringLiteral(", ")));
        const QString sql = QStringLiteral("SELECT [Flag], %1 AS Rule, %2 AS Engine FROM flags ORDER BY [Form]")
                                .arg(platform::storedTruthSql(QStringLiteral("\"Flag\"")),
                                     engineTruthSql(QStringLiteral("\"Flag\"")));
        Recordset flags;
        flags.setYesNoFields({QStringLiteral("flag")});
        flags.open(conn, sql, QStringLiteral("flags"));
        Recordset plain;   // not told that Flag is a yes/no
        plain.open(conn, sql, QStringLiteral("flags"));
        ASSERT_EQ(flags.recordCount(), int(std::size(testkit::kStoredTruthForms)));
        int yesRow = -1;
        for (int i = 0; i < flags.recordCount(); ++i) {
            const testkit::StoredTruthForm& f = testkit::kStoredTruthForms[i];
            SCOPED_TRACE(f.literal);
            const bool expected = testkit::isTextDeclaration(declaration) ? f.truthAsText : f.truth;
            EXPECT_EQ(flags.valueAt(i, 1).toInt() != 0, expected);
            EXPECT_EQ(flags.valueAt(i, 2).toInt() != 0, expected);
            EXPECT_EQ(flags.truthAt(i, 0), expected);
            EXPECT_EQ(plain.truthAt(i, 0), expected);
            const QVariant v = flags.valueAt(i, 0);
            if (QLatin1String(f.literal) != QLatin1String("NULL")) {
                EXPECT_EQ(v.typeId(), QMetaType::Bool);
                EXPECT_EQ(v.toBool(), expected);
            }
            if (QLatin1String(f.literal) == QLatin1String("'yes'"))
                yesRow = i;
        }
        // Yes written over 'yes' (which reads as no), by a recordset that
        // knows the field and by one that does not.
        for (Recordset* rs : {&flags, &plain}) {
            rs->requery();
            rs->moveTo(yesRow);
            rs->setValue(0, false);
            rs->update();
            rs->setValue(0, true);
            rs->update();
            rs->requery();
            EXPECT_TRUE(rs->truthAt(yesRow, 0));
            EXPECT_EQ(rs->valueAt(yesRow, 2).toInt(), 1);
        }
    }
}

// Text reads as SQLite reads the number it starts with, for texts built of
// the characters that make or end a number, and for numbers at the edges of
// what a double holds.
TEST_F(RecordsetTest, StoredTruthReadsTextAsSqliteReadsIt)
{
    QStringList texts = {QStringLiteral("9.99988867182683e-321"), QStringLiteral("4.9e-324"),
                         QStringLiteral("2.4703282292062328e-324"), QStringLiteral("2.4703282292062327e-324"),
                         QStringLiteral("2.5e-324"), QStringLiteral("1e-400"), QStringLiteral("1.8e308"),
                         QStringLiteral("-1.8e308"), QStringLiteral("1e308"), QStringLiteral("-0"),
                         QStringLiteral("0e999"), QStringLiteral("000.000001e-320"), QStringLiteral("1."),
                         QStringLiteral("."), QStringLiteral("+"), QStringLiteral("1e"), QStringLiteral("1e+"),
                         QStringLiteral("Inf"), QStringLiteral("-Inf"), QStringLiteral("NaN"),
                         QStringLiteral("0.") + QString(20000, QLatin1Char('0')) + QStringLiteral("1e25000"),
                         QStringLiteral("0.") + QString(20000, QLatin1Char('0')) + QStringLiteral("1e19999"),
                         QStringLiteral("1") + QString(20000, QLatin1Char('0')) + QStringLiteral("e-20005"),
                         QStringLiteral("1e-99999999999999999999"), QStringLiteral("1e99999999999999999999"),
                         QString(400, QLatin1Char('9')), QStringLiteral("0.") + QString(400, QLatin1Char('0')) +
                                                            QStringLiteral("1")};
    const QString alphabet = QStringLiteral(" \t\n+-.eE0159x") + QChar(0x00A0) + QChar(0x3000);
    std::mt19937 random(26);
    for (int i = 0; i < 20000; ++i) {
        QString t;
        const int length = 1 + int(random() % 10);
        for (int k = 0; k < length; ++k)
            t += alphabet[int(random() % unsigned(alphabet.size()))];
        texts << t;
    }
    // Where a double runs out of digits: long mantissas, tiny exponents.
    const QString digits = QStringLiteral("0123456789");
    for (int i = 0; i < 5000; ++i) {
        QString t;
        const int length = 1 + int(random() % 25);
        const int point = int(random() % unsigned(length + 1));
        for (int k = 0; k < length; ++k) {
            if (k == point)
                t += QLatin1Char('.');
            t += digits[int(random() % (k < 3 && random() % 2 ? 1u : 10u))];
        }
        t += QStringLiteral("e-%1").arg(280 + int(random() % 80));
        texts << t;
    }
    QSqlQuery q(conn->database());
    ASSERT_TRUE(q.exec(QStringLiteral("CREATE TEMP TABLE texts (t TEXT)")));
    ASSERT_TRUE(conn->database().transaction());
    ASSERT_TRUE(q.prepare(QStringLiteral("INSERT INTO texts VALUES (?)")));
    for (const QString& t : texts) {
        q.addBindValue(t);
        ASSERT_TRUE(q.exec());
    }
    ASSERT_TRUE(conn->database().commit());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT t, CAST(t AS REAL) <> 0 FROM texts ORDER BY rowid")));
    int row = 0;
    int disagree = 0;
    while (q.next()) {
        const QString t = q.value(0).toString();
        EXPECT_EQ(t, texts[row]);
        if (platform::storedTruth(t) != (q.value(1).toInt() != 0) && ++disagree <= 10)
            ADD_FAILURE() << "text '" << t.toStdString() << "': SQLite reads " << q.value(1).toInt();
        ++row;
    }
    EXPECT_EQ(row, texts.size());
    EXPECT_EQ(disagree, 0);
}

TEST_F(RecordsetTest, ClosedConnectionRefusesWrites)
{
    rs.setValue(QStringLiteral("Score"), 4.0);
    conn->close();
    EXPECT_THROW(rs.update(), RuntimeError);
    EXPECT_THROW(conn->execute(QStringLiteral("SELECT 1")), RuntimeError);
}

// Two users of one file, each with its own connection and recordset. The
// table has no INTEGER PRIMARY KEY, so a row added after the last one was
// deleted takes that row's slot (rowid); `Key` is never handed out twice.
class TwoUsers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        start();
    }
    // A new file with the rows A, B and C, opened by both users.
    void start()
    {
        path = dir.filePath(QStringLiteral("shared%1.met").arg(++files));
        auto setup = std::make_shared<Connection>();
        setup->create(path);
        setup->execute(QStringLiteral("CREATE TABLE data (\"Key\" INTEGER, \"Name\" VARCHAR(20) COLLATE NOCASE, "
                                      "\"Score\" DOUBLE, \"Include\" BOOLEAN NOT NULL DEFAULT -1)"));
        setup->execute(QStringLiteral("INSERT INTO data VALUES (1, 'A', 1, -1), (2, 'B', 2.5, 0), (3, 'C', 3, -1)"));
        setup->close();
        for (int u = 0; u < 2; ++u) {
            conn[u] = std::make_shared<Connection>();
            conn[u]->open(path);
            rs[u].open(conn[u], QStringLiteral("SELECT [Key], [Name], [Score], [Include] FROM data ORDER BY [Name]"),
                       QStringLiteral("data"), QStringLiteral("Key"));
        }
    }

    // The second user deletes C and adds D, which takes C's slot.
    void replaceCByD()
    {
        rs[1].moveTo(2);
        rs[1].deleteCurrent();
        rs[1].addNew();
        rs[1].setValue(QStringLiteral("Key"), 4);
        rs[1].setValue(QStringLiteral("Name"), QStringLiteral("D"));
        rs[1].setValue(QStringLiteral("Score"), 40.0);
        rs[1].update();
    }
    QVariant stored(const QString& sql)
    {
        QSqlQuery q(conn[1]->database());
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        return q.next() ? q.value(0) : QVariant();
    }
    QStringList names(Recordset& r)
    {
        QStringList out;
        for (int i = 0; i < r.recordCount(); ++i)
            out << r.valueAt(i, 1).toString();
        return out;
    }

    QTemporaryDir dir;
    int files = 0;
    QString path;
    std::shared_ptr<Connection> conn[2];
    Recordset rs[2];
};

// Results written for many records at once (a meta-analysis run) never land
// on a record another user put in the slot of one that was read; the others
// are written, and the caller hears of the one left out.
TEST_F(TwoUsers, StoredResultsSkipARowAnotherUserReplaced)
{
    replaceCByD();
    try {
        rs[0].storeFields({2}, {0, 1, 2}, [](int row, int) { return QVariant(100.0 + row); });
        ADD_FAILURE() << "the replaced row was not reported";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrDbChanged);
    }
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Key = 4")).toDouble(), 40.0);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Key = 1")).toDouble(), 100.0);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Key = 2")).toDouble(), 101.0);
    // What was written is what the first user's later edits are checked against.
    rs[0].moveTo(0);
    rs[0].setValue(QStringLiteral("Name"), QStringLiteral("A2"));
    EXPECT_NO_THROW(rs[0].update());
    EXPECT_EQ(stored(QStringLiteral("SELECT Name FROM data WHERE Key = 1")).toString(), QStringLiteral("A2"));
}

// While another user reads the file in a transaction, results written
// outside one cannot be committed: the write is refused with the database's
// message, nothing lands, and the connection is left without a transaction
// of its own, so the next write after the other user is done lands.
TEST_F(TwoUsers, StoredResultsRefusedByAnotherUsersLockLeaveNothingOpen)
{
    conn[0]->execute(QStringLiteral("PRAGMA busy_timeout = 50"));
    QSqlQuery reader(conn[1]->database());
    ASSERT_TRUE(reader.exec(QStringLiteral("BEGIN")));
    ASSERT_TRUE(reader.exec(QStringLiteral("SELECT count(*) FROM data")));
    ASSERT_TRUE(reader.next());
    try {
        rs[0].storeFields({2}, {0, 1, 2}, [](int row, int) { return QVariant(100.0 + row); });
        ADD_FAILURE() << "the write was not refused";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrDbRefused);
        EXPECT_TRUE(e.description().contains(QStringLiteral("locked"))) << e.description().toStdString();
    }
    reader.finish();
    ASSERT_TRUE(reader.exec(QStringLiteral("COMMIT")));
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Key = 1")).toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(rs[0].valueAt(0, 2).toDouble(), 1.0);

    rs[0].storeFields({2}, {0, 1, 2}, [](int row, int) { return QVariant(200.0 + row); });
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Key = 3")).toDouble(), 202.0);
    EXPECT_DOUBLE_EQ(rs[0].valueAt(2, 2).toDouble(), 202.0);
}

TEST_F(TwoUsers, ARowReplacedByAnotherUsersNewRowIsNeitherDeletedNorOverwritten)
{
    enum class Action { Delete, Write, WriteByMoving };
    for (const Action action : {Action::Delete, Action::Write, Action::WriteByMoving}) {
        SCOPED_TRACE(int(action));
        start();
        const qint64 slotOfC = stored(QStringLiteral("SELECT rowid FROM data WHERE Key = 3")).toLongLong();
        replaceCByD();
        ASSERT_EQ(stored(QStringLiteral("SELECT rowid FROM data WHERE Key = 4")).toLongLong(), slotOfC);

        // The first user still shows C.
        rs[0].moveTo(2);
        ASSERT_EQ(rs[0].value(QStringLiteral("Name")).toString(), QStringLiteral("C"));
        try {
            switch (action) {
            case Action::Delete:
                rs[0].deleteCurrent();
                break;
            case Action::Write:
                rs[0].setValue(QStringLiteral("Score"), 99.0);
                rs[0].update();
                break;
            case Action::WriteByMoving:
                rs[0].setValue(QStringLiteral("Name"), QStringLiteral("C2"));
                rs[0].moveFirst();
                break;
            }
            FAIL() << "the other user's row was written";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), platform::ErrDbChanged);
        }
        EXPECT_EQ(stored(QStringLiteral("SELECT Name || ':' || Score FROM data WHERE Key = 4")).toString(),
                  QStringLiteral("D:40.0"));
        EXPECT_EQ(stored(QStringLiteral("SELECT count(*) FROM data")).toInt(), 3);
        // C is gone from the snapshot; the first user is on a record again.
        EXPECT_EQ(names(rs[0]), (QStringList{"A", "B"}));
        EXPECT_FALSE(rs[0].editPending());
        EXPECT_FALSE(rs[0].eof());
        EXPECT_EQ(rs[0].position(), 1);
    }
}

// A write is refused only when a column it changes was changed by another
// user since it was read; another user's change of other columns (a run
// that rewrites its result columns) blocks nothing, and the row then shows
// both. A delete is refused only when the record itself is gone.
TEST_F(TwoUsers, AConflictIsJudgedOnTheColumnsAWriteChanges)
{
    // The other user changes the case of A's name and B's score.
    rs[1].setValue(QStringLiteral("Name"), QStringLiteral("a"));
    rs[1].moveNext();
    rs[1].setValue(QStringLiteral("Score"), 20.0);
    rs[1].update();

    // A's score was not changed by the other user: the write lands and A
    // shows the other user's name with its own score.
    rs[0].setValue(QStringLiteral("Score"), 5.0);
    EXPECT_NO_THROW(rs[0].update());
    EXPECT_EQ(stored(QStringLiteral("SELECT Name || ':' || Score FROM data WHERE Key = 1")).toString(),
              QStringLiteral("a:5.0"));
    EXPECT_EQ(rs[0].value(QStringLiteral("Name")).toString(), QStringLiteral("a"));

    // B's score was: refused, with the typed values named, and B shows what
    // is stored.
    rs[0].moveNext();
    rs[0].setValue(QStringLiteral("Score"), 7.5);
    rs[0].setValue(QStringLiteral("Include"), true);
    try {
        rs[0].update();
        ADD_FAILURE() << "the other user's score was written over";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrDbChanged);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("Not saved: Score = 7.5; Include = YES.")))
            << e.description().toStdString();
    }
    EXPECT_FALSE(rs[0].editPending());
    EXPECT_DOUBLE_EQ(rs[0].value(QStringLiteral("Score")).toDouble(), 20.0);
    EXPECT_FALSE(rs[0].value(QStringLiteral("Include")).toBool());
    EXPECT_EQ(stored(QStringLiteral("SELECT Score || ':' || Include FROM data WHERE Key = 2")).toString(),
              QStringLiteral("20.0:0"));
    // Now that it shows the stored row, the same write goes through.
    rs[0].setValue(QStringLiteral("Score"), 7.5);
    rs[0].update();
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Key = 2")).toDouble(), 7.5);

    // A delete of a record another user changed deletes it.
    rs[1].moveTo(2);
    rs[1].setValue(QStringLiteral("Score"), 30.0);
    rs[1].update();
    rs[0].moveTo(2);
    EXPECT_NO_THROW(rs[0].deleteCurrent());
    EXPECT_EQ(stored(QStringLiteral("SELECT count(*) FROM data WHERE Key = 3")).toInt(), 0);
}

// One write transaction over many records: what storeFields wrote reaches
// the records only once the file has taken it. A commit refused by another
// user's read lock leaves the records as the file holds them, and the next
// edit of any record lands.
TEST_F(TwoUsers, AWriteTransactionTheFileRefusesLeavesTheRecordsAsStored)
{
    conn[0]->execute(QStringLiteral("PRAGMA busy_timeout = 50"));
    QSqlQuery reader(conn[1]->database());
    ASSERT_TRUE(reader.exec(QStringLiteral("BEGIN")));
    ASSERT_TRUE(reader.exec(QStringLiteral("SELECT count(*) FROM data")));
    ASSERT_TRUE(reader.next());
    rs[0].beginWrite();
    rs[0].storeFields({2}, {0, 1, 2}, [](int row, int) { return QVariant(100.0 + row); });
    EXPECT_DOUBLE_EQ(rs[0].valueAt(0, 2).toDouble(), 1.0);   // not yet the record's
    EXPECT_THROW(rs[0].commitWrite(), RuntimeError);
    EXPECT_FALSE(rs[0].inWrite());
    reader.finish();
    ASSERT_TRUE(reader.exec(QStringLiteral("COMMIT")));
    for (int row = 0; row < 3; ++row)
        EXPECT_DOUBLE_EQ(rs[0].valueAt(row, 2).toDouble(),
                         stored(QStringLiteral("SELECT Score FROM data WHERE Key = %1").arg(row + 1)).toDouble());
    rs[0].moveTo(1);
    rs[0].setValue(QStringLiteral("Score"), 9.0);
    EXPECT_NO_THROW(rs[0].update());
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Key = 2")).toDouble(), 9.0);

    // Committed, the records take the values.
    rs[0].beginWrite();
    rs[0].storeFields({2}, {0, 2}, [](int row, int) { return QVariant(200.0 + row); });
    rs[0].commitWrite();
    EXPECT_DOUBLE_EQ(rs[0].valueAt(2, 2).toDouble(), 202.0);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Key = 3")).toDouble(), 202.0);
    rs[0].moveTo(2);
    rs[0].setValue(QStringLiteral("Name"), QStringLiteral("C2"));
    EXPECT_NO_THROW(rs[0].update());
}

// The write lock is taken when the transaction begins, waiting for another
// user's brief lock as a single write does.
TEST_F(TwoUsers, AWriteTransactionWaitsForABriefLock)
{
    std::promise<void> locked;
    std::thread holder([this, &locked] {
        const QString name = QStringLiteral("holder");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path);
            db.open();
            QSqlQuery q(db);
            q.exec(QStringLiteral("BEGIN IMMEDIATE"));
            q.exec(QStringLiteral("UPDATE data SET Name = 'A1' WHERE Key = 1"));
            locked.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            q.exec(QStringLiteral("COMMIT"));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    });
    locked.get_future().wait();
    EXPECT_NO_THROW(rs[0].beginWrite());
    rs[0].requery();
    EXPECT_EQ(rs[0].valueAt(0, 1).toString(), QStringLiteral("A1"));
    rs[0].storeFields({2}, {0, 1, 2}, [](int row, int) { return QVariant(300.0 + row); });
    EXPECT_NO_THROW(rs[0].commitWrite());
    holder.join();
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("SELECT Score FROM data WHERE Key = 3")).toDouble(), 302.0);
}

// Reading again keeps the order of the last sort and the current record,
// and shows other users' new, changed and deleted rows.
TEST_F(TwoUsers, RequeryShowsTheFileInTheSameOrderOnTheSameRecord)
{
    rs[0].sortBy(QStringLiteral("Score"), true);   // C, B, A
    rs[0].moveTo(1);                                // B
    rs[1].moveTo(0);
    rs[1].deleteCurrent();                          // A goes
    rs[1].addNew();
    rs[1].setValue(QStringLiteral("Key"), 4);
    rs[1].setValue(QStringLiteral("Name"), QStringLiteral("D"));
    rs[1].setValue(QStringLiteral("Score"), 2.75);
    rs[1].update();
    rs[0].requery();
    EXPECT_EQ(names(rs[0]), (QStringList{"C", "D", "B"}));
    EXPECT_EQ(rs[0].value(QStringLiteral("Name")).toString(), QStringLiteral("B"));
}

TEST_F(TwoUsers, OwnWritesAndOtherUsersRowsDoNotStandInTheWay)
{
    // Several writes of one row in a row, each compared with the last one.
    rs[0].moveTo(1);
    for (const QVariant& v : {QVariant(QStringLiteral("7")), QVariant(), QVariant(2.25)}) {
        rs[0].setValue(QStringLiteral("Score"), v);
        rs[0].update();
    }
    rs[0].setValue(QStringLiteral("Include"), true);
    rs[0].setValue(QStringLiteral("Name"), QStringLiteral("Bee"));
    rs[0].update();
    // A new row is written and then changed and deleted like any other.
    rs[0].addNew();
    rs[0].setValue(QStringLiteral("Key"), 9);
    rs[0].update();
    rs[0].setValue(QStringLiteral("Name"), QStringLiteral("New"));
    rs[0].update();
    EXPECT_TRUE(rs[0].value(QStringLiteral("Include")).toBool());
    EXPECT_EQ(stored(QStringLiteral("SELECT Name FROM data WHERE Key = 9")).toString(), QStringLiteral("New"));
    rs[0].deleteCurrent();
    // The other user's change of another row blocks nothing here.
    rs[1].moveTo(2);
    rs[1].setValue(QStringLiteral("Score"), 30.0);
    rs[1].update();
    rs[0].moveFirst();
    rs[0].setValue(QStringLiteral("Score"), 11.0);
    rs[0].update();
    rs[0].deleteCurrent();
    EXPECT_EQ(stored(QStringLiteral("SELECT group_concat(Name || ':' || quote(Score), ' ') FROM "
                                    "(SELECT * FROM data ORDER BY Key)"))
                  .toString(),
              QStringLiteral("Bee:2.25 C:30.0"));
}

// Each read holds what the file holds, whatever the read before it held or
// left half done: fewer rows, more rows, a read that fails part way (the
// records stay as they were) and edits after each.
TEST_F(TwoUsers, EachReadHoldsWhatTheFileHoldsWhateverTheReadsBeforeHeld)
{
    conn[1]->execute(QStringLiteral("ALTER TABLE data ADD COLUMN \"Tag\" TEXT DEFAULT '1'"));
    // A column that cannot be read from a row whose Tag is not a number.
    rs[0].open(conn[0],
               QStringLiteral("SELECT [Key], [Name], [Score], [Include], json_extract([Tag], '$') AS T FROM data "
                              "ORDER BY [Key]"),
               QStringLiteral("data"), QStringLiteral("Key"));
    const auto file = [this] {
        return stored(QStringLiteral("SELECT group_concat(Key || ':' || Name || ':' || quote(Score) || ':' || "
                                     "Include || ':' || Tag, ' ') FROM (SELECT * FROM data ORDER BY Key)"))
            .toString();
    };
    const auto shown = [this] {
        QStringList rows;
        for (int i = 0; i < rs[0].recordCount(); ++i) {
            const QVariant score = rs[0].valueAt(i, 2);
            rows << QStringLiteral("%1:%2:%3:%4:%5")
                        .arg(rs[0].valueAt(i, 0).toString(), rs[0].valueAt(i, 1).toString(),
                             score.isNull() ? QStringLiteral("NULL") : QString::number(score.toDouble(), 'f', 1),
                             rs[0].valueAt(i, 3).toBool() ? QStringLiteral("-1") : QStringLiteral("0"),
                             rs[0].valueAt(i, 4).toString());
        }
        return rows.join(QLatin1Char(' '));
    };
    const QStringList steps = {
        QStringLiteral("INSERT INTO data VALUES (4, 'D', 4, -1, '4'), (5, 'E', NULL, 0, '5')"),
        QStringLiteral("DELETE FROM data WHERE Key IN (1, 2, 4)"),
        QStringLiteral("INSERT INTO data VALUES (6, 'F', 6, -1, '6'), (7, 'G', 7, 0, '7')"),
        QStringLiteral("UPDATE data SET Score = NULL, Name = 'c' WHERE Key = 3"),
    };
    for (const QString& step : steps) {
        conn[1]->execute(step);
        rs[0].requery();
        EXPECT_EQ(shown(), file()) << step.toStdString();
        // Each record takes an edit as read: only the column written counts.
        rs[0].moveLast();
        rs[0].setValue(QStringLiteral("Score"), 1.5);
        rs[0].update();
        EXPECT_EQ(shown(), file()) << step.toStdString();
    }
    // A read that fails part way leaves the records as they were.
    const QString before = shown();
    conn[1]->execute(QStringLiteral("UPDATE data SET Tag = 'x{' WHERE Key = 6"));
    EXPECT_THROW(rs[0].requery(), RuntimeError);
    EXPECT_EQ(shown(), before);
    conn[1]->execute(QStringLiteral("UPDATE data SET Tag = '8' WHERE Key = 6"));
    conn[1]->execute(QStringLiteral("INSERT INTO data VALUES (9, 'I', 9, -1, '9')"));
    rs[0].requery();
    EXPECT_EQ(shown(), file());
    EXPECT_EQ(rs[0].recordCount(), 5);
}

TEST(Connection, OpensOnlyExistingDatabases)
{
    QTemporaryDir dir;
    Connection c;
    EXPECT_THROW(c.open(dir.filePath(QStringLiteral("missing.met"))), RuntimeError);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing.met"))));
    EXPECT_THROW(c.open(dir.path()), RuntimeError);   // a folder
    QFile text(dir.filePath(QStringLiteral("notes.met")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("These are not the studies you are looking for.\n");
    text.close();
    EXPECT_THROW(c.open(text.fileName()), RuntimeError);
    EXPECT_FALSE(c.isOpen());

    const QString made = dir.filePath(QStringLiteral("made.met"));
    c.create(made);
    EXPECT_TRUE(QFile::exists(made));
    c.execute(QStringLiteral("CREATE TABLE data (x DOUBLE)"));
    c.execute(QStringLiteral("CREATE TABLE \"a/b\" (x DOUBLE)"));
    EXPECT_EQ(c.tables(), (QStringList{"data", "a/b"}));
    c.close();
    EXPECT_THROW(c.create(made), RuntimeError);   // never replaces a file
    c.open(made);
    EXPECT_TRUE(c.isOpen());
    c.open(made, Connection::Mode::ReadOnly);
    EXPECT_EQ(c.tables(), (QStringList{"data", "a/b"}));
    EXPECT_THROW(c.execute(QStringLiteral("CREATE TABLE more (x DOUBLE)")), RuntimeError);
}

} // namespace
