#include "calculators/frmDiffBetGs.h"

#include "calculators/CalcKit.h"
#include "calculators/GComparison.h"

#include <QGroupBox>

namespace calculators {

using namespace calckit;

frmDiffBetGs::frmDiffBetGs(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmDiffBetGs"));
    setWindowTitle(QStringLiteral("Significant Difference Between The Size Of Two Hedges' g Effect Sizes"));
    resize(720, 600);

    const frame::KeyFilter signedFilter = frame::KeyFilter::Signed;
    const frame::KeyFilter digits = frame::KeyFilter::Digits;

    noteBox(this, "Text1",
            QStringLiteral("Significance of the difference between two Hedges' g effect size estimates.\n"
                           "\n"
                           "Enter the two Hedges' g Effect sizes in the first column.\n"
                           "\n"
                           "Enter the N making up each group within each study in the second column. \n"
                           "\n"
                           "Enter the t-statistic associated with each effect size in the third column. Use the "
                           "conversion tabs to estimate this if not readily available.\n"),
            8, 8, 704, 130);

    heading(this, QStringLiteral("Effect Sizes"), 16, 150, 180);
    heading(this, QStringLiteral("Sample Sizes"), 236, 150, 180);
    heading(this, QStringLiteral("t-test statistic"), 456, 150, 180);
    label(this, QStringLiteral("ES g (a):"), 16, 180, 80);
    inputBox(this, "txtGA", 100, 178, 100, &signedFilter);
    label(this, QStringLiteral("N (a1):"), 236, 180, 70);
    inputBox(this, "txtN1GA", 310, 178, 100, &digits);
    label(this, QStringLiteral("N (a2):"), 236, 212, 70);
    inputBox(this, "txtN2GA", 310, 210, 100, &digits);
    label(this, QStringLiteral("t-statistic (a):"), 456, 180, 110);
    inputBox(this, "txtTA", 570, 178, 100, &signedFilter);

    label(this, QStringLiteral("ES g (b):"), 16, 252, 80);
    inputBox(this, "txtGB", 100, 250, 100, &signedFilter);
    label(this, QStringLiteral("N (b1):"), 236, 252, 70);
    inputBox(this, "txtN1GB", 310, 250, 100, &digits);
    label(this, QStringLiteral("N (b2):"), 236, 284, 70);
    inputBox(this, "txtN2GB", 310, 282, 100, &digits);
    label(this, QStringLiteral("t-statistic (b):"), 456, 252, 110);
    inputBox(this, "txtTB", 570, 250, 100, &signedFilter);

    auto* zFrame = new QGroupBox(QStringLiteral("Using z-Statistic"), this);
    zFrame->setGeometry(8, 326, 330, 140);
    noteBox(zFrame, "Text2", QStringLiteral("Assumes 'normality'\n"), 8, 22, 314, 40);
    label(zFrame, QStringLiteral("Two Tailed p Value:"), 8, 68, 150);
    resultBox(zFrame, "txt2PZ", 160, 66, 150, Red);
    label(zFrame, QStringLiteral("One Tailed p Value:"), 8, 102, 150);
    resultBox(zFrame, "txt1PZ", 160, 100, 150, Red);

    noteBox(this, "txtWorking", QStringLiteral("Working ..."), 350, 332, 362, 134);

    doItButtons(this, 16, 476);
}

void frmDiffBetGs::cmdDoIt_Click()
{
    auto box = [this](const char* name) { return boxText(this, QString::fromLatin1(name)); };
    apply(this, compareTwoGs({box("txtGA"), box("txtN1GA"), box("txtN2GA"), box("txtTA")},
                             {box("txtGB"), box("txtN1GB"), box("txtN2GB"), box("txtTB")}));
}

void frmDiffBetGs::cmdClear_Click() { clearTextBoxes(this); }

void frmDiffBetGs::cmdExit_Click() { close(); }

frmDiffBetGs* showDiffBetGs()
{
    static QPointer<frmDiffBetGs> window;
    return showSingle(window);
}

} // namespace calculators
