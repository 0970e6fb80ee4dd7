#include "meandiff/StudyFileCommands.h"
#include "frame/CommandLine.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Settings.h"

#include <QFileInfo>

namespace meandiff {

namespace {

const QString kFilesSection = QStringLiteral("Files");
const QString kInitDirKey = QStringLiteral("InitDir");

QString fileNameOf(const QString& path) { return QFileInfo(path).fileName(); }

} // namespace

StudyRecord studyRecordFromWindow(QWidget* window)
{
    StudyRecord r;
    for (int i = 0; i < kStudyFieldCount; ++i)
        r.fields[i] = windowBoxText(window, QString::fromLatin1(kStudyFieldBoxes[i]));
    return r;
}

void putStudyRecord(QWidget* window, const StudyRecord& record)
{
    for (int i = 0; i < kStudyFieldCount; ++i)
        setWindowBoxText(window, QString::fromLatin1(kStudyFieldBoxes[i]), record.fields[i]);
}

StudyFileCommands::StudyFileCommands(QWidget* window, StudyFileHooks hooks)
    : window_(window), hooks_(std::move(hooks))
{
    dialog_.initDir = programFolderPath();
}

bool StudyFileCommands::recordChanged(bool reset) const
{
    return hooks_.recordChanged ? hooks_.recordChanged(reset) : false;
}

void StudyFileCommands::clearAll() const
{
    if (hooks_.clearAll) {
        hooks_.clearAll();
        return;
    }
    clearWindowTextBoxes(window_);
}

void StudyFileCommands::rememberFolder(const QString& path)
{
    dialog_.initDir = folderOfPath(path);
    platform::saveSetting(kFilesSection, kInitDirKey, dialog_.initDir);
}

bool StudyFileCommands::mnuFileSaveAs_Click()
{
    const StudyRecord record = studyRecordFromWindow(window_);
    // The line format has no way to carry a double quote: refuse before
    // anything is chosen or written.
    const int bad = fieldWithDoubleQuote(record);
    if (bad >= 0) {
        platform::msgBox(doubleQuoteRefusal(bad), platform::MsgButtons::OK, platform::MsgIcon::Exclamation, {},
                         window_);
        return false;
    }

    const QString path = platform::getSaveFileName(window_, QStringLiteral("Save As"), dialog_.start(),
                                                   QStringLiteral("TVQ files (*.TVQ)"), QString(), true);
    if (path.isEmpty())
        return false;
    dialog_.fileName = fileNameOf(path);

    try {
        writeStudyFile(path, record);
        if (hooks_.addToMRU)
            hooks_.addToMRU(path);
        rememberFolder(path);
        recordChanged(true);
    } catch (const platform::RuntimeError& e) {
        showFailure(window_, kMsgSaveFailed, e.description());
        return false;
    }
    return true;
}

bool StudyFileCommands::askToSaveBeforeOpening()
{
    if (!hooks_.askBeforeOpening)
        return true;
    return meandiff::askToSaveBeforeOpening(
        window_, [this](bool reset) { return recordChanged(reset); }, [this] { return mnuFileSaveAs_Click(); });
}

void StudyFileCommands::mnuFileOpen_Click()
{
    if (!askToSaveBeforeOpening())
        return;

    dialog_.initDir = platform::getSetting(kFilesSection, kInitDirKey, programFolderPath());
    const QString path = platform::getOpenFileName(window_, QStringLiteral("Open"), dialog_.start(),
                                                   QStringLiteral("TVQ files (*.tvq)"));
    if (path.isEmpty())
        return;
    dialog_.fileName = fileNameOf(path);

    clearAll();
    try {
        const StudyRecord record = readStudyFile(path);
        if (hooks_.addToMRU)
            hooks_.addToMRU(path);
        rememberFolder(path);
        putStudyRecord(window_, record);
        recordChanged(true);
    } catch (const platform::RuntimeError& e) {
        showFailure(window_, kMsgOpenFailed, e.description());
    }
}

void StudyFileCommands::mnuMRU_Click(int index, const QString& path)
{
    // An entry without a path is never opened.
    if (path.isEmpty())
        return;
    if (!askToSaveBeforeOpening())
        return;

    clearAll();
    try {
        const StudyRecord record = readStudyFile(path);
        putStudyRecord(window_, record);
        recordChanged(true);
        if (hooks_.moveMRUToTop)
            hooks_.moveMRUToTop(path, index);
    } catch (const platform::RuntimeError& e) {
        showFailure(window_, kMsgRecentFailed, e.description());
    }
}

bool StudyFileCommands::loadCommandLine(const QString& commandLine)
{
    const CommandLineAction action = interpretCommandLine(commandLine);
    StudyRecord record;   // empty texts when nothing is read
    try {
        if (action.kind == CommandLineAction::OpenStudy)
            record = readStudyFile(action.path);
        else if (action.kind == CommandLineAction::OpenDatabase && hooks_.showDatabase)
            hooks_.showDatabase(action.path);
    } catch (const platform::RuntimeError& e) {
        showFailure(window_, kMsgCommandLineFailed, e.description());
        return false;
    }
    putStudyRecord(window_, record);
    recordChanged(true);
    return true;
}

} // namespace meandiff
