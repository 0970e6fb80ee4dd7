#include "platform/PreparedStatement.h"

#include <QDateTime>
#include <QSqlRecord>
#include <QSqlDriver>
#include <QTime>
#include <sqlite3.h>

Q_DECLARE_OPAQUE_POINTER(sqlite3*)
Q_DECLARE_METATYPE(sqlite3*)

namespace platform {

// Qt's SQLite driver here links the system's SQLite, the library this file
// links, so the handle is one this code may use.
sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

namespace {

// The engine reads text as UTF-16 in the machine's byte order.
int bindText(sqlite3_stmt* stmt, int slot, const QString& text)
{
    return sqlite3_bind_text16(stmt, slot, text.utf16(), int(text.size() * sizeof(QChar)), SQLITE_TRANSIENT);
}

} // namespace

bool inTransaction(const QSqlDatabase& db)
{
    sqlite3* handle = sqliteHandle(db);
    return !handle || sqlite3_get_autocommit(handle) == 0;
}

PreparedStatement::PreparedStatement(const QSqlDatabase& db, const QString& sql)
    : handle_(sqliteHandle(db)), query_(db)
{
    if (handle_) {
        const int rc = sqlite3_prepare16_v2(handle_, sql.utf16(), int(sql.size() * sizeof(QChar)), &stmt_, nullptr);
        ok_ = rc == SQLITE_OK && stmt_;
        if (!ok_) {
            fail(QStringLiteral("Unable to execute statement"));
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
        }
        return;
    }
    ok_ = query_.prepare(sql);
    if (!ok_)
        error_ = query_.lastError();
}

PreparedStatement::~PreparedStatement()
{
    if (stmt_)
        sqlite3_finalize(stmt_);
}

void PreparedStatement::fail(const QString& where)
{
    error_ = QSqlError(where, QString::fromUtf8(sqlite3_errmsg(handle_)), QSqlError::StatementError,
                       QString::number(sqlite3_extended_errcode(handle_)));
}

void PreparedStatement::bind(int index, const QVariant& value)
{
    if (!stmt_) {
        query_.bindValue(index, value);
        return;
    }
    const int slot = index + 1;
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(stmt_, slot);
    } else {
        switch (value.typeId()) {
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(stmt_, slot, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::Int:
        case QMetaType::Bool:
            rc = sqlite3_bind_int(stmt_, slot, value.toInt());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(stmt_, slot, value.toDouble());
            break;
        case QMetaType::UInt:
        case QMetaType::LongLong:
            rc = sqlite3_bind_int64(stmt_, slot, value.toLongLong());
            break;
        case QMetaType::QDateTime:
            rc = bindText(stmt_, slot, value.toDateTime().toString(Qt::ISODateWithMs));
            break;
        case QMetaType::QTime:
            rc = bindText(stmt_, slot, value.toTime().toString(u"hh:mm:ss.zzz"));
            break;
        default:
            rc = bindText(stmt_, slot, value.toString());
            break;
        }
    }
    if (rc != SQLITE_OK && !bindFailed_) {
        bindFailed_ = true;
        fail(QStringLiteral("Unable to bind parameters"));
    }
}

bool PreparedStatement::exec()
{
    if (!ok_)
        return false;
    if (!stmt_) {
        if (!query_.exec()) {
            error_ = query_.lastError();
            return false;
        }
        changes_ = query_.numRowsAffected();
        return true;
    }
    changes_ = 0;
    if (bindFailed_) {
        bindFailed_ = false;
        sqlite3_reset(stmt_);
        return false;
    }
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        fail(QStringLiteral("Unable to fetch row"));
        sqlite3_reset(stmt_);
        return false;
    }
    changes_ = sqlite3_changes(handle_);
    sqlite3_reset(stmt_);
    return true;
}

int PreparedStatement::rowsAffected() const { return changes_; }

bool PreparedStatement::next()
{
    if (!ok_)
        return false;
    if (!stmt_) {
        if (!started_) {
            started_ = true;
            query_.setForwardOnly(true);
            if (!query_.exec()) {
                error_ = query_.lastError();
                return false;
            }
        }
        return query_.next();
    }
    started_ = true;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("Unable to fetch row"));
    return false;
}

int PreparedStatement::columnCount() const
{
    if (!stmt_)
        return query_.record().count();
    return sqlite3_column_count(stmt_);
}

QString PreparedStatement::columnName(int column) const
{
    if (!stmt_)
        return query_.record().fieldName(column);
    const void* name = sqlite3_column_name16(stmt_, column);
    return name ? QString::fromUtf16(static_cast<const char16_t*>(name)) : QString();
}

QVariant PreparedStatement::value(int column) const
{
    if (!stmt_) {
        const QVariant v = query_.value(column);
        return v.isNull() ? QVariant() : v;
    }
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, column));
    case SQLITE_TEXT: {
        const void* text = sqlite3_column_text16(stmt_, column);
        const int bytes = sqlite3_column_bytes16(stmt_, column);
        return QVariant(QString(static_cast<const QChar*>(text), bytes / int(sizeof(QChar))));
    }
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(stmt_, column);
        const int bytes = sqlite3_column_bytes(stmt_, column);
        return QVariant(QByteArray(static_cast<const char*>(data), bytes));
    }
    default:
        return QVariant();
    }
}

} // namespace platform
