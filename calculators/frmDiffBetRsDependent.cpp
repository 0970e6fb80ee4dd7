#include "calculators/frmDiffBetRsDependent.h"

#include "calculators/CorrelationComparison.h"
#include "calculators/CalcKit.h"


namespace calculators {

using namespace calckit;

frmDiffBetRsDependent::frmDiffBetRsDependent(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmDiffBetRsDependent"));
    setWindowTitle(QStringLiteral("Compare Two Depedent Correlations"));
    resize(640, 446);

    const frame::KeyFilter signedFilter = frame::KeyFilter::Signed;
    const frame::KeyFilter digits = frame::KeyFilter::Digits;

    noteBox(this, "Text1",
            QStringLiteral("Significance of the difference between two correlations from the same (dependent) "
                           "sample. Tests for a significant difference in the correlation between variables xy "
                           "and vy.\n"
                           "Where:\n"
                           "    rxy = correlation coefficient between variables x and y\n"
                           "    rvy = correlation coefficient between variables v and y\n"
                           "    ryv = correlation coefficient between variables x and v \n"),
            8, 8, 624, 110);

    label(this, QStringLiteral("Correlation r-xy:"), 16, 132, 130);
    inputBox(this, "txtR1", 150, 130, 100, &signedFilter);
    label(this, QStringLiteral("Correlation r-vy:"), 16, 164, 130);
    inputBox(this, "txtR2", 150, 162, 100, &signedFilter);
    label(this, QStringLiteral("Correlation r-xv:"), 16, 196, 130);
    inputBox(this, "txtR3", 150, 194, 100, &signedFilter);
    label(this, QStringLiteral("N:"), 16, 228, 130);
    inputBox(this, "txtN1r", 150, 226, 100, &digits);

    noteBox(this, "Text2", QStringLiteral("The determinant of the correlation \nmatrix for X, Y, and V:\n"), 16, 262,
            260, 52);
    resultBox(this, "txtRValue", 280, 276, 140, Blue);
    label(this, QStringLiteral("t-Statistic for xy - vy:"), 16, 320, 260);
    resultBox(this, "txtTValue", 280, 318, 140, Blue);
    label(this, QStringLiteral("Degrees of Freedom:"), 16, 352, 260);
    resultBox(this, "txtDF", 280, 350, 140, Blue);
    label(this, QStringLiteral("One Tailed p Value:"), 16, 384, 260);
    resultBox(this, "txt1PT", 280, 382, 140, Red);
    label(this, QStringLiteral("Two Tailed p Value:"), 16, 412, 260);
    resultBox(this, "txt2PT", 280, 410, 140, Red);

    doItButtons(this, 440, 130);
}

void frmDiffBetRsDependent::cmdDoIt_Click()
{
    auto box = [this](const char* name) { return boxText(this, QString::fromLatin1(name)); };
    apply(this, compareDependentRs(box("txtR1"), box("txtR2"), box("txtR3"), box("txtN1r")));
}

void frmDiffBetRsDependent::cmdClear_Click() { clearTextBoxes(this); }

void frmDiffBetRsDependent::cmdExit_Click() { close(); }

frmDiffBetRsDependent* showDiffBetRsDependent()
{
    static QPointer<frmDiffBetRsDependent> window;
    return showSingle(window);
}

} // namespace calculators
