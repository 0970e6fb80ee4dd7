#include "personchange/ChangeFileCommands.h"
#include "frame/CommandLine.h"
#include "frame/DataFileLine.h"
#include "platform/Errors.h"

#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace morvane {

namespace {

const QString kFilter = QStringLiteral("MRV files (*.mrv)");

// The multi-line box of that name, rich or plain.
template <class Box>
Box* multiLineBox(QWidget* window, const QString& name)
{
    if (!window)
        return nullptr;
    if (window->objectName() == name)
        return qobject_cast<Box*>(window);
    return window->findChild<Box*>(name);
}

// A line break the person types into a multi-line box is the line break of
// the file's own lines; breaks read from a file stay as they were read.
const QString kTypedBreak = QStringLiteral("\r\n");

} // namespace

QString changeBoxText(QWidget* window, const QString& name)
{
    if (auto* t = multiLineBox<QTextEdit>(window, name))
        return frame::documentText(t->document(), kTypedBreak);
    if (auto* p = multiLineBox<QPlainTextEdit>(window, name))
        return frame::documentText(p->document(), kTypedBreak);
    return frame::windowBoxText(window, name);
}

void setChangeBoxText(QWidget* window, const QString& name, const QString& text)
{
    if (auto* t = multiLineBox<QTextEdit>(window, name)) {
        t->setPlainText(text);
        frame::markLineBreaks(t->document(), text);
    } else
        frame::setWindowBoxText(window, name, text);
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

namespace {

frame::DataFileFormat<ChangeRecord> changeFileFormat()
{
    frame::DataFileFormat<ChangeRecord> f;
    f.openFilter = kFilter;
    f.saveFilter = kFilter;
    f.saveTitle = QStringLiteral("Save File As ...");
    f.fromWindow = changeRecordFromWindow;
    f.toWindow = putChangeRecord;
    // Open also takes the older eleven-field record; the recent-file menu
    // needs all twelve.
    f.read = [](const QString& path, frame::DataFileRead why) {
        return readChangeFile(path, why == frame::DataFileRead::Open ? ChangeRecordForm::ElevenOrTwelve
                                                                          : ChangeRecordForm::Twelve);
    };
    f.write = writeChangeFile;
    // A pasted double quote gets past the key filters.
    f.doubleQuoteRefusal = [](const ChangeRecord& r) {
        const int bad = changeFieldWithDoubleQuote(r);
        return bad < 0 ? QString() : changeDoubleQuoteRefusal(bad);
    };
    f.fieldTexts = [](const ChangeRecord& r) { return r.toList(); };
    f.boxNames = frame::stringList(kChangeFieldBoxes);
    f.boxLabels = frame::stringList(kChangeFieldLabels);
    f.saveFailed = kMsgChangeSaveFailed;
    f.openFailed = frame::kMsgOpenFailed;
    f.recentFailed = frame::kMsgRecentFailed;
    f.saveIsRemembered = false;
    // No default extension: a name typed without one is used as typed.
    f.keepsCurrentFile = true;
    return f;
}

} // namespace

ChangeFileCommands::ChangeFileCommands(QWidget* window, ChangeFileHooks hooks)
    : DataFileCommands(window, std::move(hooks), changeFileFormat())
{
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
    const QString refusal = format_.doubleQuoteRefusal(changeRecordFromWindow(window_));
    if (!refusal.isEmpty()) {
        showMessage(refusal, platform::MsgIcon::Exclamation);
        return false;
    }
    try {
        WriteDataFile();
    } catch (const platform::RuntimeError& e) {
        frame::showFailure(window_, kMsgChangeSaveFailed, e.description());
        return false;
    }
    return true;
}

bool ChangeFileCommands::loadCommandLine(const QString& commandLine)
{
    ChangeRecord record;   // twelve empty texts when nothing is named
    if (!commandLine.trimmed().isEmpty()) {
        try {
            // The last piece that names an existing file, its quotes removed;
            // "" when none does, and reading "" fails.
            record = readChangeFile(frame::lastExistingFile(commandLine), ChangeRecordForm::ElevenOrTwelve);
        } catch (const platform::RuntimeError& e) {
            frame::showFailure(window_, kMsgChangeLoadFailed, e.description());
            return false;
        }
        // A record the boxes cannot hold is refused: the boxes stay empty.
        if (refuseOverlong(record))
            record = ChangeRecord();
    }
    putChangeRecord(window_, record);
    recordChanged(true);
    return true;
}

} // namespace morvane
