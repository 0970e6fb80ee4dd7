// The calculators' computations against R (see make_reference.R), and the
// input checks of each computation in their order.
#include "calc_test_util.h"

#include "calculators/CalculatorMath.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <cmath>

using namespace calculators;

namespace {

QString joined(const std::vector<double>& v)
{
    QStringList s;
    for (double x : v)
        s << platform::numText(x);
    return s.join(QLatin1Char(','));
}

ConfLevel levelOf(const QString& option)
{
    for (int i = 0; i < kListedConfLevels; ++i)
        if (option == QLatin1String(confLevelInfo(static_cast<ConfLevel>(i)).option))
            return static_cast<ConfLevel>(i);
    return ConfLevel::Other;
}

} // namespace

TEST(ChiSquareReference, AgreesWithRToEveryShownDigit)
{
    const auto rows = calctest::referenceRows(QStringLiteral("chisq_reference.tsv"));
    ASSERT_GE(rows.size(), 20);
    for (const QStringList& r : rows) {
        SCOPED_TRACE(r.join(QLatin1Char(' ')).toStdString());
        const int groups = r[0].toInt(), conditions = r[1].toInt();
        const QStringList counts = r[2].split(QLatin1Char(','));
        const QStringList expected = r[3].split(QLatin1Char(','));
        CountTable table(groups, std::vector<double>(conditions));
        for (int j = 0; j < groups; ++j)
            for (int i = 0; i < conditions; ++i)
                table[j][i] = counts[j * conditions + i].toDouble();
        const ContingencyResult res = contingencyChiSquare(table);
        ASSERT_TRUE(res.defined);
        for (int j = 0; j < groups; ++j)
            for (int i = 0; i < conditions; ++i)
                EXPECT_NEAR(res.expected[j][i], expected[j * conditions + i].toDouble(), 1e-9);
        EXPECT_EQ(platform::roundText(res.chiSquare, 5), r[4]);
        EXPECT_EQ(res.df, r[5]);
        EXPECT_EQ(platform::roundText(res.pTwoTailed, 5), r[6]);
        EXPECT_EQ(platform::roundText(res.pOneTailed, 5), r[7]);
        EXPECT_EQ(platform::roundText(res.phi, 5), r[8]);
        EXPECT_EQ(platform::roundText(res.w, 5), r[9]);
        EXPECT_EQ(platform::roundText(res.c, 5), r[10]);
        EXPECT_EQ(joined(res.groupTotals), r[11]);
        EXPECT_EQ(joined(res.conditionTotals), r[12]);
        EXPECT_EQ(platform::numText(res.n), r[13]);
    }
}

TEST(ChiSquareReference, ClosedFormsOfTheWorkedTables)
{
    struct Case {
        CountTable counts;
        double chi, p, w, c;
        const char* df;
    };
    const Case cases[] = {
        {{{10, 20}, {30, 40}}, 50.0 / 63, std::erfc(std::sqrt(50.0 / 63 / 2)), std::sqrt(1.0 / 126),
         std::sqrt(1.0 / 127), "1"},
        {{{10, 20, 30}, {20, 20, 20}}, 16.0 / 3, std::exp(-8.0 / 3), std::sqrt(2.0 / 45), std::sqrt(2.0 / 47), "2"},
        {{{10, 20, 30}, {20, 20, 20}, {30, 20, 10}}, 20, 11 * std::exp(-10.0), 1.0 / 3, std::sqrt(0.1), "4"},
    };
    for (const Case& c : cases) {
        const ContingencyResult r = contingencyChiSquare(c.counts);
        EXPECT_EQ(platform::roundText(r.chiSquare, 5), platform::roundText(c.chi, 5));
        EXPECT_EQ(r.df, QString::fromLatin1(c.df));
        EXPECT_EQ(platform::roundText(r.pTwoTailed, 5), platform::roundText(c.p, 5));
        EXPECT_EQ(platform::roundText(r.pOneTailed, 5), platform::roundText(c.p / 2, 5));
        EXPECT_EQ(platform::roundText(r.w, 5), platform::roundText(c.w, 5));
        EXPECT_EQ(platform::roundText(r.c, 5), platform::roundText(c.c, 5));
    }
    // Cramér's phi of the 3 x 3 table divides chi-square by twice N.
    const ContingencyResult r = contingencyChiSquare(cases[2].counts);
    EXPECT_EQ(platform::roundText(r.phi, 5), platform::roundText(std::sqrt(1.0 / 18), 5));
}

TEST(ChiSquareReference, ZeroMarginDefinesNoStatistic)
{
    const ContingencyResult r = contingencyChiSquare({{0, 0}, {10, 10}});
    EXPECT_FALSE(r.defined);
    EXPECT_EQ(joined(r.groupTotals), QString("0,20"));
    EXPECT_EQ(joined(r.conditionTotals), QString("10,10"));
    EXPECT_EQ(r.n, 20);
    EXPECT_FALSE(contingencyChiSquare({{5, 0, 7}, {6, 0, 8}}).defined);
    EXPECT_TRUE(hasSmallCount({{5, 5}, {5, 4.5}}));
    EXPECT_FALSE(hasSmallCount({{5, 5}, {5, 5}}));
}

TEST(ConfidenceReference, AgreesWithRToEveryShownDigit)
{
    const auto rows = calctest::referenceRows(QStringLiteral("ci_reference.tsv"));
    ASSERT_GE(rows.size(), 15);
    for (const QStringList& r : rows) {
        SCOPED_TRACE(r.join(QLatin1Char(' ')).toStdString());
        ConfInputs in;
        in.mean = r[0];
        in.sd = r[1];
        in.n = r[2];
        in.level = levelOf(r[3]);
        if (in.level == ConfLevel::Other)
            in.ownValue = r[3];
        const ConfOutcome out = computeConfidenceInterval(in);
        EXPECT_TRUE(out.message.isEmpty());
        EXPECT_EQ(out.se, r[4]);
        EXPECT_EQ(out.z, r[5]);
        EXPECT_EQ(out.error, r[6]);
        EXPECT_EQ(out.lower, r[7]);
        EXPECT_EQ(out.upper, r[8]);
        EXPECT_EQ(out.mean, r[9]);
        EXPECT_EQ(out.levelCaption, r[10]);
        const bool small = r[2].toInt() < 31;
        const auto note = !small ? ConfOutcome::Note::None
            : in.ownValue.isEmpty() ? ConfOutcome::Note::CentralLimit
                                    : ConfOutcome::Note::OwnValue;
        EXPECT_EQ(out.note, note);
    }
}

TEST(ConfidenceChecks, MessagesInOrderAndConversionFirst)
{
    struct Case {
        const char* mean;
        const char* sd;
        const char* n;
        ConfLevel level;
        const char* own;
        const char* message;
    };
    const Case cases[] = {
        {"10", "2", "", ConfLevel::L95, "", kConfMsgEnterData},
        {"", "2", "5", ConfLevel::L95, "", kConfMsgEnterData},
        {"10", "2", "0", ConfLevel::L95, "", kConfMsgOneSubject},
        {"10", "", "0", ConfLevel::Other, "", kConfMsgEnterData},
        {"10", "2", "0", ConfLevel::Other, "", kConfMsgOneSubject},
        {"10", "2", "5", ConfLevel::Other, "", kConfMsgOwnValue},
    };
    for (const Case& c : cases) {
        const ConfOutcome out = computeConfidenceInterval(
            {QString::fromLatin1(c.mean), QString::fromLatin1(c.sd), QString::fromLatin1(c.n),
             QString::fromLatin1(c.own), c.level});
        EXPECT_EQ(out.message, QString::fromLatin1(c.message)) << c.mean << "/" << c.sd << "/" << c.n;
        EXPECT_TRUE(out.se.isEmpty());
    }
    // N beyond the 16-bit range fails in its conversion, before the checks.
    try {
        computeConfidenceInterval({QString(), QStringLiteral("2"), QStringLiteral("40000"), QString(), ConfLevel::L95});
        ADD_FAILURE() << "no error";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrOverflow);
    }
}

TEST(ConfidenceChecks, LenientValuesAndSigns)
{
    // An own value that is not a number counts as 0.
    ConfOutcome out = computeConfidenceInterval(
        {QStringLiteral("7"), QStringLiteral("3"), QStringLiteral("9"), QStringLiteral("abc"), ConfLevel::Other});
    EXPECT_EQ(out.z, QString("0"));
    EXPECT_EQ(out.error, QString("0"));
    EXPECT_EQ(out.lower, QString("7"));
    EXPECT_EQ(out.upper, QString("7"));
    EXPECT_EQ(out.levelCaption, QString("0 z/t"));
    // SD 0, and a negative SD whose lower bound lies above the upper.
    out = computeConfidenceInterval({QStringLiteral("7"), QStringLiteral("0"), QStringLiteral("9"), {}, ConfLevel::L95});
    EXPECT_EQ(out.se, QString("0"));
    EXPECT_EQ(out.error, QString("0"));
    out = computeConfidenceInterval({QStringLiteral("7"), QStringLiteral("-3"), QStringLiteral("9"), {}, ConfLevel::L95});
    EXPECT_EQ(out.se, QString("-1"));
    EXPECT_EQ(out.error, QString("-1.96"));
    EXPECT_EQ(out.lower, QString("8.96"));
    EXPECT_EQ(out.upper, QString("5.04"));
    // N halves go to the even neighbour: 30.5 is 30, a small sample.
    out = computeConfidenceInterval({QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("30.5"), {}, ConfLevel::L95});
    EXPECT_EQ(out.note, ConfOutcome::Note::CentralLimit);
    out = computeConfidenceInterval({QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("31"), {}, ConfLevel::L95});
    EXPECT_EQ(out.note, ConfOutcome::Note::None);
}

TEST(FSquaredReference, AgreesWithR)
{
    const auto rows = calctest::referenceRows(QStringLiteral("f2_reference.tsv"));
    ASSERT_GE(rows.size(), 10);
    for (const QStringList& r : rows) {
        SCOPED_TRACE(r.join(QLatin1Char(' ')).toStdString());
        const FSquaredOutcome out =
            r[0] == QLatin1String("multiple") ? multipleRFSquared(r[1]) : hierarchicalRFSquared(r[1], r[2]);
        EXPECT_TRUE(out.message.isEmpty());
        EXPECT_EQ(out.f2, r[3]);
    }
}

TEST(FSquaredChecks, Messages)
{
    struct Case {
        const char* a;
        const char* ab;   // nullptr: the multiple-regression window
        const char* message;
        const char* f2;
    };
    const Case cases[] = {
        {"", nullptr, "You must enter the squared multiple correlation in the white box.", ""},
        {"1.2", nullptr, "You cannot have a r squared greater than 1.", ""},
        {"-0.1", nullptr, "You cannot have a negative r squared.", ""},
        {"abc", nullptr, "", "0"},
        {".5", nullptr, "", "1"},
        {"0.5x", nullptr, "", "1"},
        {"1", nullptr, "You cannot have a r squared of 1.", ""},
        {"", "0.5", "You must enter data into both white boxes.", ""},
        {"0.5", "", "You must enter data into both white boxes.", ""},
        {"1", "1", "You cannot have *both* Ra and Rab equaling one.", ""},
        {"1", "1.5", "Neither white boxes can be greater than 1", ""},
        {"-0.1", "0.5", "You cannot have a negative r squared.", ""},
        {"0.5", "-0.1", "You cannot have a negative r squared.", ""},
        {"1", "0.5", "", "-1"},
        {"1.0", "1.0", "You cannot have Rab equaling one.", ""},
        {"0.5", "1", "You cannot have Rab equaling one.", ""},
    };
    for (const Case& c : cases) {
        const FSquaredOutcome out = c.ab ? hierarchicalRFSquared(QString::fromLatin1(c.a), QString::fromLatin1(c.ab))
                                         : multipleRFSquared(QString::fromLatin1(c.a));
        EXPECT_EQ(out.message, QString::fromLatin1(c.message)) << c.a << " / " << (c.ab ? c.ab : "-");
        EXPECT_EQ(out.f2, QString::fromLatin1(c.f2)) << c.a << " / " << (c.ab ? c.ab : "-");
    }
}
