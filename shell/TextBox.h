#pragma once
// The one-line text boxes of the programs. Qt's line box cuts its text at
// 32,767 characters without a word, whether the text is typed, pasted or set
// when a file is opened. Every line box is made here (or, for the line box
// of an editable combo box, passed through keepWholeText) so that it holds
// its whole text, up to kLongestBoxText characters.
class QComboBox;
class QLineEdit;
class QString;
class QWidget;

namespace shell {

// The most characters a line box holds: far beyond anything typed or pasted
// into a box, small enough that the box stays usable.
constexpr int kLongestBoxText = 1 << 20;

// A new line box, empty or with the text.
QLineEdit* newLineBox(QWidget* parent);
QLineEdit* newLineBox(const QString& text, QWidget* parent);

// An existing line box (an editable combo box's own) holds up to
// kLongestBoxText characters as well. Nothing happens for null, or for a
// combo box that is not editable.
//
// A text that would go beyond the limit, pasted (keys, context menu) or
// dropped, is not taken in, whole, and the person is told so in a message;
// so is a key typed into a full box (the message once the edit is over, once
// for however many keys).
void keepWholeText(QLineEdit* box);
void keepWholeText(QComboBox* combo);

// The message shown when a text does not fit a box.
QString textTooLongMessage(int limit);
// The text fits the box in place of its selection.
bool fits(const QLineEdit* box, const QString& text);
// Inserts the text in place of the selection when it fits the box whole;
// otherwise tells the person and leaves the box as it was. True when the
// text went in.
bool insertWhole(QLineEdit* box, const QString& text);

} // namespace shell
