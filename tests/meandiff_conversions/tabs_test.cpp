// The two conversion tabs driven as a person would: the worked examples, the
// messages, which frames each option shows, and the one option group of both.
#include "ConversionWindow.h"
#include "meandiff/Conversions.h"

#include <QButtonGroup>
#include <QGroupBox>

using testkit::MsgBoxScript;

namespace {

const QStringList kTab1Options = {"OpRtoD", "OpDtoR", "OpFtoD", "OpFtoR", "OpTtoR", "OpTtoD", "OpChitoR", "OpGtoD"};
const QStringList kTab2Options = {"opDtoG", "opGtoR", "opFSQtoRSQ", "opRtoZ", "opRtoT",
                                  "opRtoChi", "opWtoC", "opCtoW", "opChitoC"};
const QStringList kLineLabels = {"LblFromR", "LblFromD", "LblFromF", "LblFromT", "LblFromG",
                                 "LblFromChi", "LblTod", "LblToR"};

QString msg(const char* m) { return QString::fromUtf8(m); }

// Types the value and the parameters, presses Convert, and returns the result
// box with the messages shown on the way.
struct Outcome {
    QString result;
    QStringList messages;
};

Outcome convert1(ConversionWindow& w, const QString& value, const QList<QPair<QString, QString>>& params = {})
{
    w.type(QStringLiteral("TxtConvert"), value);
    for (const auto& p : params)
        w.type(p.first, p.second);
    MsgBoxScript boxes;
    w.click(QStringLiteral("cmdConvert"));
    return {w.text(QStringLiteral("txtAnswer")), boxes.texts()};
}

Outcome convert2(ConversionWindow& w, const QString& value, const QList<QPair<QString, QString>>& params = {})
{
    w.type(QStringLiteral("txtConvert2"), value);
    for (const auto& p : params)
        w.type(p.first, p.second);
    MsgBoxScript boxes;
    w.click(QStringLiteral("cmdConvert2"));
    return {w.text(QStringLiteral("txtConverted")), boxes.texts()};
}

QStringList shownLine(ConversionWindow& w)
{
    QStringList shown;
    for (const QString& n : kLineLabels)
        if (w.shown(n))
            shown << w.text(n);
    return shown;
}

} // namespace

TEST(ConversionTabs, ControlsAtStart)
{
    ConversionWindow w;
    EXPECT_TRUE(w.opt("OpRtoD")->isChecked());
    for (const QString& n : kTab1Options.mid(1) + kTab2Options)
        EXPECT_FALSE(w.opt(n)->isChecked()) << n.toStdString();
    EXPECT_TRUE(w.opt("OpNoN")->isChecked());
    EXPECT_TRUE(w.opt("opTNo")->isChecked());
    for (const char* n : {"fraNCorrection", "PicGroupN", "fraDF", "fraTDF", "fraChiN", "fraHedgesG", "LblFrom",
                          "LblToWhat", "LblEstimate", "fraCohensD", "fraGtoR", "lblFSQtoRSQ", "lblRtoZ", "fraRtoT",
                          "fraRtoChi", "fraChitoC", "lblNote", "Label43", "Label44", "txtTN1", "txtTN2"})
        EXPECT_FALSE(w.shown(QString::fromLatin1(n))) << n;
    EXPECT_TRUE(shownLine(w).isEmpty());
    EXPECT_TRUE(w.shown("Label33"));
    EXPECT_TRUE(w.shown("Label34"));
    EXPECT_EQ(w.text("Label33"), "See help file for used formulae.");
    EXPECT_EQ(w.text("cmdConvert"), "Convert");
    EXPECT_EQ(w.text("OpFtoD"), "From F to d - One Way ANOVA");
    EXPECT_EQ(w.text("opWtoC"), "w to C (Pearson's Contingency Coefficient)");
    EXPECT_EQ(testkit::find<QGroupBox>(&w.window, "fraTDF")->title(), "t-test Statistic");
    EXPECT_EQ(w.text("LblEstimate"),
              "NOTES: If initial value was meant to be a negative translate the end result to a negative. "
              "Conversions are always best approximations.");
    for (const char* n : {"TxtConvert", "txtAnswer", "txtConvert2", "txtConverted", "txtCHINC", "TxtHedgesN"})
        EXPECT_EQ(w.text(QString::fromLatin1(n)), QString()) << n;
}

TEST(ConversionTabs, FirstTabExamples)
{
    ConversionWindow w;
    Outcome r = convert1(w, "0.6");
    EXPECT_EQ(r.result, "1.5");
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_TRUE(w.shown("LblFrom") && w.shown("LblToWhat") && w.shown("LblEstimate"));
    EXPECT_EQ(shownLine(w), QStringList({"r", "d"}));

    for (const char* v : {"1", "1.5"}) {
        r = convert1(w, QString::fromLatin1(v));
        EXPECT_EQ(r.result, "");
        EXPECT_EQ(r.messages, QStringList{msg(meandiff::convmsg::RLessThanOne)});
        EXPECT_FALSE(w.shown("LblEstimate"));
    }

    w.click("OpDtoR");
    EXPECT_EQ(convert1(w, "1.5").result, "0.6");
    EXPECT_EQ(shownLine(w), QStringList({"d", "r"}));
    w.click("OpYesN");
    EXPECT_EQ(convert1(w, "1", {{"TxtGp1N", "4"}, {"TxtGp2N", "4"}}).result, "0.5");
    r = convert1(w, "1", {{"TxtGp2N", ""}});
    EXPECT_EQ(r.result, "");
    EXPECT_EQ(r.messages, QStringList{msg(meandiff::convmsg::GroupSizes)});

    w.click("OpFtoD");
    EXPECT_EQ(convert1(w, "9", {{"TxtDFError", "16"}}).result, "1.5");
    EXPECT_EQ(shownLine(w), QStringList({"F", "d"}));
    w.click("OpFtoR"); // the df typed for F to d serves F to r
    EXPECT_EQ(convert1(w, "9").result, "0.6");
    EXPECT_EQ(shownLine(w), QStringList({"F", "r"}));

    w.click("OpTtoR");
    EXPECT_EQ(convert1(w, "3", {{"txtTDF", "16"}}).result, "0.6");
    w.click("OpTtoD");
    EXPECT_EQ(convert1(w, "3").result, "1.5");
    EXPECT_EQ(shownLine(w), QStringList({"t", "d"}));
    w.click("opTYes");
    EXPECT_EQ(convert1(w, "3", {{"txtTN1", "10"}, {"txtTN2", "10"}}).result, "1.5");
    EXPECT_EQ(convert1(w, "3", {{"txtTN1", "1"}, {"txtTN2", "4"}}).result, "1.875") // 1.5 x 1.25
        << w.text("TxtConvert").toStdString() << "|" << w.text("txtTDF").toStdString() << "|"
        << w.text("txtTN1").toStdString() << "|" << w.text("txtTN2").toStdString();

    w.click("OpChitoR");
    EXPECT_EQ(convert1(w, "9", {{"TxtChiN", "100"}}).result, "0.3");
    EXPECT_EQ(shownLine(w), QStringList({"Chi Sq", "r"}));
    w.click("OpGtoD");
    EXPECT_EQ(convert1(w, "0.5", {{"TxtHedgesN", "36"}, {"TxtHedgesDF", "9"}}).result, "1");
    EXPECT_EQ(shownLine(w), QStringList({"g", "d"}));
    EXPECT_TRUE(w.shown("LblEstimate"));
}

TEST(ConversionTabs, FirstTabMissingParametersAndEmptyValue)
{
    ConversionWindow w;
    struct Case { const char* option; const char* message; };
    const Case cases[] = {
        {"OpFtoD", meandiff::convmsg::DfError},      {"OpFtoR", meandiff::convmsg::DfError},
        {"OpTtoR", meandiff::convmsg::DfError},      {"OpTtoD", meandiff::convmsg::DfError},
        {"OpChitoR", meandiff::convmsg::TotalN},     {"OpGtoD", meandiff::convmsg::TotalNAndDf},
    };
    EXPECT_EQ(convert1(w, "0.6").result, "1.5");
    for (const Case& c : cases) {
        w.click(QString::fromLatin1(c.option));
        const Outcome r = convert1(w, "2");
        EXPECT_EQ(r.result, "") << c.option;
        EXPECT_EQ(r.messages, QStringList{msg(c.message)}) << c.option;
        EXPECT_FALSE(w.shown("LblEstimate"));
        EXPECT_EQ(shownLine(w), QStringList({"r", "d"})) << "the line keeps the last success";
    }
    // g to d wants both of its boxes.
    w.click("OpGtoD");
    EXPECT_EQ(convert1(w, "2", {{"TxtHedgesN", "36"}}).messages, QStringList{msg(meandiff::convmsg::TotalNAndDf)});

    // An empty value box: message, result emptied, note hidden, line unchanged.
    w.click("OpRtoD");
    EXPECT_EQ(convert1(w, "0.6").result, "1.5");
    const Outcome r = convert1(w, "");
    EXPECT_EQ(r.result, "");
    EXPECT_EQ(r.messages, QStringList{msg(meandiff::convmsg::EnterValue)});
    EXPECT_FALSE(w.shown("LblEstimate"));
    EXPECT_EQ(shownLine(w), QStringList({"r", "d"}));
}

TEST(ConversionTabs, TtoDNamesItsLineAsSoonAsItsDfIsThere)
{
    ConversionWindow w;
    EXPECT_EQ(convert1(w, "0.6").result, "1.5"); // From r To d
    w.click("OpTtoD");
    w.click("opTYes");
    Outcome r = convert1(w, "3", {{"txtTDF", "16"}}); // group sizes left empty
    EXPECT_EQ(r.result, "");
    EXPECT_EQ(r.messages, QStringList{msg(meandiff::convmsg::GroupSizes)});
    EXPECT_EQ(shownLine(w), QStringList({"t", "d"}));
    r = convert1(w, "3", {{"txtTN1", "0"}, {"txtTN2", "10"}});
    EXPECT_EQ(r.result, "");
    ASSERT_EQ(r.messages.size(), 1);
    EXPECT_TRUE(r.messages[0].endsWith("\r\nDivision by zero")) << r.messages[0].toStdString();
}

TEST(ConversionTabs, BadInputNeverShowsInfinityAndKeepsTheWindow)
{
    ConversionWindow w;
    // Text pasted past the key filters; each press shows one message.
    auto pressWith = [&](const QString& box, const QString& value, const QString& button) {
        w.paste(box, value);
        MsgBoxScript boxes;
        w.click(button);
        return boxes.texts();
    };
    QStringList shown = pressWith("TxtConvert", ".", "cmdConvert");
    EXPECT_EQ(w.text("txtAnswer"), "");
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].endsWith("\r\nType mismatch"));
    shown = pressWith("TxtConvert", "-1", "cmdConvert");
    EXPECT_EQ(w.text("txtAnswer"), "");
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].endsWith("\r\nDivision by zero"));
    EXPECT_FALSE(w.shown("LblEstimate"));

    // Second tab: a bad value empties the old result too.
    w.click("opCtoW");
    EXPECT_EQ(convert2(w, "0.6").result, "0.75");
    shown = pressWith("txtConvert2", "1e999", "cmdConvert2");
    EXPECT_EQ(w.text("txtConverted"), "");
    EXPECT_FALSE(w.shown("lblNote"));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].endsWith("\r\nOverflow"));
    EXPECT_EQ(convert2(w, "1").result, "");
}

TEST(ConversionTabs, SecondTabExamples)
{
    ConversionWindow w;
    struct Case { const char* option; const char* value; QList<QPair<QString, QString>> params; const char* result; };
    const QList<Case> cases = {
        {"opDtoG", "1", {{"txtDFD", "9"}, {"txtND", "36"}}, "0.5"},
        {"opGtoR", "0.75", {{"txtGDF", "8"}, {"txtGN", "32"}}, "0.6"},
        {"opFSQtoRSQ", "0.25", {}, "0.2"},
        {"opRtoZ", "0.6", {}, "0.69315"},
        {"opRtoT", "0.6", {{"txtRDF", "16"}}, "3"},
        {"opRtoChi", "0.5", {{"txtRN", "100"}}, "25"},
        {"opWtoC", "0.75", {}, "0.6"},
        {"opCtoW", "0.6", {}, "0.75"},
        {"opChitoC", "25", {{"txtCHINC", "75"}}, "0.5"},
    };
    for (const Case& c : cases) {
        w.click(QString::fromLatin1(c.option));
        const Outcome r = convert2(w, QString::fromLatin1(c.value), c.params);
        EXPECT_EQ(r.result, QString::fromLatin1(c.result)) << c.option;
        EXPECT_TRUE(r.messages.isEmpty()) << c.option;
        EXPECT_TRUE(w.shown("lblNote"));
    }

    // Out-of-range correlations for z: message, empty result, no note.
    w.click("opRtoZ");
    for (const char* v : {"0", "1"}) {
        const Outcome r = convert2(w, QString::fromLatin1(v));
        EXPECT_EQ(r.result, "");
        EXPECT_EQ(r.messages, QStringList{msg(meandiff::convmsg::CorrelationRange)});
        EXPECT_FALSE(w.shown("lblNote"));
    }
    // Missing parameters.
    struct Missing { const char* option; const char* message; };
    for (const Missing& m : {Missing{"opDtoG", meandiff::convmsg::TotalNAndWithinDf},
                             Missing{"opGtoR", meandiff::convmsg::TotalNAndWithinDf},
                             Missing{"opRtoT", meandiff::convmsg::WithinDf},
                             Missing{"opRtoChi", meandiff::convmsg::Subjects},
                             Missing{"opChitoC", meandiff::convmsg::TotalN}}) {
        w.click(QString::fromLatin1(m.option));
        for (const char* box : {"txtDFD", "txtGN", "txtRDF", "txtRN", "txtCHINC"})
            w.paste(QString::fromLatin1(box), "");
        const Outcome r = convert2(w, "0.5");
        EXPECT_EQ(r.result, "") << m.option;
        EXPECT_EQ(r.messages, QStringList{msg(m.message)}) << m.option;
    }

    // An empty value box leaves the last result and note on show.
    w.click("opCtoW");
    EXPECT_EQ(convert2(w, "0.6").result, "0.75");
    const Outcome r = convert2(w, "");
    EXPECT_EQ(r.result, "0.75");
    EXPECT_EQ(r.messages, QStringList{msg(meandiff::convmsg::EnterValue)});
    EXPECT_TRUE(w.shown("lblNote"));
}

TEST(ConversionTabs, ConvertOnATabWithoutItsSelection)
{
    ConversionWindow w;
    // At start the selection is on the first tab: the second does nothing.
    w.paste("txtConverted", "old");
    Outcome r = convert2(w, "0.5");
    EXPECT_EQ(r.result, "");
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_FALSE(w.shown("lblNote"));

    EXPECT_EQ(convert1(w, "0.6").result, "1.5");
    w.click("opWtoC");
    r = convert1(w, "0.6");
    EXPECT_EQ(r.result, "");
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_FALSE(w.shown("LblEstimate"));
}

TEST(ConversionTabs, OneOptionGroupAcrossBothTabs)
{
    for (bool installFirst : {false, true}) {
        SCOPED_TRACE(installFirst ? "pages filled before they were put on the tab control" : "usual order");
        ConversionWindow w(installFirst);
        const QList<QAbstractButton*> all = w.opt("OpRtoD")->group()->buttons();
        ASSERT_NE(w.opt("OpRtoD")->group(), nullptr);
        EXPECT_EQ(all.size(), 17);
        EXPECT_TRUE(w.opt("OpRtoD")->group()->exclusive());
        for (const QString& n : kTab1Options + kTab2Options)
            EXPECT_EQ(w.opt(n)->group(), w.opt("OpRtoD")->group()) << n.toStdString();
        EXPECT_NE(w.opt("OpNoN")->group(), w.opt("OpRtoD")->group());
        EXPECT_NE(w.opt("opTNo")->group(), w.opt("OpRtoD")->group());

        for (const QString& chosen : kTab2Options + kTab1Options) {
            w.click(chosen);
            for (const QString& n : kTab1Options + kTab2Options)
                EXPECT_EQ(w.opt(n)->isChecked(), n == chosen) << chosen.toStdString() << " / " << n.toStdString();
        }
        // The correction pairs are groups of their own.
        w.click("OpDtoR");
        w.click("OpYesN");
        EXPECT_TRUE(w.opt("OpDtoR")->isChecked());
        EXPECT_TRUE(w.opt("OpYesN")->isChecked());
        EXPECT_FALSE(w.opt("OpNoN")->isChecked());
        EXPECT_TRUE(w.opt("opTNo")->isChecked());
    }
}

TEST(ConversionTabs, FirstTabOptionsShowTheirFrames)
{
    ConversionWindow w;
    const QStringList frames = {"fraNCorrection", "fraDF", "fraTDF", "fraChiN", "fraHedgesG"};
    struct Case { const char* option; const char* frame; };
    const Case cases[] = {{"OpDtoR", "fraNCorrection"}, {"OpFtoD", "fraDF"}, {"OpFtoR", "fraDF"},
                          {"OpTtoR", "fraTDF"},         {"OpTtoD", "fraTDF"}, {"OpChitoR", "fraChiN"},
                          {"OpGtoD", "fraHedgesG"},     {"OpRtoD", nullptr}};
    for (const Case& c : cases) {
        w.click(QString::fromLatin1(c.option));
        for (const QString& f : frames)
            EXPECT_EQ(w.shown(f), c.frame && f == QLatin1String(c.frame)) << c.option << " " << f.toStdString();
    }

    // t to r: only its df; t to d: the correction question, "No" selected.
    w.click("OpTtoR");
    for (const char* n : {"Label42", "opTYes", "opTNo", "Label43", "Label44", "txtTN1", "txtTN2"})
        EXPECT_FALSE(w.shown(QString::fromLatin1(n))) << n;
    EXPECT_TRUE(w.shown("txtTDF"));
    w.click("OpTtoD");
    for (const char* n : {"Label42", "opTYes", "opTNo", "txtTDF"})
        EXPECT_TRUE(w.shown(QString::fromLatin1(n))) << n;
    w.click("opTYes");
    for (const char* n : {"Label43", "Label44", "txtTN1", "txtTN2"})
        EXPECT_TRUE(w.shown(QString::fromLatin1(n))) << n;
    w.type("txtTN1", "12");
    w.click("OpChitoR");
    w.click("OpTtoD"); // back to "No", group sizes hidden, their text kept
    EXPECT_TRUE(w.opt("opTNo")->isChecked());
    for (const char* n : {"Label43", "Label44", "txtTN1", "txtTN2"})
        EXPECT_FALSE(w.shown(QString::fromLatin1(n))) << n;
    EXPECT_EQ(w.text("txtTN1"), "12");

    // The d-to-r panel follows its Yes/No and is kept as left.
    w.click("OpDtoR");
    EXPECT_FALSE(w.shown("PicGroupN"));
    w.click("OpYesN");
    EXPECT_TRUE(w.shown("PicGroupN"));
    w.click("OpFtoD");
    w.click("OpDtoR");
    EXPECT_TRUE(w.shown("PicGroupN"));
    w.click("OpNoN");
    EXPECT_FALSE(w.shown("PicGroupN"));

    // A second-tab option leaves the first tab's frame on show.
    w.click("OpGtoD");
    w.click("opRtoZ");
    EXPECT_TRUE(w.shown("fraHedgesG"));
}

TEST(ConversionTabs, SecondTabOptionsShowTheirFramesAndFirstTabHidesCohensD)
{
    ConversionWindow w;
    const QStringList items = {"fraCohensD", "fraGtoR", "lblFSQtoRSQ", "lblRtoZ", "fraRtoT", "fraRtoChi", "fraChitoC"};
    struct Case { const char* option; const char* item; };
    const Case cases[] = {{"opDtoG", "fraCohensD"},    {"opGtoR", "fraGtoR"}, {"opFSQtoRSQ", "lblFSQtoRSQ"},
                          {"opRtoZ", "lblRtoZ"},       {"opRtoT", "fraRtoT"}, {"opRtoChi", "fraRtoChi"},
                          {"opWtoC", nullptr},         {"opCtoW", nullptr},   {"opChitoC", "fraChitoC"}};
    for (const Case& c : cases) {
        w.click(QString::fromLatin1(c.option));
        for (const QString& i : items)
            EXPECT_EQ(w.shown(i), c.item && i == QLatin1String(c.item)) << c.option << " " << i.toStdString();
    }

    // "Hedges' g" stays when the selection moves to the first tab.
    w.click("opGtoR");
    w.click("OpRtoD");
    EXPECT_TRUE(w.shown("fraGtoR"));
    for (const QString& n : kTab2Options)
        EXPECT_FALSE(w.opt(n)->isChecked());
    // "Cohen's d" goes with any first-tab option; the first tab's frame stays.
    for (const QString& first : kTab1Options) {
        w.click("opDtoG");
        EXPECT_TRUE(w.shown("fraCohensD"));
        w.click(first);
        EXPECT_FALSE(w.shown("fraCohensD")) << first.toStdString();
        EXPECT_FALSE(w.shown("fraGtoR"));
    }
    w.click("OpFtoD");
    w.click("opRtoT");
    w.click("OpChitoR");
    EXPECT_TRUE(w.shown("fraRtoT"));
}

TEST(ConversionTabs, ClearingTheBoxesKeepsSelectionsAndFrames)
{
    ConversionWindow w;
    w.click("OpTtoD");
    w.click("opTYes");
    EXPECT_EQ(convert1(w, "3", {{"txtTDF", "16"}, {"txtTN1", "10"}, {"txtTN2", "10"}}).result, "1.5");
    // The main window's clear-all empties every text box of the window.
    for (QLineEdit* e : w.window.findChildren<QLineEdit*>())
        e->clear();
    EXPECT_TRUE(w.opt("OpTtoD")->isChecked());
    EXPECT_TRUE(w.opt("opTYes")->isChecked());
    EXPECT_TRUE(w.shown("fraTDF") && w.shown("txtTN1") && w.shown("LblEstimate"));
    EXPECT_EQ(shownLine(w), QStringList({"t", "d"}));
    // The next Convert with an empty value hides the note.
    EXPECT_EQ(convert1(w, "").messages, QStringList{msg(meandiff::convmsg::EnterValue)});
    EXPECT_FALSE(w.shown("LblEstimate"));
}
