#pragma once
// The line format of the programs' data files: one record of text fields,
// each written in double quotes, commas between, CR LF at the end, no header
// and no version. Shared by every program's data file; a program's own file
// module names its fields and messages.
#include "platform/Errors.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

namespace frame {

// One record of a data file: its text fields in file order. A program's file
// names its own: struct StudyRecord : DataRecord<StudyRecord, 14> {};
template <class Record, int N>
struct DataRecord {
    std::array<QString, N> fields;

    QStringList toList() const { return QStringList(fields.begin(), fields.end()); }
    // The first N of the given fields; those not given stay empty.
    static Record fromList(const QStringList& list)
    {
        Record r;
        for (int i = 0; i < N && i < list.size(); ++i)
            r.fields[static_cast<std::size_t>(i)] = list[i];
        return r;
    }
    bool operator==(const DataRecord& o) const { return fields == o.fields; }
    bool operator!=(const DataRecord& o) const { return !(*this == o); }
};

// The fields as the bytes of a file: every field in double quotes, commas
// between, CR LF at the end; text in UTF-8. Nothing is escaped.
QByteArray encodeDataLine(const QStringList& fields);

// The text of a file's bytes: UTF-8 when the bytes are valid UTF-8 (a
// leading byte-order mark is dropped), otherwise Windows-1252, so files
// written by older programs keep their accents.
QString decodeDataText(const QByteArray& bytes);

// Reads fieldCount fields from the start of the text. Commas and line ends
// (CR LF, CR or LF) separate fields; blanks before a field are skipped; a
// field that starts with a double quote runs to the next double quote, and
// whatever follows it up to the next separator is dropped; an unquoted field
// runs to the next separator, its trailing blanks removed. Anything after the
// last field read is ignored. Throws "Input past end of file" when the text
// ends before the last field is complete (a quoted field that is never
// closed counts as incomplete).
// With optionalCount, up to that many further fields are read while anything
// but blanks and line ends is left (an unclosed quote among them throws too).
QStringList parseDataLine(const QString& text, int fieldCount, int optionalCount = 0);

// The largest data file that is read or written. Far beyond anything the
// boxes of a window can hold, so whatever a program saves opens again; a
// larger file is some other file chosen by mistake.
constexpr qint64 kLargestDataFile = qint64(128) * 1024 * 1024;

// The error of a file larger than kLargestDataFile (its size in bytes); its
// description says so.
platform::RuntimeError errDataFileTooLarge(qint64 bytes);
// Throws errDataFileTooLarge when the path names an ordinary file larger
// than kLargestDataFile; does nothing otherwise (also when there is no such
// file: reading it reports that). The commands check this before they change
// the window.
void checkDataFileSize(const QString& path);

// The whole text of a data file. Throws platform::RuntimeError: "File not
// found", "Permission denied", "Path/File access error" or
// errDataFileTooLarge.
QString readDataFileText(const QString& path);

// Reads fieldCount fields of a data file: readDataFileText, then
// parseDataLine ("Input past end of file" when the file is short).
QStringList readDataFile(const QString& path, int fieldCount);

// Writes the bytes to the file, replacing it as a whole: the new file takes
// the old one's place only when it was written completely, so a failed or
// interrupted save leaves the old file as it was. A read-only file is not
// replaced. Throws platform::RuntimeError on failure.
void writeFileAtomically(const QString& path, const QByteArray& bytes);
// Writes the fields as one data line, through writeFileAtomically. A line
// longer than kLargestDataFile is refused (platform::RuntimeError, nothing
// written): it could not be opened again.
void writeDataFile(const QString& path, const QStringList& fields);

// The index of the first field that holds a double quote (which the line
// format cannot carry), or -1.
int firstFieldWithDoubleQuote(const QStringList& fields);

// The message that refuses to save a double quote: names the box by its
// label and the kind of file ("a study file").
QString doubleQuoteRefusalText(const QString& boxLabel, const QString& fileKind);

// A failure message: the sentence, a line break, the error's description.
QString failureMessage(const char* sentence, const QString& description);

// The sentences of a failed File > Open and of a failed recent-file entry,
// shared by the study file and the change file.
extern const char* const kMsgOpenFailed;
extern const char* const kMsgRecentFailed;

} // namespace frame
