#pragma once
// A statement prepared once on a connection and run many times with new
// values, for loops that write many rows. On an SQLite connection it runs on
// the engine's own handle, which costs a fraction of a QSqlQuery run; on any
// other it goes through Qt SQL. Values are bound as Qt's SQLite driver binds
// them, so a row ends the same either way.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

class PreparedStatement {
public:
    // Prepares `sql` (positional "?" parameters) on `db`; ok() says whether
    // it could.
    PreparedStatement(const QSqlDatabase& db, const QString& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    bool ok() const { return ok_; }
    // Binds the parameter at `index` (from 0) for the next exec.
    void bind(int index, const QVariant& value);
    // Runs the statement with the values bound; false with lastError() set
    // when the database refuses it.
    bool exec();
    // Rows the last exec changed.
    int rowsAffected() const;

    // A query's rows, read forward once: the first call runs the statement
    // and each call moves to the next row; false after the last row or when
    // the database refuses it (lastError() then says why).
    bool next();
    int columnCount() const;
    QString columnName(int column) const;
    // The current row's value: Null as an invalid QVariant, whole numbers
    // as qlonglong, other numbers as double, text as QString, blobs as
    // QByteArray.
    QVariant value(int column) const;
    QSqlError lastError() const { return error_; }

private:
    void fail(const QString& where);

    sqlite3* handle_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    QSqlQuery query_;
    bool ok_ = false;
    bool bindFailed_ = false;
    bool started_ = false;
    int changes_ = 0;
    QSqlError error_;
};

// The engine's handle of an open SQLite connection, null for any other.
sqlite3* sqliteHandle(const QSqlDatabase& db);

// Whether the connection is inside a transaction (true also when that cannot
// be told: a connection other than SQLite's).
bool inTransaction(const QSqlDatabase& db);

} // namespace platform
