// The fail-safe numbers against R, Orwin's calculator and its refusals, and
// the sound handling of box texts a finished run never leaves.
#include "metastats/FailSafeTable.h"
#include "testkit/QtTestKit.h"

namespace {

using metastats::FailSafeInputs;
using metastats::FailSafeTable;
using metastats::FailSafeVerdict;
namespace text = metastats::orwin_text;

FailSafeInputs inputsOf(const testkit::FixtureRow& r)
{
    const auto& v = r.values;
    return {v["txtDStat"],     v["in_MeanDStatSummary"], v["txtMeanCohen"], v["txtWeightedD"],
            v["txtMeanGStat"], v["in_MeanGStatSummary"], v["txtMeanG"],     v["txtWeightedG"],
            v["txtMeanZStat"], v["txtSumZ"]};
}

} // namespace

TEST(FailSafeTable, AgreesWithTheReferenceToEveryDigit)
{
    const auto rows = testkit::readFixtureTable(QStringLiteral(SUITE_TEST_DIR "/failsafe_reference.tsv"));
    ASSERT_GE(rows.size(), 10u);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line);
        const FailSafeTable t = metastats::computeFailSafeTable(inputsOf(r));
        const auto& v = r.values;
        EXPECT_EQ(t.d.unweighted, v["txtMeanDSummary"]);
        EXPECT_EQ(t.d.weighted, v["txtMeanDWeighted"]);
        EXPECT_EQ(t.d.count, v["txtMeanDStatSummary"]);
        EXPECT_EQ(t.d.reasonable, v["txtNFSRosen"]);
        EXPECT_EQ(t.d.c2, v["txtDc2"]);
        EXPECT_EQ(t.d.c5, v["txtDc5"]);
        EXPECT_EQ(t.d.c8, v["txtDc8"]);
        EXPECT_EQ(t.g.unweighted, v["txtMeanGSummary"]);
        EXPECT_EQ(t.g.weighted, v["txtMeanGWeighted"]);
        EXPECT_EQ(t.g.count, v["txtMeanGStatSummary"]);
        EXPECT_EQ(t.g.reasonable, v["txtNFSRosenG"]);
        EXPECT_EQ(t.g.c2, v["txtGc2"]);
        EXPECT_EQ(t.g.c5, v["txtGc5"]);
        EXPECT_EQ(t.g.c8, v["txtGc8"]);
        EXPECT_EQ(t.derived, v["txtFSN"]);
        EXPECT_EQ(metastats::verdictPictureName(t.d.verdict), v["picDResult"]);
        EXPECT_EQ(metastats::verdictPictureName(t.g.verdict), v["picGResult"]);
        EXPECT_EQ(t.warnD, v["warnD"] == QLatin1String("1"));
        EXPECT_EQ(t.warnG, v["warnG"] == QLatin1String("1"));
    }
}

// A run that stopped early can leave boxes empty, missing or holding text
// that is no number; the table then says "N/A" where it cannot compute and
// judges nothing it cannot compare.
TEST(FailSafeTable, TextThatIsNoNumberGivesNotAvailableInsteadOfFailing)
{
    const QString na = QStringLiteral("N/A");
    {
        SCOPED_TRACE("no boxes at all");
        const FailSafeTable t = metastats::computeFailSafeTable({});
        for (const QString& s : {t.d.unweighted, t.d.weighted, t.d.reasonable, t.d.c2, t.d.c5, t.d.c8,
                                 t.g.unweighted, t.g.weighted, t.g.reasonable, t.g.c2, t.g.c5, t.g.c8, t.derived})
            EXPECT_EQ(s, na);
        EXPECT_EQ(t.d.count, QString());
        EXPECT_FALSE(t.warnD);
        EXPECT_FALSE(t.warnG);
        EXPECT_EQ(t.d.verdict, FailSafeVerdict::Unsure);
        EXPECT_EQ(t.g.verdict, FailSafeVerdict::Unsure);
    }
    {
        SCOPED_TRACE("Z count without a sum, means holding N/A, counts holding words");
        FailSafeInputs in{QStringLiteral("five"), QStringLiteral("5"), QStringLiteral("N/A"), QStringLiteral("0.4x"),
                          QStringLiteral("5"), QStringLiteral("many"), QStringLiteral("0.5"), QStringLiteral("N/A"),
                          QStringLiteral("3"), QString()};
        const FailSafeTable t = metastats::computeFailSafeTable(in);
        EXPECT_EQ(t.d.reasonable, na);
        EXPECT_EQ(t.d.unweighted, na);
        EXPECT_EQ(t.d.weighted, na);
        EXPECT_EQ(t.d.c2, na);
        EXPECT_EQ(t.derived, na);
        EXPECT_EQ(t.g.reasonable, QStringLiteral("35"));
        EXPECT_EQ(t.g.unweighted, QStringLiteral("0.5"));
        EXPECT_EQ(t.g.count, QStringLiteral("many"));
        EXPECT_EQ(t.g.c2, na);
        EXPECT_EQ(t.d.verdict, FailSafeVerdict::Unsure);
        EXPECT_EQ(t.g.verdict, FailSafeVerdict::Unsure);
        EXPECT_TRUE(t.warnD);
        EXPECT_TRUE(t.warnG);
    }
    {
        SCOPED_TRACE("a sum of Z that is no number, a count beyond range");
        FailSafeInputs in{QStringLiteral("1e308"), QStringLiteral("4"), QStringLiteral("0.5"), QString(),
                          QStringLiteral("4"), QStringLiteral("4"), QStringLiteral("0.5"), QString(),
                          QStringLiteral("4"), QStringLiteral(".")};
        const FailSafeTable t = metastats::computeFailSafeTable(in);
        EXPECT_EQ(t.d.reasonable, na);
        EXPECT_EQ(t.derived, na);
        EXPECT_EQ(t.d.c2, QStringLiteral("6"));
        EXPECT_EQ(t.g.verdict, FailSafeVerdict::Unsure);
    }
}

TEST(OrwinCalculator, AgreesWithTheReferenceUnrounded)
{
    const auto rows = testkit::readFixtureTable(QStringLiteral(SUITE_TEST_DIR "/orwin_reference.tsv"));
    ASSERT_GE(rows.size(), 5u);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line);
        const auto out = metastats::computeOrwin(r.values["txtInitialD"], r.values["txtNStudies"], r.values["txtEndD"]);
        EXPECT_EQ(out.message, QString());
        EXPECT_EQ(out.result, r.values["txtNumberRequired"]);
    }
}

TEST(OrwinCalculator, RefusesInOrderOfItsChecks)
{
    struct Case {
        const char* d1;
        const char* n;
        const char* d2;
        QString message;
    };
    const Case cases[] = {
        {"", "10", "0.2", text::Empty},
        {"0.5", "", "0.2", text::Empty},
        {"0.5", "10", "", text::Empty},
        {"0", "0", "0", text::ZeroInitial},
        // 5e-8 is held a little below the half, so it rounds to 0 at 7 places.
        {"0.00000005", "10", "0.2", text::ZeroInitial},
        {"0.5", "0", "0", text::ZeroEnd},
        {"0.5", "10", "0.00000001", text::ZeroEnd},
        {"0.5", "0", "0.2", text::ZeroStudies},
        {"0.5", "0.04", "0.2", text::ZeroStudies},
        {".", "10", "0.2", text::NotANumber},
        {"0", "10", ".", text::ZeroInitial},
        {"0.5", "10", "0.2.", text::NotANumber},
        {"0.5", "ten", "0.2", text::NotANumber},
        {"1e999", "10", "0.2", text::TooLarge},
        {"10000000000", "1e300", "0.0000001", text::TooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.d1) + " | " + c.n + " | " + c.d2);
        const auto out = metastats::computeOrwin(QString::fromLatin1(c.d1), QString::fromLatin1(c.n),
                                                 QString::fromLatin1(c.d2));
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(out.result, QString());
    }
    // 0.05 is held a little above the half: one study's twentieth counts.
    EXPECT_EQ(metastats::computeOrwin(QStringLiteral("0.5"), QStringLiteral("0.05"), QStringLiteral("0.2")).result,
              QStringLiteral("0.075"));
}
