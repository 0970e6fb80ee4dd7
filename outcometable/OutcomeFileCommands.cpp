#include "outcometable/OutcomeFileCommands.h"
#include "frame/CommandLine.h"
#include "platform/Errors.h"

#include <QRadioButton>
#include <QWidget>

namespace quellin {

namespace {

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
    return OutcomeRecord::fromList(frame::windowBoxTexts(window, recordBoxes()));
}

void putOutcomeRecord(QWidget* window, const OutcomeRecord& record)
{
    frame::setWindowBoxTexts(window, recordBoxes(), record.toList());
}

OutcomeFileCommands::OutcomeFileCommands(QWidget* window, OutcomeFileHooks hooks)
    : DataFileCommands(window, hooks, {}), setModeHook_(std::move(hooks.setMode))
{
    format_.openFilter = kFilter;
    format_.saveFilter = kFilter;
    format_.saveTitle = QStringLiteral("Save File As ...");
    format_.fromWindow = outcomeRecordFromWindow;
    format_.toWindow = putOutcomeRecord;
    format_.read = [](const QString& path, frame::DataFileRead) { return readOutcomeFile(path); };
    format_.write = writeOutcomeFile;
    format_.doubleQuoteRefusal = [](const OutcomeRecord& r) {
        const int bad = outcomeFieldWithDoubleQuote(r);
        return bad < 0 ? QString() : outcomeDoubleQuoteRefusal(bad);
    };
    format_.fieldTexts = [](const OutcomeRecord& r) { return r.toList(); };
    format_.boxNames = recordBoxes();
    format_.boxLabels = frame::stringList(kOutcomeFieldLabels);
    format_.saveFailed = kMsgOutcomeSaveFailed;
    format_.openFailed = kMsgOutcomeOpenFailed;
    format_.recentFailed = kMsgOutcomeOpenFailed;
    format_.saveIsRemembered = false;
    // The mode first: switching it empties the deteriorated boxes.
    format_.beforeShow = [this](const OutcomeRecord& r) { setMode(outcomeModeOf(r)); };
    format_.afterShow = [this] { hideWarnings(); };
}

void OutcomeFileCommands::setMode(OutcomeMode mode) const
{
    if (setModeHook_) {
        setModeHook_(mode);
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
        record = readOutcomeFile(frame::lastExistingFile(commandLine));
    } catch (const platform::RuntimeError& e) {
        frame::showFailure(window_, kMsgOutcomeCommandLineFailed, e.description());
        return false;
    }
    // A record the boxes cannot hold is refused: the window starts empty,
    // in the mode of its design.
    if (refuseOverlong(record)) {
        putOutcomeRecord(window_, OutcomeRecord());
        return true;
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
