#include "outcometable/OutcomeReport.h"
#include "frame/DataFileWindow.h"
#include "outcometable/OutcomeFile.h"

#include <QAbstractButton>
#include <QWidget>

namespace quellin {

using frame::ReportLine;

namespace {

const QString kGap = QStringLiteral("  ");
const QString kNotSelected = QStringLiteral("This option was not selected.");
constexpr int kColumn = 5;

} // namespace

QList<ReportLine> outcomeReportLines(const std::function<QString(const QString&)>& boxText,
                                     const std::function<bool(const QString&)>& optionSelected,
                                     const QString& webAddress)
{
    auto box = [&](const char* name) { return boxText ? boxText(QString::fromLatin1(name)) : QString(); };
    auto selected = [&](const char* name) { return optionSelected && optionSelected(QString::fromLatin1(name)); };
    const bool three = selected("OpThree");
    const bool two = selected("OpTwo");
    auto lit = [](const char* s) { return QString::fromUtf8(s); };
    auto labelled = [&](const char* label, const QString& value) { return lit(label) + kGap + value; };
    // "label:  a;  label:  b;  label:  c."
    auto rates = [&](const char* imp, const char* same, const char* worse) {
        return labelled("Improving:", box(imp)) + QLatin1Char(';') + kGap +
               labelled("Staying the same / unimproved:", box(same)) + QLatin1Char(';') + kGap +
               labelled("Deteriorating:", box(worse)) + QLatin1Char('.');
    };
    // "value (lower - upper)"
    auto interval = [&](const char* value, const char* lower, const char* upper) {
        return box(value) + QStringLiteral(" (") + box(lower) + QStringLiteral(" - ") + box(upper) +
               QLatin1Char(')');
    };
    auto intervalLine = [&](const char* label, const char* value, const char* lower, const char* upper) {
        return lit(label) + kGap + interval(value, lower, upper) + QLatin1Char('.');
    };
    auto relativeRisk = [&](const char* label, const char* value, const char* lower, const char* upper,
                            const char* increase) {
        return lit(label) + kGap + interval(value, lower, upper) + QStringLiteral("   [") + box(increase) +
               QStringLiteral("].");
    };
    auto chiLine = [&](const char* label, const char* stat, const char* twoTailed, const char* oneTailed) {
        return lit(label) + kGap + box(stat) + QLatin1Char(';') + kGap + labelled("df:", box("txtDF")) +
               QLatin1Char(';') + kGap + QStringLiteral("2 Tailed p = ") + box(twoTailed) + QLatin1Char(';') + kGap +
               QStringLiteral("1 Tailed p = ") + box(oneTailed) + QLatin1Char('.');
    };
    const QString level = box("txtConf(0)");
    auto levelHeading = [&](const char* start, const char* end) {
        return lit(start) + level + QLatin1Char(' ') + lit(end);
    };

    frame::ReportWriter w;
    // The page line, in the printer's own font.
    w.size(10);
    w.line(1, QStringLiteral("Page 1 of 1:") + kGap + webAddress);
    w.size(20);
    w.blank();
    w.bold(true);
    w.line(17, QStringLiteral("Quellin"));
    w.size(12);
    w.line(kColumn, QStringLiteral("Study Details"));
    w.bold(false);
    w.line(kColumn, labelled("Study / Client Identifier:", box("TxtID")));
    w.line(kColumn, labelled("Assessment Details:", box("TxtAssess")));
    w.line(kColumn, labelled("Measurement Device:", box("TxtDevice")));
    w.blank();
    w.bold(true);
    w.line(kColumn, three ? lit("Option Selected = 3 * 2: 'Improved', 'No Change' & 'Deterioration'")
                          : lit("Option Selected = 2 * 2: Improved & Unimproved - no: 'No Change' & 'Deterioration'"));
    w.bold(false);
    w.line(kColumn, labelled("Number in treatment group who improved:", box("TxImp")));
    w.line(kColumn, labelled("Number in treatment group who didn't change / unimproved:", box("TxSame")));
    w.line(kColumn, labelled("Number in treatment group who deteriorated:", three ? box("TxWorse") : kNotSelected));
    w.line(kColumn, labelled("Number in control group who improved:", box("CtrlImp")));
    w.line(kColumn, labelled("Number in control group who didn't change / unimproved:", box("CtrlSame")));
    w.line(kColumn, labelled("Number in control group who deteriorated:", three ? box("CtrlWorse") : kNotSelected));
    w.line(kColumn, labelled("Number who improved, irrespective of condition:", box("txtImpN")));
    w.line(kColumn, labelled("Number who didn't change / unimproved, irrespective of condition:", box("txtSameN")));
    w.line(kColumn, labelled("Number who deteriorated, irrespective of condition:",
                             three ? box("txtWorseN") : kNotSelected));
    w.line(kColumn, labelled("Tx Group Size:", box("TxN")) + kGap + labelled("Ctrl Group Size:", box("CtrlN")) + kGap +
                        labelled("Total Sample Size:", box("TotalN")));
    w.blank();
    w.line(kColumn, chiLine("Chi Squared:", "txtChiSquared", "txt2P", "txt1P"));
    w.line(kColumn, box("lblPhi") + kGap + box("txtPhi") + QLatin1Char('.') + kGap +
                        labelled("Pearsons' C:", box("txtESC")) + QLatin1Char('.'));
    if (two)
        w.line(kColumn, chiLine("Yates' Correction For Continuity:", "txtYates", "txtYates2P", "txtYates1P"));
    w.blank();
    w.bold(true);
    w.line(kColumn, labelled("Confidence Intervals:", level) + QLatin1Char('.'));
    w.line(kColumn, QStringLiteral("Event Rates - Treatment Group:"));
    w.bold(false);
    w.line(kColumn, rates("EventTxImp", "EventTxSame", "EventTxWorse"));
    w.blank();
    w.bold(true);
    w.line(kColumn, QStringLiteral("Event Rates - Control Group:"));
    w.bold(false);
    w.line(kColumn, rates("EventCtrlImp", "EventCtrlSame", "EventCtrlWorse"));
    w.blank();
    w.bold(true);
    w.line(kColumn, levelHeading("Relative Risks (-/+ ", "Confidence Intervals) [Relative Risk Increase %:]"));
    w.bold(false);
    w.line(kColumn, relativeRisk("Improving:", "RRImp", "RRImpMinus", "RRImpPlus", "RRIImp"));
    w.line(kColumn,
           relativeRisk("Staying the same / unimproved:", "RRSame", "RRSameMinus", "RRSamePlus", "RRISame"));
    w.line(kColumn, relativeRisk("Deteriorating:", "RRWorse", "RRWorseMinus", "RRWorsePlus", "RRIWorse"));
    w.blank();
    w.bold(true);
    w.line(kColumn, levelHeading("Absolute Risk Of Improvement(-/+ ", "Confidence Intervals):"));
    w.bold(false);
    w.line(kColumn, intervalLine("Improving:", "ARImp", "ARImpMinus", "ARImpPlus"));
    w.line(kColumn, intervalLine("Staying the same / unimproved:", "ARSame", "ARSameMinus", "ARSamePlus"));
    w.line(kColumn, three ? intervalLine("Deteriorating:", "ARWorse", "ARWorseMinus", "ARWorsePlus")
                          : QStringLiteral("Deteriorating: ---"));
    w.blank();
    w.bold(true);
    w.line(kColumn, QStringLiteral("Event Odds - Treatment Group:"));
    w.bold(false);
    w.line(kColumn, rates("EOTxImp", "EOTxSame", "EOTxWorse"));
    w.blank();
    w.bold(true);
    w.line(kColumn, QStringLiteral("Event Odds - Control Group:"));
    w.bold(false);
    w.line(kColumn, rates("EOCtrlImp", "EOCtrlSame", "EOCtrlWorse"));
    w.blank();
    w.bold(true);
    w.line(kColumn, levelHeading("Odds Ratios (-/+ ", "Confidence Intervals):"));
    w.bold(false);
    w.line(kColumn, intervalLine("Odds Ratio of getting better:", "RORImp", "RORImpMinus", "RORImpPlus"));
    w.line(kColumn, intervalLine("Odds Ratio of Staying the same / unimproved:", "RORSame", "RORSameMinus",
                                 "RORSamePlus"));
    w.line(kColumn, intervalLine("Odds Ratio of getting worse:", "RORWorse", "RORWorseMinus", "RORWorsePlus"));
    w.blank();
    w.bold(true);
    w.line(kColumn, levelHeading("Numbers Needed For 'Treatment' And 'Harm' (-/+ ", "Confidence Intervals):"));
    w.bold(false);
    w.line(kColumn, lit("NNT:") + kGap + interval("NNT", "NNTConfMinus", "NNTConfPlus") + QLatin1Char(';') + kGap +
                        intervalLine("NNH:", "NNH", "NNHConfMinus", "NNHConfPlus"));
    return w.take();
}

QList<ReportLine> outcomeReportLines(QWidget* window)
{
    return outcomeReportLines([window](const QString& name) { return frame::windowBoxText(window, name); },
                              [window](const QString& name) {
                                  auto* option = window ? window->findChild<QAbstractButton*>(name) : nullptr;
                                  return option && option->isChecked();
                              });
}

void printOutcomeReport(QWidget* window)
{
    frame::printReport(window, outcomeReportLines(window), kMsgOutcomePrintFailed, frame::ReportCopies::One);
}

} // namespace quellin
