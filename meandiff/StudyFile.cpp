#include "meandiff/StudyFile.h"
#include "platform/Errors.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace meandiff {

const std::array<const char*, kStudyFieldCount> kStudyFieldBoxes = {
    "TxtID",   "TxtYear",     "TxtAssess", "TxtDevice", "txtStudySample", "txtMean1",    "txtSD1",
    "TxtN1",   "txtT1Sample", "txtMean2",  "txtSD2",    "TxtN2",          "txtT2Sample", "txtD",
};

const std::array<const char*, kStudyFieldCount> kStudyFieldLabels = {
    "Authors",
    "Year",
    "Assessment Details",
    "Measurement Device",
    "Study Sample",
    "Exp Group Mean",
    "Exp Group SD",
    "Exp Group N",
    "Exp Group Sample Type",
    "Control Group Mean",
    "Control Group SD",
    "Control Group N",
    "Control Group Sample Type",
    "What is your expected effect size (d or g)?",
};

const char* const kMsgSaveFailed = "Something went very wrong and resulted in the following error";
const char* const kMsgOpenFailed =
    "Are you sure you're opening the right file? Something went very wrong and resulted in the following error";
const char* const kMsgRecentFailed = "Are you sure you're opening the right type of file? Something went very "
                                     "wrong and resulted in the following error";
const char* const kMsgCommandLineFailed = "Wwwoooow there!!! Are you sure the file isn't corrupt? Something went "
                                          "very wrong and resulted in the following error";
const char* const kMsgUnsavedBeforeOpen =
    "Data appears to have changed, do you wish to save these changes before opening a new file?";

namespace {

// A study file is a single short line; a box holds at most a few tens of
// thousands of characters. Reading stops here so that choosing some huge
// file by mistake cannot exhaust memory.
constexpr qint64 kMaxReadBytes = 4 * 1024 * 1024;

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

QByteArray encodeStudyRecord(const StudyRecord& record)
{
    QByteArray out;
    for (int i = 0; i < kStudyFieldCount; ++i) {
        if (i)
            out += ',';
        out += '"';
        out += record.fields[i].toUtf8();
        out += '"';
    }
    out += "\r\n";
    return out;
}

QString decodeStudyText(const QByteArray& bytes)
{
    // Stateful decoding: a multi-byte character cut off at the end of what
    // was read is not counted as invalid.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeCp1252(bytes);
}

StudyRecord parseStudyRecord(const QString& t)
{
    StudyRecord r;
    qsizetype pos = 0;
    const qsizetype n = t.size();
    for (int f = 0; f < kStudyFieldCount; ++f) {
        while (pos < n && isBlank(t[pos]))
            ++pos;
        if (pos >= n)
            throw platform::errInputPastEnd();
        if (t[pos] == QLatin1Char('"')) {
            const qsizetype close = t.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0)
                throw platform::errInputPastEnd();
            r.fields[f] = t.mid(pos + 1, close - pos - 1);
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
            r.fields[f] = t.mid(start, end - start);
        }
        pos = skipSeparator(t, pos);
    }
    return r;
}

StudyRecord readStudyFile(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        throw platform::errFileNotFound();
    // Only ordinary files: a folder, pipe or device is no study file (and a
    // pipe could block the program for ever).
    if (!info.isFile())
        throw platform::errPathFileAccess();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError)
            throw errPermissionDenied();
        throw platform::errPathFileAccess();
    }
    const QByteArray bytes = file.read(kMaxReadBytes);
    if (file.error() != QFileDevice::NoError)
        throw platform::errPathFileAccess();
    file.close();
    return parseStudyRecord(decodeStudyText(bytes));
}

void writeStudyFile(const QString& path, const StudyRecord& record)
{
    if (path.isEmpty())
        throw platform::RuntimeError(platform::ErrBadFileNameOrNumber, QStringLiteral("Bad file name or number"));
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw errPathNotFound();
    if (info.isDir())
        throw platform::errPathFileAccess();

    // Unbuffered, so that a short write (a full disk, a size limit) is seen
    // here and not lost in a later flush.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (file.error() == QFileDevice::PermissionsError)
            throw errPermissionDenied();
        throw platform::RuntimeError(platform::ErrPathFileAccess,
                                     QStringLiteral("Path/File access error: ") + file.errorString());
    }
    const QByteArray bytes = encodeStudyRecord(record);
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

int fieldWithDoubleQuote(const StudyRecord& record)
{
    for (int i = 0; i < kStudyFieldCount; ++i)
        if (record.fields[i].contains(QLatin1Char('"')))
            return i;
    return -1;
}

QString doubleQuoteRefusal(int fieldIndex)
{
    const QString box = (fieldIndex >= 0 && fieldIndex < kStudyFieldCount)
                            ? QString::fromLatin1(kStudyFieldLabels[fieldIndex])
                            : QString();
    return QStringLiteral("The box \"%1\" holds a double quote (\"), which a study file cannot store. "
                          "Please remove the double quote from that box and save again.")
        .arg(box);
}

QString failureMessage(const char* sentence, const QString& description)
{
    return QString::fromUtf8(sentence) + QLatin1Char('\n') + description;
}

} // namespace meandiff
