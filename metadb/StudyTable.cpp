#include "metadb/StudyTable.h"

#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace metadb {

namespace {

constexpr int ErrFileAlreadyExists = 58;
constexpr int ErrCannotCreate = 3051;

const StudyColumn Columns[StudyColumnCount] = {
    {"Assessment Details", ColumnKind::Text, 100},
    {"Cohen +95", ColumnKind::Double, 0},
    {"Cohen -95", ColumnKind::Double, 0},
    {"Cohen's D", ColumnKind::Double, 0},
    {"Hedges' -95", ColumnKind::Double, 0},
    {"Hedges' +95", ColumnKind::Double, 0},
    {"Hedges' G", ColumnKind::Double, 0},
    {"Hedges' SD", ColumnKind::Double, 0},
    {"Include", ColumnKind::Boolean, 0},
    {"Mean Difference", ColumnKind::Double, 0},
    {"Measure Used", ColumnKind::Text, 100},
    {"N 1", ColumnKind::Double, 0},
    {"N 2", ColumnKind::Double, 0},
    {"SD 1", ColumnKind::Double, 0},
    {"SD 2", ColumnKind::Double, 0},
    {"Study ID", ColumnKind::Long, 0},
    {"Study Name", ColumnKind::Text, 100},
    {"Study Sample", ColumnKind::Text, 100},
    {"Experimental / Group 1 Mean", ColumnKind::Double, 0},
    {"Experimental / Group 1 Sample", ColumnKind::Text, 100},
    {"Control / Group 2 Mean", ColumnKind::Double, 0},
    {"Control / Group 2 Sample", ColumnKind::Text, 100},
    {"Total N", ColumnKind::Double, 0},
    {"Used SD", ColumnKind::Double, 0},
    {"Year of Study", ColumnKind::Text, 50},
    {"Z Score Of d", ColumnKind::Double, 0},
    {"Z Statistic", ColumnKind::Double, 0},
    {"Z Score Of g", ColumnKind::Double, 0},
    {"% Of Weight (d)", ColumnKind::Double, 0},
    {"% Of Weight (g)", ColumnKind::Double, 0},
    {"Xtra1", ColumnKind::Double, 0},
    {"Xtra2", ColumnKind::Double, 0},
    {"Xtra3", ColumnKind::Text, 100},
    {"Xtra4", ColumnKind::Text, 100},
    {"Xtra5", ColumnKind::Boolean, 0},
    {"Xtra6", ColumnKind::Boolean, 0},
};

const int Widths[GridColumnCount] = {1000, 1000, 2000, 1200, 1200, 1500, 1600, 2500, 2500, 1000,
                                     1000, 2000, 2000, 1000, 1000, 1000, 1500, 1000, 1000, 1000,
                                     1000, 1000, 1000, 1000, 1200, 1200, 1200, 1200, 1500, 1500};

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

// One column of the CREATE TABLE statement. Text refuses the empty string
// (only the year may be empty) and anything longer than its size; numbers
// refuse text; the Booleans are required and default to true (-1).
QString columnDefinition(const StudyColumn& c)
{
    const QString name = QString::fromUtf8(c.name);
    const QString q = quoted(name);
    switch (c.kind) {
    case ColumnKind::Text: {
        const int least = name == QLatin1String("Year of Study") ? 0 : 1;
        return QStringLiteral("%1 VARCHAR(%2) COLLATE NOCASE CHECK (%1 IS NULL OR (typeof(%1) = 'text' AND "
                              "length(%1) BETWEEN %3 AND %2))")
            .arg(q)
            .arg(c.size)
            .arg(least);
    }
    case ColumnKind::Double:
        return QStringLiteral("%1 DOUBLE CHECK (typeof(%1) IN ('null', 'real', 'integer'))").arg(q);
    case ColumnKind::Long:
        return QStringLiteral("%1 INTEGER CHECK (typeof(%1) IN ('null', 'integer'))").arg(q);
    case ColumnKind::Boolean:
        return QStringLiteral("%1 BOOLEAN NOT NULL DEFAULT -1").arg(q);
    }
    return q;
}

class ScratchDatabase {
public:
    explicit ScratchDatabase(const QString& file) : name_(QUuid::createUuid().toString())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(file);
    }
    ~ScratchDatabase()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
};

void buildInto(const QString& file)
{
    ScratchDatabase scratch(file);
    QSqlDatabase db = scratch.db();
    if (!db.open())
        throw platform::RuntimeError(ErrCannotCreate, db.lastError().text());
    if (!db.transaction())
        throw platform::RuntimeError(ErrCannotCreate, db.lastError().text());
    for (const QString& sql : studyTableDdl()) {
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            const QString why = q.lastError().text();
            db.rollback();
            throw platform::RuntimeError(ErrCannotCreate, why);
        }
    }
    if (!db.commit())
        throw platform::RuntimeError(ErrCannotCreate, db.lastError().text());
}

} // namespace

const StudyColumn* studyColumns() { return Columns; }

QStringList studyYesNoColumns()
{
    QStringList names;
    for (const StudyColumn& c : Columns)
        if (c.kind == ColumnKind::Boolean)
            names << QString::fromUtf8(c.name);
    return names;
}

QString studyIdCounterTable() { return QStringLiteral("MSysStudyNumbers"); }

QStringList studyTableDdl()
{
    QStringList columns;
    for (const StudyColumn& c : Columns)
        columns << columnDefinition(c);
    const QString counter = quoted(studyIdCounterTable());
    return {
        QStringLiteral("CREATE TABLE data (%1)").arg(columns.join(QStringLiteral(", "))),
        QStringLiteral("CREATE INDEX \"Study ID\" ON data (\"Study ID\")"),
        QStringLiteral("CREATE TABLE %1 (\"Table\" VARCHAR(64) PRIMARY KEY, \"Last ID\" INTEGER NOT NULL)")
            .arg(counter),
        QStringLiteral("INSERT INTO %1 VALUES ('data', 0)").arg(counter),
        // A new row without a number takes the next one; numbers are never
        // handed out twice, also after rows were deleted.
        QStringLiteral("CREATE TRIGGER \"data Study ID\" AFTER INSERT ON data FOR EACH ROW "
                       "WHEN NEW.\"Study ID\" IS NULL BEGIN "
                       "UPDATE %1 SET \"Last ID\" = \"Last ID\" + 1 WHERE \"Table\" = 'data'; "
                       "UPDATE data SET \"Study ID\" = (SELECT \"Last ID\" FROM %1 WHERE \"Table\" = 'data') "
                       "WHERE rowid = NEW.rowid; END")
            .arg(counter),
        // A row that brings its own number moves the counter past it.
        QStringLiteral("CREATE TRIGGER \"data Study ID given\" AFTER INSERT ON data FOR EACH ROW "
                       "WHEN NEW.\"Study ID\" IS NOT NULL BEGIN "
                       "UPDATE %1 SET \"Last ID\" = max(\"Last ID\", NEW.\"Study ID\") WHERE \"Table\" = 'data'; "
                       "END")
            .arg(counter),
    };
}

void createStudyDatabase(const QString& path)
{
    const QFileInfo target(path);
    if (path.isEmpty() || target.exists() || target.isSymLink())
        throw platform::RuntimeError(ErrFileAlreadyExists, QStringLiteral("File already exists"));
    const QDir folder = target.absoluteDir();
    if (!folder.exists())
        throw platform::RuntimeError(76, QStringLiteral("Path not found"));
    const QString scratch =
        folder.filePath(QStringLiteral(".%1.%2.tmp").arg(target.fileName(), QUuid::createUuid().toString(QUuid::Id128)));
    try {
        buildInto(scratch);
    } catch (...) {
        QFile::remove(scratch);
        QFile::remove(scratch + QStringLiteral("-journal"));
        throw;
    }
    // QFile::rename never replaces an existing file.
    if (!QFile::rename(scratch, path)) {
        QFile::remove(scratch);
        if (QFileInfo::exists(path))
            throw platform::RuntimeError(ErrFileAlreadyExists, QStringLiteral("File already exists"));
        throw platform::RuntimeError(75, QStringLiteral("Path/File access error"));
    }
}

QString studySql()
{
    return QStringLiteral(
        "SELECT [Study ID],[Include],[Study Name],[Year of Study],[Study Sample],[Measure Used],"
        "[Assessment Details],[Experimental / Group 1 Sample],[Experimental / Group 1 Mean],[SD 1],[N 1],"
        "[Control / Group 2 Sample],[Control / Group 2 Mean],[SD 2],[N 2],[Total N],[Mean Difference],"
        "[Z Statistic],[Used SD],[Cohen's D],[Cohen -95],[Cohen +95],[Hedges' SD],[Hedges' G],[Hedges' -95],"
        "[Hedges' +95],[Z Score Of d],[Z Score Of g],[% Of Weight (d)],[% Of Weight (g)] FROM data ORDER by "
        "[Study Name]");
}

const int* gridColumnWidths() { return Widths; }

} // namespace metadb
