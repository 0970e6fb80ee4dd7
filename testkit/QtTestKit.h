#pragma once
// Helpers for driving windows in tests as a person would: find controls by
// objectName, type through real key events, click, read boxes, and answer
// message boxes, file dialogs and the print dialog in place of a person.
#include "platform/Desktop.h"
#include "platform/Dialogs.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <ostream>
#include <vector>
#include <gtest/gtest.h>

class QAction;

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace testkit {

// The child of root (or root itself) with this objectName; a test failure and
// nullptr when there is none or when it is not a T.
template <class T = QWidget>
T* find(QWidget* root, const QString& name)
{
    if (root && root->objectName() == name)
        if (auto* t = qobject_cast<T*>(root))
            return t;
    T* w = root ? root->findChild<T*>(name) : nullptr;
    if (!w)
        ADD_FAILURE() << "no control named " << name.toStdString();
    return w;
}

QAction* findAction(QWidget* root, const QString& name);

// Gives the control the focus and types the text key by key.
void type(QWidget* w, const QString& text);
// Selects all text of the box, deletes it, then types the text.
void retype(QWidget* w, const QString& text);
// Clicks a button (or option, check box) with the mouse.
void click(QWidget* w);
// The text a person reads: text box, label, combo box, button caption.
QString text(QWidget* w);
QString text(QWidget* root, const QString& name);
// Lets queued events run.
void settle(int ms = 0);

// Answers message boxes while it lives. Each box takes the next scripted
// answer; with none left it takes the box's first button.
class MsgBoxScript {
public:
    explicit MsgBoxScript(std::initializer_list<platform::MsgResult> answers = {});
    ~MsgBoxScript();
    MsgBoxScript(const MsgBoxScript&) = delete;
    MsgBoxScript& operator=(const MsgBoxScript&) = delete;

    void push(platform::MsgResult answer) { answers_.push_back(answer); }
    const QList<platform::MsgRequest>& shown() const { return shown_; }
    QStringList texts() const;
    int count() const { return static_cast<int>(shown_.size()); }
    void clear() { shown_.clear(); }

private:
    std::deque<platform::MsgResult> answers_;
    QList<platform::MsgRequest> shown_;
};

// Answers file dialogs while it lives: each dialog takes the next path
// (an empty path is a cancel); with none left it cancels.
class FileDialogScript {
public:
    explicit FileDialogScript(QStringList paths = {});
    ~FileDialogScript();
    void push(const QString& path) { paths_.push_back(path); }
    const QList<platform::FileDialogRequest>& shown() const { return shown_; }

private:
    std::deque<QString> paths_;
    QList<platform::FileDialogRequest> shown_;
};

// Answers print dialogs while it lives: with a path, the printer writes a PDF
// there and the dialog is accepted; with an empty path, cancelled.
class PrintDialogScript {
public:
    explicit PrintDialogScript(const QString& pdfPath);
    ~PrintDialogScript();
    int count() const { return count_; }

private:
    QString pdfPath_;
    int count_ = 0;
};

// Records desktop requests (URLs, programs) while it lives.
class DesktopScript {
public:
    explicit DesktopScript(bool succeed = true);
    ~DesktopScript();
    const QList<platform::DesktopRequest>& requests() const { return requests_; }

private:
    bool succeed_;
    QList<platform::DesktopRequest> requests_;
};

// Answers the first message box by closing every window, as a desktop's
// log-out does, and then delivering the deletions the box's own event loop
// would deliver meanwhile; notes whether `watched` was still there, and
// hidden, at that moment. Every box takes its cancelling answer (OK for an
// OK box, No for a question, Abort for Abort/Retry/Ignore).
class CloseAllInBox {
public:
    explicit CloseAllInBox(QWidget* watched);
    ~CloseAllInBox();
    CloseAllInBox(const CloseAllInBox&) = delete;
    CloseAllInBox& operator=(const CloseAllInBox&) = delete;

    int boxes() const { return boxes_; }
    bool wholeInBox() const { return wholeInBox_; }
    bool hiddenInBox() const { return hiddenInBox_; }
    // Whether the watched window has gone.
    bool gone() const { return watched_.isNull(); }

private:
    QPointer<QWidget> watched_;
    int boxes_ = 0;
    bool wholeInBox_ = false;
    bool hiddenInBox_ = false;
};

// Runs `sql` inside a transaction in a separate sqlite3 process with a
// cache of a few pages (so its changes reach the database file before the
// commit) and kills that process with SIGKILL before it commits: the file
// is left as a crash leaves it, half written, with its hot journal beside
// it. False (and a test failure) when the journal is not there afterwards.
bool leaveHotJournal(const QString& database, const QString& sql);

// Names of this process's open database connections to `file` (the
// program's and a test's alike).
QStringList openConnectionsTo(const QString& file);

// One row of a reference table: its line in the file and its values by
// column name.
struct FixtureRow {
    int line = 0;
    QHash<QString, QString> values;
};
// Reads a tab-separated reference table: lines starting with "#" (the notes
// on how it was made) and empty lines are skipped, the first other line names
// the columns. A missing file or a row of the wrong width is a test failure.
std::vector<FixtureRow> readFixtureTable(const QString& path, QStringList* header = nullptr);

// Text of a PDF file (pdftotext -layout), empty when it cannot be read.
QString pdfText(const QString& pdfPath);

// The separate marks of a picture as a person sees them: the boxes of its
// 8-connected groups of dark pixels (grey below 160), in logical pixels
// (`px` device pixels to one), left to right and, at one left, top to bottom.
QList<QRect> inkMarks(const QImage& image, double px);
// The same of a control's picture, or of the part of it given.
QList<QRect> inkMarks(QWidget* control, const QRect& part = {});

} // namespace testkit
