#pragma once
// Number conventions shared by every window: how numbers become text and
// text becomes numbers. "." is the decimal separator in every locale.
#include <QString>
#include <cstdint>

namespace platform {

// Shortest plain decimal text of v with at most `significant` significant
// digits: no trailing zeros, never exponent form, never "-0".
// Raises Overflow for an infinity and Invalid procedure call for a NaN.
QString numText(double v, int significant = 15);
// The shortest plain decimal text that reads back as exactly v (at most 17
// significant digits), in the form of numText: what an editor of a stored
// number starts from, so that a value is shown and kept whole.
// Raises as numText.
QString roundTripText(double v);
// Appends numText(v, significant) to `text`, without a text of its own.
void appendNumText(QString& text, double v, int significant = 15);
// Text of a value held in single precision (7 significant digits).
QString numTextSingle(float v);

// Rounds half to even to `places` decimal places on the double's exact value
// (0.015625 to 5 places is 0.01562, 0.125 to 2 places is 0.12).
double roundHalfEven(double v, int places);
// numText(roundHalfEven(v, places)).
QString roundText(double v, int places);

// Strict conversion: blanks around the number are allowed, otherwise the text
// must be one decimal number (sign, digits, ".", digits, exponent). Empty or
// non-numeric text raises Type mismatch; a value too large raises Overflow.
double cdbl(const QString& text);
// The strict conversion as a question that never raises: false for empty or
// non-numeric text and for a value too large (out is then left alone).
bool tryCdbl(const QString& text, double& out) noexcept;

// Lenient conversion: blanks, tabs and line breaks are dropped, then the
// leading number is read up to the first character that cannot continue it;
// no number gives 0. A value too large raises Overflow.
double val(const QString& text);

// Whole numbers: halves go to the even neighbour; out of range raises Overflow.
std::int16_t cint(double v);
std::int32_t clng(double v);
// Single precision; out of range raises Overflow.
float csng(double v);

} // namespace platform
