#pragma once
// A copy of a database file as it was last committed, made through SQLite's
// own backup on an open connection: a journal left beside the file by a
// program that stopped in the middle of a write is rolled back first, and no
// other user's write can land in the middle of the copy.
#include <QString>
#include <QtGlobal>
#include <functional>

namespace platform {

// Whether the file begins as an SQLite database does.
bool looksLikeDatabase(const QString& path);

// What the copy reports after each step.
struct BackupStep {
    qint64 length = 0;   // bytes of this step
    qint64 copied = 0;   // bytes copied so far, this step included
    qint64 total = 0;    // bytes of the whole database
    bool last = false;
};

// Copies the database `source` into `destination`, `bytesPerStep` bytes (whole
// pages, at least one) at a time, calling `afterStep` after each step. The
// copy is written under a temporary name beside the destination and put in
// its place only when whole: with `replace` an existing destination is
// replaced in one step, without it an existing destination is refused. A
// failure leaves the destination as it was and no temporary file behind.
// Raises RuntimeError naming the cause: not a database, a journal that cannot
// be rolled back (a read-only file or folder), a lock another user holds, a
// destination that cannot be written.
void backupDatabase(const QString& source, const QString& destination, qint64 bytesPerStep, bool replace,
                    const std::function<void(const BackupStep&)>& afterStep = {});

} // namespace platform
