#include "personchange/ChangeFile.h"
#include "meandiff/StudyFile.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace morvane {

const std::array<const char*, kChangeFieldCount> kChangeFieldBoxes = {
    "TxtID",       "TxtAssess", "TxtDevice", "TxtTime1Answer", "TxtTime2Answer", "TxtReliabilityAnswer",
    "TxtAnswerSD", "TxtClinMean", "TxtClinSD", "TxtNormMean",  "TxtNormSD",      "TxtExtraInfo",
};

const std::array<const char*, kChangeFieldCount> kChangeFieldLabels = {
    "Study / Client ID",
    "Assessment Details",
    "Device",
    "Client's score at Time 1",
    "Client's score at Time 2",
    "Test-retest reliability",
    "Standard deviation of the reliability sample",
    "Clinical Sample Mean",
    "Clinical Sample S.D",
    "Normative Sample Mean",
    "Normative Sample S.D",
    "Extra Information",
};

const char* const kMsgChangeSaveFailed = "Something went very wrong and resulted in the following error:";
const char* const kMsgChangeLoadFailed = "Are you sure the file isn't corrupt and that you're trying to open a "
                                         "correct file type? Something went very wrong and resulted in the "
                                         "following error";

namespace {

// A change file is one short record; the free text may be long, but never
// megabytes. Reading stops here so that a huge file chosen by mistake cannot
// exhaust memory.
constexpr qint64 kReadLimit = 4 * 1024 * 1024;

platform::RuntimeError permissionDenied() { return {70, QStringLiteral("Permission denied")}; }

// Every line break as "\n".
QString unifyLineBreaks(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

// Walks the text of a record line one field at a time.
class FieldCursor {
public:
    explicit FieldCursor(const QString& text) : t_(text) {}

    // Nothing but blanks and line ends is left.
    bool atEnd() const
    {
        for (qsizetype i = at_; i < t_.size(); ++i)
            if (!isBlank(t_[i]) && !isLineEnd(t_[i]))
                return false;
        return true;
    }

    QString next()
    {
        while (at_ < t_.size() && isBlank(t_[at_]))
            ++at_;
        if (at_ >= t_.size())
            throw platform::errInputPastEnd();
        QString field;
        if (t_[at_] == QLatin1Char('"')) {
            const qsizetype close = t_.indexOf(QLatin1Char('"'), at_ + 1);
            if (close < 0)
                throw platform::errInputPastEnd();
            field = t_.mid(at_ + 1, close - at_ - 1);
            at_ = endOfField(close + 1);
        } else {
            const qsizetype start = at_;
            at_ = endOfField(at_);
            field = t_.mid(start, at_ - start);
            while (!field.isEmpty() && isBlank(field.back()))
                field.chop(1);
        }
        skipSeparator();
        return unifyLineBreaks(field);
    }

private:
    static bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
    static bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

    qsizetype endOfField(qsizetype from) const
    {
        while (from < t_.size() && t_[from] != QLatin1Char(',') && !isLineEnd(t_[from]))
            ++from;
        return from;
    }
    void skipSeparator()
    {
        if (at_ >= t_.size())
            return;
        const bool crlf = t_[at_] == QLatin1Char('\r') && at_ + 1 < t_.size() && t_[at_ + 1] == QLatin1Char('\n');
        at_ += crlf ? 2 : 1;
    }

    const QString& t_;
    qsizetype at_ = 0;
};

QStringList fieldsOf(const ChangeRecord& record) { return QStringList(record.fields.begin(), record.fields.end()); }

} // namespace

QByteArray encodeRecordLine(const QStringList& fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        out += i ? ",\"" : "\"";
        out += unifyLineBreaks(fields[i]).replace(QLatin1Char('\n'), QLatin1String("\r\n")).toUtf8();
        out += '"';
    }
    out += "\r\n";
    return out;
}

QStringList parseRecordLine(const QString& text, int required, int optional)
{
    FieldCursor cursor(text);
    QStringList fields;
    for (int i = 0; i < required; ++i)
        fields << cursor.next();
    for (int i = 0; i < optional && !cursor.atEnd(); ++i)
        fields << cursor.next();
    return fields;
}

QByteArray readRecordFileBytes(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        throw platform::errFileNotFound();
    // Only ordinary files: a folder, pipe or device holds no record (and a
    // pipe could hold the program up for ever).
    if (!info.isFile())
        throw platform::errPathFileAccess();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw file.error() == QFileDevice::PermissionsError ? permissionDenied() : platform::errPathFileAccess();
    QByteArray bytes = file.read(kReadLimit);
    if (file.error() != QFileDevice::NoError)
        throw platform::errPathFileAccess();
    return bytes;
}

void replaceFileContents(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        throw platform::RuntimeError(platform::ErrBadFileNameOrNumber, QStringLiteral("Bad file name or number"));
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw platform::RuntimeError(platform::ErrPathNotFound, QStringLiteral("Path not found"));
    if (info.isDir())
        throw platform::errPathFileAccess();
    if (info.exists() && !info.isWritable())
        throw permissionDenied();

    auto failure = [](const QFileDevice& f) {
        if (f.error() == QFileDevice::PermissionsError)
            return permissionDenied();
        if (f.error() == QFileDevice::ResourceError)
            return platform::RuntimeError(61, QStringLiteral("Disk full"));
        return platform::RuntimeError(platform::ErrPathFileAccess,
                                      QStringLiteral("Path/File access error: ") + f.errorString());
    };

    // Unbuffered, so that a short write (a full disk, a size limit) shows
    // here and is not lost in a later flush.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failure(file);
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            const platform::RuntimeError e = failure(file);
            file.cancelWriting();
            throw e;
        }
        done += n;
    }
    if (!file.commit())
        throw failure(file);
}

QByteArray encodeChangeRecord(const ChangeRecord& record) { return encodeRecordLine(fieldsOf(record)); }

ChangeRecord parseChangeRecord(const QString& text, ChangeRecordForm form)
{
    const QStringList fields = form == ChangeRecordForm::Twelve
                                   ? parseRecordLine(text, kChangeFieldCount)
                                   : parseRecordLine(text, kOlderChangeFieldCount, 1);
    ChangeRecord r;
    for (int i = 0; i < fields.size() && i < kChangeFieldCount; ++i)
        r.fields[i] = fields[i];
    return r;
}

ChangeRecord readChangeFile(const QString& path, ChangeRecordForm form)
{
    return parseChangeRecord(meandiff::decodeStudyText(readRecordFileBytes(path)), form);
}

void writeChangeFile(const QString& path, const ChangeRecord& record)
{
    replaceFileContents(path, encodeChangeRecord(record));
}

int changeFieldWithDoubleQuote(const ChangeRecord& record)
{
    for (int i = 0; i < kChangeFieldCount; ++i)
        if (record.fields[i].contains(QLatin1Char('"')))
            return i;
    return -1;
}

QString changeDoubleQuoteRefusal(int fieldIndex)
{
    const QString box = (fieldIndex >= 0 && fieldIndex < kChangeFieldCount)
                            ? QString::fromLatin1(kChangeFieldLabels[fieldIndex])
                            : QString();
    return QStringLiteral("The box \"%1\" holds a double quote (\"), which a Morvane file cannot store. "
                          "Please remove the double quote from that box and save again.")
        .arg(box);
}

} // namespace morvane
