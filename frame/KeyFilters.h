#pragma once
// Key filters of the numeric boxes: each refuses, keystroke by keystroke,
// characters that cannot belong to the number the box expects.
class QWidget;

namespace frame {

enum class KeyFilter {
    Signed,    // NumericCharsOnly
    Unsigned,  // DecimalCharsOnly
    Digits,    // DigitsOnly
    NoQuote,   // free text without the double quote
};

// Filters on the key code of a typed character; return the code or 0.
int NumericCharsOnly(QWidget* TB, int Key);
int DecimalCharsOnly(QWidget* TB, int Key);
int DigitsOnly(int Key);

// Installs the filter on a text box or editable combo box.
void installKeyFilter(QWidget* box, KeyFilter kind);

} // namespace frame
