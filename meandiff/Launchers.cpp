// The Tarvoss main window's buttons that open the supplementary calculators
// and critical-value tables. Each shows its window and passes nothing.
#include "meandiff/frmMain.h"

#include "calculators/frmChiSq.h"
#include "calculators/frmCounterNull.h"
#include "calculators/frmConf.h"
#include "calculators/frmCriticalTable.h"
#include "calculators/frmDiffBetGs.h"
#include "calculators/frmDiffBetRsDependent.h"
#include "calculators/frmDiffBetweenRs.h"
#include "calculators/frmDtoOR.h"
#include "calculators/frmESInteract.h"
#include "calculators/frmORtoD.h"
#include "calculators/frmSDEstimate.h"
#include "calculators/frmHierarchicalR.h"
#include "calculators/frmMultipleR.h"
#include "calculators/frmSignificance.h"
#include "calculators/frmWithinES.h"
#include "calculators/frmZDifferences.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QPushButton>

namespace tarvoss {

void connectCalculators()
{
    calculators::setCopyTarget([]() -> QWidget* {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmMain"))
                if (auto* main = qobject_cast<frmMain*>(w))
                    return main;
        return nullptr;
    });
}

void frmMain::buildLaunchers(QWidget* central, QWidget* tabES, QWidget* tabSig, QWidget* tabSS)
{
    struct Launcher {
        QWidget* page;
        const char* name;
        const char* caption;
        const char* tip;
        int x, y, w;
        void (frmMain::*handler)();
    };
    constexpr int left = 10, right = 390, width = 372, full = 752, row1 = 228, row2 = 260, row3 = 292;
    const Launcher launchers[] = {
        {tabES, "cmdESInteract", "Compute A Repeated Measures  Interaction Effect Size Estimate",
         "Cohen's d and Hedges' g", left, row1, width, &frmMain::cmdESInteract_Click},
        {tabES, "cmdDandOR", "Convert Between Odds Ratios && d Effect Sizes", "", right, row1, width,
         &frmMain::cmdDandOR_Click},
        {tabES, "cmdWithinES", "Compute A Within Groups Effect Size Estimate", "Cohen's d and Hedges' g", left, row2,
         width, &frmMain::cmdWithinES_Click},
        {tabES, "cmdCounterNull", "Compute Counternull Equivalent", "", right, row2, width,
         &frmMain::cmdCounterNull_Click},
        {central, "cmdSD", "?", "Estimate a standard deviation", 755, 22, 24, &frmMain::cmdSD_Click},
        {tabSig, "CmdProbabilities", "Probability Table", "", 190, 190, 170, &frmMain::CmdProbabilities_Click},
        {tabSig, "cmdSignificance", "Tests of Significance - Probability Values",
         "p values from a t, z, r, F or chi-square statistic", left, row1, width, &frmMain::cmdSignificance_Click},
        {tabSig, "cmdZDiffs", "Are The Probability Levels Of Two Studies Significantly Different?",
         "Compare Probabilities", right, row1, width, &frmMain::cmdZDiffs_Click},
        {tabSig, "cmd2Corr", "Are Two Correlation Coefficients Significantly Different?",
         "For Dependent & Independent Samples", left, row2, width, &frmMain::cmd2Corr_Click},
        {tabSig, "cmdHedges", "Are Two Hedges' g Effect Sizes Significantly Different?", "", right, row2, width,
         &frmMain::cmdHedges_Click},
        {tabSS, "cmdCI", "Compute Confidence Intervals Around A Mean", "For large and small N", left, row1, width,
         &frmMain::cmdCI_Click},
        {tabSS, "cmdChi", "Chi Square Analyses (2x2, 2x3, 3x3)", "2x2, 2x3, 3x3", right, row1, width,
         &frmMain::cmdChi_Click},
        {tabSS, "cmdR2", "Compute Effect Size (f Squared) From Multiple Correlation (R Squared)", "f squared", left,
         row2, full, &frmMain::cmdR2_Click},
        {tabSS, "cmdHierarchicalR", "Compute Effect Size (f Squared) From Hierarchical Regression (R Squared)",
         "f squared", left, row3, full, &frmMain::cmdHierarchicalR_Click},
    };
    for (const Launcher& l : launchers) {
        auto* b = new QPushButton(QString::fromUtf8(l.caption), l.page);
        b->setObjectName(QString::fromLatin1(l.name));
        b->setAutoDefault(false);
        b->setToolTip(QString::fromUtf8(l.tip));
        b->setGeometry(l.x, l.y, l.w, l.page == central ? 22 : 28);
        if (l.page != central) {
            // The long captions fit their buttons a point smaller.
            QFont f = b->font();
            f.setPointSizeF(f.pointSizeF() - 1.0);
            b->setFont(f);
        }
        const auto handler = l.handler;
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    }
}

void frmMain::CmdProbabilities_Click() { calculators::showTdata(this); }
void frmMain::cmdCI_Click() { calculators::showConf(); }
void frmMain::cmdChi_Click() { calculators::showChiSq(); }
void frmMain::cmdR2_Click() { calculators::showMultipleR(); }
void frmMain::cmdHierarchicalR_Click() { calculators::showHierarchicalR(); }
void frmMain::cmdZDiffs_Click() { calculators::showZDifferences(); }
void frmMain::cmdSignificance_Click() { calculators::showSignificance(); }
void frmMain::cmdHedges_Click() { calculators::showDiffBetGs(); }

void frmMain::cmdWithinES_Click() { calculators::showWithinES(); }
void frmMain::cmdSD_Click() { calculators::showSDEstimate(); }
void frmMain::cmdCounterNull_Click() { calculators::showCounterNull(); }

void frmMain::cmd2Corr_Click()
{
    const platform::MsgResult answer = platform::msgBox(
        QStringLiteral("Are your correlations from independent samples?"), platform::MsgButtons::YesNoCancel,
        platform::MsgIcon::Question, QStringLiteral("What Type Of Samples?"), this);
    if (answer == platform::MsgResult::Yes)
        calculators::showDiffBetweenRs();
    else if (answer == platform::MsgResult::No)
        calculators::showDiffBetRsDependent();
}

void frmMain::cmdESInteract_Click()
{
    calculators::showESInteract();
    const QStringList lines = {
        QStringLiteral("Please keep in mind that this is only an estimate - and likely an underestimate."),
        QStringLiteral("The only way to get an accurate effect size estimate (d or g) for an interaction is "),
        QStringLiteral("to use the raw data and look at change scores over time and use the standard deviation"),
        QStringLiteral("of the change scores as the denominator. Otherwise use eta squared or partial eta squared - "),
        QStringLiteral("most statistics packages provide this information already. "),
        QString(),
        QStringLiteral("However, the current method is sensible when you want to obtain an effect size in relation "
                       "to an "),
        QStringLiteral("outside metric. For example, suppose you wanted to compare the effect of a drug on male and "
                       "female IQ scores. "),
        QStringLiteral("Using the population standard deviation of IQ scores with the WAIS measure (which we "),
        QStringLiteral("know to be about 15) as opposed to sample standard deviations at each time point would give"),
        QStringLiteral("an interaction effect between two variables (e.g., Males & Females) in relation to IQ overall "),
        QStringLiteral("- not in relation to each other. This can be useful in looking at the meaningfulness of the "
                       "effect."),
    };
    platform::msgBox(lines.join(QLatin1Char('\n')), platform::MsgButtons::OK, platform::MsgIcon::Information,
                     QStringLiteral("2x2 ES Interaction Warning"), this);
}

void frmMain::cmdDandOR_Click()
{
    const platform::MsgResult answer = platform::msgBox(
        QStringLiteral("Do you wish to convert an odds ratio to a d effect size?\n(Answering 'No' will convert a d "
                       "to an odds ratio instead)"),
        platform::MsgButtons::YesNoCancel, platform::MsgIcon::Question, QStringLiteral("What Type Of Conversion?"),
        this);
    if (answer == platform::MsgResult::Yes)
        calculators::showORtoD();
    else if (answer == platform::MsgResult::No)
        calculators::showDtoOR();
}

} // namespace tarvoss
