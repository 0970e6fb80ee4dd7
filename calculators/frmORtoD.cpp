#include "calculators/frmORtoD.h"

#include "calculators/CalcKit.h"

namespace calculators {

namespace {

OddsRatioWindow::Design design()
{
    OddsRatioWindow::Design d;
    d.name = "frmORtoD";
    d.caption = QStringLiteral("Convert Odds Ratio To Effect Size");
    d.caution = oddsRatioToDCaution();
    d.valueLabel = QStringLiteral("Odds Ratio To Convert:");
    d.lowerLabel = QStringLiteral("Lower Odds Ratio 95% Confidence Interval To Convert:");
    d.upperLabel = QStringLiteral("Upper Odds Ratio 95% Confidence Interval To Convert:");
    d.doItCaption = QStringLiteral("Do It!");
    d.exitCaption = QStringLiteral("Exit");
    d.filter = frame::KeyFilter::Unsigned;
    d.rows = {{"Label3", QStringLiteral("d:"), "txtD", "Label4", "txtDMinus95", "Label5", "txtDPlus95"}};
    for (const char* box : kORtoDClearedBoxes)
        d.clearedBoxes << box;
    d.compute = &oddsRatioToD;
    return d;
}

} // namespace

frmORtoD::frmORtoD(QWidget* parent) : OddsRatioWindow(design(), parent) {}

frmORtoD* showORtoD()
{
    static QPointer<frmORtoD> window;
    return showSingle(window);
}

} // namespace calculators
