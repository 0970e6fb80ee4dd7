#include "platform/Numbers.h"
#include "platform/Errors.h"

#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace platform {

namespace {

// Digits and decimal exponent of v rounded to `significant` digits (1 to
// 17), exactly: std::to_chars rounds the exact binary value, ties to even.
// With `significant` 0, the fewest digits that read back as v. Trailing
// zeros are dropped; returns the number of digits.
int decimalDigits(double v, int significant, char (&digits)[24], int& exponent)
{
    char buf[48];
    const auto r = significant == 0
                       ? std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific)
                       : std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                                       significant - 1);
    int n = 0;
    const char* p = buf;
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p != '.')
            digits[n++] = *p;
    // The exponent: 'e', its sign, then at least two digits.
    const bool negative = p + 1 < r.ptr && p[1] == '-';
    exponent = 0;
    for (p += 2; p < r.ptr; ++p)
        exponent = exponent * 10 + (*p - '0');
    if (negative)
        exponent = -exponent;
    while (n > 1 && digits[n - 1] == '0')
        --n;
    return n;
}

locale_t cLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return loc;
}

// Parses the ASCII number text in s (already validated) without regard to the
// process locale; too large raises Overflow, too small gives 0.
double parseNumber(const std::string& s)
{
    char* end = nullptr;
    double v = strtod_l(s.c_str(), &end, cLocale());
    if (std::isinf(v))
        throw errOverflow();
    return v;
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Length of the longest number at the start of s: [sign] digits [. digits]
// [exponent], with at least one digit. `exponentLetters` are the letters that
// may start an exponent. Returns 0 when there is no number.
int numberPrefix(const QString& s, const char* exponentLetters)
{
    int i = 0;
    const int n = s.size();
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < n && isDigit(s[i])) { ++i; ++digits; }
    if (i < n && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(s[i])) { ++i; ++digits; }
    }
    if (digits == 0)
        return 0;
    if (i < n && std::strchr(exponentLetters, s[i].toLatin1()) && s[i].toLatin1() != 0) {
        int j = i + 1;
        if (j < n && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            ++j;
        int expDigits = 0;
        while (j < n && isDigit(s[j])) { ++j; ++expDigits; }
        if (expDigits > 0)
            i = j;
    }
    return i;
}

std::string toAsciiNumber(const QString& s)
{
    std::string out = s.toStdString();
    for (char& c : out)
        if (c == 'd' || c == 'D')
            c = 'e';
    return out;
}

// The characters of the plain decimal text of v with `significant` digits
// (0: the fewest that read back as v) in `out`; their count.
int numChars(double v, int significant, char (&out)[360])
{
    if (std::isnan(v))
        throw errInvalidCall();
    if (std::isinf(v))
        throw errOverflow();
    if (v == 0.0) {
        out[0] = '0';
        return 1;
    }
    char digits[24];
    int exponent = 0;
    const int nd = decimalDigits(v, significant, digits, exponent);
    // At most a sign, "0." and 323 zeros before 17 digits, or 17 digits
    // and 308 zeros.
    int n = 0;
    if (v < 0)
        out[n++] = '-';
    if (exponent < 0) {
        out[n++] = '0';
        out[n++] = '.';
        for (int i = 0; i < -exponent - 1; ++i)
            out[n++] = '0';
        for (int i = 0; i < nd; ++i)
            out[n++] = digits[i];
    } else if (exponent + 1 >= nd) {
        for (int i = 0; i < nd; ++i)
            out[n++] = digits[i];
        for (int i = 0; i < exponent + 1 - nd; ++i)
            out[n++] = '0';
    } else {
        for (int i = 0; i <= exponent; ++i)
            out[n++] = digits[i];
        out[n++] = '.';
        for (int i = exponent + 1; i < nd; ++i)
            out[n++] = digits[i];
    }
    return n;
}

// numText's characters in `out`; their count.
int numTextChars(double v, int significant, char (&out)[360])
{
    if (!std::isnan(v) && !std::isinf(v) && (significant < 1 || significant > 17))
        throw errInvalidCall();
    return numChars(v, significant, out);
}

} // namespace

QString numText(double v, int significant)
{
    char out[360];
    const int n = numTextChars(v, significant, out);
    return QString::fromLatin1(out, n);
}

void appendNumText(QString& text, double v, int significant)
{
    char out[360];
    const int n = numTextChars(v, significant, out);
    text.append(QLatin1String(out, n));
}

QString roundTripText(double v)
{
    char out[360];
    const int n = numChars(v, 0, out);
    return QString::fromLatin1(out, n);
}

QString numTextSingle(float v) { return numText(static_cast<double>(v), 7); }

double roundHalfEven(double v, int places)
{
    if (std::isnan(v))
        throw errInvalidCall();
    if (std::isinf(v))
        throw errOverflow();
    if (places < 0)
        throw errInvalidCall();
    // Beyond 2^53 every double is whole already.
    if (std::fabs(v) >= 9007199254740992.0)
        return v;
    // Below 2^53 the fixed text has at most 16 digits before the point.
    char small[64];
    std::string large;
    char* buf = small;
    size_t size = sizeof small - 1;
    if (places > 40) {
        large.assign(static_cast<size_t>(places) + 32, '\0');
        buf = large.data();
        size = large.size() - 1;
    }
    const auto r = std::to_chars(buf, buf + size, v, std::chars_format::fixed, places);
    *r.ptr = '\0';
    char* end = nullptr;
    const double out = strtod_l(buf, &end, cLocale());
    return out == 0.0 ? 0.0 : out;
}

QString roundText(double v, int places) { return numText(roundHalfEven(v, places)); }

namespace {

enum class Parsed { Number, NotANumber, TooLarge };

// The strict conversion without raising: the text's kind and, for a number,
// its value.
Parsed parseStrict(const QString& text, double& out)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return Parsed::NotANumber;
    const int len = numberPrefix(s, "eE");
    if (len != s.size())
        return Parsed::NotANumber;
    char* end = nullptr;
    const double v = strtod_l(toAsciiNumber(s).c_str(), &end, cLocale());
    if (std::isinf(v))
        return Parsed::TooLarge;
    out = v;
    return Parsed::Number;
}

} // namespace

bool tryCdbl(const QString& text, double& out) noexcept
{
    try {
        double v = 0;
        if (parseStrict(text, v) != Parsed::Number)
            return false;
        out = v;
        return true;
    } catch (...) {
        // Only a failed allocation can come here; it is no number either.
        return false;
    }
}

double cdbl(const QString& text)
{
    double v = 0;
    switch (parseStrict(text, v)) {
    case Parsed::Number: return v;
    case Parsed::TooLarge: throw errOverflow();
    case Parsed::NotANumber: break;
    }
    throw errTypeMismatch();
}

double val(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            s.append(c);
    const int len = numberPrefix(s, "eEdD");
    if (len == 0)
        return 0.0;
    return parseNumber(toAsciiNumber(s.left(len)));
}

std::int16_t cint(double v)
{
    if (std::isnan(v))
        throw errInvalidCall();
    const double r = std::nearbyint(v);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw errOverflow();
    return static_cast<std::int16_t>(r);
}

std::int32_t clng(double v)
{
    if (std::isnan(v))
        throw errInvalidCall();
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw errOverflow();
    return static_cast<std::int32_t>(r);
}

float csng(double v)
{
    if (std::isnan(v))
        throw errInvalidCall();
    if (std::fabs(v) > static_cast<double>(FLT_MAX))
        throw errOverflow();
    return static_cast<float>(v);
}

} // namespace platform
