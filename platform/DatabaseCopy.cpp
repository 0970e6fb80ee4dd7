#include "platform/DatabaseCopy.h"

#include "platform/Errors.h"
#include "platform/Recordset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {

constexpr int kBusyWaitMs = 5000;   // as long as an edit waits for another user's lock

RuntimeError copyError(const QString& what, const QString& path, const QString& cause)
{
    return {ErrPathFileAccess, what + QStringLiteral(" ") + path
                                   + (cause.isEmpty() ? QString() : QStringLiteral(" (") + cause + QLatin1Char(')'))};
}

QString engineText(sqlite3* db, int rc)
{
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    return message.isEmpty() ? QString::fromUtf8(sqlite3_errstr(rc)) : message;
}

// Why the source cannot be read as it stands, in words.
QString sourceCause(sqlite3* db, int rc, const QString& source)
{
    const int primary = rc & 0xff;
    if (rc == SQLITE_READONLY_ROLLBACK || (primary == SQLITE_READONLY && QFileInfo::exists(source + QStringLiteral("-journal"))))
        return QStringLiteral("a program stopped in the middle of writing it, and its journal ") + source
            + QStringLiteral("-journal cannot be rolled back here because the file or its folder is read-only");
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return QStringLiteral("another user is writing to it; please try again in a moment");
    if (primary == SQLITE_NOTADB)
        return QStringLiteral("it is not a database");
    if (primary == SQLITE_CORRUPT)
        return QStringLiteral("the database is damaged");
    return engineText(db, rc);
}

struct Handle {
    sqlite3* db = nullptr;
    ~Handle() { sqlite3_close_v2(db); }
};

} // namespace

bool looksLikeDatabase(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3", 16);
}

void backupDatabase(const QString& source, const QString& destination, qint64 bytesPerStep, bool replace,
                    const std::function<void(const BackupStep&)>& afterStep)
{
    const QFileInfo target(destination);
    if (target.isDir())
        throw copyError(QStringLiteral("The copy cannot be written as"), destination,
                        QStringLiteral("a folder of that name exists"));
    if (!replace && (target.exists() || target.isSymLink()))
        throw RuntimeError(58, QStringLiteral("File already exists"));

    // The source is opened for writing where it can be, so that SQLite can
    // roll back a journal a stopped program left; the copy itself only reads.
    Handle from;
    const QByteArray sourceName = QFile::encodeName(source);
    int rc = sqlite3_open_v2(sourceName.constData(), &from.db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(from.db);
        from.db = nullptr;
        rc = sqlite3_open_v2(sourceName.constData(), &from.db, SQLITE_OPEN_READONLY, nullptr);
    }
    if (rc != SQLITE_OK)
        throw copyError(QStringLiteral("The database cannot be read:"), source, sourceCause(from.db, rc, source));
    sqlite3_busy_timeout(from.db, kBusyWaitMs);
    rc = sqlite3_exec(from.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw copyError(QStringLiteral("The database cannot be read:"), source,
                        sourceCause(from.db, sqlite3_extended_errcode(from.db), source));

    const QString folder = target.absolutePath();
    if (!QDir(folder).exists())
        throw copyError(QStringLiteral("The copy cannot be written as"), destination,
                        QStringLiteral("the folder does not exist"));
    QTemporaryFile temp(QDir(folder).filePath(QStringLiteral(".") + target.fileName() + QStringLiteral("-XXXXXX")));
    if (!temp.open())
        throw copyError(QStringLiteral("The copy cannot be written as"), destination, temp.errorString());
    const QString tempPath = temp.fileName();
    temp.close();
    auto removeTemp = qScopeGuard([&] {
        QFile::remove(tempPath);
        QFile::remove(tempPath + QStringLiteral("-journal"));
    });

    {
        Handle to;
        rc = sqlite3_open_v2(QFile::encodeName(tempPath).constData(), &to.db, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK)
            throw copyError(QStringLiteral("The copy cannot be written as"), destination, engineText(to.db, rc));
        sqlite3_backup* backup = sqlite3_backup_init(to.db, "main", from.db, "main");
        if (!backup)
            throw copyError(QStringLiteral("The copy cannot be written as"), destination, engineText(to.db, 0));
        const qint64 pageSize = [&] {
            sqlite3_stmt* stmt = nullptr;
            qint64 size = 4096;
            if (sqlite3_prepare_v2(from.db, "PRAGMA page_size", -1, &stmt, nullptr) == SQLITE_OK
                && sqlite3_step(stmt) == SQLITE_ROW)
                size = sqlite3_column_int64(stmt, 0);
            sqlite3_finalize(stmt);
            return std::max<qint64>(size, 512);
        }();
        const int pagesPerStep = static_cast<int>(std::clamp<qint64>(bytesPerStep / pageSize, 1, 1 << 20));
        qint64 copiedPages = 0;
        for (;;) {
            rc = sqlite3_backup_step(backup, pagesPerStep);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                sqlite3_sleep(20);
                continue;
            }
            if (rc != SQLITE_OK && rc != SQLITE_DONE)
                break;
            const qint64 total = sqlite3_backup_pagecount(backup);
            const qint64 done = total - sqlite3_backup_remaining(backup);
            const qint64 step = std::max<qint64>(0, done - copiedPages);
            copiedPages = done;
            if (afterStep) {
                try {
                    afterStep({step * pageSize, done * pageSize, total * pageSize, rc == SQLITE_DONE});
                } catch (...) {
                    sqlite3_backup_finish(backup);
                    throw;
                }
            }
            if (rc == SQLITE_DONE)
                break;
        }
        const int finished = sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE || finished != SQLITE_OK) {
            const int cause = rc != SQLITE_DONE ? rc : finished;
            const bool readSide = (cause & 0xff) == SQLITE_BUSY || (cause & 0xff) == SQLITE_CORRUPT
                || (cause & 0xff) == SQLITE_NOTADB;
            if (readSide)
                throw copyError(QStringLiteral("The database cannot be read:"), source, sourceCause(from.db, cause, source));
            throw copyError(QStringLiteral("The copy cannot be written as"), destination, engineText(to.db, cause));
        }
    }

    // The copy takes the permissions of a new file.
    QFile::setPermissions(tempPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray from8 = QFile::encodeName(tempPath);
    const QByteArray to8 = QFile::encodeName(destination);
    if (replace) {
        if (std::rename(from8.constData(), to8.constData()) != 0)
            throw copyError(QStringLiteral("The copy cannot be written as"), destination,
                            QString::fromLocal8Bit(std::strerror(errno)));
    } else if (!QFile::rename(tempPath, destination)) {
        // QFile::rename never replaces a file.
        if (QFileInfo::exists(destination))
            throw RuntimeError(58, QStringLiteral("File already exists"));
        throw copyError(QStringLiteral("The copy cannot be written as"), destination, QString());
    }
    removeTemp.dismiss();
}

} // namespace platform
