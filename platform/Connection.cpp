#include "platform/Connection.h"
#include "platform/StoredValues.h"

#include "platform/Errors.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace platform {

using namespace store;

namespace {

QAtomicInt connectionCounter;

} // namespace

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
} // namespace platform
