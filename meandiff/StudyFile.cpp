#include "meandiff/StudyFile.h"
#include "frame/DataFileLine.h"

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
const char* const kMsgCommandLineFailed = "Wwwoooow there!!! Are you sure the file isn't corrupt? Something went "
                                          "very wrong and resulted in the following error";

QByteArray encodeStudyRecord(const StudyRecord& record) { return frame::encodeDataLine(record.toList()); }

QString decodeStudyText(const QByteArray& bytes) { return frame::decodeDataText(bytes); }

StudyRecord parseStudyRecord(const QString& text) { return StudyRecord::fromList(frame::parseDataLine(text, kStudyFieldCount)); }

StudyRecord readStudyFile(const QString& path) { return StudyRecord::fromList(frame::readDataFile(path, kStudyFieldCount)); }

void writeStudyFile(const QString& path, const StudyRecord& record) { frame::writeDataFile(path, record.toList()); }

int fieldWithDoubleQuote(const StudyRecord& record) { return frame::firstFieldWithDoubleQuote(record.toList()); }

QString doubleQuoteRefusal(int fieldIndex)
{
    const QString box = (fieldIndex >= 0 && fieldIndex < kStudyFieldCount)
                            ? QString::fromLatin1(kStudyFieldLabels[fieldIndex])
                            : QString();
    return frame::doubleQuoteRefusalText(box, QStringLiteral("a study file"));
}

} // namespace meandiff
