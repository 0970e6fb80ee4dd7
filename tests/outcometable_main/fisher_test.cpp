// Fisher's exact test, without the window.
#include "outcometable/OutcomeStats.h"
#include "testkit/QtTestKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace {

using quellin::FisherExactOneTailed;

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

// The test is defined for whole counts: a table with a fraction anywhere has
// no p (the walk over whole parts is no probability there: 1.9 / 4.1 / 7 / 10
// came out as 0.39279, and tables of halves summed past 1).
TEST(FisherExact, CountsWithFractionsHaveNoP)
{
    const double tables[][4] = {
        {1.9, 4.1, 7, 10}, {2.5, 7.5, 5, 5}, {6, 3.5, 4, 8}, {1.5, 1.5, 1.5, 1.5}, {10.5, 10.5, 10.5, 10.5},
        {0.5, 3, 4, 5},    {3, 4, 5, 0.25},  {0.1, 0.2, 0.3, 0.4}, {1e-300, 2, 3, 4}, {5, 5, 5, 4.9406564584124654e-324},
    };
    for (const auto& t : tables) {
        EXPECT_FALSE(quellin::fisherCountsWhole(t[0], t[1], t[2], t[3])) << t[0] << " " << t[1] << " " << t[2];
        EXPECT_TRUE(std::isnan(FisherExactOneTailed(t[0], t[1], t[2], t[3])))
            << t[0] << " " << t[1] << " " << t[2] << " " << t[3];
    }
    EXPECT_TRUE(quellin::fisherCountsWhole(0, 5, 1e15, 9007199254740992.0));
}

// The typed text of a count decides, not the double it becomes.
TEST(FisherExact, ACountIsJudgedOnItsTypedText)
{
    using quellin::FisherCount;
    struct Case {
        const char* text;
        FisherCount kind;
    };
    const Case cases[] = {
        {"9007199254740992", FisherCount::Whole},
        {"9007199254740993", FisherCount::TooLarge},
        {"9007199254740992.5", FisherCount::TooLarge},
        {"9007199254740991.5", FisherCount::NotWhole},
        {"9.007199254740993e15", FisherCount::TooLarge},
        {"9.007199254740992e15", FisherCount::Whole},
        {"90071992547409920e-1", FisherCount::Whole},
        {"90071992547409921e-1", FisherCount::TooLarge},
        {"90071992547409911e-1", FisherCount::NotWhole},
        {"90071992547409930e-1", FisherCount::TooLarge},
        {"0000000000000000000000009007199254740992", FisherCount::Whole},
        {"0009007199254740993", FisherCount::TooLarge},
        {"1e16", FisherCount::TooLarge},
        {"1e999", FisherCount::TooLarge},
        {"1E+3", FisherCount::Whole},
        {"12.000", FisherCount::Whole},
        {" 007 ", FisherCount::Whole},
        {"+5", FisherCount::Whole},
        {"1.5e1", FisherCount::Whole},
        {"1.55e1", FisherCount::NotWhole},
        {"2.0000000000000001", FisherCount::NotWhole},
        {"4.1", FisherCount::NotWhole},
        {"5e-1", FisherCount::NotWhole},
        {"4.9406564584124654e-324", FisherCount::NotWhole},
        {"0", FisherCount::Whole},
        {"0.000e-99999999999999999999", FisherCount::Whole},
        {"-0", FisherCount::Whole},
        {"5.", FisherCount::Whole},
        {".5", FisherCount::NotWhole},
        {"", FisherCount::NotANumber},
        {".", FisherCount::NotANumber},
        {"1e", FisherCount::NotANumber},
        {"12a", FisherCount::NotANumber},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quellin::fisherCount(QString::fromLatin1(c.text)), c.kind) << c.text;
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
// for slow and instrumented builds). A count above 2^53 gives no p at all, and
// neither does a count with a fraction (the table's mpmath value of the walk
// over whole parts is no probability of such a table).
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
        if (!whole) {   // the test is defined for whole counts only
            EXPECT_TRUE(std::isnan(p)) << p;
            continue;
        }
        if (expected == QLatin1String("none")) {
            EXPECT_TRUE(std::isnan(p)) << p;
            EXPECT_TRUE(quellin::fisherCountsTooLarge(cell[0], cell[1], cell[2], cell[3]));
            continue;
        }
        EXPECT_FALSE(quellin::fisherCountsTooLarge(cell[0], cell[1], cell[2], cell[3]));
        const double ref = expected.toDouble();   // 0 where it is below the smallest double
        EXPECT_NEAR(p, ref, 1e-9 * ref);
        EXPECT_GE(p, 0.0);
        EXPECT_LE(p, 1.0);
    }
}

} // namespace
