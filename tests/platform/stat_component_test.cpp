#include "platform/Errors.h"
#include "platform/StatComponent.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <fstream>
#include <functional>
#include <map>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

using namespace platform;

namespace {

// One row of stat_reference.txt: its kind and numbers, as written by R.
struct Row {
    std::string kind;
    std::vector<double> v;
    std::string text;
};

// Reads a number as R printed it, whatever the process locale; subnormal
// values are kept (std::stod would refuse them).
double parse(const std::string& s)
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    char* end = nullptr;
    const double v = strtod_l(s.c_str(), &end, c);
    if (end == s.c_str() || *end != '\0')
        throw std::runtime_error("bad number in reference table: " + s);
    return v;
}

std::vector<Row> referenceRows()
{
    std::ifstream in(SUITE_TEST_DIR "/stat_reference.txt");
    std::vector<Row> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream ls(line);
        Row r;
        r.text = line;
        ls >> r.kind;
        std::string field;
        while (ls >> field)
            r.v.push_back(parse(field));
        rows.push_back(r);
    }
    return rows;
}

// Relative difference, with an exact zero required where the reference is 0.
double relErr(double got, double want)
{
    if (want == 0.0)
        return got == 0.0 ? 0.0 : std::numeric_limits<double>::infinity();
    return std::fabs(got - want) / std::fabs(want);
}

// Twelve significant digits.
constexpr double kTol = 1e-12;
// Callers take 1 - r for an upper tail q. r is a double, so beyond twelve
// digits of q the best attainable is about one unit in the last place of 1.
bool complementAgrees(double r, double q)
{
    return std::fabs((1.0 - r) - q) <= kTol * q + 2.5e-16;
}

int errorNumber(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(StatComponent, AgreesWithTheReferenceTable)
{
    const auto rows = referenceRows();
    ASSERT_GT(rows.size(), 1000u) << "reference table missing or short";
    auto& d = StatDistributions::instance();
    auto& m = StatMath::instance();
    auto& f = StatFunctions::instance();
    std::map<std::string, int> seen;
    std::map<std::string, double> worst;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const auto& v = r.v;
        double got = 0, want = 0;
        if (r.kind == "pnorm") {
            got = d.NormalCumulative(v[0], v[1], v[2]);
            want = v[3];
            EXPECT_TRUE(complementAgrees(got, v[4])) << "1 - r = " << 1.0 - got;
        } else if (r.kind == "pchisq") {
            got = d.ChiSquareCumulative(v[0], v[1]);
            want = v[2];
            EXPECT_TRUE(complementAgrees(got, v[3])) << "1 - r = " << 1.0 - got;
        } else if (r.kind == "ttail") {
            got = d.TTailProbability(v[0], v[1], static_cast<int>(v[2]));
            want = v[3];
        } else if (r.kind == "tinv") {
            got = d.TInverse(v[0], v[1], static_cast<int>(v[2]));
            want = v[3];
        } else if (r.kind == "qnorm") {
            got = d.NormalInverse(v[0], v[1], v[2]);
            want = v[3];
        } else if (r.kind == "atanh") {
            got = f.FisherZ(v[0]);
            want = v[1];
        } else if (r.kind == "tanh") {
            got = f.FisherZInverse(v[0]);
            want = v[1];
        } else if (r.kind == "sqrt") {
            got = m.SquareRoot(v[0]);
            want = v[1];
        } else {
            ADD_FAILURE() << "unknown kind";
            continue;
        }
        const double e = relErr(got, want);
        EXPECT_LE(e, kTol) << "got " << got << " want " << want;
        ++seen[r.kind];
        worst[r.kind] = std::max(worst[r.kind], e);
    }
    for (const char* kind : {"pnorm", "pchisq", "ttail", "tinv", "qnorm", "atanh", "tanh", "sqrt"})
        EXPECT_GT(seen[kind], 0) << kind;
    for (const auto& [kind, e] : worst)
        GTEST_LOG_(INFO) << kind << ": " << seen[kind] << " rows, largest relative difference " << e;
}

TEST(StatComponent, DegreesOfFreedomAsText)
{
    auto& d = StatDistributions::instance();
    EXPECT_EQ(d.ChiSquareCumulative(3.841459, QStringLiteral("1")), d.ChiSquareCumulative(3.841459, 1.0));
    EXPECT_EQ(d.ChiSquareCumulative(7.5, QStringLiteral(" 4 ")), d.ChiSquareCumulative(7.5, 4.0));
    EXPECT_EQ(d.TTailProbability(-2.1, QStringLiteral("18"), 2), d.TTailProbability(2.1, 18.0, 2));
    EXPECT_EQ(d.TInverse(0.05, QStringLiteral("9"), 2), d.TInverse(0.05, 9.0, 2));
    EXPECT_EQ(d.TTailProbability(2.0, QStringLiteral("2.5"), 2), d.TTailProbability(2.0, 2.5, 2));
    // Text that is no number is a type mismatch the caller reports.
    for (const char* bad : {"", "abc", "1,5", "."}) {
        EXPECT_EQ(errorNumber([&] { d.ChiSquareCumulative(1.0, QString::fromLatin1(bad)); }), ErrTypeMismatch) << bad;
        EXPECT_EQ(errorNumber([&] { d.TTailProbability(1.0, QString::fromLatin1(bad), 2); }), ErrTypeMismatch) << bad;
    }
}

TEST(StatComponent, EdgesOfTheCallersRanges)
{
    auto& d = StatDistributions::instance();
    // A negative t gives the probability of |t|; t = 0 is certain.
    EXPECT_EQ(d.TTailProbability(-2.5, 10, 2), d.TTailProbability(2.5, 10, 2));
    EXPECT_EQ(d.TTailProbability(0.0, 10, 2), 1.0);
    EXPECT_EQ(d.TTailProbability(0.0, 10, 1), 0.5);
    EXPECT_EQ(d.TInverse(1.0, 10, 2), 0.0);
    // Callers' p values: 1 - r from the cumulative functions.
    EXPECT_EQ(d.ChiSquareCumulative(0.0, 3), 0.0);
    EXPECT_EQ(d.ChiSquareCumulative(-1.0, 3), 0.0);
    EXPECT_EQ(1.0 - d.ChiSquareCumulative(1e6, 3), 0.0);
    EXPECT_EQ(1.0 - d.NormalCumulative(40.0, 0, 1), 0.0);
    EXPECT_EQ(d.NormalCumulative(-40.0, 0, 1), 0.0); // below the smallest double
    // The 95 % confidence level of the effect-size window: p = (100 - 95) / 200.
    EXPECT_NEAR(-d.NormalInverse((100.0 - 95.0) / 200.0, 0, 1), 1.959963984540054, 1e-15);
    EXPECT_NEAR(d.TInverse(0.05, 1e6, 2), 1.959966, 1e-6);
    // Enormous degrees of freedom behave as the normal distribution.
    EXPECT_NEAR(d.TTailProbability(1.96, 1e12, 2), 2.0 * (1.0 - d.NormalCumulative(1.96, 0, 1)), 1e-12);
}

TEST(StatComponent, FailuresAreRuntimeErrors)
{
    auto& d = StatDistributions::instance();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case { const char* what; std::function<void()> call; };
    const Case cases[] = {
        {"chi df 0", [&] { d.ChiSquareCumulative(1, 0.0); }},
        {"chi df -1", [&] { d.ChiSquareCumulative(1, -1.0); }},
        {"chi df NaN", [&] { d.ChiSquareCumulative(1, nan); }},
        {"chi x NaN", [&] { d.ChiSquareCumulative(nan, 1.0); }},
        {"normal sd 0", [&] { d.NormalCumulative(1, 0, 0); }},
        {"normal x NaN", [&] { d.NormalCumulative(nan, 0, 1); }},
        {"normal inverse p 0", [&] { d.NormalInverse(0, 0, 1); }},
        {"normal inverse p 1", [&] { d.NormalInverse(1, 0, 1); }},
        {"normal inverse p NaN", [&] { d.NormalInverse(nan, 0, 1); }},
        {"t df 0", [&] { d.TTailProbability(1, 0.0, 2); }},
        {"t df inf", [&] { d.TTailProbability(1, inf, 2); }},
        {"t tails 3", [&] { d.TTailProbability(1, 5.0, 3); }},
        {"t NaN", [&] { d.TTailProbability(nan, 5.0, 2); }},
        {"t inverse p 0", [&] { d.TInverse(0, 5.0, 2); }},
        {"t inverse p > 1", [&] { d.TInverse(1.5, 5.0, 2); }},
        {"t inverse df -2", [&] { d.TInverse(0.05, -2.0, 2); }},
        {"sqrt -1", [] { StatMath::instance().SquareRoot(-1); }},
        {"sqrt NaN", [&] { StatMath::instance().SquareRoot(nan); }},
        {"Fisher z 1", [] { StatFunctions::instance().FisherZ(1); }},
        {"Fisher z -1.5", [] { StatFunctions::instance().FisherZ(-1.5); }},
        {"Fisher z inverse NaN", [&] { StatFunctions::instance().FisherZInverse(nan); }},
    };
    for (const auto& c : cases)
        EXPECT_NE(errorNumber(c.call), 0) << c.what;
}

TEST(StatComponent, MinimumOfFourValues)
{
    auto& f = StatFunctions::instance();
    const double a[4] = {3.5, -2.25, 7, 0};
    const double b[4] = {1e-300, 1e-200, 5, 2};
    const double c[4] = {4, 4, 4, 4};
    EXPECT_EQ(f.Minimum(a), -2.25);
    EXPECT_EQ(f.Minimum(b), 1e-300);
    EXPECT_EQ(f.Minimum(c), 4);
    const double withNaN[4] = {1, std::nan(""), 0, 2};
    EXPECT_NE(errorNumber([&] { f.Minimum(withNaN); }), 0);
}
