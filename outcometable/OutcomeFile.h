#pragma once
// The outcome file (.qln): one record of the nine outcome fields of the main
// window (study details and the six counts of the treatment-by-outcome
// table), written as one data-file line and read back field by field. No
// window code here; failures are platform::RuntimeError.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

#include "frame/DataFileLine.h"
#include "outcometable/OutcomeMode.h"

namespace quellin {

constexpr int kOutcomeFieldCount = 9;

// The boxes of the main window that make up one record, in file order.
extern const std::array<const char*, kOutcomeFieldCount> kOutcomeFieldBoxes;
// What each box is called on the window (used to name a box in a message).
extern const std::array<const char*, kOutcomeFieldCount> kOutcomeFieldLabels;


struct OutcomeRecord : frame::DataRecord<OutcomeRecord, kOutcomeFieldCount> {};

// The mode a record implies: 2 x 2 when both deteriorated fields (6 and 9)
// are empty, otherwise 3 x 2.
OutcomeMode outcomeModeOf(const OutcomeRecord& record);

// Reads the record of an outcome file (UTF-8, or Windows-1252 when the bytes
// are not UTF-8). Throws "File not found", "Permission denied",
// "Path/File access error" or "Input past end of file".
OutcomeRecord readOutcomeFile(const QString& path);
// Writes the record, replacing the file only when the new one was written
// completely. Throws platform::RuntimeError on failure.
void writeOutcomeFile(const QString& path, const OutcomeRecord& record);

// The index of the first field holding a double quote (which the line format
// cannot carry), or -1; and the message that refuses to save it.
int outcomeFieldWithDoubleQuote(const OutcomeRecord& record);
QString outcomeDoubleQuoteRefusal(int fieldIndex);

// ---- Messages -----------------------------------------------------------

extern const char* const kMsgOutcomeSaveFailed;
extern const char* const kMsgOutcomeOpenFailed;     // Open and a recent file
extern const char* const kMsgOutcomeCommandLineFailed;
extern const char* const kMsgOutcomePrintFailed;

} // namespace quellin
