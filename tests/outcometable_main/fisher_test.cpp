// Fisher's exact test and its logarithm helpers, without the window.
#include "outcometable/OutcomeStats.h"
#include "testkit/QtTestKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace {

using quellin::FisherExactOneTailed;
namespace MF = quellin::MathsFormula;

TEST(MathsFormula, LogFactorialOfTheWholePartAndZeroBelowTwo)
{
    EXPECT_EQ(MF::LogFactorial(0), 0.0);
    EXPECT_EQ(MF::LogFactorial(1), 0.0);
    EXPECT_EQ(MF::LogFactorial(0.5), 0.0);
    EXPECT_EQ(MF::LogFactorial(-3), 0.0);
    EXPECT_DOUBLE_EQ(MF::LogFactorial(2), std::log10(2.0));
    EXPECT_DOUBLE_EQ(MF::LogFactorial(3.5), std::log10(6.0));
    EXPECT_NEAR(MF::LogFactorial(170), std::log10(std::tgamma(171.0)), 1e-12);
    EXPECT_DOUBLE_EQ(MF::Log10(1000), 3.0);
    EXPECT_DOUBLE_EQ(MF::AntiLog10(-2), 0.01);
}

// Exact fractions of small tables, each in the direction of its smallest cell.
TEST(FisherExact, SmallTablesGiveTheExactTailInTheDirectionOfTheSmallestCell)
{
    struct Case {
        double a, b, c, d, p;
    };
    const Case cases[] = {
        {0, 5, 5, 0, 1.0 / 252},      // a first zero: only the observed table
        {1, 4, 1, 6, 28.0 / 33},      // tie of a and c: a's direction
        {2, 2, 2, 2, 53.0 / 70},      // all equal: a down to 0
        {10, 5, 3, 12, 0.012663843516838072},  // c = 3 down to 0 (about 1.3 %)
        {5, 1, 2, 4, 4.0 / 33},         // b smallest: a upwards
        {0, 0, 0, 0, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " " + std::to_string(c.b) + " " + std::to_string(c.c) + " " +
                     std::to_string(c.d));
        EXPECT_NEAR(FisherExactOneTailed(c.a, c.b, c.c, c.d), c.p, c.p * 1e-13);
    }
    // The same table twice gives the same value.
    EXPECT_EQ(FisherExactOneTailed(10, 5, 3, 12), FisherExactOneTailed(10, 5, 3, 12));
}

// The sum over the log-factorials of the whole parts, table by table, as the
// walk goes while the chosen cell is above -1.
double directSum(double a, double b, double c, double d, int chosenCell, double step)
{
    double* const cells[4] = {&a, &b, &c, &d};
    double* chosen = cells[chosenCell];
    const double r1 = a + b, r2 = c + d, k1 = a + c, k2 = b + d, N = r1 + r2;
    double p = 0;
    while (*chosen > -1) {
        p += MF::AntiLog10(MF::LogFactorial(r1) + MF::LogFactorial(r2) + MF::LogFactorial(k1) + MF::LogFactorial(k2) -
                           (MF::LogFactorial(N) + MF::LogFactorial(a) + MF::LogFactorial(b) + MF::LogFactorial(c) +
                            MF::LogFactorial(d)));
        a += step;
        b -= step;
        c -= step;
        d += step;
    }
    return p;
}

TEST(FisherExact, CountsWithFractionsFollowTheWholePartsOfTheWalk)
{
    EXPECT_NEAR(FisherExactOneTailed(2.5, 7.5, 5, 5), directSum(2.5, 7.5, 5, 5, 0, -1), 1e-12);
    // Whole parts that do not add up to the margins can sum past 1; a
    // probability is never shown above 1.
    for (const double x : {1.5, 2.5, 10.5})
        EXPECT_LE(FisherExactOneTailed(x, x, x, x), 1.0) << x;
    EXPECT_NEAR(FisherExactOneTailed(6, 3.5, 4, 8), directSum(6, 3.5, 4, 8, 1, 1), 1e-12);
}

TEST(FisherExact, HugeTablesStayFiniteAndQuick)
{
    const double p = FisherExactOneTailed(40000000, 40010000, 39990000, 40000000);
    EXPECT_TRUE(std::isfinite(p));
    EXPECT_GT(p, 0.0);
    EXPECT_LT(p, 1.0);
    // Far in the tail the probability underflows to 0, never to NaN.
    EXPECT_EQ(FisherExactOneTailed(0, 5000000, 5000000, 0), 0.0);
}

// Tables typed or pasted with huge, very unequal or fractional counts, against
// values computed independently with mpmath (make_fisher_extreme.py; its header
// in fisher_extreme.tsv says how). Each table must take well under a second
// (the goal is 0.1 s, shown by bench_fisher_exact; the bound here leaves room
// for slow and instrumented builds). A count above 2^53 gives no p at all.
TEST(FisherExact, ExtremeTablesMatchTheReferenceQuickly)
{
    const auto rows = testkit::readFixtureTable(QStringLiteral(SUITE_TEST_DIR "/fisher_extreme.tsv"));
    ASSERT_GE(rows.size(), 15u);
    for (const auto& r : rows) {
        SCOPED_TRACE("reference line " + std::to_string(r.line));
        double cell[4];
        bool whole = true;
        for (int i = 0; i < 4; ++i) {
            cell[i] = r.values.value(QString(QChar(u'a' + i))).toDouble();
            whole = whole && std::floor(cell[i]) == cell[i];
        }
        const auto start = std::chrono::steady_clock::now();
        const double p = FisherExactOneTailed(cell[0], cell[1], cell[2], cell[3]);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took.count(), 1.0);
        const QString expected = r.values.value(QStringLiteral("p"));
        if (expected == QLatin1String("none")) {
            EXPECT_TRUE(std::isnan(p)) << p;
            EXPECT_TRUE(quellin::fisherCountsTooLarge(cell[0], cell[1], cell[2], cell[3]));
            continue;
        }
        EXPECT_FALSE(quellin::fisherCountsTooLarge(cell[0], cell[1], cell[2], cell[3]));
        const double ref = expected.toDouble();   // 0 where it is below the smallest double
        EXPECT_NEAR(p, ref, 1e-9 * ref);
        if (whole) {
            EXPECT_GE(p, 0.0);
            EXPECT_LE(p, 1.0);
        }
    }
}

} // namespace
