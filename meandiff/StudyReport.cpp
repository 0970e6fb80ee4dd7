#include "meandiff/StudyReport.h"
#include "meandiff/StudyFile.h"
#include "meandiff/StudyFileCommands.h"

namespace meandiff {

namespace {

const QString kGap = QStringLiteral("  ");

} // namespace

QList<frame::ReportLine> studyReportLines(const std::function<QString(const QString&)>& boxText, const QString& footer)
{
    auto box = [&](const char* name) { return boxText ? boxText(QString::fromLatin1(name)) : QString(); };
    auto labelled = [&](const char* label, const char* name) { return QString::fromUtf8(label) + kGap + box(name); };
    const QString level = box("LblPercent(0)");
    auto interval = [&](const char* lower, const char* upper) {
        return QStringLiteral("Which lies between") + kGap + box(lower) + kGap + QStringLiteral("and") + kGap +
               box(upper) + kGap + QStringLiteral("with ") + level + QStringLiteral("% confidence.");
    };
    auto pValues = [&](const char* label, const char* stat, const char* twoTailed, const char* oneTailed) {
        return QString::fromUtf8(label) + kGap + box(stat) + QStringLiteral(";") + kGap + QStringLiteral("2 tailed p = ") +
               box(twoTailed) + QStringLiteral(";") + kGap + QStringLiteral("1 tailed p = ") + box(oneTailed);
    };

    frame::ReportWriter w;
    w.bold(true);
    w.size(20);
    w.blank();
    w.line(19, QStringLiteral("Effect Size Estimates"));
    w.size(12);
    w.blank();
    w.line(3, QStringLiteral("Study Identifier:") + kGap + box("TxtID") + kGap + box("TxtYear"));
    w.line(3, labelled("Assessment Details:", "TxtAssess"));
    w.line(3, labelled("Measurement Device:", "TxtDevice"));
    w.bold(false);
    w.blank();
    w.line(3, labelled("Mean Group 1:", "txtMean1"));
    w.line(3, labelled("Standard Deviation 1:", "txtSD1"));
    w.line(3, labelled("Subject Numbers 1:", "TxtN1"));
    w.blank();
    w.line(3, labelled("Mean Group 2:", "txtMean2"));
    w.line(3, labelled("Standard Deviation 2:", "txtSD2"));
    w.line(3, labelled("Subject Numbers 2:", "TxtN2"));
    w.blank();
    w.line(3, labelled("Standard deviation used to compute Cohen's d:", "TxtUsedSD"));
    w.line(3, labelled("Cohen's d effect size:", "TxtTarvoss"));
    w.line(3, interval("TxtESNeg95", "TxtESPlus95"));
    w.blank();
    w.line(3, labelled("Cohen's d effect size with Hedges Adjustment:", "TxtHedges"));
    w.line(3, interval("TxtHedgesNeg95", "TxtHedgesPlus95"));
    w.blank();
    w.line(3, labelled("Hedges' Pooled Standard Deviation:", "TxtHedgesS1"));
    w.line(3, labelled("Hedges' g effect size:", "txtHedgesG"));
    w.line(3, interval("TxtHedgesGNeg95", "TxtHedgesGPlus95"));
    w.blank();
    w.bold(true);
    w.size(20);
    w.line(15, QStringLiteral("Statistical Significance Estimates"));
    w.size(12);
    w.bold(false);
    w.blank();
    w.line(3, labelled("Total Number Of Subjects:", "TxtTotalN"));
    w.line(3, labelled("Mean Difference:", "TxtMeanDiff"));
    w.line(3, labelled("Standard Error Of The Difference:", "TxtSED"));
    w.line(3, labelled("Degrees of Freedom:", "txtDF"));
    w.line(3, pValues("t-test Statistic:", "txtT", "txt2PT", "txt1PT"));
    w.line(3, pValues("z-test Statistic:", "txtZStat", "txt2PZ", "txt1PZ"));
    w.blank();
    w.bold(true);
    w.size(20);
    w.line(19, QStringLiteral("A Priori Power Analysis"));
    w.size(12);
    w.blank();
    w.line(3, labelled("Effect Size Entered Into Equation:", "txtD"));
    w.bold(false);
    w.blank();
    w.line(3, QStringLiteral("Number of subjects required PER GROUP:"));
    w.blank();
    auto table = [&](const char* tails, const char* p8_95, const char* p8_99, const char* p9_95, const char* p9_99) {
        w.underline(true);
        w.line({{3, QString::fromUtf8(tails) + QStringLiteral(" Tailed Analysis - Power = 0.8")},
                {50, QString::fromUtf8(tails) + QStringLiteral(" Tailed Analysis - Power = 0.9")}});
        w.underline(false);
        w.line({{3, labelled("95% Confidence:", p8_95)}, {50, labelled("95% Confidence:", p9_95)}});
        w.line({{3, labelled("99% Confidence:", p8_99)}, {50, labelled("99% Confidence:", p9_99)}});
    };
    table("One", "txtP5", "TxtP6", "txtP7", "txtP8");
    w.blank();
    table("Two", "txtP1", "txtP2", "txtP3", "txtP4");
    if (!footer.isEmpty()) {
        w.blank();
        w.size(8);
        w.line(3, footer);
    }
    return w.take();
}

void printStudyReport(QWidget* window, const QString& webAddress)
{
    const QList<frame::ReportLine> lines =
        studyReportLines([window](const QString& name) { return frame::windowBoxText(window, name); }, webAddress);
    frame::printReport(window, lines, kMsgSaveFailed);
}

} // namespace meandiff
