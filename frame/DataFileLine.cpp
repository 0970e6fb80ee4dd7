#include "frame/DataFileLine.h"
#include "platform/Errors.h"
#include "shell/TextBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace frame {

namespace {

constexpr qint64 kMegabyte = 1024 * 1024;

// A record of up to sixteen boxes, each full to its limit with characters of
// four bytes in UTF-8 (the most a character takes), fits.
static_assert(kLargestDataFile > 16 * (4 * qint64(shell::kLongestBoxText) + 3));

// Windows-1252 at 0x80..0x9F; the five unassigned bytes keep their C1 code.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(const QByteArray& bytes)
{
    QString s;
    s.resize(bytes.size());
    QChar* out = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return s;
}

// A size beyond the limit said as it is: in bytes (in megabytes a size just
// past the limit would be rounded to the limit or past the next megabyte).
QString sizeBeyondLimit(qint64 bytes) { return QStringLiteral("%1 bytes").arg(bytes); }

// The limit itself, in bytes and in megabytes.
QString limitText()
{
    return QStringLiteral("%1 bytes (%2 MB)").arg(kLargestDataFile).arg(kLargestDataFile / kMegabyte);
}

platform::RuntimeError errPermissionDenied() { return {70, QStringLiteral("Permission denied")}; }
platform::RuntimeError errPathNotFound() { return {platform::ErrPathNotFound, QStringLiteral("Path not found")}; }
platform::RuntimeError errDiskFull() { return {61, QStringLiteral("Disk full")}; }

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isSeparator(QChar c) { return c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

// Steps over one separator at pos (CR LF counts as one).
qsizetype skipSeparator(const QString& t, qsizetype pos)
{
    if (pos >= t.size())
        return pos;
    if (t[pos] == QLatin1Char('\r') && pos + 1 < t.size() && t[pos + 1] == QLatin1Char('\n'))
        return pos + 2;
    return pos + 1;
}

} // namespace

QByteArray encodeDataLine(const QStringList& fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            out += ',';
        out += '"';
        out += fields[i].toUtf8();
        out += '"';
    }
    out += "\r\n";
    return out;
}

QString decodeDataText(const QByteArray& bytes)
{
    // Stateful decoding: a multi-byte character cut off at the end of what
    // was read is not counted as invalid.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeCp1252(bytes);
}

QStringList parseDataLine(const QString& t, int fieldCount, int optionalCount)
{
    QStringList fields;
    qsizetype pos = 0;
    const qsizetype n = t.size();
    // Nothing but blanks and line ends is left.
    auto atEnd = [&] {
        for (qsizetype i = pos; i < n; ++i)
            if (!isBlank(t[i]) && t[i] != QLatin1Char('\r') && t[i] != QLatin1Char('\n'))
                return false;
        return true;
    };
    for (int f = 0; f < fieldCount + optionalCount; ++f) {
        if (f >= fieldCount && atEnd())
            break;
        while (pos < n && isBlank(t[pos]))
            ++pos;
        if (pos >= n)
            throw platform::errInputPastEnd();
        if (t[pos] == QLatin1Char('"')) {
            const qsizetype close = t.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0)
                throw platform::errInputPastEnd();
            fields << t.mid(pos + 1, close - pos - 1);
            pos = close + 1;
            while (pos < n && !isSeparator(t[pos]))
                ++pos;
        } else {
            const qsizetype start = pos;
            while (pos < n && !isSeparator(t[pos]))
                ++pos;
            qsizetype end = pos;
            while (end > start && isBlank(t[end - 1]))
                --end;
            fields << t.mid(start, end - start);
        }
        pos = skipSeparator(t, pos);
    }
    return fields;
}

QString readDataFileText(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        throw platform::errFileNotFound();
    // Only ordinary files: a folder, pipe or device is no data file (and a
    // pipe could block the program for ever).
    if (!info.isFile())
        throw platform::errPathFileAccess();
    if (info.size() > kLargestDataFile)
        throw errDataFileTooLarge(info.size());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError)
            throw errPermissionDenied();
        throw platform::errPathFileAccess();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw platform::errPathFileAccess();
    // The file may have grown since its size was looked at.
    if (bytes.size() > kLargestDataFile)
        throw errDataFileTooLarge(bytes.size());
    file.close();
    return decodeDataText(bytes);
}

QStringList readDataFile(const QString& path, int fieldCount)
{
    return parseDataLine(readDataFileText(path), fieldCount);
}

void writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        throw platform::RuntimeError(platform::ErrBadFileNameOrNumber, QStringLiteral("Bad file name or number"));
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw errPathNotFound();
    if (info.isDir())
        throw platform::errPathFileAccess();
    // A read-only file is not replaced (the replacement would otherwise
    // slip past its protection by renaming over it).
    if (info.exists() && !info.isWritable())
        throw errPermissionDenied();

    // Unbuffered, so that a short write (a full disk, a size limit) is seen
    // here and not lost in a later flush.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (file.error() == QFileDevice::PermissionsError)
            throw errPermissionDenied();
        throw platform::RuntimeError(platform::ErrPathFileAccess,
                                     QStringLiteral("Path/File access error: ") + file.errorString());
    }
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += n;
    }
    if (written != bytes.size()) {
        const QFileDevice::FileError error = file.error();
        const QString why = file.errorString();
        file.cancelWriting();
        if (error == QFileDevice::ResourceError)
            throw errDiskFull();
        throw platform::RuntimeError(platform::ErrPathFileAccess, QStringLiteral("Path/File access error: ") + why);
    }
    if (!file.commit()) {
        if (file.error() == QFileDevice::ResourceError)
            throw errDiskFull();
        throw platform::RuntimeError(platform::ErrPathFileAccess,
                                     QStringLiteral("Path/File access error: ") + file.errorString());
    }
}

void writeDataFile(const QString& path, const QStringList& fields)
{
    const QByteArray bytes = encodeDataLine(fields);
    // What is written must open again.
    if (bytes.size() > kLargestDataFile)
        throw platform::RuntimeError(platform::ErrPathFileAccess,
                                     QStringLiteral("The data would make a file of %1, more than the %2 a data file "
                                                    "can be. Please shorten the longest text and save again.")
                                         .arg(sizeBeyondLimit(bytes.size()), limitText()));
    writeFileAtomically(path, bytes);
}

platform::RuntimeError errDataFileTooLarge(qint64 bytes)
{
    return {platform::ErrPathFileAccess,
            QStringLiteral("This file is %1 long, more than the %2 a data file can be. It was not opened.")
                .arg(sizeBeyondLimit(bytes), limitText())};
}

void checkDataFileSize(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kLargestDataFile)
        throw errDataFileTooLarge(info.size());
}

int firstFieldWithDoubleQuote(const QStringList& fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (fields[i].contains(QLatin1Char('"')))
            return static_cast<int>(i);
    return -1;
}

QString doubleQuoteRefusalText(const QString& boxLabel, const QString& fileKind)
{
    return QStringLiteral("The box \"%1\" holds a double quote (\"), which %2 cannot store. "
                          "Please remove the double quote from that box and save again.")
        .arg(boxLabel, fileKind);
}

QString failureMessage(const char* sentence, const QString& description)
{
    return QString::fromUtf8(sentence) + QLatin1Char('\n') + description;
}

const char* const kMsgOpenFailed =
    "Are you sure you're opening the right file? Something went very wrong and resulted in the following error";
const char* const kMsgRecentFailed = "Are you sure you're opening the right type of file? Something went very "
                                     "wrong and resulted in the following error";

} // namespace frame
