#pragma once
// The study file (.tvq): one record of the fourteen study fields of the main
// window, written as one line ("field","field",...,"field" CR LF), and read
// back field by field. No window code here: records in, records out, and
// platform::RuntimeError for every failure.
#include "frame/DataFileLine.h"
#include "frame/DataFileWindow.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace meandiff {

constexpr int kStudyFieldCount = 14;

// The boxes of the main window that make up one study, in file order.
extern const std::array<const char*, kStudyFieldCount> kStudyFieldBoxes;
// What each box is called on the window (used to name a box in a message).
extern const std::array<const char*, kStudyFieldCount> kStudyFieldLabels;

struct StudyRecord : frame::DataRecord<StudyRecord, kStudyFieldCount> {};

// ---- Line format --------------------------------------------------------

// The record as the bytes of its file: every field in double quotes, commas
// between, CR LF at the end; text in UTF-8.
QByteArray encodeStudyRecord(const StudyRecord& record);

// The text of a file's bytes: UTF-8 when the bytes are valid UTF-8 (a
// leading byte-order mark is dropped), otherwise Windows-1252, so files
// written by older programs keep their accents.
QString decodeStudyText(const QByteArray& bytes);

// Reads the fourteen fields from the start of the text. Commas and line ends
// (CR LF, CR or LF) separate fields; blanks before a field are skipped; a
// field that starts with a double quote runs to the next double quote, and
// whatever follows it up to the next separator is dropped; an unquoted field
// runs to the next separator, its trailing blanks removed. Anything after the
// fourteenth field is ignored. Throws "Input past end of file" when the text
// ends before the fourteenth field is complete (a quoted field that is never
// closed counts as incomplete).
StudyRecord parseStudyRecord(const QString& text);

// ---- Files --------------------------------------------------------------

// Reads the record of a study file. Throws platform::RuntimeError:
// "File not found", "Permission denied", "Path/File access error" or
// "Input past end of file".
StudyRecord readStudyFile(const QString& path);

// Writes the record to the file, replacing it as a whole: the new file takes
// the old one's place only when it was written completely, so a failed or
// interrupted save leaves the old file as it was. Throws
// platform::RuntimeError on failure.
void writeStudyFile(const QString& path, const StudyRecord& record);

// The index of the first field that holds a double quote (which the line
// format cannot carry), or -1.
int fieldWithDoubleQuote(const StudyRecord& record);
// The message that refuses to save such a record, naming the box.
QString doubleQuoteRefusal(int fieldIndex);

// ---- Messages (failureMessage: frame/DataFileLine.h) -----------------

extern const char* const kMsgSaveFailed;
// kMsgOpenFailed and kMsgRecentFailed: frame/DataFileLine.h.
extern const char* const kMsgCommandLineFailed;

} // namespace meandiff
