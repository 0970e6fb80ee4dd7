// Every conversion against the reference table made with R
// (conversions_reference.tsv; make_reference.R says how), driven through the
// tabs. Results are rounded here half to even on the exact binary value of R's
// unrounded double, with exact decimal arithmetic of this file's own.
#include "ConversionWindow.h"
#include "meandiff/Conversions.h"

#include <QFile>
#include <QMap>
#include <QTextStream>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The exact decimal expansion of a finite double.
std::string exactDecimal(double v)
{
    const bool negative = std::signbit(v);
    v = std::fabs(v);
    int e = 0;
    const double m = std::frexp(v, &e);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(m, 53));
    e -= 53; // v = mantissa * 2^e
    std::vector<int> digits; // little-endian decimal digits
    for (std::uint64_t t = mantissa; t; t /= 10)
        digits.push_back(static_cast<int>(t % 10));
    if (digits.empty())
        digits.push_back(0);
    auto times = [&](int k) {
        int carry = 0;
        for (int& d : digits) {
            const int y = d * k + carry;
            d = y % 10;
            carry = y / 10;
        }
        while (carry) {
            digits.push_back(carry % 10);
            carry /= 10;
        }
    };
    int fraction = 0;
    if (e >= 0) {
        for (int i = 0; i < e; ++i)
            times(2);
    } else {
        for (int i = 0; i < -e; ++i)
            times(5); // mantissa / 2^k = mantissa * 5^k / 10^k
        fraction = -e;
    }
    while (static_cast<int>(digits.size()) <= fraction)
        digits.push_back(0);
    std::string whole, frac;
    for (int i = static_cast<int>(digits.size()) - 1; i >= fraction; --i)
        whole.push_back(static_cast<char>('0' + digits[static_cast<size_t>(i)]));
    for (int i = fraction - 1; i >= 0; --i)
        frac.push_back(static_cast<char>('0' + digits[static_cast<size_t>(i)]));
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    const auto nz = whole.find_first_not_of('0');
    whole = nz == std::string::npos ? "0" : whole.substr(nz);
    return (negative ? "-" : "") + whole + (frac.empty() ? "" : "." + frac);
}

// A decimal text without trailing zeros; "-0" becomes "0".
std::string plain(std::string s)
{
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return s;
}

// Rounds a decimal text half to even to five places.
std::string roundFive(const std::string& text)
{
    const bool negative = !text.empty() && text[0] == '-';
    std::string s = negative ? text.substr(1) : text;
    const auto dot = s.find('.');
    std::string whole = dot == std::string::npos ? s : s.substr(0, dot);
    std::string frac = dot == std::string::npos ? "" : s.substr(dot + 1);
    frac.resize(std::max<size_t>(frac.size(), 6), '0');
    std::string kept = whole + frac.substr(0, 5);
    const std::string rest = frac.substr(5);
    bool up = false;
    if (rest[0] > '5')
        up = true;
    else if (rest[0] == '5')
        up = rest.find_first_not_of('0', 1) != std::string::npos || (kept.back() - '0') % 2 == 1;
    if (up) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9')
            kept[static_cast<size_t>(i--)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<size_t>(i)];
    }
    const std::string out = kept.substr(0, kept.size() - 5) + "." + kept.substr(kept.size() - 5);
    return plain((negative ? "-" : "") + out);
}

struct Reference {
    QString conversion, value, kind, unrounded, rounded, message;
    bool corrected = false;
    QStringList params;
    int line = 0;
};

QList<Reference> readReference()
{
    QList<Reference> rows;
    QFile f(QStringLiteral(SUITE_TEST_DIR "/conversions_reference.tsv"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    QTextStream in(&f);
    bool header = true;
    int n = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++n;
        if (line.startsWith(QLatin1Char('#')))
            continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList c = line.split(QLatin1Char('\t'));
        if (c.size() != 10)
            continue;
        Reference r;
        r.conversion = c[0];
        r.corrected = c[1] == QLatin1String("1");
        r.value = c[2];
        r.params = {c[3], c[4], c[5]};
        r.kind = c[6];
        r.unrounded = c[7];
        r.rounded = c[8];
        r.message = c[9];
        r.line = n;
        rows.append(r);
    }
    return rows;
}

struct Route {
    const char* option;
    QStringList boxes;   // parameter boxes in the table's order
    const char* from;    // From/To line on the first tab
    const char* to;
};

const QMap<QString, Route>& routes()
{
    static const QMap<QString, Route> r = {
        {"RtoD", {"OpRtoD", {}, "LblFromR", "LblTod"}},
        {"DtoR", {"OpDtoR", {"TxtGp1N", "TxtGp2N"}, "LblFromD", "LblToR"}},
        {"FtoD", {"OpFtoD", {"TxtDFError"}, "LblFromF", "LblTod"}},
        {"FtoR", {"OpFtoR", {"TxtDFError"}, "LblFromF", "LblToR"}},
        {"TtoR", {"OpTtoR", {"txtTDF"}, "LblFromT", "LblToR"}},
        {"TtoD", {"OpTtoD", {"txtTDF", "txtTN1", "txtTN2"}, "LblFromT", "LblTod"}},
        {"ChitoR", {"OpChitoR", {"TxtChiN"}, "LblFromChi", "LblToR"}},
        {"GtoD", {"OpGtoD", {"TxtHedgesN", "TxtHedgesDF"}, "LblFromG", "LblTod"}},
        {"DtoG", {"opDtoG", {"txtDFD", "txtND"}, nullptr, nullptr}},
        {"GtoR", {"opGtoR", {"txtGDF", "txtGN"}, nullptr, nullptr}},
        {"FsqToRsq", {"opFSQtoRSQ", {}, nullptr, nullptr}},
        {"RtoZ", {"opRtoZ", {}, nullptr, nullptr}},
        {"RtoT", {"opRtoT", {"txtRDF"}, nullptr, nullptr}},
        {"RtoChi", {"opRtoChi", {"txtRN"}, nullptr, nullptr}},
        {"WtoC", {"opWtoC", {}, nullptr, nullptr}},
        {"CtoW", {"opCtoW", {}, nullptr, nullptr}},
        {"ChitoC", {"opChitoC", {"txtCHINC"}, nullptr, nullptr}},
    };
    return r;
}

const QMap<QString, const char*>& messages()
{
    using namespace meandiff::convmsg;
    static const QMap<QString, const char*> m = {
        {"RLessThanOne", RLessThanOne}, {"GroupSizes", GroupSizes}, {"DfError", DfError},
        {"TotalN", TotalN}, {"TotalNAndDf", TotalNAndDf}, {"TotalNAndWithinDf", TotalNAndWithinDf},
        {"CorrelationRange", CorrelationRange}, {"WithinDf", WithinDf}, {"Subjects", Subjects},
    };
    return m;
}

const QString kErrorStart = QStringLiteral(
    "Please check the numbers you entered. Something went very wrong and resulted in the following error:\r\n");

} // namespace

TEST(ConversionReference, ExactRoundingHelperIsSound)
{
    EXPECT_EQ(exactDecimal(0.515625), "0.515625");
    EXPECT_EQ(exactDecimal(-2.0), "-2");
    EXPECT_EQ(exactDecimal(0.1), "0.1000000000000000055511151231257827021181583404541015625");
    EXPECT_EQ(roundFive("0.515625"), "0.51562");
    EXPECT_EQ(roundFive("0.984375"), "0.98438");
    EXPECT_EQ(roundFive("-0.046875"), "-0.04688");
    EXPECT_EQ(roundFive("9.999995"), "10");
    EXPECT_EQ(roundFive("-0.000004"), "0");
    EXPECT_EQ(roundFive(exactDecimal(0.123455)), "0.12345"); // just below the half on its exact value
}

TEST(ConversionReference, EveryCaseMatchesDigitForDigit)
{
    const QList<Reference> rows = readReference();
    ASSERT_GT(rows.size(), 300) << "reference table missing";

    ConversionWindow win;
    QMap<QString, int> perConversion;
    int ties = 0;
    for (const Reference& r : rows) {
        SCOPED_TRACE("reference line " + std::to_string(r.line) + ": " + r.conversion.toStdString() + " "
                     + r.value.toStdString() + " | " + r.params.join(QLatin1String(" | ")).toStdString());
        ASSERT_TRUE(routes().contains(r.conversion));
        const Route& route = routes()[r.conversion];
        ++perConversion[r.conversion];
        const bool firstTab = route.from != nullptr;

        win.click(QString::fromLatin1(route.option));
        if (r.conversion == QLatin1String("DtoR"))
            win.click(r.corrected ? QStringLiteral("OpYesN") : QStringLiteral("OpNoN"));
        if (r.conversion == QLatin1String("TtoD"))
            win.click(r.corrected ? QStringLiteral("opTYes") : QStringLiteral("opTNo"));
        win.paste(firstTab ? QStringLiteral("TxtConvert") : QStringLiteral("txtConvert2"), r.value);
        for (int i = 0; i < route.boxes.size(); ++i)
            win.paste(route.boxes[i], r.params[i]);
        // A stale result that must go.
        const QString result = firstTab ? QStringLiteral("txtAnswer") : QStringLiteral("txtConverted");
        win.paste(result, QStringLiteral("stale"));

        testkit::MsgBoxScript boxes;
        win.click(firstTab ? QStringLiteral("cmdConvert") : QStringLiteral("cmdConvert2"));
        const QString note = firstTab ? QStringLiteral("LblEstimate") : QStringLiteral("lblNote");

        if (r.kind == QLatin1String("value")) {
            const double unrounded = r.unrounded.toDouble();
            const std::string expected = roundFive(exactDecimal(unrounded));
            EXPECT_EQ(expected, plain(r.rounded.toStdString())) << "R's own rounding disagrees";
            EXPECT_EQ(win.text(result).toStdString(), expected);
            EXPECT_EQ(boxes.count(), 0) << boxes.texts().join(QLatin1String(" / ")).toStdString();
            EXPECT_TRUE(win.shown(note));
            if (firstTab) {
                EXPECT_TRUE(win.shown(QStringLiteral("LblFrom")) && win.shown(QStringLiteral("LblToWhat")));
                EXPECT_TRUE(win.shown(QString::fromLatin1(route.from)));
                EXPECT_TRUE(win.shown(QString::fromLatin1(route.to)));
            }
            const std::string exact = exactDecimal(std::fabs(unrounded));
            const auto dot = exact.find('.');
            if (dot != std::string::npos && exact.size() == dot + 7 && exact.back() == '5')
                ++ties;
        } else {
            EXPECT_EQ(win.text(result), QString());
            EXPECT_FALSE(win.shown(note));
            ASSERT_EQ(boxes.count(), 1);
            if (r.kind == QLatin1String("message")) {
                ASSERT_TRUE(messages().contains(r.message));
                EXPECT_EQ(boxes.texts().value(0), QString::fromUtf8(messages()[r.message]));
            } else {
                EXPECT_TRUE(boxes.texts().value(0).startsWith(kErrorStart))
                    << boxes.texts().value(0).toStdString();
            }
        }
    }
    EXPECT_EQ(perConversion.size(), 17);
    EXPECT_GE(ties, 15); // exact half-way cases are part of the table
}
