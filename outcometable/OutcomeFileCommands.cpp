#include "outcometable/OutcomeFileCommands.h"
#include "frame/CommandLine.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Settings.h"

#include <QFileInfo>
#include <QRadioButton>
#include <QWidget>

namespace quellin {

namespace {

const QString kFilesSection = QStringLiteral("Files");
const QString kInitDirKey = QStringLiteral("InitDir");
const QString kFilter = QStringLiteral("QLN files (*.qln)");

QStringList recordBoxes()
{
    QStringList names;
    for (const char* n : kOutcomeFieldBoxes)
        names << QString::fromLatin1(n);
    return names;
}

void setVisibleByName(QWidget* window, const char* name, bool visible)
{
    if (!window)
        return;
    if (auto* w = window->findChild<QWidget*>(QString::fromLatin1(name)))
        w->setVisible(visible);
}

} // namespace

OutcomeRecord outcomeRecordFromWindow(QWidget* window)
{
    return OutcomeRecord::fromList(meandiff::windowBoxTexts(window, recordBoxes()));
}

void putOutcomeRecord(QWidget* window, const OutcomeRecord& record)
{
    meandiff::setWindowBoxTexts(window, recordBoxes(), record.toList());
}

OutcomeFileCommands::OutcomeFileCommands(QWidget* window, OutcomeFileHooks hooks)
    : window_(window), hooks_(std::move(hooks))
{
    dialog_.initDir = meandiff::programFolderPath();
}

bool OutcomeFileCommands::recordChanged(bool reset) const
{
    return hooks_.recordChanged ? hooks_.recordChanged(reset) : false;
}

void OutcomeFileCommands::clearAll() const
{
    if (hooks_.clearAll)
        hooks_.clearAll();
    else
        meandiff::clearWindowTextBoxes(window_);
}

void OutcomeFileCommands::setMode(OutcomeMode mode) const
{
    if (hooks_.setMode) {
        hooks_.setMode(mode);
        return;
    }
    if (!window_)
        return;
    const QString name = mode == OutcomeMode::Two ? QStringLiteral("OpTwo") : QStringLiteral("OpThree");
    if (auto* option = window_->findChild<QRadioButton*>(name))
        option->setChecked(true);
}

void OutcomeFileCommands::hideWarnings() const
{
    setVisibleByName(window_, "cmdNNHWarning", false);
    setVisibleByName(window_, "cmdNNTWarning", false);
}

bool OutcomeFileCommands::mnuFileSaveAs_Click()
{
    const OutcomeRecord record = outcomeRecordFromWindow(window_);
    // The line format has no way to carry a double quote: refuse before
    // anything is chosen or written.
    const int bad = outcomeFieldWithDoubleQuote(record);
    if (bad >= 0) {
        platform::msgBox(outcomeDoubleQuoteRefusal(bad), platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                         {}, window_);
        return false;
    }

    const QString path = platform::getSaveFileName(window_, QStringLiteral("Save File As ..."), dialog_.start(),
                                                   kFilter, QString(), true);
    if (path.isEmpty())
        return false;
    dialog_.fileName = QFileInfo(path).fileName();

    try {
        writeOutcomeFile(path, record);
    } catch (const platform::RuntimeError& e) {
        meandiff::showFailure(window_, kMsgOutcomeSaveFailed, e.description());
        return false;
    }
    recordChanged(true);
    return true;
}

bool OutcomeFileCommands::askToSaveBeforeOpening()
{
    if (!hooks_.askBeforeOpening)
        return true;
    return meandiff::askToSaveBeforeOpening(
        window_, [this](bool reset) { return recordChanged(reset); }, [this] { return mnuFileSaveAs_Click(); });
}

void OutcomeFileCommands::mnuFileOpen_Click()
{
    if (!askToSaveBeforeOpening())
        return;

    dialog_.initDir = platform::getSetting(kFilesSection, kInitDirKey, meandiff::programFolderPath());
    const QString path = platform::getOpenFileName(window_, QStringLiteral("Open"), dialog_.start(), kFilter);
    if (path.isEmpty())
        return;
    dialog_.fileName = QFileInfo(path).fileName();

    clearAll();
    try {
        const OutcomeRecord record = readOutcomeFile(path);
        if (hooks_.addToMRU)
            hooks_.addToMRU(path);
        dialog_.initDir = meandiff::folderOfPath(path);
        platform::saveSetting(kFilesSection, kInitDirKey, dialog_.initDir);
        // The mode first: switching it empties the deteriorated boxes.
        setMode(outcomeModeOf(record));
        putOutcomeRecord(window_, record);
        recordChanged(true);
        hideWarnings();
    } catch (const platform::RuntimeError& e) {
        meandiff::showFailure(window_, kMsgOutcomeOpenFailed, e.description());
    }
}

void OutcomeFileCommands::mnuMRU_Click(int index, const QString& path)
{
    // An entry without a path is never opened.
    if (path.isEmpty())
        return;
    if (!askToSaveBeforeOpening())
        return;

    clearAll();
    try {
        const OutcomeRecord record = readOutcomeFile(path);
        setMode(outcomeModeOf(record));
        putOutcomeRecord(window_, record);
        recordChanged(true);
        if (hooks_.moveMRUToTop)
            hooks_.moveMRUToTop(path, index);
        hideWarnings();
    } catch (const platform::RuntimeError& e) {
        meandiff::showFailure(window_, kMsgOutcomeOpenFailed, e.description());
    }
}

bool OutcomeFileCommands::loadCommandLine(const QString& commandLine)
{
    if (commandLine.isEmpty()) {
        putOutcomeRecord(window_, OutcomeRecord());
        return true;
    }
    OutcomeRecord record;
    try {
        // Pieces are split at quote-blank-quote and lose their quotes, so a
        // quoted path with blanks opens as the file it names.
        record = readOutcomeFile(meandiff::lastExistingFile(commandLine));
    } catch (const platform::RuntimeError& e) {
        meandiff::showFailure(window_, kMsgOutcomeCommandLineFailed, e.description());
        return false;
    }
    // The mode before the boxes, as the other readers do: a switch empties
    // the deteriorated boxes. (At start the window is in the 3 x 2 mode, so
    // the order makes no difference there.)
    const OutcomeMode mode = outcomeModeOf(record);
    setMode(mode);
    putOutcomeRecord(window_, record);
    const bool twoByTwo = mode == OutcomeMode::Two;
    setVisibleByName(window_, "LblFisherWarning", twoByTwo);
    setVisibleByName(window_, "ChkFishers", twoByTwo);
    return true;
}

} // namespace quellin
