#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <QLocale>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace platform;

TEST(NumberText, ShortestPlainDecimalUpTo15Digits)
{
    struct Case { double v; const char* text; };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-1.5, "-1.5"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {3.2 - 4.1, "-0.899999999999999"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {100.0, "100"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1234567890123460"},
        {1e20, "100000000000000000000"},
        {1e-7, "0.0000001"},
        {-2.5e-10, "-0.00000000025"},
        {0.7581, "0.7581"},
        {8.0, "8"},
        {1.95996, "1.95996"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numText(c.v).toStdString(), c.text) << c.v;
}

// The ends of the double range, and a rounding that carries into a new digit.
TEST(NumberText, ExtremesOfTheDoubleRange)
{
    EXPECT_EQ(numText(std::numeric_limits<double>::max()).toStdString(),
              "179769313486232" + std::string(294, '0'));
    EXPECT_EQ(numText(-std::numeric_limits<double>::denorm_min()).toStdString(),
              "-0." + std::string(323, '0') + "494065645841247");
    EXPECT_EQ(numText(std::numeric_limits<double>::min()).toStdString(),
              "0." + std::string(307, '0') + "22250738585072");
    EXPECT_EQ(numText(9.9999999999999999e22).toStdString(), "1" + std::string(23, '0'));
    EXPECT_EQ(numText(0.99999999999999999).toStdString(), "1");
    EXPECT_EQ(numText(0.00009999999999999999).toStdString(), "0.0001");
    EXPECT_EQ(roundHalfEven(0.1, 60), 0.1);
    EXPECT_EQ(roundHalfEven(-123456.654321, 40), -123456.654321);
    EXPECT_EQ(roundHalfEven(9007199254740991.0, 5), 9007199254740991.0);
}

TEST(NumberText, SinglePrecisionShowsSevenDigits)
{
    EXPECT_EQ(numTextSingle(0.1f).toStdString(), "0.1");
    EXPECT_EQ(numTextSingle(1.0f / 3.0f).toStdString(), "0.3333333");
    EXPECT_EQ(numTextSingle(csng(0.82345678)).toStdString(), "0.8234568");
    EXPECT_EQ(numTextSingle(-0.0f).toStdString(), "0");
    EXPECT_EQ(numTextSingle(16777216.0f).toStdString(), "16777220");
}

// An editor's text: the fewest digits that read back as the same double,
// in plain form.
TEST(NumberText, RoundTripTextReadsBackAsTheSameDouble)
{
    struct Case { double v; const char* text; };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.30000000000000004"},
        {11.905222543052886, "11.905222543052886"},
        {123456789.12345679, "123456789.12345679"},
        {-2.5e-10, "-0.00000000025"},
        {1e20, "100000000000000000000"},
        {1234567890123456.0, "1234567890123456"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(roundTripText(c.v).toStdString(), c.text) << c.v;
        EXPECT_EQ(cdbl(roundTripText(c.v)), c.v) << c.v;
    }
    EXPECT_EQ(roundTripText(std::numeric_limits<double>::denorm_min()).toStdString(), "0." + std::string(323, '0') + "5");
    EXPECT_EQ(roundTripText(std::numeric_limits<double>::max()).toStdString(), "17976931348623157" + std::string(292, '0'));
    EXPECT_THROW(roundTripText(std::numeric_limits<double>::infinity()), RuntimeError);
    EXPECT_THROW(roundTripText(std::nan("")), RuntimeError);
}

TEST(NumberText, InfinityAndNaNAreErrors)
{
    EXPECT_THROW(numText(std::numeric_limits<double>::infinity()), RuntimeError);
    EXPECT_THROW(numText(std::nan("")), RuntimeError);
}

TEST(Rounding, HalfToEvenOnTheDoublesValue)
{
    struct Case { double v; int places; const char* text; };
    const Case cases[] = {
        {0.015625, 5, "0.01562"},     // exact tie, goes to even
        {0.015635, 5, "0.01563"},     // stored just below the tie
        {0.125, 2, "0.12"},
        {0.375, 2, "0.38"},
        {2.5, 0, "2"},
        {3.5, 0, "4"},
        {-2.5, 0, "-2"},
        {-0.000001, 5, "0"},          // never "-0"
        {-0.000006, 5, "-0.00001"},
        {1.234564999, 5, "1.23456"},
        {0.758105, 5, "0.75811"},     // stored just above the tie
        {0.75810, 5, "0.7581"},       // trailing zeros dropped
        {2.675, 2, "2.67"},           // stored below the tie
        {7.999999, 5, "8"},
        {0.1 + 0.2, 5, "0.3"},
        {123456.123455, 5, "123456.12345"}, // stored below the tie
        {-0.899999999999999, 8, "-0.9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(roundText(c.v, c.places).toStdString(), c.text) << c.v << " to " << c.places;
    }
    EXPECT_EQ(roundHalfEven(1e300, 5), 1e300);
    EXPECT_FALSE(std::signbit(roundHalfEven(-0.000001, 5)));
}

TEST(Conversion, StrictFailsOnEmptyOrNonNumericText)
{
    struct Ok { const char* text; double v; };
    const Ok ok[] = {
        {"1.5", 1.5}, {" 2 ", 2.0}, {"-0.25", -0.25}, {"+3", 3.0}, {".5", 0.5}, {"5.", 5.0},
        {"1e3", 1000.0}, {"1E-2", 0.01}, {"007", 7.0}, {"1e-400", 0.0},
    };
    for (const auto& c : ok)
        EXPECT_DOUBLE_EQ(cdbl(QString::fromLatin1(c.text)), c.v) << c.text;
    for (const char* bad : {"", " ", "-", ".", "-.", "abc", "1.5x", "1,5", "1.2.3", "e5", "1e", "--1", "1 2"}) {
        double out = 99;
        EXPECT_FALSE(tryCdbl(QString::fromLatin1(bad), out)) << bad;
        try {
            cdbl(QString::fromLatin1(bad));
            ADD_FAILURE() << "no error for " << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrTypeMismatch) << bad;
        }
    }
    EXPECT_THROW(cdbl(QStringLiteral("1e400")), RuntimeError);
}

TEST(Conversion, TheStrictQuestionNeverRaises)
{
    // Too large for a double: no number, and the caller's value is left alone;
    // the strict conversion itself still says Overflow.
    const QString huge[] = {QStringLiteral("1e999"), QStringLiteral("-1e999"), QString(400, QLatin1Char('9')),
                            QStringLiteral("-") + QString(309, QLatin1Char('9')), QStringLiteral(" 1.8e308 ")};
    for (const QString& t : huge) {
        double out = 99;
        bool ok = true;
        EXPECT_NO_THROW(ok = tryCdbl(t, out)) << t.left(20).toStdString();
        EXPECT_FALSE(ok) << t.left(20).toStdString();
        EXPECT_EQ(out, 99);
        try {
            cdbl(t);
            ADD_FAILURE() << "no error for " << t.left(20).toStdString();
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrOverflow) << t.left(20).toStdString();
        }
    }
    // The smallest denormal and the largest double are numbers.
    double out = 0;
    ASSERT_TRUE(tryCdbl(QStringLiteral("4.9406564584124654e-324"), out));
    EXPECT_EQ(out, std::numeric_limits<double>::denorm_min());
    ASSERT_TRUE(tryCdbl(QStringLiteral("1.7976931348623157e308"), out));
    EXPECT_EQ(out, std::numeric_limits<double>::max());
}

TEST(Conversion, LenientReadsTheLeadingNumber)
{
    struct Case { const char* text; double v; };
    const Case cases[] = {
        {"", 0}, {"-", 0}, {".", 0}, {"abc", 0}, {"12abc", 12}, {"1.5.6", 1.5}, {" 1 2 3", 123},
        {"-4.5e1x", -45}, {"3e", 3}, {"2d2", 200}, {"1,5", 1}, {"\t7\n", 7},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(val(QString::fromLatin1(c.text)), c.v) << c.text;
}

TEST(Conversion, GermanLocaleStillUsesThePoint)
{
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    const bool haveGerman = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const QLocale savedQt;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(cdbl(QStringLiteral("1.5")), 1.5);
    EXPECT_DOUBLE_EQ(val(QStringLiteral("1.5")), 1.5);
    EXPECT_FALSE([] { double d; return tryCdbl(QStringLiteral("1,5"), d); }());
    if (haveGerman) { // the C library really uses the decimal comma now
        EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    }
    EXPECT_DOUBLE_EQ(cdbl(QStringLiteral("-2.5e-3")), -0.0025);
    EXPECT_DOUBLE_EQ(val(QStringLiteral("3,75")), 3.0);
    EXPECT_EQ(numText(1.5).toStdString(), "1.5");
    EXPECT_EQ(numText(-2.5e-10).toStdString(), "-0.00000000025");
    EXPECT_EQ(numTextSingle(1.0f / 3.0f).toStdString(), "0.3333333");
    EXPECT_EQ(roundText(0.015625, 5).toStdString(), "0.01562");
    EXPECT_EQ(roundText(1234.56789, 2).toStdString(), "1234.57");
    QLocale::setDefault(savedQt);
    std::setlocale(LC_ALL, saved.c_str());
    if (!haveGerman)
        GTEST_LOG_(INFO) << "de_DE.UTF-8 not installed; only the Qt default locale was German";
}

TEST(Conversion, WholeNumbersRoundHalfToEvenAndOverflow)
{
    struct Case { double v; int expected; };
    const Case cases16[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {32767.4, 32767}, {-32768.0, -32768}};
    for (const auto& c : cases16)
        EXPECT_EQ(cint(c.v), c.expected) << c.v;
    for (double v : {32767.5, 32768.0, -32768.6, 1e10})
        try {
            cint(v);
            ADD_FAILURE() << "no overflow for " << v;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrOverflow);
        }
    EXPECT_EQ(clng(2147483647.4), 2147483647);
    EXPECT_EQ(clng(-2147483648.0), -2147483647 - 1);
    EXPECT_EQ(clng(40000.5), 40000);
    EXPECT_THROW(clng(2147483647.5), RuntimeError);
    EXPECT_FLOAT_EQ(csng(0.1), 0.1f);
    EXPECT_THROW(csng(1e39), RuntimeError);
}
