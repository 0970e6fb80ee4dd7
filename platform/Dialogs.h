#pragma once
// Every dialog that asks a person something goes through here: message
// boxes, file open/save dialogs and the print dialog. Tests install a handler
// that answers in place of a person.
#include <QString>
#include <functional>

class QWidget;
class QPrinter;

namespace platform {

enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MsgRequest {
    QWidget* parent = nullptr;
    QString text;
    QString title;   // the program's title when the caller named none
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
};

// A text written with hard line breaks at a fixed width, for a box that
// wraps it at its own width: a line break inside a sentence (the next line
// goes on in lower case) becomes a blank, so the box does not break the
// lines a second time and leave them ragged. Every other break stays: after
// a sentence or a heading (".", ":", "!", "?"), before a line that starts
// with a capital, a digit or a blank (the description of an error after its
// lead sentence, an indented list), and empty lines.
QString reflowHardBreaks(const QString& text);

// Shows a modal message box. An empty title becomes the program's title.
MsgResult msgBox(const QString& text, MsgButtons buttons = MsgButtons::OK, MsgIcon icon = MsgIcon::None,
                 const QString& title = {}, QWidget* parent = nullptr);

using MsgHandler = std::function<MsgResult(const MsgRequest&)>;
// Replaces the real box (empty handler: the real box again).
void setMsgHandler(MsgHandler handler);

struct FileDialogRequest {
    enum Kind { Open, Save } kind = Open;
    QWidget* parent = nullptr;
    QString caption;
    QString directory;   // starting folder, may include a file name
    QString filter;      // Qt filter text: "Tarvoss Files (*.tvq);;All Files (*)"
    QString defaultSuffix;
};

// Qt's own file dialog (not the native one). Returns the chosen path, or an
// empty string when the person cancelled.
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& directory, const QString& filter);
// Asks before replacing an existing file only when askOverwrite is true.
QString getSaveFileName(QWidget* parent, const QString& caption, const QString& directory, const QString& filter,
                        const QString& defaultSuffix = {}, bool askOverwrite = true);

using FileDialogHandler = std::function<QString(const FileDialogRequest&)>;
void setFileDialogHandler(FileDialogHandler handler);

// The print dialog on the given printer. Returns false when cancelled. When
// the machine has no printer the dialog offers output to a PDF file.
bool execPrintDialog(QPrinter& printer, QWidget* parent = nullptr);

using PrintDialogHandler = std::function<bool(QPrinter&)>;
void setPrintDialogHandler(PrintDialogHandler handler);

} // namespace platform
