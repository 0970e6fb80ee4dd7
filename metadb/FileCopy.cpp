#include "metadb/FileCopy.h"

#include "platform/DatabaseCopy.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

namespace metadb {

namespace {

// At least two digits, the sign in front of them.
QString twoDigits(qint64 v)
{
    const QString digits = QString::number(v < 0 ? -v : v).rightJustified(2, QLatin1Char('0'));
    return v < 0 ? QStringLiteral("-") + digits : digits;
}

platform::RuntimeError fileError(int number, const QString& description, const QString& path)
{
    return {number, description + QStringLiteral(": ") + path};
}

} // namespace

bool isSameFile(const QString& a, const QString& b)
{
    std::error_code ec;
    const std::filesystem::path pa(QFile::encodeName(a).toStdString());
    const std::filesystem::path pb(QFile::encodeName(b).toStdString());
    if (std::filesystem::exists(pb, ec) && std::filesystem::equivalent(pa, pb, ec))
        return true;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

QString FormatElapsed(double seconds)
{
    const double s = std::trunc(std::fabs(seconds));
    if (!std::isfinite(s))
        throw platform::errOverflow();
    const int secs = static_cast<int>(std::fmod(s, 60.0));
    const std::int16_t minutes = platform::cint(std::trunc(s / 60.0));
    return QString::number(minutes) + QLatin1Char(':') + twoDigits(secs);
}

QString TimeRemaining(const QString& currentPercentage, qint64 elapsedSeconds)
{
    try {
        const double p = platform::cdbl(currentPercentage);
        if (!(p > 0))
            return {};
        const double r = static_cast<double>(elapsedSeconds) / p * (100.0 - p);
        const std::int32_t m = platform::clng(std::trunc(r / 60.0));
        const std::int32_t hours = m / 60;
        const std::int32_t minutes = m % 60;
        const std::int32_t secs = platform::clng(r) % 60;   // clng rounds halves to even
        return twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') + twoDigits(secs);
    } catch (const platform::RuntimeError&) {
        return QStringLiteral("Error");
    }
}

int percentDone(qint64 done, qint64 total)
{
    if (total <= 0)
        return 0;
    return static_cast<int>((done * 100) / total);
}

QString rateText(qint64 bytes)
{
    const qint64 tenths = (bytes * 10 + 512) / 1024;
    return QString::number(tenths / 10) + QLatin1Char('.') + QString::number(tenths % 10);
}

void copyFileInBlocks(const QString& source, const QString& destination, qint64 blockSize,
                      const std::function<void(const CopyBlock&)>& afterBlock)
{
    if (blockSize <= 0)
        throw platform::errInvalidCall();
    const QFileInfo info(source);
    if (!info.exists() || info.isDir())
        throw fileError(platform::ErrFileNotFound, QStringLiteral("File not found"), source);
    if (QFileInfo(destination).isDir())
        throw fileError(platform::ErrPathFileAccess, QStringLiteral("The destination is a folder"), destination);
    if (isSameFile(source, destination))
        throw platform::RuntimeError(platform::ErrPathFileAccess,
                                     QStringLiteral("The source file cannot be copied onto itself. "
                                                    "Please choose a different destination file."));

    if (platform::looksLikeDatabase(source)) {
        // A database is copied as it was last committed: SQLite's backup on
        // an open connection rolls back what a stopped program left half
        // written and keeps other users' writes out of the copy.
        platform::backupDatabase(source, destination, blockSize, true, [&](const platform::BackupStep& s) {
            if (afterBlock)
                afterBlock(CopyBlock{s.length, s.copied, s.total, s.last});
        });
        return;
    }

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw fileError(platform::ErrPathFileAccess, QStringLiteral("The source file cannot be read"), source);
    const qint64 total = in.size();
    if (total == 0)
        throw fileError(platform::ErrPathFileAccess, QStringLiteral("The source file is empty, there is nothing to copy"),
                        source);

    // Writes go to a temporary file beside the destination; commit() puts it
    // in the destination's place in one step, and without it the temporary
    // file goes away and the destination stays as it was.
    QSaveFile out(destination);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        throw fileError(platform::ErrPathFileAccess,
                        QStringLiteral("The destination file cannot be written (") + out.errorString() + QLatin1Char(')'),
                        destination);
    auto discard = qScopeGuard([&] { out.cancelWriting(); });

    std::vector<char> buffer(static_cast<size_t>(std::min(blockSize, total)));
    qint64 copied = 0;
    while (copied < total) {
        const qint64 left = total - copied;
        const bool last = blockSize >= left;
        const qint64 length = last ? left : blockSize;
        if (in.read(buffer.data(), length) != length)
            throw fileError(platform::ErrPathFileAccess, QStringLiteral("The source file cannot be read"), source);
        if (out.write(buffer.data(), length) != length)
            throw fileError(platform::ErrPathFileAccess,
                            QStringLiteral("The destination file cannot be written (") + out.errorString()
                                + QLatin1Char(')'),
                            destination);
        copied += length;
        if (afterBlock)
            afterBlock(CopyBlock{length, copied, total, last});
    }
    in.close();
    discard.dismiss();
    if (!out.commit())
        throw fileError(platform::ErrPathFileAccess,
                        QStringLiteral("The destination file cannot be written (") + out.errorString() + QLatin1Char(')'),
                        destination);
}

} // namespace metadb
