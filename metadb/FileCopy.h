#pragma once
// The byte-for-byte copy of a database file behind the database copy export:
// the copy itself, block by block, and the texts of its elapsed and remaining
// times.
#include <QString>
#include <QtGlobal>
#include <functional>

namespace metadb {

// Elapsed time as minutes:seconds from a number of seconds (its absolute
// value, fraction dropped): 4.3 -> "0:04", 65.4 -> "1:05", 600 -> "10:00".
// More than 32,767 minutes raises Overflow.
QString FormatElapsed(double seconds);

// Remaining time as hh:mm:ss from the whole seconds elapsed since the copy
// started and the percentage done (as text). A percentage that is not above
// 0 gives "", any failure (text that is not a number, a time too large) gives
// "Error". Minutes are truncated, seconds rounded: 30 s at 25 % gives
// "00:01:30".
QString TimeRemaining(const QString& currentPercentage, qint64 elapsedSeconds);

// Whole percent of `done` out of `total` bytes, rounded down (0 when total is
// not positive).
int percentDone(qint64 done, qint64 total);

// The transfer rate in units of 1,024 bytes with one decimal, halves rounded
// up: 256 bytes -> "0.3", 0 -> "0.0".
QString rateText(qint64 bytes);

// Whether the two paths name one file (the same file through another path
// or a hard link included).
bool isSameFile(const QString& a, const QString& b);

// What the copy reports after each block has been written.
struct CopyBlock {
    qint64 length = 0;   // bytes of this block
    qint64 copied = 0;   // bytes copied so far, this block included
    qint64 total = 0;    // length of the source
    bool last = false;
};

// Copies `source` to `destination` in blocks of `blockSize` bytes (the last
// block holds what is left), calling `afterBlock` after each block. A
// database is copied through SQLite's backup, in steps of the whole pages a
// block holds, as it was last committed (platform::backupDatabase): a journal
// a stopped program left beside it is rolled back first, or the copy is
// refused with the cause; any other file is copied byte for byte. The bytes
// go to a temporary file beside the destination, which replaces the
// destination only when every byte was written, so a failed copy leaves the
// destination as it was; both files are closed whatever happens. Raises
// RuntimeError for a missing or unreadable source, an empty source, a source
// that is the destination itself, or a destination that cannot be written.
void copyFileInBlocks(const QString& source, const QString& destination, qint64 blockSize,
                      const std::function<void(const CopyBlock&)>& afterBlock);

} // namespace metadb
