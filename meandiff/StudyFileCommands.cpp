#include "meandiff/StudyFileCommands.h"
#include "frame/CommandLine.h"
#include "platform/Errors.h"

namespace meandiff {

StudyRecord studyRecordFromWindow(QWidget* window)
{
    StudyRecord r;
    for (int i = 0; i < kStudyFieldCount; ++i)
        r.fields[i] = frame::windowBoxText(window, QString::fromLatin1(kStudyFieldBoxes[i]));
    return r;
}

void putStudyRecord(QWidget* window, const StudyRecord& record)
{
    for (int i = 0; i < kStudyFieldCount; ++i)
        frame::setWindowBoxText(window, QString::fromLatin1(kStudyFieldBoxes[i]), record.fields[i]);
}

namespace {

frame::DataFileFormat<StudyRecord> studyFileFormat()
{
    frame::DataFileFormat<StudyRecord> f;
    f.openFilter = QStringLiteral("TVQ files (*.tvq)");
    f.saveFilter = QStringLiteral("TVQ files (*.TVQ)");
    f.saveTitle = QStringLiteral("Save As");
    f.fromWindow = studyRecordFromWindow;
    f.toWindow = putStudyRecord;
    f.read = [](const QString& path, frame::DataFileRead) { return readStudyFile(path); };
    f.write = writeStudyFile;
    f.doubleQuoteRefusal = [](const StudyRecord& r) {
        const int bad = fieldWithDoubleQuote(r);
        return bad < 0 ? QString() : doubleQuoteRefusal(bad);
    };
    f.fieldTexts = [](const StudyRecord& r) { return r.toList(); };
    f.boxNames = frame::stringList(kStudyFieldBoxes);
    f.boxLabels = frame::stringList(kStudyFieldLabels);
    f.saveFailed = kMsgSaveFailed;
    f.openFailed = frame::kMsgOpenFailed;
    f.recentFailed = frame::kMsgRecentFailed;
    return f;
}

} // namespace

StudyFileCommands::StudyFileCommands(QWidget* window, frame::StudyFileHooks hooks)
    : DataFileCommands(window, std::move(hooks), studyFileFormat())
{
}

bool StudyFileCommands::loadCommandLine(const QString& commandLine)
{
    const frame::CommandLineAction action = frame::interpretCommandLine(commandLine);
    StudyRecord record;   // empty texts when nothing is read
    try {
        if (action.kind == frame::CommandLineAction::OpenStudy)
            record = readStudyFile(action.path);
        else if (action.kind == frame::CommandLineAction::OpenDatabase && hooks_.showDatabase)
            hooks_.showDatabase(action.path);
    } catch (const platform::RuntimeError& e) {
        frame::showFailure(window_, kMsgCommandLineFailed, e.description());
        return false;
    }
    // A record the boxes cannot hold is refused: the boxes stay empty.
    if (refuseOverlong(record))
        record = StudyRecord();
    putStudyRecord(window_, record);
    recordChanged(true);
    return true;
}

} // namespace meandiff
