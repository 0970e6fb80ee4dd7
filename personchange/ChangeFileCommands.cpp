#include "personchange/ChangeFileCommands.h"
#include "frame/CommandLine.h"
#include "frame/DataFileLine.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Settings.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace morvane {

namespace {

const QString kFilesSection = QStringLiteral("Files");
const QString kInitDirKey = QStringLiteral("InitDir");
const QString kFilter = QStringLiteral("MRV files (*.mrv)");

QString programFolder()
{
    QString dir = platform::appPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

// The rich multi-line box of that name (the study file's helpers know line
// and plain multi-line boxes only).
QTextEdit* richBox(QWidget* window, const QString& name)
{
    if (!window)
        return nullptr;
    if (window->objectName() == name)
        return qobject_cast<QTextEdit*>(window);
    return window->findChild<QTextEdit*>(name);
}

} // namespace

QString changeBoxText(QWidget* window, const QString& name)
{
    if (QTextEdit* t = richBox(window, name))
        return t->toPlainText();
    return meandiff::windowBoxText(window, name);
}

void setChangeBoxText(QWidget* window, const QString& name, const QString& text)
{
    if (QTextEdit* t = richBox(window, name))
        t->setPlainText(text);
    else
        meandiff::setWindowBoxText(window, name, text);
}

ChangeRecord changeRecordFromWindow(QWidget* window)
{
    ChangeRecord r;
    for (int i = 0; i < kChangeFieldCount; ++i)
        r.fields[i] = changeBoxText(window, QString::fromLatin1(kChangeFieldBoxes[i]));
    return r;
}

void putChangeRecord(QWidget* window, const ChangeRecord& record)
{
    for (int i = 0; i < kChangeFieldCount; ++i)
        setChangeBoxText(window, QString::fromLatin1(kChangeFieldBoxes[i]), record.fields[i]);
}

ChangeFileCommands::ChangeFileCommands(QWidget* window, ChangeFileHooks hooks)
    : window_(window), hooks_(std::move(hooks))
{
    dialog_.initDir = programFolder();
}

bool ChangeFileCommands::recordChanged(bool reset) const
{
    return hooks_.recordChanged ? hooks_.recordChanged(reset) : false;
}

void ChangeFileCommands::clearAll() const
{
    if (hooks_.clearAll) {
        hooks_.clearAll();
        return;
    }
    if (!window_)
        return;
    for (auto* e : window_->findChildren<QLineEdit*>())
        e->clear();
    for (auto* p : window_->findChildren<QPlainTextEdit*>())
        p->clear();
    for (auto* t : window_->findChildren<QTextEdit*>())
        t->clear();
}

void ChangeFileCommands::report(const char* sentence, const QString& description) const
{
    platform::msgBox(meandiff::failureMessage(sentence, description), platform::MsgButtons::OK,
                     platform::MsgIcon::None, {}, window_);
}

bool ChangeFileCommands::refusedForDoubleQuote(const ChangeRecord& record) const
{
    // The line format has no way to carry a double quote (a pasted one gets
    // past the key filters): refuse before anything is chosen or written.
    const int bad = changeFieldWithDoubleQuote(record);
    if (bad < 0)
        return false;
    platform::msgBox(changeDoubleQuoteRefusal(bad), platform::MsgButtons::OK, platform::MsgIcon::Exclamation, {},
                     window_);
    return true;
}

void ChangeFileCommands::WriteDataFile()
{
    if (!currentFile_.isEmpty())
        writeChangeFile(currentFile_, changeRecordFromWindow(window_));
    recordChanged(true);
}

bool ChangeFileCommands::mnuSave_Click()
{
    if (currentFile_.isEmpty())
        return mnuFileSaveAs_Click();
    if (refusedForDoubleQuote(changeRecordFromWindow(window_)))
        return false;
    try {
        WriteDataFile();
    } catch (const platform::RuntimeError& e) {
        report(kMsgChangeSaveFailed, e.description());
        return false;
    }
    return true;
}

bool ChangeFileCommands::mnuFileSaveAs_Click()
{
    if (refusedForDoubleQuote(changeRecordFromWindow(window_)))
        return false;
    // No default extension: a name typed without one is used as typed.
    const QString start = currentFile_.isEmpty() ? dialog_.initDir : currentFile_;
    const QString path = platform::getSaveFileName(window_, QStringLiteral("Save File As ..."), start, kFilter,
                                                   QString(), true);
    if (path.isEmpty())
        return false;
    dialog_.fileName = path;
    currentFile_ = path;
    try {
        WriteDataFile();
    } catch (const platform::RuntimeError& e) {
        report(kMsgChangeSaveFailed, e.description());
        return false;
    }
    return true;
}

bool ChangeFileCommands::askToSaveBeforeOpening()
{
    if (!hooks_.askBeforeOpening)
        return true;
    return meandiff::askToSaveBeforeOpening(
        window_, [this](bool reset) { return recordChanged(reset); }, [this] { return mnuFileSaveAs_Click(); });
}

void ChangeFileCommands::mnuFileOpen_Click()
{
    if (!askToSaveBeforeOpening())
        return;

    dialog_.initDir = platform::getSetting(kFilesSection, kInitDirKey, programFolder());
    const QString path = platform::getOpenFileName(window_, QStringLiteral("Open"), dialog_.initDir, kFilter);
    if (path.isEmpty())
        return;

    clearAll();
    ChangeRecord record;
    try {
        record = readChangeFile(path, ChangeRecordForm::ElevenOrTwelve);
    } catch (const platform::RuntimeError& e) {
        report(meandiff::kMsgOpenFailed, e.description());
        return;
    }
    if (hooks_.addToMRU)
        hooks_.addToMRU(path);
    const QString folder = QFileInfo(path).absolutePath();
    dialog_.initDir = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    platform::saveSetting(kFilesSection, kInitDirKey, dialog_.initDir);
    dialog_.fileName = path;
    currentFile_ = path;
    putChangeRecord(window_, record);
    recordChanged(true);
}

void ChangeFileCommands::mnuMRU_Click(int index, const QString& path)
{
    // An entry without a path is never opened.
    if (path.isEmpty())
        return;
    if (!askToSaveBeforeOpening())
        return;

    clearAll();
    ChangeRecord record;
    try {
        record = readChangeFile(path, ChangeRecordForm::Twelve);
    } catch (const platform::RuntimeError& e) {
        report(meandiff::kMsgRecentFailed, e.description());
        return;
    }
    putChangeRecord(window_, record);
    recordChanged(true);
    if (hooks_.moveMRUToTop)
        hooks_.moveMRUToTop(path, index);
    currentFile_ = path;
    dialog_.fileName = path;
}

bool ChangeFileCommands::loadCommandLine(const QString& commandLine)
{
    ChangeRecord record;   // twelve empty texts when nothing is named
    if (!commandLine.trimmed().isEmpty()) {
        try {
            // The last piece that names an existing file, its quotes removed;
            // "" when none does, and reading "" fails.
            record = readChangeFile(meandiff::lastExistingFile(commandLine), ChangeRecordForm::ElevenOrTwelve);
        } catch (const platform::RuntimeError& e) {
            report(kMsgChangeLoadFailed, e.description());
            return false;
        }
    }
    putChangeRecord(window_, record);
    recordChanged(true);
    return true;
}

} // namespace morvane
