#include "calculators/frmDiffBetweenRs.h"

#include "calculators/CorrelationComparison.h"
#include "calculators/CalcKit.h"

#include <QGroupBox>

namespace calculators {

using namespace calckit;

frmDiffBetweenRs::frmDiffBetweenRs(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmDiffBetweenRs"));
    setWindowTitle(QStringLiteral("Compare Two Indepedent Correlations"));
    resize(640, 470);

    const frame::KeyFilter signedFilter = frame::KeyFilter::Signed;
    const frame::KeyFilter digits = frame::KeyFilter::Digits;

    noteBox(this, "Text1",
            QStringLiteral("Significance of the difference between two correlations from two independent samples\n"),
            8, 8, 624, 40);

    label(this, QStringLiteral("Correlation 1:"), 16, 64, 110);
    inputBox(this, "txtR1", 130, 62, 100, &signedFilter);
    label(this, QStringLiteral("N:"), 250, 64, 30);
    inputBox(this, "txtN1r", 280, 62, 80, &digits);
    label(this, QStringLiteral("Correlation 2:"), 16, 96, 110);
    inputBox(this, "txtR2", 130, 94, 100, &signedFilter);
    label(this, QStringLiteral("N:"), 250, 96, 30);
    inputBox(this, "txtN2r", 280, 94, 80, &digits);

    label(this, QStringLiteral("z-score equivalent of correlation 1:"), 16, 136, 260);
    resultBox(this, "txtZ1", 280, 134, 140, Blue);
    label(this, QStringLiteral("z-score equivalent of correlation 2:"), 16, 166, 260);
    resultBox(this, "txtZ2", 280, 164, 140, Blue);
    label(this, QStringLiteral("Standard error of difference:"), 16, 196, 260);
    resultBox(this, "txtSEdr", 280, 194, 140, Blue);
    label(this, QStringLiteral("z value of the difference:"), 16, 226, 260);
    resultBox(this, "txtZD", 280, 224, 140, Red);

    auto* zFrame = new QGroupBox(QStringLiteral("Using z-Statistic (less conservative)"), this);
    zFrame->setGeometry(8, 260, 300, 150);
    noteBox(zFrame, "Text2", QStringLiteral("Assumes 'normality'\n"), 8, 22, 284, 40);
    label(zFrame, QStringLiteral("One Tailed p Value:"), 8, 66, 140);
    resultBox(zFrame, "txt1PZ", 150, 64, 140, Red);
    label(zFrame, QStringLiteral("Two Tailed p Value:"), 8, 100, 140);
    resultBox(zFrame, "txt2PZ", 150, 98, 140, Red);

    auto* tFrame = new QGroupBox(QStringLiteral("Using t-Statistic (more conservative)"), this);
    tFrame->setGeometry(320, 260, 312, 150);
    label(tFrame, QStringLiteral("Degrees of Freedom:"), 8, 32, 150);
    resultBox(tFrame, "txtDF", 160, 30, 140, Red);
    label(tFrame, QStringLiteral("One Tailed p Value:"), 8, 66, 150);
    resultBox(tFrame, "txt1PT", 160, 64, 140, Red);
    label(tFrame, QStringLiteral("Two Tailed p Value:"), 8, 100, 150);
    resultBox(tFrame, "txt2PT", 160, 98, 140, Red);

    doItButtons(this, 440, 62);
}

void frmDiffBetweenRs::cmdDoIt_Click()
{
    auto box = [this](const char* name) { return boxText(this, QString::fromLatin1(name)); };
    apply(this, compareIndependentRs(box("txtR1"), box("txtN1r"), box("txtR2"), box("txtN2r")));
}

void frmDiffBetweenRs::cmdClear_Click() { clearTextBoxes(this); }

void frmDiffBetweenRs::cmdExit_Click() { close(); }

frmDiffBetweenRs* showDiffBetweenRs()
{
    static QPointer<frmDiffBetweenRs> window;
    return showSingle(window);
}

} // namespace calculators
