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
void keepWholeText(QLineEdit* box);
void keepWholeText(QComboBox* combo);

} // namespace shell
