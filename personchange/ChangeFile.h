#pragma once
// The change file (.mrv) of Morvane: one record of the twelve input boxes of
// the main window, written as one line ("field","field",...,"field" CR LF) and
// read back field by field. Files of the older form hold only the first
// eleven fields. No window code here: records in, records out, and
// platform::RuntimeError for every failure.
//
// The record line itself (quoting, separators, line ends, text encoding,
// replacing a file safely) is written for any number of fields, so that it
// serves every record of this kind.
#include "frame/DataFileLine.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

namespace morvane {

// ---- A record line of any number of fields ------------------------------

// The fields as the bytes of one line: every field in double quotes, commas
// between, CR LF at the end; text in UTF-8. A line break inside a field is
// written as it is (LF, CR, CR LF or any other) inside the field's quotes.
QByteArray encodeRecordLine(const QStringList& fields);

// Reads `required` fields from the start of the text, then up to `optional`
// further fields while anything but blanks and line ends is left. Commas and
// line ends separate fields; blanks before a field are skipped; a field that
// starts with a double quote runs to the next double quote (line breaks and
// commas inside it belong to the field), and whatever follows it up to the
// next separator is dropped; an unquoted field runs to the next separator,
// its trailing blanks removed. Line breaks inside a quoted field are
// returned as they were read. Throws "Input past end of file" when the text
// ends before the required fields are complete (a quoted field that is never
// closed counts as incomplete, also among the optional ones).
QStringList parseRecordLine(const QString& text, int required, int optional = 0);

// ---- The change record ---------------------------------------------------

constexpr int kChangeFieldCount = 12;
// Files of the older form end after field 11.
constexpr int kOlderChangeFieldCount = 11;
// The free text of the "Extra Information" tab; may hold line breaks.
constexpr int kExtraInfoField = 11;

// The boxes of the main window that make up one record, in file order.
extern const std::array<const char*, kChangeFieldCount> kChangeFieldBoxes;
// What each box is called on the window (used to name a box in a message).
extern const std::array<const char*, kChangeFieldCount> kChangeFieldLabels;

struct ChangeRecord : frame::DataRecord<ChangeRecord, kChangeFieldCount> {};

// Which records a reader accepts.
enum class ChangeRecordForm {
    ElevenOrTwelve,   // Open and the command line: field 12 only when present
    Twelve,           // a recent-file entry: all twelve fields
};

QByteArray encodeChangeRecord(const ChangeRecord& record);
ChangeRecord parseChangeRecord(const QString& text, ChangeRecordForm form);

// Reads the record of a change file. Throws platform::RuntimeError: "File
// not found", "Permission denied", "Path/File access error" or "Input past
// end of file".
ChangeRecord readChangeFile(const QString& path, ChangeRecordForm form);

// Writes the record to the file, replacing it safely as a whole (see
// replaceFileContents).
void writeChangeFile(const QString& path, const ChangeRecord& record);

// The index of the first field that holds a double quote (which the line
// format cannot carry), or -1.
int changeFieldWithDoubleQuote(const ChangeRecord& record);
// The message that refuses to save such a record, naming the box.
QString changeDoubleQuoteRefusal(int fieldIndex);

// ---- Messages -----------------------------------------------------------
// (Open, the recent-file entries and the unsaved-data question use the
// frame's sentences: frame::kMsgOpenFailed, kMsgRecentFailed
// (frame/DataFileLine.h) and kMsgUnsavedBeforeOpen (frame/DataFileWindow.h).)

// Save As and Save (Overwrite) could not write the file.
extern const char* const kMsgChangeSaveFailed;
// The file named on the command line could not be read at start.
extern const char* const kMsgChangeLoadFailed;

} // namespace morvane
