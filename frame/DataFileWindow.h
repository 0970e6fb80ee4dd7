#pragma once
// Window-side helpers shared by the programs' data-file commands: reading
// and writing boxes found by objectName, the state the window's one file
// dialog keeps between uses, and the failure box.
#include <QString>
#include <QStringList>
#include <functional>

class QTextDocument;
class QWidget;

namespace frame {

// The window's one file dialog keeps its folder and file name from one use
// to the next.
struct CommonDialogState {
    QString initDir;    // starting folder, ends with a separator
    QString fileName;   // the last file name chosen

    // Where the dialog opens: the folder, with the last file name when there is one.
    QString start() const;
};

// The program folder, ending with a separator.
QString programFolderPath();
// The path cut before its file name: the folder, ending in a separator.
QString folderOfPath(const QString& path);

// The text of a multi-line box's document as it was set or typed: every
// character kept (a no-break space stays one, a line separator U+2028 stays
// one), where toPlainText() would turn them into a blank and a line break.
// A line break typed is typedBreak; a break set with the text
// (markLineBreaks) reads back as the character or characters that made it
// (LF, CR LF, CR, the paragraph separator U+2029, ...).
QString documentText(const QTextDocument* document, const QString& typedBreak = QStringLiteral("\n"));
// Right after the text was set as the document's plain text: notes which
// character made each of its line breaks, so that documentText gives the
// text back as it was set.
void markLineBreaks(QTextDocument* document, const QString& text);

// The Text of a box of the window, found by objectName: a line box, a plain
// text box, a label, a combo box or a button; "" when there is none.
QString windowBoxText(QWidget* window, const QString& name);
// Sets the text of a line or plain text box; does nothing when there is none.
void setWindowBoxText(QWidget* window, const QString& name, const QString& text);

// The texts of the named boxes, in order, and back.
QStringList windowBoxTexts(QWidget* window, const QStringList& names);
void setWindowBoxTexts(QWidget* window, const QStringList& names, const QStringList& texts);

// Every line, plain and rich text box among the window's children gets the
// empty text; combo boxes keep theirs.
void clearWindowTextBoxes(QWidget* window);

// The most characters the named box holds (shell::boxLimit of a line box);
// -1 when it has no limit (a multi-line box) or there is no such box.
// Characters are counted as a person counts them (shell::characterCount).
int boxCapacity(QWidget* window, const QString& name);
// The index of the first of the named boxes that cannot hold its text (the
// text at the same index) whole, or -1.
int firstOverlongBox(QWidget* window, const QStringList& names, const QStringList& texts);
// The message that refuses a file whose text is longer than its box holds:
// names the box by its label, the text's length and the box's limit, both
// in characters.
QString overlongTextRefusal(const QString& boxLabel, qsizetype length, int capacity);

// The question asked before a file is opened over changed data.
extern const char* const kMsgUnsavedBeforeOpen;

// Asks kMsgUnsavedBeforeOpen (question icon; Yes, No, Cancel) when
// recordChanged(false) says the window's data changed. True when the open
// may go on: nothing changed, No, or Yes with the data saved (the changed
// flags are then cleared). Cancel, or Yes with a save that was cancelled or
// failed (saveAs false or throwing), keeps the data and returns false.
bool askToSaveBeforeOpening(QWidget* window, const std::function<bool(bool)>& recordChanged,
                            const std::function<bool()>& saveAs);

// An OK box titled with the program title: the sentence, a line break and
// the error's description.
void showFailure(QWidget* window, const char* sentence, const QString& description);

} // namespace frame
