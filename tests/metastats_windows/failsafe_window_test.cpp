// The fail-safe window driven as a person would: it opens modal over the
// database window, fills its table from the summary boxes, warns, judges, and
// its calculator computes and refuses.
#include "metastats/MetaAnalysis.h"
#include "metastats/frmFailSafe.h"
#include "platform/AppInfo.h"
#include "window_kit.h"

#include <QLabel>
#include <QPushButton>

namespace {

using metatest::MetDataStandIn;
namespace text = metastats::orwin_text;

const char* const kInputs[] = {"txtDStat",     "txtMeanDStatSummary", "txtMeanCohen", "txtWeightedD",
                               "txtMeanGStat", "txtMeanGStatSummary", "txtMeanG",     "txtWeightedG",
                               "txtMeanZStat", "txtSumZ"};

void fill(MetDataStandIn& met, const QStringList& texts)
{
    for (int i = 0; i < 10; ++i)
        met.set(QString::fromLatin1(kInputs[i]), texts.value(i));
}

QString picture(QWidget* w, const char* name)
{
    auto* pic = testkit::find<QLabel>(w, QString::fromLatin1(name));
    if (!pic)
        return {};
    EXPECT_FALSE(pic->pixmap().isNull()) << name;
    return pic->property("picture").toString();
}

} // namespace

// Three studies with Z statistics against five with d and g: both warnings,
// d's first, while the window is not yet up; then the table and pictures.
TEST(FailSafeWindow, OpensModalOverTheDatabaseWindowAfterItsWarnings)
{
    MetDataStandIn met;
    fill(met, {"5", "5", "0.50000", "0.48123", "5", "5", "0.47000", "N/A", "3", "4.50000"});
    // The panel's own result boxes of the same names are not the window's.
    met.set(QStringLiteral("txtFSN"), QStringLiteral("999"));
    met.set(QStringLiteral("txtNFSRosen"), QStringLiteral("999"));

    QStringList titles;
    QStringList texts;
    bool windowUpDuringWarning = false;
    platform::setMsgHandler([&](const platform::MsgRequest& r) {
        titles << r.title;
        texts << r.text;
        if (auto* fs = met.window()->findChild<metastats::frmFailSafe*>())
            windowUpDuringWarning |= fs->isVisible();
        return platform::MsgResult::OK;
    });
    QHash<QString, QString> shown;
    QString caption, dPicture, gPicture;
    QWidget* owner = nullptr;
    const bool came = metatest::inspectModal([&] { metastats::showFailSafe(met.window()); },
                                             [&](QWidget* w) {
                                                 caption = w->windowTitle();
                                                 owner = w->parentWidget();
                                                 for (auto* box : w->findChildren<QLineEdit*>())
                                                     shown[box->objectName()] = box->text();
                                                 dPicture = picture(w, "picDResult");
                                                 gPicture = picture(w, "picGResult");
                                             });
    platform::setMsgHandler({});
    ASSERT_TRUE(came);
    EXPECT_EQ(caption, QStringLiteral("Rosenthal & Orwin's FailSafe N Statistics"));
    EXPECT_EQ(owner, met.window());
    EXPECT_EQ(titles, QStringList({QStringLiteral("Cohen's D & Fail-Safe N Inconsistency"),
                                   QStringLiteral("Hedges' G & Fail-Safe N Inconsistency")}));
    EXPECT_EQ(texts.value(0),
              QStringLiteral("Interpret the FsN box cautiously as the number of studies upon which 'd' was based \r\n"
                             "is different to the number of studies from which the sum of the Z statistics was "
                             "obtained."));
    EXPECT_TRUE(texts.value(1).startsWith(
        QStringLiteral("Interpret the FsN box cautiously as the number of studies upon which 'g' was based \r\n")));
    EXPECT_FALSE(windowUpDuringWarning);

    const QHash<QString, QString> expected{
        {"txtMeanDSummary", "0.5"}, {"txtMeanDWeighted", "0.48123"}, {"txtMeanDStatSummary", "5"},
        {"txtNFSRosen", "35"},      {"txtDc2", "7.5"},               {"txtDc5", "0"},
        {"txtDc8", "-1.875"},       {"txtMeanGSummary", "0.47"},     {"txtMeanGWeighted", "N/A"},
        {"txtMeanGStatSummary", "5"}, {"txtNFSRosenG", "35"},        {"txtGc2", "6.75"},
        {"txtGc5", "-0.3"},         {"txtGc8", "-2.0625"},           {"txtFSN", "4.48"},
        {"txtNumberRequired", "?"}, {"txtInitialD", ""},             {"txtNStudies", ""},
        {"txtEndD", ""}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(shown.value(it.key(), QStringLiteral("<none>")), it.value()) << it.key().toStdString();
    EXPECT_EQ(shown.size(), expected.size());
    EXPECT_EQ(dPicture, QStringLiteral("mad.gif"));
    EXPECT_EQ(gPicture, QStringLiteral("mad.gif"));
    // The window is gone with its closing; the owner keeps its boxes.
    EXPECT_EQ(met.window()->findChild<metastats::frmFailSafe*>(), nullptr);
}

// The pictures judge FsN against each RFsN; equal numbers are no success.
TEST(FailSafeWindow, PicturesJudgeTheDerivedAgainstTheReasonableNumber)
{
    struct Case {
        QStringList boxes;
        const char* d;
        const char* g;
    };
    const Case cases[] = {
        // FsN 142.82 beats 35; g has no studies.
        {{"5", "5", "1.2", "1.1", "0", "0", "", "N/A", "5", "20"}, "thumb.gif", "unsure.gif"},
        // FsN 15 equals RFsN 15 for d; g's RFsN 10 + 5 * 2 = 20 is higher still.
        {{"1", "1", "0.9", "0.9", "2", "2", "0.8", "0.8", "1", "6.58"}, "mad.gif", "mad.gif"},
        // No Z statistics.
        {{"4", "4", "0.5", "0.5", "4", "4", "0.5", "0.5", "0", ""}, "unsure.gif", "unsure.gif"},
        // Nothing at all: every box missing.
        {{}, "unsure.gif", "unsure.gif"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxes.join(QLatin1Char('|')).toStdString());
        MetDataStandIn met;
        if (!c.boxes.isEmpty())
            fill(met, c.boxes);
        testkit::MsgBoxScript msgs;
        metastats::frmFailSafe w(met.window());
        w.Form_Load();
        EXPECT_EQ(picture(&w, "picDResult"), QString::fromLatin1(c.d));
        EXPECT_EQ(picture(&w, "picGResult"), QString::fromLatin1(c.g));
    }
}

TEST(FailSafeWindow, MeanOfExactlyZeroAndMissingGroupsShowNotAvailable)
{
    MetDataStandIn met;
    fill(met, {"3", "3", "0.00000", "0.00000", "0", "0", "", "", "3", "2.00000"});
    testkit::MsgBoxScript msgs;
    metastats::frmFailSafe w(met.window());
    w.Form_Load();
    EXPECT_EQ(msgs.count(), 1); // g: 3 Z statistics, no g
    EXPECT_EQ(testkit::text(&w, QStringLiteral("txtMeanDSummary")), QStringLiteral("0"));
    EXPECT_EQ(testkit::text(&w, QStringLiteral("txtFSN")), QStringLiteral("-1.52"));
    for (const char* name : {"txtDc2", "txtDc5", "txtDc8", "txtNFSRosenG", "txtGc2", "txtGc5", "txtGc8",
                             "txtMeanGSummary", "txtMeanGWeighted"})
        EXPECT_EQ(testkit::text(&w, QString::fromLatin1(name)), QStringLiteral("N/A")) << name;
    EXPECT_EQ(testkit::text(&w, QStringLiteral("txtMeanGStatSummary")), QStringLiteral("0"));
}

TEST(FailSafeWindow, OrwinCalculatorComputesAndRefusesAsTyped)
{
    MetDataStandIn met;
    testkit::MsgBoxScript msgs;
    metastats::frmFailSafe w(met.window());
    w.Form_Load();
    w.show();
    auto* required = testkit::find<QLineEdit>(&w, QStringLiteral("txtNumberRequired"));
    ASSERT_TRUE(required);
    EXPECT_TRUE(required->isReadOnly());
    EXPECT_EQ(required->palette().color(QPalette::Text), QColor(255, 0, 0));
    msgs.clear();

    struct Case {
        const char* d1;
        const char* n;
        const char* d2;
        QString result;  // "X" when refused
        QString message; // empty when computed
    };
    const Case cases[] = {
        {"0.5", "10", "0.2", QStringLiteral("15"), {}},
        {"0.2", "10", "0.5", QStringLiteral("-6"), {}},
        {"0.8", "7", "0.3", QStringLiteral("11.6666666666667"), {}},
        {"0.5", "10", "", QStringLiteral("X"), text::Empty},
        {"0", "10", "0.2", QStringLiteral("X"), text::ZeroInitial},
        {"0.5", "10", "0.00000001", QStringLiteral("X"), text::ZeroEnd},
        {"0.5", "0", "0.2", QStringLiteral("X"), text::ZeroStudies},
        {".", "10", "0.2", QStringLiteral("X"), text::NotANumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.d1) + " | " + c.n + " | " + c.d2);
        testkit::retype(testkit::find(&w, QStringLiteral("txtInitialD")), QString::fromLatin1(c.d1));
        testkit::retype(testkit::find(&w, QStringLiteral("txtNStudies")), QString::fromLatin1(c.n));
        testkit::retype(testkit::find(&w, QStringLiteral("txtEndD")), QString::fromLatin1(c.d2));
        msgs.clear();
        testkit::click(testkit::find<QPushButton>(&w, QStringLiteral("cmdCompute")));
        EXPECT_EQ(required->text(), c.result);
        if (c.message.isEmpty()) {
            EXPECT_EQ(msgs.count(), 0);
        } else {
            ASSERT_EQ(msgs.count(), 1);
            EXPECT_EQ(msgs.shown()[0].text, c.message);
            EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::OK);
            EXPECT_EQ(msgs.shown()[0].title, platform::appInfo().title);
        }
    }
}

TEST(FailSafeWindow, KeyFiltersKeepTheNumberBoxesNumeric)
{
    MetDataStandIn met;
    testkit::MsgBoxScript msgs;
    metastats::frmFailSafe w(met.window());
    w.show();
    const struct {
        const char* box;
        const char* typed;
        const char* kept;
    } cases[] = {
        {"txtInitialD", "-0.4a.5", "0.45"},  {"txtEndD", "1.2.3", "1.23"},     {"txtNStudies", "1-2.5x", "125"},
        {"txtMeanDSummary", "0.3.3", "0.33"}, {"txtMeanGSummary", "-1e2", "12"}, {"txtMeanDStatSummary", "4.0", "40"},
        {"txtMeanGStatSummary", "a7", "7"},
    };
    for (const auto& c : cases) {
        auto* box = testkit::find<QLineEdit>(&w, QString::fromLatin1(c.box));
        ASSERT_TRUE(box);
        box->setReadOnly(false); // the count boxes are read-only but filtered all the same
        testkit::retype(box, QString::fromLatin1(c.typed));
        EXPECT_EQ(box->text(), QString::fromLatin1(c.kept)) << c.box;
    }
}
