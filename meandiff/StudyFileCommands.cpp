#include "meandiff/StudyFileCommands.h"
#include "meandiff/CommandLine.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Settings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace meandiff {

namespace {

const QString kFilesSection = QStringLiteral("Files");
const QString kInitDirKey = QStringLiteral("InitDir");

QWidget* findBox(QWidget* window, const QString& name)
{
    if (!window)
        return nullptr;
    if (window->objectName() == name)
        return window;
    return window->findChild<QWidget*>(name);
}

QString programFolder()
{
    QString dir = platform::appPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

// The path cut before its file name: the folder, ending in a separator.
QString folderOf(const QString& path)
{
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? QString() : path.left(cut + 1);
}

QString fileNameOf(const QString& path) { return QFileInfo(path).fileName(); }

QString dialogStart(const CommonDialogState& d)
{
    if (d.fileName.isEmpty())
        return d.initDir;
    return d.initDir.isEmpty() ? d.fileName : QDir(d.initDir).filePath(d.fileName);
}

void report(QWidget* window, const char* sentence, const QString& description)
{
    platform::msgBox(failureMessage(sentence, description), platform::MsgButtons::OK, platform::MsgIcon::None, {},
                     window);
}

} // namespace

QString windowBoxText(QWidget* window, const QString& name)
{
    QWidget* w = findBox(window, name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return p->toPlainText();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    return {};
}

void setWindowBoxText(QWidget* window, const QString& name, const QString& text)
{
    QWidget* w = findBox(window, name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->setPlainText(text);
}

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
    dialog_.initDir = programFolder();
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
    if (!window_)
        return;
    for (auto* e : window_->findChildren<QLineEdit*>())
        e->setText(QString());
    for (auto* p : window_->findChildren<QPlainTextEdit*>())
        p->setPlainText(QString());
}

void StudyFileCommands::rememberFolder(const QString& path)
{
    dialog_.initDir = folderOf(path);
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

    const QString path = platform::getSaveFileName(window_, QStringLiteral("Save As"), dialogStart(dialog_),
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
        report(window_, kMsgSaveFailed, e.description());
        return false;
    }
    return true;
}

bool StudyFileCommands::askToSaveBeforeOpening()
{
    if (!hooks_.askBeforeOpening || !recordChanged(false))
        return true;
    const platform::MsgResult answer =
        platform::msgBox(QString::fromUtf8(kMsgUnsavedBeforeOpen), platform::MsgButtons::YesNoCancel,
                         platform::MsgIcon::Question, {}, window_);
    if (answer == platform::MsgResult::Cancel)
        return false;
    if (answer == platform::MsgResult::Yes) {
        mnuFileSaveAs_Click();
        recordChanged(true);
    }
    return true;
}

void StudyFileCommands::mnuFileOpen_Click()
{
    if (!askToSaveBeforeOpening())
        return;

    dialog_.initDir = platform::getSetting(kFilesSection, kInitDirKey, programFolder());
    const QString path = platform::getOpenFileName(window_, QStringLiteral("Open"), dialogStart(dialog_),
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
        report(window_, kMsgOpenFailed, e.description());
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
        report(window_, kMsgRecentFailed, e.description());
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
        report(window_, kMsgCommandLineFailed, e.description());
        return false;
    }
    putStudyRecord(window_, record);
    recordChanged(true);
    return true;
}

} // namespace meandiff
