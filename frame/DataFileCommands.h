#pragma once
// The File commands every main window shares: File > Save As, File > Open and
// a recent-file entry. One program's data file comes in through a
// DataFileFormat (its record, how the record is read from and written to the
// window and to a file, its filters, titles and failure sentences); the
// program's own steps (a mode to select, warnings to hide, the command line
// at start) stay with the program's commands class, built on this one.
#include "frame/DataFileWindow.h"
#include "frame/FileHooks.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class QWidget;

namespace frame {

// The file name of a path, without its folder.
QString fileNameOfPath(const QString& path);

// A list of the names (Latin-1) or texts, in order.
template <size_t N>
QStringList stringList(const std::array<const char*, N>& names)
{
    QStringList out;
    for (const char* n : names)
        out << QString::fromLatin1(n);
    return out;
}

// Why a file is read: File > Open, or a recent-file entry (some formats are
// stricter about a recent file).
enum class DataFileRead { Open, Recent };

template <class Record>
struct DataFileFormat {
    QString openFilter;
    QString saveFilter;
    QString saveTitle;
    Record (*fromWindow)(QWidget* window) = nullptr;
    void (*toWindow)(QWidget* window, const Record& record) = nullptr;
    // Throw platform::RuntimeError on failure.
    std::function<Record(const QString& path, DataFileRead why)> read;
    void (*write)(const QString& path, const Record& record) = nullptr;
    // The refusal of a record that holds a double quote; "" when none does.
    std::function<QString(const Record& record)> doubleQuoteRefusal;
    // The record's texts in field order, the boxes of the window that show
    // them and what the window calls those boxes: a record read from a file
    // with a text longer than its box holds is refused before the window
    // changes (the box would cut it).
    QStringList (*fieldTexts)(const Record& record) = nullptr;
    QStringList boxNames;
    QStringList boxLabels;
    const char* saveFailed = nullptr;
    const char* openFailed = nullptr;
    const char* recentFailed = nullptr;
    // A saved file goes to the top of the recent-file list and its folder
    // becomes the dialog's starting folder.
    bool saveIsRemembered = true;
    // The commands keep the current file: the dialogs start from it, and the
    // dialog's file name is the whole path.
    bool keepsCurrentFile = false;
    // Run around writing a record read from a file into the window.
    std::function<void(const Record& record)> beforeShow;
    std::function<void()> afterShow;
};

// The parts that do not depend on the record.
class DataFileCommandsBase {
public:
    CommonDialogState& dialog() { return dialog_; }
    const StudyFileHooks& hooks() const { return hooks_; }
    // The current file ("" when none, or when the commands keep none).
    const QString& currentFile() const { return currentFile_; }

protected:
    // The dialog starts in the program folder.
    DataFileCommandsBase(QWidget* window, StudyFileHooks hooks);

    bool recordChanged(bool reset) const;
    void clearAll() const;
    void addToMRU(const QString& path) const;
    void moveMRUToTop(const QString& path, int index) const;
    // The folder of the path becomes the dialog's starting folder, here and
    // in the settings store.
    void rememberFolder(const QString& path);
    // The starting folder from the settings store (the program folder when
    // none is kept).
    void loadInitDir();
    // The unsaved-data question before a file is read; false when the data
    // is to be kept (Cancel, or a save that did not happen).
    bool askToSaveBeforeOpening(const std::function<bool()>& saveAs);
    void showMessage(const QString& text, platform::MsgIcon icon) const;
    // A file too large to be a data file is refused with its own message
    // before anything changes: true when it was.
    bool refuseTooLarge(const QString& path) const;
    // A record read from a file with a text longer than its box holds is
    // refused with its own message: true when it was.
    bool refuseOverlong(const QStringList& texts, const QStringList& boxNames, const QStringList& boxLabels) const;

    QWidget* window_;
    StudyFileHooks hooks_;
    CommonDialogState dialog_;
    QString currentFile_;
};

template <class Record>
class DataFileCommands : public DataFileCommandsBase {
public:
    // File > Save As. True when the file was written.
    bool mnuFileSaveAs_Click()
    {
        const Record record = format_.fromWindow(window_);
        // The line format has no way to carry a double quote: refuse before
        // anything is chosen or written.
        const QString refusal = format_.doubleQuoteRefusal(record);
        if (!refusal.isEmpty()) {
            showMessage(refusal, platform::MsgIcon::Exclamation);
            return false;
        }
        const QString start = !format_.keepsCurrentFile ? dialog_.start()
                              : currentFile_.isEmpty()  ? dialog_.initDir
                                                        : currentFile_;
        const QString path =
            platform::getSaveFileName(window_, format_.saveTitle, start, format_.saveFilter, QString(), true);
        if (path.isEmpty())
            return false;
        nameChosen(path);
        try {
            format_.write(path, record);
        } catch (const platform::RuntimeError& e) {
            showFailure(window_, format_.saveFailed, e.description());
            return false;
        }
        if (format_.saveIsRemembered) {
            addToMRU(path);
            rememberFolder(path);
        }
        recordChanged(true);
        return true;
    }

    // File > Open.
    void mnuFileOpen_Click()
    {
        if (!askToSaveBeforeOpening([this] { return mnuFileSaveAs_Click(); }))
            return;
        loadInitDir();
        const QString start = format_.keepsCurrentFile ? dialog_.initDir : dialog_.start();
        const QString path = platform::getOpenFileName(window_, QStringLiteral("Open"), start, format_.openFilter);
        if (path.isEmpty())
            return;
        if (refuseTooLarge(path))
            return;
        if (!format_.keepsCurrentFile)
            nameChosen(path);

        // Read before the window is emptied, so that a record its boxes
        // cannot hold is refused with the window as it was; a file that
        // cannot be read leaves the boxes empty.
        Record record;
        try {
            record = format_.read(path, DataFileRead::Open);
        } catch (const platform::RuntimeError& e) {
            clearAll();
            showFailure(window_, format_.openFailed, e.description());
            return;
        }
        if (refuseOverlong(record))
            return;
        clearAll();
        addToMRU(path);
        rememberFolder(path);
        if (format_.keepsCurrentFile)
            nameChosen(path);
        show(record);
    }

    // A recent-file entry (index in the menu array, the entry's path).
    void mnuMRU_Click(int index, const QString& path)
    {
        // An entry without a path is never opened.
        if (path.isEmpty())
            return;
        if (!askToSaveBeforeOpening([this] { return mnuFileSaveAs_Click(); }))
            return;
        if (refuseTooLarge(path))
            return;

        Record record;
        try {
            record = format_.read(path, DataFileRead::Recent);
        } catch (const platform::RuntimeError& e) {
            clearAll();
            showFailure(window_, format_.recentFailed, e.description());
            return;
        }
        if (refuseOverlong(record))
            return;
        clearAll();
        show(record);
        moveMRUToTop(path, index);
        if (format_.keepsCurrentFile)
            nameChosen(path);
    }

protected:
    DataFileCommands(QWidget* window, StudyFileHooks hooks, DataFileFormat<Record> format)
        : DataFileCommandsBase(window, std::move(hooks)), format_(std::move(format))
    {
    }

    // True when the record was refused because a box could not hold one of
    // its texts (the message has been shown).
    bool refuseOverlong(const Record& record) const
    {
        return format_.fieldTexts &&
               DataFileCommandsBase::refuseOverlong(format_.fieldTexts(record), format_.boxNames, format_.boxLabels);
    }

    // The record goes into the window, with the format's steps around it,
    // and the changed flags are cleared.
    void show(const Record& record)
    {
        if (format_.beforeShow)
            format_.beforeShow(record);
        format_.toWindow(window_, record);
        recordChanged(true);
        if (format_.afterShow)
            format_.afterShow();
    }

    void nameChosen(const QString& path)
    {
        if (format_.keepsCurrentFile) {
            dialog_.fileName = path;
            currentFile_ = path;
        } else {
            dialog_.fileName = fileNameOfPath(path);
        }
    }

    DataFileFormat<Record> format_;
};

} // namespace frame
