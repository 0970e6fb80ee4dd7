// The study database file as created: the table `data`, its column rules,
// its index and the numbering of new rows, read back with plain SQL.
#include "MetDataTestSupport.h"
#include "metadb/StudyTable.h"
#include "platform/Errors.h"

#include <QDir>

using namespace metdatatest;

namespace {

class StudyTableFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("studies.met"));
        metadb::createStudyDatabase(file);
    }
    // Runs one statement on the file; false when the database refuses it.
    bool exec(const QString& sql)
    {
        const QString name = QUuid::createUuid().toString();
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file);
            if (db.open()) {
                QSqlQuery q(db);
                ok = q.exec(sql);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return ok;
    }

    QTemporaryDir dir;
    QString file;
};

} // namespace

TEST_F(StudyTableFile, TheTableHasItsColumnsInOrderWithTypesAndRequiredBooleans)
{
    const QList<QVariantList> info = query(file, QStringLiteral("PRAGMA table_info(data)"));
    const struct {
        const char* name;
        const char* type;
        bool required;
    } expected[36] = {
        {"Assessment Details", "VARCHAR(100)", false}, {"Cohen +95", "DOUBLE", false},
        {"Cohen -95", "DOUBLE", false}, {"Cohen's D", "DOUBLE", false}, {"Hedges' -95", "DOUBLE", false},
        {"Hedges' +95", "DOUBLE", false}, {"Hedges' G", "DOUBLE", false}, {"Hedges' SD", "DOUBLE", false},
        {"Include", "BOOLEAN", true}, {"Mean Difference", "DOUBLE", false},
        {"Measure Used", "VARCHAR(100)", false}, {"N 1", "DOUBLE", false}, {"N 2", "DOUBLE", false},
        {"SD 1", "DOUBLE", false}, {"SD 2", "DOUBLE", false}, {"Study ID", "INTEGER", false},
        {"Study Name", "VARCHAR(100)", false}, {"Study Sample", "VARCHAR(100)", false},
        {"Experimental / Group 1 Mean", "DOUBLE", false}, {"Experimental / Group 1 Sample", "VARCHAR(100)", false},
        {"Control / Group 2 Mean", "DOUBLE", false}, {"Control / Group 2 Sample", "VARCHAR(100)", false},
        {"Total N", "DOUBLE", false}, {"Used SD", "DOUBLE", false}, {"Year of Study", "VARCHAR(50)", false},
        {"Z Score Of d", "DOUBLE", false}, {"Z Statistic", "DOUBLE", false}, {"Z Score Of g", "DOUBLE", false},
        {"% Of Weight (d)", "DOUBLE", false}, {"% Of Weight (g)", "DOUBLE", false}, {"Xtra1", "DOUBLE", false},
        {"Xtra2", "DOUBLE", false}, {"Xtra3", "VARCHAR(100)", false}, {"Xtra4", "VARCHAR(100)", false},
        {"Xtra5", "BOOLEAN", true}, {"Xtra6", "BOOLEAN", true},
    };
    ASSERT_EQ(info.size(), 36);
    for (int i = 0; i < 36; ++i) {
        EXPECT_EQ(info[i][1].toString(), QString::fromUtf8(expected[i].name)) << i;
        EXPECT_EQ(info[i][2].toString(), QString::fromLatin1(expected[i].type)) << expected[i].name;
        EXPECT_EQ(info[i][3].toInt() != 0, expected[i].required) << expected[i].name;
        EXPECT_EQ(info[i][4].toString(), expected[i].required ? QStringLiteral("-1") : QString()) << expected[i].name;
    }
    // The one user table besides the counter, and the one non-unique index.
    const QList<QVariantList> tables =
        query(file, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    ASSERT_EQ(tables.size(), 2);
    EXPECT_EQ(tables[0][0].toString(), metadb::studyIdCounterTable());
    EXPECT_TRUE(metadb::studyIdCounterTable().contains(QStringLiteral("MSys")));
    EXPECT_EQ(tables[1][0].toString(), QStringLiteral("data"));
    const QList<QVariantList> indexes = query(file, QStringLiteral("PRAGMA index_list(data)"));
    ASSERT_EQ(indexes.size(), 1);
    EXPECT_EQ(indexes[0][1].toString(), QStringLiteral("Study ID"));
    EXPECT_EQ(indexes[0][2].toInt(), 0);   // not unique
}

TEST_F(StudyTableFile, ColumnRulesRefuseWhatTheDatabaseWouldRefuse)
{
    const struct {
        const char* sql;
        bool accepted;
    } cases[] = {
        {"INSERT INTO data (\"Year of Study\") VALUES ('')", true},
        {"INSERT INTO data (\"Study Name\") VALUES ('')", false},
        {"INSERT INTO data (\"Measure Used\") VALUES ('')", false},
        {"INSERT INTO data (\"Xtra4\") VALUES ('')", false},
        {"INSERT INTO data (\"Study Name\") VALUES (NULL)", true},
        {"INSERT INTO data (\"Study Name\") VALUES (printf('%.100c', 'x'))", true},
        {"INSERT INTO data (\"Study Name\") VALUES (printf('%.101c', 'x'))", false},
        {"INSERT INTO data (\"Year of Study\") VALUES (printf('%.51c', 'x'))", false},
        {"INSERT INTO data (\"SD 1\") VALUES ('abc')", false},
        {"INSERT INTO data (\"SD 1\") VALUES (2.5)", true},
        {"INSERT INTO data (\"Include\") VALUES (NULL)", false},
        {"INSERT INTO data (\"Xtra5\") VALUES (NULL)", false},
        {"INSERT INTO data (\"Xtra6\") VALUES (NULL)", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exec(QString::fromUtf8(c.sql)), c.accepted) << c.sql;
}

TEST_F(StudyTableFile, NewRowsAreNumberedOnceAndTrueByDefault)
{
    for (const char* name : {"b", "a", "C"})
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO data (\"Study Name\") VALUES ('%1')").arg(QLatin1String(name))));
    ASSERT_TRUE(exec(QStringLiteral("DELETE FROM data WHERE \"Study Name\" = 'C'")));
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO data (\"Study Name\") VALUES ('d')")));
    // The grid's query sorts text without regard to case.
    const QList<QVariantList> rows = query(file, metadb::studySql());
    ASSERT_EQ(rows.size(), 3);
    ASSERT_EQ(rows[0].size(), 30);
    EXPECT_EQ(rows[0][2].toString(), QStringLiteral("a"));
    EXPECT_EQ(rows[0][0].toInt(), 2);
    EXPECT_EQ(rows[1][0].toInt(), 1);
    EXPECT_EQ(rows[2][0].toInt(), 4);   // 3 went with its row and is not handed out again
    for (const QVariantList& r : rows)
        EXPECT_EQ(r[1].toInt(), -1);
    const QList<QVariantList> extra = query(file, QStringLiteral("SELECT DISTINCT Xtra5, Xtra6 FROM data"));
    ASSERT_EQ(extra.size(), 1);
    EXPECT_EQ(extra[0][0].toInt(), -1);
    EXPECT_EQ(extra[0][1].toInt(), -1);
    EXPECT_EQ(query(file, QStringLiteral("SELECT COUNT(*) FROM data WHERE (`Include`) = -1"))[0][0].toInt(), 3);
}

TEST(StudyTableCreation, AnExistingFileIsNeverTouchedAndNothingIsLeftBehind)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("taken.met"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious");
    }
    EXPECT_THROW(metadb::createStudyDatabase(file), platform::RuntimeError);
    EXPECT_EQ(bytes(file), QByteArray("precious"));
    EXPECT_THROW(metadb::createStudyDatabase(dir.filePath(QStringLiteral("no/such/folder.met"))),
                 platform::RuntimeError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("taken.met")});
}
