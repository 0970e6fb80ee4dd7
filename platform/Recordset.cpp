#include "platform/Recordset.h"
#include "platform/PreparedStatement.h"

#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <sqlite3.h>

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace platform {

namespace {

QAtomicInt connectionCounter;

RuntimeError closedError()
{
    return RuntimeError(ErrDbClosed, QStringLiteral("Operation is not allowed when the object is closed."));
}

RuntimeError noSuchField()
{
    return RuntimeError(ErrDbField, QStringLiteral("Item cannot be found in the collection corresponding to the "
                                                   "requested name or ordinal."));
}

RuntimeError noCurrentRecord()
{
    return RuntimeError(ErrDbNoCurrentRecord,
                        QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                                       "Requested operation requires a current record."));
}

// The database's refusal in words a person can act on.
RuntimeError refused(const QSqlError& error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    static const QRegularExpression notNull(QStringLiteral("^NOT NULL constraint failed: (.+)$"));
    static const QRegularExpression check(QStringLiteral("^CHECK constraint failed: (.+)$"));
    QRegularExpressionMatch m = notNull.match(text);
    if (m.hasMatch())
        return RuntimeError(ErrDbRefused, QStringLiteral("You must enter a value in the '%1' field.").arg(m.captured(1)));
    m = check.match(text);
    if (m.hasMatch())
        return RuntimeError(ErrDbRefused, m.captured(1));
    return RuntimeError(ErrDbRefused, text);
}

QString quoted(const QString& name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

FieldType typeOf(const QString& declared, int& size)
{
    const QString t = declared.toUpper();
    size = 0;
    static const QRegularExpression sized(QStringLiteral("\\((\\d+)\\)"));
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT"))) {
        const QRegularExpressionMatch m = sized.match(t);
        if (m.hasMatch())
            size = m.captured(1).toInt();
        return FieldType::Text;
    }
    if (t.contains(QLatin1String("BOOL")))
        return FieldType::Boolean;
    if (t.contains(QLatin1String("DOUB")) || t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")))
        return FieldType::Double;
    if (t.contains(QLatin1String("INT")))
        return FieldType::Long;
    return FieldType::Other;
}

bool isSqlSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\v') ||
           c == QLatin1Char('\f') || c == QLatin1Char('\r');
}

// What SQLite's CAST(text AS REAL) <> 0 gives, asked of SQLite itself on a
// connection of this thread to an empty database in memory; false when
// SQLite cannot be asked.
bool sqliteReadsNonZero(const QString& text)
{
    struct Engine {
        sqlite3* db = nullptr;
        sqlite3_stmt* statement = nullptr;
        Engine()
        {
            if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK)
                sqlite3_prepare_v2(db, "SELECT CAST(?1 AS REAL) <> 0", -1, &statement, nullptr);
        }
        ~Engine()
        {
            sqlite3_finalize(statement);
            sqlite3_close(db);
        }
        Engine(const Engine&) = delete;
        Engine& operator=(const Engine&) = delete;
    };
    thread_local Engine engine;
    if (!engine.statement)
        return false;
    bool nonZero = false;
    if (sqlite3_bind_text16(engine.statement, 1, text.utf16(), int(text.size() * sizeof(QChar)),
                            SQLITE_TRANSIENT) == SQLITE_OK &&
        sqlite3_step(engine.statement) == SQLITE_ROW)
        nonZero = sqlite3_column_int(engine.statement, 0) != 0;
    sqlite3_reset(engine.statement);
    sqlite3_clear_bindings(engine.statement);
    return nonZero;
}

// Whether the number SQLite reads from the start of a text (as CAST(... AS
// REAL) reads it: blanks, a sign, digits with one optional point, an
// optional exponent; nothing that is no number reads as 0) is not 0.
bool leadingNumberIsNonZero(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isSqlSpace(text[i]))
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    const auto isDigit = [&text](qsizetype k) { return text[k] >= QLatin1Char('0') && text[k] <= QLatin1Char('9'); };
    // The power of ten of the first digit that is not 0.
    long long magnitude = 0;
    bool nonZeroDigit = false;
    long long wholeDigits = 0;
    while (i < n && isDigit(i)) {
        if (!nonZeroDigit && text[i] != QLatin1Char('0')) {
            nonZeroDigit = true;
            wholeDigits = 0;
        }
        ++wholeDigits;
        ++i;
    }
    if (nonZeroDigit)
        magnitude = wholeDigits - 1;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        for (long long place = -1; i < n && isDigit(i); ++i, --place)
            if (!nonZeroDigit && text[i] != QLatin1Char('0')) {
                nonZeroDigit = true;
                magnitude = place;
            }
    }
    // Only digits that are all 0 (or none) read as 0.
    if (!nonZeroDigit)
        return false;
    long long exponent = 0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        int sign = 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            sign = text[j++] == QLatin1Char('-') ? -1 : 1;
        for (; j < n && isDigit(j); ++j)
            exponent = std::min<long long>(exponent * 10 + (text[j].unicode() - '0'), 100000);
        exponent *= sign;
    }
    // From 1e-300 up the number is not 0 however it is rounded, and a number
    // too large reads as an infinity. Below, where a double runs out of
    // digits, and for exponents beyond those SQLite reads in full, only
    // SQLite's own reading tells.
    if (std::abs(exponent) < 10000 && magnitude + exponent >= -300)
        return true;
    return sqliteReadsNonZero(text);
}

// A stored value as the field's type gives it.
QVariant fromStore(FieldType type, const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (type) {
    case FieldType::Text:
        return v.toString();
    case FieldType::Double:
        return v.toDouble();
    case FieldType::Long:
        return v.toInt();
    case FieldType::Boolean:
        // Any number other than 0 is true: this program stores -1, other
        // tools store 1; text and blobs by the one rule of storedTruth.
        return storedTruth(v);
    case FieldType::Other:
        break;
    }
    return v;
}

// A value as it is stored: Booleans as -1 / 0.
QVariant toStore(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1 : 0;
    return v;
}

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

// Orders two values of one field: Null first, numbers by value, text
// without regard to case, Booleans by their stored value (true is -1).
int compareValues(const QVariant& a, const QVariant& b)
{
    const bool na = !a.isValid() || a.isNull();
    const bool nb = !b.isValid() || b.isNull();
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    const auto number = [](const QVariant& v, bool& ok) {
        if (v.typeId() == QMetaType::Bool) {
            ok = true;
            return v.toBool() ? -1.0 : 0.0;
        }
        ok = isNumber(v);
        return ok ? v.toDouble() : 0.0;
    };
    bool oa = false;
    bool ob = false;
    const double x = number(a, oa);
    const double y = number(b, ob);
    if (oa && ob)
        return x < y ? -1 : (x > y ? 1 : 0);
    if (oa != ob)
        return oa ? -1 : 1;
    return QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive);
}

} // namespace

bool storedTruth(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isNumber(v))
        return v.toDouble() != 0;
    if (v.typeId() == QMetaType::QString)
        return leadingNumberIsNonZero(v.toString());
    return false;   // a blob
}

QString storedTruthSql(const QString& column)
{
    return QStringLiteral("stored_truth(%1)").arg(column);
}

namespace {

// stored_truth(value): storedTruth of the value as a read gives it to the
// program (whole numbers as qlonglong, other numbers double, text QString,
// blobs QByteArray), 1 or 0.
void storedTruthFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    sqlite3_value* v = arguments[0];
    QVariant value;
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        value = qlonglong(sqlite3_value_int64(v));
        break;
    case SQLITE_FLOAT:
        value = sqlite3_value_double(v);
        break;
    case SQLITE_TEXT: {
        const void* text = sqlite3_value_text16(v);
        value = QString(static_cast<const QChar*>(text), sqlite3_value_bytes16(v) / int(sizeof(QChar)));
        break;
    }
    case SQLITE_BLOB: {
        const void* data = sqlite3_value_blob(v);
        value = QByteArray(static_cast<const char*>(data), sqlite3_value_bytes(v));
        break;
    }
    default:
        break;
    }
    sqlite3_result_int(context, storedTruth(value) ? 1 : 0);
}

// Makes storedTruthSql's function known to an open connection.
bool addStoredTruthFunction(const QSqlDatabase& db)
{
    sqlite3* handle = sqliteHandle(db);
    return handle && sqlite3_create_function_v2(handle, "stored_truth", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                                nullptr, storedTruthFunction, nullptr, nullptr,
                                                nullptr) == SQLITE_OK;
}

} // namespace

// ---------------------------------------------------------------- Connection

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

void Connection::open(const QString& path, Mode mode)
{
    close();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile())
        throw RuntimeError(ErrDbOpen, QStringLiteral("Could not find file '%1'.").arg(path));
    // SQLite opens any file lazily; reading the schema shows whether it is
    // a database at all.
    const QString schema = QStringLiteral("SELECT count(*) FROM sqlite_master");
    QString error;
    bool ok = attach(path, {schema}, mode == Mode::ReadOnly, &error);
    const QString journal = path + QStringLiteral("-journal");
    if (!ok && mode == Mode::ReadOnly && QFileInfo::exists(journal)) {
        // A program stopped in the middle of a write and left its journal:
        // only a connection that may write can roll it back. It writes
        // nothing else.
        ok = attach(path, {QStringLiteral("PRAGMA query_only = 1"), schema}, false, &error);
        if (!ok)
            throw RuntimeError(ErrDbOpen,
                               QStringLiteral("The database '%1' was left half written by a program that stopped, "
                                              "and its journal '%2' cannot be rolled back here (%3).")
                                   .arg(path, journal, error));
    }
    if (!ok)
        throw RuntimeError(ErrDbOpen, QStringLiteral("Unrecognized database format '%1'.").arg(path));
    path_ = path;
}

void Connection::create(const QString& path)
{
    close();
    const QFileInfo info(path);
    if (path.isEmpty() || info.exists() || info.isSymLink())
        throw RuntimeError(58, QStringLiteral("File already exists"));
    if (!info.absoluteDir().exists())
        throw RuntimeError(ErrPathNotFound, QStringLiteral("Path not found"));
    // Writes the file's header now, so that the file exists as a database
    // from this point on.
    QString error;
    if (!attach(path, {QStringLiteral("PRAGMA user_version = 0"), QStringLiteral("VACUUM")}, false, &error))
        throw RuntimeError(ErrPathFileAccess, QStringLiteral("Cannot create the database file: %1").arg(error));
    path_ = path;
}

bool Connection::attach(const QString& path, const QStringList& firstStatements, bool readOnly, QString* error)
{
    name_ = QStringLiteral("platform-connection-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000")
                                      : QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        ok = db.open() && addStoredTruthFunction(db);
        QSqlQuery q(db);
        for (const QString& sql : firstStatements)
            ok = ok && q.exec(sql);
        if (!ok && error)
            *error = q.lastError().isValid() ? q.lastError().text() : db.lastError().text();
    }
    if (!ok)
        close();
    return ok;
}

void Connection::close()
{
    if (name_.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
    name_.clear();
}

bool Connection::isOpen() const
{
    return !name_.isEmpty() && QSqlDatabase::database(name_, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    if (!isOpen())
        throw closedError();
    return QSqlDatabase::database(name_, false);
}

void Connection::execute(const QString& sql)
{
    QSqlQuery q(database());
    if (!q.exec(sql))
        throw refused(q.lastError());
}

QStringList Connection::tables() const
{
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                               "ESCAPE '\\' ORDER BY rowid")))
        throw refused(q.lastError());
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}

// ---------------------------------------------------------------- Recordset

struct Recordset::Row {
    qint64 rowid = -1;
    // As the table held them when read or last written; a value shows as
    // its field's type gives it (fromStore).
    std::vector<QVariant> stored;
    std::vector<QVariant> pending;
    std::vector<bool> changed;
    bool isNew = false;
    bool dirty = false;
};

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

void Recordset::open(std::shared_ptr<Connection> connection, const QString& sql, const QString& table,
                     const QString& keyField)
{
    close();
    readRows(connection, sql, table, keyField);
    sortField_ = -1;
    sortDescending_ = false;
    pos_ = 0;
    open_ = true;
    notify();
}

void Recordset::requery()
{
    requireOpen();
    commitIfPending();
    const bool onRecord = pos_ >= 0 && pos_ < int(rows_.size());
    const qint64 current = onRecord ? rows_[size_t(pos_)].rowid : -1;
    const int oldPos = pos_;
    readRows(connection_, sql_, table_, keyField_);
    if (sortField_ >= 0 && sortField_ < int(fields_.size())) {
        const int i = sortField_;
        const bool descending = sortDescending_;
        std::stable_sort(rows_.begin(), rows_.end(), [i, descending, type = fields_[size_t(i)].type](const Row& a, const Row& b) {
            const int c = compareValues(fromStore(type, a.stored[i]), fromStore(type, b.stored[i]));
            return descending ? c > 0 : c < 0;
        });
    }
    pos_ = rows_.empty() ? 0 : std::clamp(oldPos, 0, int(rows_.size()) - 1);
    if (onRecord && !table_.isEmpty())
        for (int r = 0; r < int(rows_.size()); ++r)
            if (rows_[size_t(r)].rowid == current) {
                pos_ = r;
                break;
            }
    notify();
}

void Recordset::readRows(const std::shared_ptr<Connection>& connection, const QString& sql, const QString& table,
                         const QString& keyField)
{
    if (!connection || !connection->isOpen())
        throw closedError();
    QString text = sql.trimmed();
    const bool updatable = !table.isEmpty();
    if (updatable) {
        static const QRegularExpression select(QStringLiteral("^SELECT\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = select.match(text);
        if (!m.hasMatch())
            throw RuntimeError(ErrDbRefused, QStringLiteral("Only a SELECT can be opened for changes."));
        text = QStringLiteral("SELECT %1.rowid, ").arg(quoted(table)) + text.mid(m.capturedEnd());
    }
    QSqlDatabase db = connection->database();
    PreparedStatement q(db, text);
    if (!q.ok())
        throw refused(q.lastError());
    // The first row is read before the names: a query runs on its first step.
    bool more = q.next();
    if (!more && q.lastError().isValid())
        throw refused(q.lastError());

    // Declared types of the table's columns, for conversions on write.
    struct Declared {
        FieldType type;
        int size;
        bool required;
    };
    QHash<QString, Declared> declared;
    if (updatable) {
        QSqlQuery info(db);
        if (info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)))) {
            while (info.next()) {
                int size = 0;
                const FieldType t = typeOf(info.value(2).toString(), size);
                declared.insert(info.value(1).toString().toLower(), Declared{t, size, info.value(3).toInt() != 0});
            }
        }
    }

    const int first = updatable ? 1 : 0;
    const int columns = q.columnCount();
    std::vector<FieldInfo> fields;
    std::vector<bool> inTable;
    int key = -1;
    for (int i = first; i < columns; ++i) {
        FieldInfo f;
        f.name = q.columnName(i);
        const auto it = declared.constFind(f.name.toLower());
        if (it != declared.constEnd()) {
            f.type = it->type;
            f.size = it->size;
            f.required = it->required;
            if (yesNoFields_.contains(f.name, Qt::CaseInsensitive)) {
                f.type = FieldType::Boolean;
                f.size = 0;
            }
        }
        if (!keyField.isEmpty() && it != declared.constEnd() && key < 0 &&
            f.name.compare(keyField, Qt::CaseInsensitive) == 0)
            key = int(fields.size());
        inTable.push_back(it != declared.constEnd());
        fields.push_back(f);
    }
    // The records are read into those of the read before last, whose memory
    // is already the program's: a table read again and again does not ask
    // the system for fresh pages each time.
    std::vector<Row> rows = std::move(spare_);
    spare_.clear();
    rows.reserve(rows_.size());
    size_t used = 0;
    try {
        for (; more; more = q.next()) {
            if (used == rows.size())
                rows.emplace_back();
            Row& r = rows[used++];
            r.rowid = updatable ? q.value(0).toLongLong() : -1;
            r.stored.resize(fields.size());
            for (int i = 0; i < int(fields.size()); ++i)
                r.stored[size_t(i)] = q.value(i + first);
            r.pending.clear();
            r.changed.clear();
            r.isNew = false;
            r.dirty = false;
        }
        if (q.lastError().isValid())
            throw refused(q.lastError());
    } catch (...) {
        spare_ = std::move(rows);
        throw;
    }
    rows.resize(used);
    connection_ = connection;
    table_ = table;
    sql_ = sql;
    keyField_ = keyField;
    fields_ = std::move(fields);
    inTable_ = std::move(inTable);
    key_ = key;
    spare_ = std::move(rows_);
    rows_ = std::move(rows);
    deferred_.clear();
}

void Recordset::close()
{
    if (!open_)
        return;
    if (inWrite_)
        rollbackWrite();
    open_ = false;
    rows_.clear();
    spare_.clear();
    sql_.clear();
    keyField_.clear();
    sortField_ = -1;
    fields_.clear();
    inTable_.clear();
    key_ = -1;
    table_.clear();
    connection_.reset();
    pos_ = -1;
    notify();
}

bool Recordset::isOpen() const
{
    return open_;
}

void Recordset::requireOpen() const
{
    if (!open_)
        throw closedError();
}

void Recordset::requireCurrent() const
{
    requireOpen();
    if (pos_ < 0 || pos_ >= int(rows_.size()))
        throw noCurrentRecord();
}

int Recordset::recordCount() const
{
    requireOpen();
    return int(rows_.size());
}

int Recordset::fieldCount() const
{
    requireOpen();
    return int(fields_.size());
}

QString Recordset::fieldName(int index) const
{
    return fieldInfo(index).name;
}

FieldInfo Recordset::fieldInfo(int index) const
{
    requireOpen();
    if (index < 0 || index >= int(fields_.size()))
        throw noSuchField();
    return fields_[index];
}

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < int(fields_.size()); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool Recordset::bof() const
{
    return !open_ || rows_.empty() || pos_ < 0;
}

bool Recordset::eof() const
{
    return !open_ || rows_.empty() || pos_ >= int(rows_.size());
}

int Recordset::position() const
{
    return pos_;
}

void Recordset::commitIfPending()
{
    if (editPending())
        update();
}

void Recordset::moveFirst()
{
    requireOpen();
    commitIfPending();
    pos_ = 0;
}

void Recordset::moveLast()
{
    requireOpen();
    commitIfPending();
    pos_ = rows_.empty() ? 0 : int(rows_.size()) - 1;
}

void Recordset::moveNext()
{
    requireOpen();
    if (eof())
        throw noCurrentRecord();
    commitIfPending();
    ++pos_;
}

void Recordset::move(int count)
{
    requireOpen();
    if (count == 0)
        return;
    commitIfPending();
    const long long target = static_cast<long long>(pos_) + count;
    pos_ = int(std::clamp<long long>(target, -1, static_cast<long long>(rows_.size())));
}

void Recordset::moveTo(int row)
{
    requireOpen();
    if (row < 0 || row >= int(rows_.size()))
        throw noCurrentRecord();
    if (row == pos_)
        return;
    commitIfPending();
    pos_ = row;
}

QVariant Recordset::valueAt(int row, int field) const
{
    requireOpen();
    if (row < 0 || row >= int(rows_.size()))
        throw noCurrentRecord();
    if (field < 0 || field >= int(fields_.size()))
        throw noSuchField();
    const Row& r = rows_[row];
    if (r.dirty && r.changed[field])
        return r.pending[field];
    return fromStore(fields_[size_t(field)].type, r.stored[size_t(field)]);
}

bool Recordset::truthAt(int row, int field) const
{
    requireOpen();
    if (row < 0 || row >= int(rows_.size()))
        throw noCurrentRecord();
    if (field < 0 || field >= int(fields_.size()))
        throw noSuchField();
    const Row& r = rows_[size_t(row)];
    return storedTruth(r.dirty && r.changed[size_t(field)] ? r.pending[size_t(field)] : r.stored[size_t(field)]);
}

void Recordset::setYesNoFields(const QStringList& names)
{
    yesNoFields_ = names;
}

QVariant Recordset::value(int field) const
{
    requireCurrent();
    return valueAt(pos_, field);
}

QVariant Recordset::value(const QString& field) const
{
    requireCurrent();
    const int i = fieldIndex(field);
    if (i < 0)
        throw noSuchField();
    return valueAt(pos_, i);
}

QVariant Recordset::convert(int field, const QVariant& v) const
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    const FieldInfo& f = fields_[field];
    const auto bad = [&f, &v]() {
        return RuntimeError(ErrDbValue,
                            QStringLiteral("The value '%1' cannot be stored in the field '%2'.").arg(v.toString(), f.name));
    };
    switch (f.type) {
    case FieldType::Text: {
        // A yes/no as the number it is stored as elsewhere, which reads back
        // as the same yes/no (storedTruth); "true" would read as no.
        QString s = v.typeId() == QMetaType::Bool     ? QString::number(v.toBool() ? -1 : 0)
                    : v.typeId() == QMetaType::Double ? numText(v.toDouble())
                                                      : v.toString();
        if (s.isNull())
            s = QLatin1String("");   // empty text, which is not Null
        if (f.size > 0 && s.size() > f.size)
            throw RuntimeError(ErrDbValue, QStringLiteral("The field '%1' is too small to accept the amount of data "
                                                          "you attempted to add. Try inserting or pasting less data.")
                                               .arg(f.name));
        return s;
    }
    case FieldType::Double:
    case FieldType::Long: {
        double d = 0;
        if (v.typeId() == QMetaType::Bool)
            d = v.toBool() ? -1 : 0;
        else if (isNumber(v))
            d = v.toDouble();
        else if (!tryCdbl(v.toString().trimmed(), d))
            throw bad();
        if (!std::isfinite(d))
            throw bad();
        if (f.type == FieldType::Double)
            return d;
        if (d != std::floor(d) || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max())
            throw bad();
        return int(d);
    }
    case FieldType::Boolean: {
        if (v.typeId() == QMetaType::Bool)
            return v.toBool();
        if (isNumber(v))
            return v.toDouble() != 0;
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true") || s == QLatin1String("yes") || s == QLatin1String("on"))
            return true;
        if (s == QLatin1String("false") || s == QLatin1String("no") || s == QLatin1String("off"))
            return false;
        double d = 0;
        if (tryCdbl(s, d) && std::isfinite(d))
            return d != 0;
        throw bad();
    }
    case FieldType::Other:
        break;
    }
    return v;
}

void Recordset::setValue(int field, const QVariant& value)
{
    requireCurrent();
    if (field < 0 || field >= int(fields_.size()))
        throw noSuchField();
    const QVariant stored = convert(field, value);
    Row& r = rows_[pos_];
    if (!r.dirty) {
        r.pending.assign(fields_.size(), QVariant());
        r.changed.assign(fields_.size(), false);
        r.dirty = true;
    }
    r.pending[field] = stored;
    r.changed[field] = true;
}

void Recordset::setValue(const QString& field, const QVariant& value)
{
    requireCurrent();
    const int i = fieldIndex(field);
    if (i < 0)
        throw noSuchField();
    setValue(i, value);
}

void Recordset::addNew()
{
    requireOpen();
    if (table_.isEmpty())
        throw RuntimeError(ErrDbRefused, QStringLiteral("The recordset cannot be changed."));
    commitIfPending();
    Row r;
    r.isNew = true;
    r.dirty = true;
    r.stored.assign(fields_.size(), QVariant());
    r.pending.assign(fields_.size(), QVariant());
    r.changed.assign(fields_.size(), false);
    rows_.push_back(std::move(r));
    pos_ = int(rows_.size()) - 1;
    notify();
}

bool Recordset::editPending() const
{
    return open_ && pos_ >= 0 && pos_ < int(rows_.size()) && rows_[pos_].dirty;
}

QString Recordset::unchangedCondition(const Row& row, QVariantList& values) const
{
    QString condition = QStringLiteral("rowid = ?");
    values << row.rowid;
    // Text compares exactly, also in a column that ignores case.
    if (key_ >= 0) {
        condition += QStringLiteral(" AND %1 IS ? COLLATE BINARY").arg(quoted(fields_[key_].name));
        values << row.stored[key_];
    }
    if (!row.dirty)
        return condition;
    for (int i = 0; i < int(fields_.size()); ++i) {
        if (!inTable_[i] || i == key_ || !row.changed[i])
            continue;
        condition += QStringLiteral(" AND %1 IS ? COLLATE BINARY").arg(quoted(fields_[i].name));
        values << row.stored[i];
    }
    return condition;
}

std::vector<std::pair<int, QVariant>> Recordset::pendingValues() const
{
    std::vector<std::pair<int, QVariant>> values;
    if (!editPending())
        return values;
    const Row& r = rows_[size_t(pos_)];
    for (int i = 0; i < int(fields_.size()); ++i)
        if (r.changed[i])
            values.emplace_back(i, r.pending[i]);
    return values;
}

namespace {
QString notSavedText(const QStringList& typedTexts)
{
    return QStringLiteral("Not saved: %1.").arg(typedTexts.join(QLatin1String("; ")));
}
} // namespace

QString Recordset::refusedEditText(const RuntimeError& refusal, const QStringList& typedTexts)
{
    QString text = refusal.description();
    if (refusal.number() != ErrDbChanged && !typedTexts.isEmpty())
        text += QStringLiteral("\r\n") + notSavedText(typedTexts);
    return text;
}

QStringList Recordset::pendingTexts() const
{
    QStringList texts;
    if (!editPending())
        return texts;
    const Row& r = rows_[size_t(pos_)];
    for (int i = 0; i < int(fields_.size()); ++i) {
        if (!r.changed[i])
            continue;
        const QVariant& v = r.pending[i];
        QString text;
        if (!v.isValid() || v.isNull())
            text = QStringLiteral("(empty)");
        else if (v.typeId() == QMetaType::Bool)
            text = v.toBool() ? QStringLiteral("YES") : QStringLiteral("NO");
        else if (v.typeId() == QMetaType::Double)
            text = numText(v.toDouble());
        else
            text = v.toString();
        texts << fields_[size_t(i)].name + QStringLiteral(" = ") + text;
    }
    return texts;
}

Recordset::Reread Recordset::reread(Row& row, bool sameKey) const
{
    QStringList columns;
    for (int i = 0; i < int(fields_.size()); ++i)
        if (inTable_[i])
            columns << quoted(fields_[i].name);
    if (columns.isEmpty() || !connection_ || !connection_->isOpen())
        return Reread::Failed;
    QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(columns.join(QLatin1String(", ")), quoted(table_));
    QSqlQuery q(connection_->database());
    const bool byKey = sameKey && key_ >= 0;
    if (byKey)
        sql += QStringLiteral(" AND %1 IS ?").arg(quoted(fields_[key_].name));
    q.prepare(sql);
    q.addBindValue(row.rowid);
    if (byKey)
        q.addBindValue(row.stored[key_]);
    if (!q.exec())
        return Reread::Failed;
    if (!q.next())
        return Reread::Gone;
    for (int i = 0, c = 0; i < int(fields_.size()); ++i) {
        if (!inTable_[i])
            continue;
        row.stored[i] = q.value(c++);
    }
    return Reread::Found;
}

void Recordset::refuseChanged(int index, const QString& description)
{
    Row& r = rows_[index];
    r.dirty = false;
    r.pending.clear();
    r.changed.clear();
    if (reread(r, true) == Reread::Gone) {
        rows_.erase(rows_.begin() + index);
        // The record that followed is current, or the last one when the
        // row that went was the last.
        if (pos_ > index || pos_ >= int(rows_.size()))
            pos_ = std::max(0, std::min(pos_ - (pos_ > index ? 1 : 0), int(rows_.size()) - 1));
    }
    notify();
    throw RuntimeError(ErrDbChanged, description);
}

void Recordset::update()
{
    requireOpen();
    if (!editPending())
        return;
    if (table_.isEmpty())
        throw RuntimeError(ErrDbRefused, QStringLiteral("The recordset cannot be changed."));
    if (!connection_ || !connection_->isOpen())
        throw closedError();
    Row& r = rows_[pos_];
    QSqlDatabase db = connection_->database();
    QStringList names;
    QVariantList values;
    for (int i = 0; i < int(fields_.size()); ++i) {
        if (r.changed[i]) {
            names << quoted(fields_[i].name);
            values << toStore(r.pending[i]);
        }
    }
    QSqlQuery q(db);
    if (r.isNew) {
        if (names.isEmpty()) {
            q.prepare(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table_)));
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(quoted(table_), names.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
        }
    } else if (!names.isEmpty()) {
        QStringList sets;
        for (const QString& n : names)
            sets << n + QStringLiteral(" = ?");
        // Only the record read is written, and only over the values read of
        // the columns it changes.
        const QString condition = unchangedCondition(r, values);
        q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(quoted(table_), sets.join(QLatin1String(", ")), condition));
    } else {
        r.dirty = false;
        return;
    }
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw refused(q.lastError());
    if (!r.isNew && q.numRowsAffected() == 0) {
        q.finish();
        refuseChanged(pos_, QStringLiteral("The record was not saved: another user has changed or deleted it since "
                                           "it was read. It now shows what the database holds. ")
                                + notSavedText(pendingTexts()));
    }
    if (r.isNew)
        r.rowid = q.lastInsertId().toLongLong();
    q.finish();

    // The row shows what it now holds: defaults and numbering of a new row,
    // and each value as stored, which the next write compares against.
    if (reread(r, false) != Reread::Found) {
        for (int i = 0; i < int(fields_.size()); ++i)
            if (r.changed[i]) {
                r.stored[i] = toStore(r.pending[i]);
            }
    }
    r.isNew = false;
    r.dirty = false;
    r.pending.clear();
    r.changed.clear();
    notify();
}

void Recordset::cancelUpdate()
{
    if (!editPending())
        return;
    Row& r = rows_[pos_];
    if (r.isNew) {
        rows_.erase(rows_.begin() + pos_);
        pos_ = rows_.empty() ? 0 : int(rows_.size()) - 1;
    } else {
        r.dirty = false;
        r.pending.clear();
        r.changed.clear();
    }
    notify();
}

void Recordset::deleteCurrent()
{
    requireCurrent();
    if (table_.isEmpty())
        throw RuntimeError(ErrDbRefused, QStringLiteral("The recordset cannot be changed."));
    Row& r = rows_[pos_];
    if (!r.isNew) {
        if (!connection_ || !connection_->isOpen())
            throw closedError();
        QSqlQuery q(connection_->database());
        QVariantList values;
        // Only the record read is deleted, whatever another user changed
        // in it since.
        Row identity;
        identity.rowid = r.rowid;
        identity.stored = r.stored;
        const QString condition = unchangedCondition(identity, values);
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE %2").arg(quoted(table_), condition));
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec())
            throw refused(q.lastError());
        if (q.numRowsAffected() == 0) {
            q.finish();
            refuseChanged(pos_, QStringLiteral("The record was not deleted: another user has deleted it since it was "
                                               "read. The records now show what the database holds."));
        }
    }
    rows_.erase(rows_.begin() + pos_);
    notify();
}

namespace {

// Runs one statement of a set write; false when the database refuses it.
bool runStatement(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    return q.exec(sql);
}

} // namespace

void Recordset::storeFields(const std::vector<int>& fields, const std::vector<int>& rows,
                            const std::function<QVariant(int row, int k)>& value)
{
    requireOpen();
    if (fields.empty() || rows.empty())
        return;
    if (table_.isEmpty())
        throw RuntimeError(ErrDbRefused, QStringLiteral("The recordset cannot be changed."));
    for (const int f : fields)
        if (f < 0 || f >= int(fields_.size()))
            throw noSuchField();
    commitIfPending();
    if (!connection_ || !connection_->isOpen())
        throw closedError();

    // Every value converted first: a record whose value the field cannot
    // take ends the list there, and the records before it are written.
    const size_t width = fields.size();
    std::vector<QVariant> values;
    values.reserve(rows.size() * width);
    size_t count = 0;
    std::exception_ptr refusedValue;
    try {
        for (const int row : rows) {
            if (row < 0 || row >= int(rows_.size()))
                throw noCurrentRecord();
            for (size_t k = 0; k < width; ++k)
                values.push_back(convert(fields[k], value(row, int(k))));
            ++count;
        }
    } catch (...) {
        refusedValue = std::current_exception();
        values.resize(count * width);
    }

    StoreResult result;
    try {
        if (count > 0 && !storeAsSet(fields, rows, count, values, result)) {
            // The engine ends a transaction itself on some failures; then
            // the rows would be written one by one outside it.
            if (inWrite_ && !inTransaction(connection_->database()))
                throw RuntimeError(ErrDbRefused, QStringLiteral("The write was refused and its transaction ended."));
            storeRowByRow(fields, rows, count, values, result);
        }
    } catch (...) {
        if (result.changed && !inWrite_)
            notify();
        throw;
    }
    if (!inWrite_ && (result.changed || !refusedValue))
        notify();
    if (refusedValue)
        std::rethrow_exception(refusedValue);
    if (result.replaced > 0)
        throw RuntimeError(ErrDbChanged,
                           QStringLiteral("%1 of the records were deleted or replaced by another user since they were "
                                          "read; their values were not stored.")
                               .arg(result.replaced));
}

Recordset::Deferred& Recordset::deferredFor(const std::vector<int>& fields)
{
    if (deferred_.empty() || deferred_.back().fields != fields)
        deferred_.push_back(Deferred{fields, {}, {}, {}});
    return deferred_.back();
}

void Recordset::keepOrDefer(const std::vector<int>& fields, int row, const QVariant* values)
{
    Row& r = rows_[size_t(row)];
    if (!inWrite_) {
        keepStored(r, fields, values);
        return;
    }
    Deferred& d = deferredFor(fields);
    d.rowids.push_back(r.rowid);
    d.rows.push_back(row);
    d.values.insert(d.values.end(), values, values + fields.size());
}

void Recordset::beginWrite()
{
    requireOpen();
    if (inWrite_)
        throw RuntimeError(ErrDbRefused, QStringLiteral("A write of the records is already under way."));
    commitIfPending();
    if (!connection_ || !connection_->isOpen())
        throw closedError();
    QSqlQuery q(connection_->database());
    // The write lock at once: a transaction that has read cannot wait for
    // it later (SQLite refuses such an upgrade without waiting).
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        throw refused(q.lastError());
    inWrite_ = true;
    deferred_.clear();
}

void Recordset::endWrite()
{
    inWrite_ = false;
    deferred_.clear();
}

void Recordset::commitWrite()
{
    if (!inWrite_)
        return;
    QSqlError error;
    bool committed = false;
    {
        QSqlQuery q(connection_->database());
        committed = q.exec(QStringLiteral("COMMIT"));
        if (!committed)
            error = q.lastError();
    }
    if (!committed) {
        rollbackWrite();
        throw refused(error);
    }
    bool changed = false;
    for (const Deferred& d : deferred_) {
        const size_t width = d.fields.size();
        for (size_t i = 0; i < d.rows.size(); ++i) {
            int row = d.rows[i];
            // The records stay in their places while the write is under way;
            // a record that moved is found by its slot.
            if (row < 0 || row >= int(rows_.size()) || rows_[size_t(row)].rowid != d.rowids[i]) {
                const auto it = std::find_if(rows_.begin(), rows_.end(),
                                             [&d, i](const Row& r) { return r.rowid == d.rowids[i]; });
                if (it == rows_.end())
                    continue;
                row = int(it - rows_.begin());
            }
            keepStored(rows_[size_t(row)], d.fields, &d.values[i * width]);
            changed = true;
        }
    }
    endWrite();
    if (changed)
        notify();
}

void Recordset::rollbackWrite()
{
    if (!inWrite_)
        return;
    endWrite();
    if (connection_ && connection_->isOpen()) {
        QSqlQuery q(connection_->database());
        q.exec(QStringLiteral("ROLLBACK"));
    }
}

void Recordset::keepStored(Row& r, const std::vector<int>& fields, const QVariant* values)
{
    for (size_t k = 0; k < fields.size(); ++k) {
        r.stored[fields[k]] = toStore(values[k]);
    }
}

bool Recordset::storeAsSet(const std::vector<int>& fields, const std::vector<int>& rows, size_t count,
                           const std::vector<QVariant>& values, StoreResult& result)
{
    // A record listed twice is left to the row-by-row write, where its last
    // value wins.
    std::vector<bool> seen(rows_.size());
    for (size_t i = 0; i < count; ++i) {
        if (seen[size_t(rows[i])])
            return false;
        seen[size_t(rows[i])] = true;
    }
    const QSqlDatabase db = connection_->database();
    static QAtomicInt serial;
    const QString scratchName = QStringLiteral("\"stored values %1\"").arg(serial.fetchAndAddRelaxed(1));
    const QString scratch = QStringLiteral("temp.") + scratchName;
    const size_t width = fields.size();
    QStringList columns{QStringLiteral("rid INTEGER"), QStringLiteral("k")};
    QStringList sets;
    for (size_t k = 0; k < width; ++k) {
        columns << QStringLiteral("v%1").arg(k);
        sets << quoted(fields_[fields[k]].name) + QStringLiteral(" = s.v%1").arg(k);
    }
    const QString target = quoted(table_);
    // The slot still holds the record read: same rowid and, with a key, the
    // same key.
    QString match = target + QStringLiteral(".rowid = s.rid");
    if (key_ >= 0)
        match += QStringLiteral(" AND %1.%2 IS s.k COLLATE BINARY").arg(target, quoted(fields_[key_].name));

    // The whole write is one savepoint: it lands whole or not at all.
    if (!runStatement(db, QStringLiteral("SAVEPOINT \"store fields\"")))
        return false;
    const auto undo = [&db, &scratch] {
        runStatement(db, QStringLiteral("ROLLBACK TO \"store fields\""));
        // Only a savepoint that began the transaction can fail to be
        // released (its release is the commit, which another user's lock
        // can refuse): then the transaction it began ends here.
        if (!runStatement(db, QStringLiteral("RELEASE \"store fields\"")))
            runStatement(db, QStringLiteral("ROLLBACK"));
        runStatement(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(scratch));
    };
    if (!runStatement(db, QStringLiteral("CREATE TEMP TABLE %1 (%2)").arg(scratchName, columns.join(QLatin1String(", "))))) {
        undo();
        return false;
    }
    {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        PreparedStatement insert(db, QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(scratch, marks.join(QLatin1Char(','))));
        if (!insert.ok()) {
            undo();
            return false;
        }
        for (size_t i = 0; i < count; ++i) {
            const Row& r = rows_[size_t(rows[i])];
            insert.bind(0, r.rowid);
            insert.bind(1, key_ >= 0 ? r.stored[key_] : QVariant());
            for (size_t k = 0; k < width; ++k)
                insert.bind(int(k) + 2, toStore(values[i * width + k]));
            if (!insert.exec()) {
                undo();
                return false;
            }
        }
    }
    const QString update = QStringLiteral("UPDATE %1 SET %2 FROM %3 AS s WHERE %4")
                               .arg(target, sets.join(QLatin1String(", ")), scratch, match);
    // Refused: the row-by-row write finds the record it refuses and writes
    // the ones before it.
    const auto runUpdate = [&db, &update](int* changed) {
        QSqlQuery q(db);
        if (!q.exec(update))
            return false;
        if (changed)
            *changed = q.numRowsAffected();
        return true;
    };
    // The records whose slot another user has since emptied or given to a
    // new record are not written: their values belong to nobody now. The
    // update says how many records it found; only when that is fewer than
    // it was given are the missing ones looked for, as the slots stood
    // before it.
    std::vector<qint64> gone;
    int changed = -1;
    if (!runStatement(db, QStringLiteral("SAVEPOINT \"store update\"")) || !runUpdate(&changed)) {
        undo();
        return false;
    }
    if (changed != int(count)) {
        if (!runStatement(db, QStringLiteral("ROLLBACK TO \"store update\""))) {
            undo();
            return false;
        }
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT s.rid FROM %1 AS s WHERE NOT EXISTS (SELECT 1 FROM %2 WHERE %3)")
                        .arg(scratch, target, match))) {
            undo();
            return false;
        }
        while (q.next())
            gone.push_back(q.value(0).toLongLong());
        q.finish();
        if (!runUpdate(nullptr)) {
            undo();
            return false;
        }
    }
    if (!runStatement(db, QStringLiteral("RELEASE \"store update\""))) {
        undo();
        return false;
    }
    // Outside a transaction of the caller's the release is the commit.
    runStatement(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(scratch));
    if (!runStatement(db, QStringLiteral("RELEASE \"store fields\""))) {
        undo();
        return false;
    }
    std::sort(gone.begin(), gone.end());
    if (inWrite_) {
        // Room for what the records take at the commit, at once.
        Deferred& d = deferredFor(fields);
        d.rowids.reserve(d.rowids.size() + count);
        d.rows.reserve(d.rows.size() + count);
        d.values.reserve(d.values.size() + count * width);
    }
    for (size_t i = 0; i < count; ++i) {
        Row& r = rows_[size_t(rows[i])];
        if (std::binary_search(gone.begin(), gone.end(), r.rowid)) {
            ++result.replaced;
            continue;
        }
        keepOrDefer(fields, rows[i], &values[i * width]);
        result.changed = true;
    }
    return true;
}

void Recordset::storeRowByRow(const std::vector<int>& fields, const std::vector<int>& rows, size_t count,
                              const std::vector<QVariant>& values, StoreResult& result)
{
    QStringList sets;
    for (const int f : fields)
        sets << quoted(fields_[f].name) + QStringLiteral(" = ?");
    // A row whose slot another user has since given to a new record (its
    // key differs) is not written: its values belong to that record.
    QString where = QStringLiteral("rowid = ?");
    if (key_ >= 0)
        where += QStringLiteral(" AND %1 IS ? COLLATE BINARY").arg(quoted(fields_[key_].name));
    PreparedStatement q(connection_->database(),
                        QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(quoted(table_), sets.join(QLatin1String(", ")), where));
    if (!q.ok())
        throw refused(q.lastError());
    const size_t width = fields.size();
    const int rowidSlot = int(width);
    for (size_t i = 0; i < count; ++i) {
        Row& r = rows_[size_t(rows[i])];
        for (size_t k = 0; k < width; ++k)
            q.bind(int(k), toStore(values[i * width + k]));
        q.bind(rowidSlot, r.rowid);
        if (key_ >= 0)
            q.bind(rowidSlot + 1, r.stored[key_]);
        if (!q.exec())
            throw refused(q.lastError());
        if (q.rowsAffected() == 0) {
            ++result.replaced;
            continue;
        }
        keepOrDefer(fields, rows[i], &values[i * width]);
        result.changed = true;
    }
}

void Recordset::sortBy(const QString& field, bool descending)
{
    requireOpen();
    const int i = fieldIndex(field);
    if (i < 0)
        throw noSuchField();
    commitIfPending();
    sortField_ = i;
    sortDescending_ = descending;
    std::stable_sort(rows_.begin(), rows_.end(), [i, descending, type = fields_[size_t(i)].type](const Row& a, const Row& b) {
        const int c = compareValues(fromStore(type, a.stored[i]), fromStore(type, b.stored[i]));
        return descending ? c > 0 : c < 0;
    });
    pos_ = 0;
    notify();
}

void Recordset::setChangeListener(std::function<void()> listener)
{
    listener_ = std::move(listener);
}

void Recordset::notify()
{
    if (listener_)
        listener_();
}

} // namespace platform
