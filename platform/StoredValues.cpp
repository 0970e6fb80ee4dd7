#include "platform/StoredValues.h"
#include "platform/PreparedStatement.h"

#include "platform/Numbers.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace platform {

namespace {

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

} // namespace

namespace store {

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

} // namespace store

using namespace store;

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

} // namespace

namespace store {

// Makes storedTruthSql's function known to an open connection.
bool addStoredTruthFunction(const QSqlDatabase& db)
{
    sqlite3* handle = sqliteHandle(db);
    return handle && sqlite3_create_function_v2(handle, "stored_truth", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                                nullptr, storedTruthFunction, nullptr, nullptr,
                                                nullptr) == SQLITE_OK;
}

} // namespace store

} // namespace platform
