// The printed report: every line with its column and font, what the mode
// changes, and what reaches the printer.
#include "outcometable/OutcomeFile.h"
#include "outcometable/OutcomeReport.h"
#include "platform/Maker.h"
#include "testkit/QtTestKit.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "OutcomeWindow.h"

using namespace outcome_test;
using frame::ReportLine;

namespace {

struct Expected {
    int size;
    bool bold;
    int column;   // 0: a blank line
    QString text;
};

void expectLines(const QList<ReportLine>& lines, const QList<Expected>& expected)
{
    ASSERT_EQ(lines.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        const Expected& e = expected[i];
        EXPECT_EQ(lines[i].pointSize, e.size);
        if (e.column == 0) {
            EXPECT_TRUE(lines[i].items.isEmpty());
            continue;
        }
        EXPECT_EQ(lines[i].bold, e.bold);
        ASSERT_EQ(lines[i].items.size(), 1);
        EXPECT_EQ(lines[i].items[0].column, e.column);
        EXPECT_EQ(lines[i].items[0].text, e.text);
    }
}

// A finished 2 x 2 computation at the 95 % level (treatment 12 of 20
// improved, control 5 of 20).
void fill2x2Run(QWidget* w)
{
    control<QRadioButton>(w, "OpTwo")->setChecked(true);
    fill(w, recordBoxes(), {"Smith (2001)", "pre- to post-tx", "BDI", "12", "8", "", "5", "15", ""});
    fill(w, {"TxN", "CtrlN", "TotalN", "txtImpN", "txtSameN", "txtChiSquared", "txtDF", "txt2P", "txt1P", "txtYates",
             "txtYates2P", "txtYates1P", "txtPhi", "txtESC", "txtConf(0)", "EventTxImp", "EventTxSame", "EventTxWorse",
             "EventCtrlImp", "EventCtrlSame", "EventCtrlWorse", "RRImp", "RRImpMinus", "RRImpPlus", "RRIImp", "RRSame",
             "RRSameMinus", "RRSamePlus", "RRISame", "RRWorse", "RRWorseMinus", "RRWorsePlus", "RRIWorse", "ARImp",
             "ARImpMinus", "ARImpPlus", "ARSame", "ARSameMinus", "ARSamePlus", "ARWorse", "EOTxImp", "EOTxSame",
             "EOTxWorse", "EOCtrlImp", "EOCtrlSame", "EOCtrlWorse", "RORImp", "RORImpMinus", "RORImpPlus", "RORSame",
             "RORSameMinus", "RORSamePlus", "RORWorse", "RORWorseMinus", "RORWorsePlus", "NNT", "NNTConfMinus",
             "NNTConfPlus", "NNH", "NNHConfMinus", "NNHConfPlus", "txtESW", "txtFishers1P"},
         {"20", "20", "40", "17", "23", "5.01279", "1", "0.02516", "0.01258", "3.68286", "0.05497", "0.02749", "0.35400",
          "0.33399", "95%", "0.6", "0.4", "---", "0.25", "0.75", "---", "2.4", "1.03", "5.59", "140", "0.53333",
          "0.32", "0.88", "-46.66667", "---", "---", "---", "---", "0.35", "0.06", "0.64", "-0.35", "-0.64", "-0.06",
          "ARW-ignored", "1.5", "0.66667", "---", "0.33333", "3", "---", "4.5", "1.17", "17.37", "0.22222", "0.06",
          "0.85", "---", "---", "---", "2.85714", "1.56", "16.11", "---", "---", "---", "0.354", "0.02"});
}

QList<Expected> expected2x2Run()
{
    const QString web = platform::makerWebHost();
    return {
        {10, false, 1, "Page 1 of 1:  " + web},
        {20, false, 0, {}},
        {20, true, 17, "Quellin"},
        {12, true, 5, "Study Details"},
        {12, false, 5, "Study / Client Identifier:  Smith (2001)"},
        {12, false, 5, "Assessment Details:  pre- to post-tx"},
        {12, false, 5, "Measurement Device:  BDI"},
        {12, false, 0, {}},
        {12, true, 5, "Option Selected = 2 * 2: Improved & Unimproved - no: 'No Change' & 'Deterioration'"},
        {12, false, 5, "Number in treatment group who improved:  12"},
        {12, false, 5, "Number in treatment group who didn't change / unimproved:  8"},
        {12, false, 5, "Number in treatment group who deteriorated:  This option was not selected."},
        {12, false, 5, "Number in control group who improved:  5"},
        {12, false, 5, "Number in control group who didn't change / unimproved:  15"},
        {12, false, 5, "Number in control group who deteriorated:  This option was not selected."},
        {12, false, 5, "Number who improved, irrespective of condition:  17"},
        {12, false, 5, "Number who didn't change / unimproved, irrespective of condition:  23"},
        {12, false, 5, "Number who deteriorated, irrespective of condition:  This option was not selected."},
        {12, false, 5, "Tx Group Size:  20  Ctrl Group Size:  20  Total Sample Size:  40"},
        {12, false, 0, {}},
        {12, false, 5, "Chi Squared:  5.01279;  df:  1;  2 Tailed p = 0.02516;  1 Tailed p = 0.01258."},
        {12, false, 5, "Phi (r):  0.35400.  Pearsons' C:  0.33399."},
        {12, false, 5, "Yates' Correction For Continuity:  3.68286;  df:  1;  2 Tailed p = 0.05497;  1 Tailed p = 0.02749."},
        {12, false, 0, {}},
        {12, true, 5, "Confidence Intervals:  95%."},
        {12, true, 5, "Event Rates - Treatment Group:"},
        {12, false, 5, "Improving:  0.6;  Staying the same / unimproved:  0.4;  Deteriorating:  ---."},
        {12, false, 0, {}},
        {12, true, 5, "Event Rates - Control Group:"},
        {12, false, 5, "Improving:  0.25;  Staying the same / unimproved:  0.75;  Deteriorating:  ---."},
        {12, false, 0, {}},
        {12, true, 5, "Relative Risks (-/+ 95% Confidence Intervals) [Relative Risk Increase %:]"},
        {12, false, 5, "Improving:  2.4 (1.03 - 5.59)   [140]."},
        {12, false, 5, "Staying the same / unimproved:  0.53333 (0.32 - 0.88)   [-46.66667]."},
        {12, false, 5, "Deteriorating:  --- (--- - ---)   [---]."},
        {12, false, 0, {}},
        {12, true, 5, "Absolute Risk Of Improvement(-/+ 95% Confidence Intervals):"},
        {12, false, 5, "Improving:  0.35 (0.06 - 0.64)."},
        {12, false, 5, "Staying the same / unimproved:  -0.35 (-0.64 - -0.06)."},
        {12, false, 5, "Deteriorating: ---"},
        {12, false, 0, {}},
        {12, true, 5, "Event Odds - Treatment Group:"},
        {12, false, 5, "Improving:  1.5;  Staying the same / unimproved:  0.66667;  Deteriorating:  ---."},
        {12, false, 0, {}},
        {12, true, 5, "Event Odds - Control Group:"},
        {12, false, 5, "Improving:  0.33333;  Staying the same / unimproved:  3;  Deteriorating:  ---."},
        {12, false, 0, {}},
        {12, true, 5, "Odds Ratios (-/+ 95% Confidence Intervals):"},
        {12, false, 5, "Odds Ratio of getting better:  4.5 (1.17 - 17.37)."},
        {12, false, 5, "Odds Ratio of Staying the same / unimproved:  0.22222 (0.06 - 0.85)."},
        {12, false, 5, "Odds Ratio of getting worse:  --- (--- - ---)."},
        {12, false, 0, {}},
        {12, true, 5, "Numbers Needed For 'Treatment' And 'Harm' (-/+ 95% Confidence Intervals):"},
        {12, false, 5, "NNT:  2.85714 (1.56 - 16.11);  NNH:  --- (--- - ---)."},
    };
}

// Blanks and line ends as single blanks; ligature glyphs as their letters.
QString squeeze(QString s)
{
    return s.normalized(QString::NormalizationForm_KC).replace(QRegularExpression("\\s+"), " ").trimmed();
}

// Every printed line appears in the PDF's text, in order.
void expectInOrder(const QString& pdf, const QList<ReportLine>& lines)
{
    const QString text = squeeze(pdf);
    ASSERT_FALSE(text.isEmpty());
    qsizetype at = 0;
    for (const ReportLine& line : lines) {
        const QString want = squeeze(line.text());
        if (want.isEmpty())
            continue;
        const qsizetype found = text.indexOf(want, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << want.toStdString();
        at = found + want.size();
    }
}

QString printToPdf(QWidget* w, const QString& pdf)
{
    testkit::PrintDialogScript printer(pdf);
    testkit::MsgBoxScript msgs;
    quellin::printOutcomeReport(w);
    EXPECT_EQ(printer.count(), 1);
    EXPECT_EQ(msgs.count(), 0);
    return testkit::pdfText(pdf);
}

} // namespace

TEST(OutcomeReportLines, Full2x2Run)
{
    auto s = makeOutcomeWindow();
    fill2x2Run(s->window.get());
    expectLines(quellin::outcomeReportLines(s->window.get()), expected2x2Run());
}

TEST(OutcomeReportLines, ThreeByTwoChangesOnlyTheModeLines)
{
    auto s = makeOutcomeWindow();
    QWidget* w = s->window.get();
    fill2x2Run(w);
    // The 3 x 2 option with the results kept (the stand-in's switch would empty them).
    control<QRadioButton>(w, "OpThree")->blockSignals(true);
    control<QRadioButton>(w, "OpThree")->setChecked(true);
    control<QLabel>(w, "lblPhi")->setText("Cramer's Phi (r):");
    fill(w, {"TxWorse", "CtrlWorse", "txtWorseN", "ARWorse", "ARWorseMinus", "ARWorsePlus"},
         {"3", "8", "11", "-0.25", "-0.47", "-0.03"});

    QList<Expected> expected = expected2x2Run();
    expected[8].text = "Option Selected = 3 * 2: 'Improved', 'No Change' & 'Deterioration'";
    expected[11].text = "Number in treatment group who deteriorated:  3";
    expected[14].text = "Number in control group who deteriorated:  8";
    expected[17].text = "Number who deteriorated, irrespective of condition:  11";
    expected[21].text = "Cramer's Phi (r):  0.35400.  Pearsons' C:  0.33399.";
    expected.removeAt(22);   // no Yates line
    expected[38].text = "Deteriorating:  -0.25 (-0.47 - -0.03).";
    expectLines(quellin::outcomeReportLines(w), expected);
}

TEST(OutcomeReportLines, EmptyWindowPrintsEveryLabel)
{
    auto s = makeOutcomeWindow();
    QWidget* w = s->window.get();
    control<QRadioButton>(w, "OpTwo")->setChecked(true);
    const QList<ReportLine> lines = quellin::outcomeReportLines(w);
    ASSERT_EQ(lines.size(), 54);
    EXPECT_EQ(lines[4].text(), "Study / Client Identifier:  ");
    EXPECT_EQ(lines[11].text(), "Number in treatment group who deteriorated:  This option was not selected.");
    EXPECT_EQ(lines[20].text(), "Chi Squared:  ;  df:  ;  2 Tailed p = ;  1 Tailed p = .");
    EXPECT_EQ(lines[24].text(), "Confidence Intervals:  .");
    EXPECT_EQ(lines[31].text(), "Relative Risks (-/+  Confidence Intervals) [Relative Risk Increase %:]");
    EXPECT_EQ(lines[32].text(), "Improving:   ( - )   [].");
    EXPECT_EQ(lines[53].text(), "NNT:   ( - );  NNH:   ( - ).");
}

TEST(OutcomeReportPrint, PdfOfA2x2RunA3x2RunAndAnEmptyWindow)
{
    QTemporaryDir dir;
    {
        SCOPED_TRACE("2 x 2 run");
        auto s = makeOutcomeWindow();
        fill2x2Run(s->window.get());
        const QString pdf = printToPdf(s->window.get(), dir.filePath("two.pdf"));
        expectInOrder(pdf, quellin::outcomeReportLines(s->window.get()));
        EXPECT_TRUE(squeeze(pdf).contains("Yates' Correction For Continuity: 3.68286;"));
    }
    {
        SCOPED_TRACE("3 x 2 run");
        auto s = makeOutcomeWindow();
        QWidget* w = s->window.get();
        fill(w, recordBoxes(), {"Jones", "post", "HAM-D", "20", "10", "3", "11", "14", "8"});
        fill(w, {"txtChiSquared", "txtDF", "txtPhi", "txtConf(0)", "RORWorse", "NNH"},
             {"4.87", "2", "0.3", "99%", "0.3", "6.5"});
        const QString pdf = printToPdf(w, dir.filePath("three.pdf"));
        expectInOrder(pdf, quellin::outcomeReportLines(w));
        const QString text = squeeze(pdf);
        EXPECT_TRUE(text.contains("Option Selected = 3 * 2"));
        EXPECT_TRUE(text.contains("Number in control group who deteriorated: 8"));
        EXPECT_TRUE(text.contains("Odds Ratios (-/+ 99% Confidence Intervals):"));
        EXPECT_FALSE(text.contains("Yates"));
    }
    {
        SCOPED_TRACE("empty window");
        auto s = makeOutcomeWindow();
        const QString pdf = printToPdf(s->window.get(), dir.filePath("empty.pdf"));
        expectInOrder(pdf, quellin::outcomeReportLines(s->window.get()));
        EXPECT_TRUE(squeeze(pdf).startsWith("Page 1 of 1: " + platform::makerWebHost()));
    }
}

TEST(OutcomeReportPrint, CancelPrintsNothingAndAFailureIsReported)
{
    auto s = makeOutcomeWindow();
    {
        testkit::PrintDialogScript cancel{QString()};
        testkit::MsgBoxScript msgs;
        quellin::printOutcomeReport(s->window.get());
        EXPECT_EQ(cancel.count(), 1);
        EXPECT_EQ(msgs.count(), 0);
    }
    QTemporaryDir dir;
    testkit::PrintDialogScript broken(dir.filePath("no/such/folder/r.pdf"));
    testkit::MsgBoxScript msgs;
    quellin::printOutcomeReport(s->window.get());
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_TRUE(msgs.shown()[0].text.startsWith(QString::fromUtf8(quellin::kMsgOutcomePrintFailed) + "\n"));
    EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::OK);
}
