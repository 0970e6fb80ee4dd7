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

// Digits and decimal exponent of v rounded to `significant` digits, exactly
// (std::to_chars rounds the exact binary value, ties to even).
void decimalDigits(double v, int significant, std::string& digits, int& exponent)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, significant - 1);
    std::string s(buf, r.ptr);
    const auto e = s.find('e');
    exponent = std::stoi(s.substr(e + 1));
    digits.clear();
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.')
            digits.push_back(s[i]);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
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

} // namespace

QString numText(double v, int significant)
{
    if (std::isnan(v))
        throw errInvalidCall();
    if (std::isinf(v))
        throw errOverflow();
    if (v == 0.0)
        return QStringLiteral("0");
    std::string digits;
    int exponent = 0;
    decimalDigits(v, significant, digits, exponent);
    std::string out;
    if (v < 0)
        out.push_back('-');
    const int nd = static_cast<int>(digits.size());
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    } else if (exponent + 1 >= nd) {
        out += digits;
        out.append(static_cast<size_t>(exponent + 1 - nd), '0');
    } else {
        out += digits.substr(0, static_cast<size_t>(exponent + 1));
        out.push_back('.');
        out += digits.substr(static_cast<size_t>(exponent + 1));
    }
    return QString::fromStdString(out);
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
    std::string buf(static_cast<size_t>(places) + 32, '\0');
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, places);
    std::string s(buf.data(), r.ptr);
    double out = parseNumber(s);
    return out == 0.0 ? 0.0 : out;
}

QString roundText(double v, int places) { return numText(roundHalfEven(v, places)); }

bool tryCdbl(const QString& text, double& out)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return false;
    const int len = numberPrefix(s, "eE");
    if (len != s.size())
        return false;
    out = parseNumber(toAsciiNumber(s));
    return true;
}

double cdbl(const QString& text)
{
    double v = 0;
    if (!tryCdbl(text, v))
        throw errTypeMismatch();
    return v;
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
