// The Tarvoss main window's buttons that open the supplementary calculators
// and critical-value tables. Each shows its window and passes nothing.
#include "meandiff/frmMain.h"

#include "calculators/frmChiSq.h"
#include "calculators/frmConf.h"
#include "calculators/frmCriticalTable.h"
#include "calculators/frmDiffBetGs.h"
#include "calculators/frmDiffBetRsDependent.h"
#include "calculators/frmDiffBetweenRs.h"
#include "calculators/frmHierarchicalR.h"
#include "calculators/frmMultipleR.h"
#include "calculators/frmSignificance.h"
#include "calculators/frmZDifferences.h"
#include "platform/Dialogs.h"

#include <QPushButton>
#include <exception>
#include <functional>

namespace tarvoss {

namespace {

// A window that cannot be shown ends the command; the main window stays usable.
void guarded(const std::function<void()>& show)
{
    try {
        show();
    } catch (const std::exception&) {
    }
}

} // namespace

void frmMain::buildLaunchers(QWidget* tabES, QWidget* tabSig, QWidget* tabSS)
{
    struct Launcher {
        QWidget* page;
        const char* name;
        const char* caption;
        const char* tip;
        int x, y, w;
        void (frmMain::*handler)();
    };
    constexpr int left = 10, right = 400, width = 385, row1 = 228, row2 = 260;
    const Launcher launchers[] = {
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
         row2, width, &frmMain::cmdR2_Click},
        {tabSS, "cmdHierarchicalR", "Compute Effect Size (f Squared) From Hierarchical Regression (R Squared)",
         "f squared", right, row2, width, &frmMain::cmdHierarchicalR_Click},
    };
    Q_UNUSED(tabES);
    for (const Launcher& l : launchers) {
        auto* b = new QPushButton(QString::fromUtf8(l.caption), l.page);
        b->setObjectName(QString::fromLatin1(l.name));
        b->setAutoDefault(false);
        b->setToolTip(QString::fromUtf8(l.tip));
        b->setGeometry(l.x, l.y, l.w, 28);
        const auto handler = l.handler;
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    }
}

void frmMain::CmdProbabilities_Click() { guarded([this] { calculators::showTdata(this); }); }
void frmMain::cmdCI_Click() { guarded([] { calculators::showConf(); }); }
void frmMain::cmdChi_Click() { guarded([] { calculators::showChiSq(); }); }
void frmMain::cmdR2_Click() { guarded([] { calculators::showMultipleR(); }); }
void frmMain::cmdHierarchicalR_Click() { guarded([] { calculators::showHierarchicalR(); }); }
void frmMain::cmdZDiffs_Click() { guarded([] { calculators::showZDifferences(); }); }
void frmMain::cmdSignificance_Click() { guarded([] { calculators::showSignificance(); }); }
void frmMain::cmdHedges_Click() { guarded([] { calculators::showDiffBetGs(); }); }

void frmMain::cmd2Corr_Click()
{
    const platform::MsgResult answer = platform::msgBox(
        QStringLiteral("Are your correlations from independent samples?"), platform::MsgButtons::YesNoCancel,
        platform::MsgIcon::Question, QStringLiteral("What Type Of Samples?"), this);
    if (answer == platform::MsgResult::Yes)
        guarded([] { calculators::showDiffBetweenRs(); });
    else if (answer == platform::MsgResult::No)
        guarded([] { calculators::showDiffBetRsDependent(); });
}

} // namespace tarvoss
