// The two exact-confidence calculators through the window.
#include "WindowHarness.h"

#include "personchange/ReliableChange.h"
#include "platform/Numbers.h"

namespace morvane_test {
namespace {

using namespace morvane::ChangeText;

class ExactConfidenceTest : public MorvaneWindowTest {
protected:
    void SetUp() override
    {
        MorvaneWindowTest::SetUp();
        step1(QStringLiteral("0.84"), QStringLiteral("3.2"));
    }
    void expectOutputsEmpty()
    {
        for (const QString& b : morvane::exactConfidenceBoxes())
            EXPECT_EQ(text(b), QString()) << b.toStdString();
    }
};

TEST_F(ExactConfidenceTest, LevelAndChangeAreInverseToEachOther)
{
    paste(QStringLiteral("txtPercentage"), QStringLiteral("95"));
    exact(QStringLiteral("cmdCompute"));
    EXPECT_EQ(text("txtSEM2"), QStringLiteral("1.28"));
    EXPECT_EQ(text("txtSED2"), QStringLiteral("1.81019336"));
    EXPECT_EQ(text("txtZ"), QStringLiteral("1.95996398454005"));
    EXPECT_EQ(text("txtChange"), QStringLiteral("3.54791379"));

    const QString d = platform::roundText(platform::cdbl(text("txtChange")), 3);
    paste(QStringLiteral("txtPointChange"), d);
    exact(QStringLiteral("cmdPoint"));
    EXPECT_EQ(text("txtSEM2"), QStringLiteral("1.28"));
    EXPECT_NEAR(platform::cdbl(text("txtZ")), 1.96, 0.001);
    const double confidence = platform::cdbl(text("txtConfidence"));
    EXPECT_NEAR(confidence, 95, 0.01);
    EXPECT_EQ(text("txtChange"), QString());

    paste(QStringLiteral("txtPointChange"), QStringLiteral("-") + d);
    exact(QStringLiteral("cmdPoint"));
    EXPECT_LT(platform::cdbl(text("txtZ")), 0);
    EXPECT_EQ(platform::cdbl(text("txtConfidence")), confidence);

    paste(QStringLiteral("txtPercentage"), QStringLiteral("68.26"));
    exact(QStringLiteral("cmdCompute"));
    const double z = platform::cdbl(text("txtZ"));
    EXPECT_LT(z, 1);
    EXPECT_GT(z, 0.99);
    EXPECT_EQ(text("txtConfidence"), QString());
}

TEST_F(ExactConfidenceTest, InputChecksInTheirOrder)
{
    struct Case {
        const char* button;
        const char* r;
        const char* sd;
        const char* own;
        QString message;
    } cases[] = {
        {"cmdCompute", "0.84", "3.2", "100", BadLevel},
        {"cmdCompute", "0.84", "3.2", "0", BadLevel},
        {"cmdCompute", "0.84", "3.2", "-5", BadLevel},
        {"cmdCompute", "1", "3.2", "150", BadReliability},
        {"cmdCompute", "0", "3.2", "95", BadReliability},
        {"cmdCompute", "0.84", "", "150", NoLevelData},
        {"cmdCompute", "0.84", "3.2", "", NoLevelData},
        {"cmdPoint", "0.84", "3.2", "0", ZeroPoint},
        {"cmdPoint", "1", "3.2", "0", BadReliability},
        {"cmdPoint", "", "3.2", "2", NoPointData},
        {"cmdPoint", "0.84", "3.2", "", NoPointData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " r=" + c.r + " sd=" + c.sd + " own=" + c.own);
        // Results of an earlier run are emptied too.
        step1(QStringLiteral("0.84"), QStringLiteral("3.2"));
        paste(QStringLiteral("txtPercentage"), QStringLiteral("95"));
        exact(QStringLiteral("cmdCompute"));
        ASSERT_FALSE(text("txtChange").isEmpty());

        step1(QString::fromLatin1(c.r), QString::fromLatin1(c.sd));
        const bool level = QLatin1String(c.button) == QLatin1String("cmdCompute");
        paste(level ? QStringLiteral("txtPercentage") : QStringLiteral("txtPointChange"), QString::fromLatin1(c.own));
        testkit::MsgBoxScript msgs;
        exact(QString::fromLatin1(c.button));
        EXPECT_EQ(msgs.texts(), QStringList{c.message});
        expectOutputsEmpty();
    }
}

TEST_F(ExactConfidenceTest, FailuresAreReportedAndLeaveTheBoxesEmpty)
{
    struct Case {
        const char* button;
        const char* sd;
        const char* own;
    } cases[] = {
        {"cmdPoint", "0", "2"},     // z = 2 / 0
        {"cmdPoint", "3.2", "."},   // no number
        {"cmdCompute", ".", "95"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " sd=" + c.sd + " own=" + c.own);
        step1(QStringLiteral("0.84"), QString::fromLatin1(c.sd));
        const bool level = QLatin1String(c.button) == QLatin1String("cmdCompute");
        paste(level ? QStringLiteral("txtPercentage") : QStringLiteral("txtPointChange"), QString::fromLatin1(c.own));
        testkit::MsgBoxScript msgs;
        exact(QString::fromLatin1(c.button));
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.texts().first().startsWith(ErrorLead + QStringLiteral("\r\n")));
        expectOutputsEmpty();
    }
}

} // namespace
} // namespace morvane_test
