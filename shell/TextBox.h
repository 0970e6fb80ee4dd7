#pragma once
// The one-line text boxes of the programs. Qt's line box cuts its text at
// 32,767 characters without a word, whether the text is typed, pasted or set
// when a file is opened. Every line box is made here (or, for the line box
// of an editable combo box, passed through keepWholeText) so that it holds
// its whole text, up to kLongestBoxText characters.
//
// Characters are counted as a person counts them: a character beyond the
// 65,536 of the basic plane (an emoji, a rare CJK character) is one
// character, though a QString holds it in two units.
#include <QStringView>

class QComboBox;
class QLineEdit;
class QString;
class QWidget;

namespace shell {

// The most characters a line box holds: far beyond anything typed or pasted
// into a box, small enough that the box stays usable.
constexpr int kLongestBoxText = 1 << 20;
// Qt's own limit of a line box (in the units of a QString): room for
// kLongestBoxText characters of two units each, so that Qt never cuts a text
// the box holds; the limit in characters is kept here.
constexpr int kLineBoxUnits = 2 * kLongestBoxText;

// The characters of the text as a person counts them.
qsizetype characterCount(QStringView text);

// A new line box, empty or with the text.
QLineEdit* newLineBox(QWidget* parent);
QLineEdit* newLineBox(const QString& text, QWidget* parent);

// An existing line box (an editable combo box's own) holds up to
// kLongestBoxText characters as well. Nothing happens for null, or for a
// combo box that is not editable.
//
// Text that would take the box beyond the limit is not taken in, whole,
// and the person is told so in a message, however it comes: pasted (keys,
// the context menu, the middle button's selection), dropped, typed, or
// committed by an input method. The message of keys and input methods comes
// once the edit is over, once for however many keys.
void keepWholeText(QLineEdit* box);
void keepWholeText(QComboBox* combo);

// The most characters the line box holds: kLongestBoxText for a box made or
// passed here, Qt's maximum length for any other.
int boxLimit(const QLineEdit* box);

// The message shown when a text does not fit a box.
QString textTooLongMessage(int limit);
// The text fits the box in place of its selection.
bool fits(const QLineEdit* box, const QString& text);
// Inserts the text in place of the selection when it fits the box whole;
// otherwise tells the person and leaves the box as it was. True when the
// text went in.
bool insertWhole(QLineEdit* box, const QString& text);

} // namespace shell
