#include "outcometable/OutcomeFile.h"
#include "frame/DataFileLine.h"

namespace quellin {

const std::array<const char*, kOutcomeFieldCount> kOutcomeFieldBoxes = {
    "TxtID", "TxtAssess", "TxtDevice", "TxImp", "TxSame", "TxWorse", "CtrlImp", "CtrlSame", "CtrlWorse",
};

const std::array<const char*, kOutcomeFieldCount> kOutcomeFieldLabels = {
    "Study ID",
    "Assessment Details",
    "Device",
    "Treatment Gp: Improved",
    "Treatment Gp: No change / Unimproved",
    "Treatment Gp: Deteriorated",
    "Control Gp: Improved",
    "Control Gp: No change / Unimproved",
    "Control Gp: Deteriorated",
};

const char* const kMsgOutcomeSaveFailed = "Something went a tad awry and resulted in the following error";
const char* const kMsgOutcomeOpenFailed = "Are you sure you're opening the right type of file? Something went very "
                                          "wrong and resulted in the following error";
const char* const kMsgOutcomeCommandLineFailed =
    "Are you sure you're trying to open a correct file type and that the file isn't corrupt? Something went very "
    "wrong and resulted in the following error";
const char* const kMsgOutcomePrintFailed = "Are you sure you've got the correct printer set as the default? "
                                           "Something went very wrong and resulted in the following error";

namespace {
constexpr int kTxWorse = 5;
constexpr int kCtrlWorse = 8;
} // namespace

OutcomeMode outcomeModeOf(const OutcomeRecord& record)
{
    return record.fields[kTxWorse].isEmpty() && record.fields[kCtrlWorse].isEmpty() ? OutcomeMode::Two
                                                                                    : OutcomeMode::Three;
}

OutcomeRecord readOutcomeFile(const QString& path)
{
    return OutcomeRecord::fromList(frame::readDataFile(path, kOutcomeFieldCount));
}

void writeOutcomeFile(const QString& path, const OutcomeRecord& record)
{
    frame::writeDataFile(path, record.toList());
}

int outcomeFieldWithDoubleQuote(const OutcomeRecord& record)
{
    return frame::firstFieldWithDoubleQuote(record.toList());
}

QString outcomeDoubleQuoteRefusal(int fieldIndex)
{
    const QString box = (fieldIndex >= 0 && fieldIndex < kOutcomeFieldCount)
                            ? QString::fromLatin1(kOutcomeFieldLabels[fieldIndex])
                            : QString();
    return frame::doubleQuoteRefusalText(box, QStringLiteral("an outcome file"));
}

} // namespace quellin
