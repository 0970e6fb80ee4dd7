#include "personchange/ChangeFile.h"
#include "frame/DataFileLine.h"
#include "platform/Errors.h"

#include <QFileInfo>

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

QByteArray encodeRecordLine(const QStringList& fields) { return frame::encodeDataLine(fields); }

QStringList parseRecordLine(const QString& text, int required, int optional)
{
    return frame::parseDataLine(text, required, optional);
}

QByteArray encodeChangeRecord(const ChangeRecord& record) { return encodeRecordLine(record.toList()); }

ChangeRecord parseChangeRecord(const QString& text, ChangeRecordForm form)
{
    return ChangeRecord::fromList(form == ChangeRecordForm::Twelve
                                      ? parseRecordLine(text, kChangeFieldCount)
                                      : parseRecordLine(text, kOlderChangeFieldCount, 1));
}

ChangeRecord readChangeFile(const QString& path, ChangeRecordForm form)
{
    return parseChangeRecord(frame::readDataFileText(path), form);
}

void writeChangeFile(const QString& path, const ChangeRecord& record)
{
    frame::writeDataFile(path, record.toList());
}

int changeFieldWithDoubleQuote(const ChangeRecord& record)
{
    return frame::firstFieldWithDoubleQuote(record.toList());
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
