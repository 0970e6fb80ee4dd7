#include "calculators/frmDtoOR.h"

#include "calculators/CalcKit.h"

namespace calculators {

namespace {

OddsRatioWindow::Design design()
{
    OddsRatioWindow::Design d;
    d.name = "frmDtoOR";
    d.caption = QStringLiteral("Convert Effect Size To  Odds Ratio");
    d.caution = dToOddsRatioCaution();
    d.valueLabel = QStringLiteral("d (Effect Size) To Convert:");
    d.lowerLabel = QStringLiteral("Lower Effect Size 95% Confidence Interval To Convert:");
    d.upperLabel = QStringLiteral("Upper Effect Size 95% Confidence Interval To Convert:");
    d.doItCaption = QStringLiteral("&Do It!");
    d.exitCaption = QStringLiteral("E&xit");
    d.filter = frame::KeyFilter::Signed;
    d.rows = {{"Label8", QStringLiteral("Log Odds Ratio:"), "txtLogOR", "Label7", "txtLogORMinus", "Label6",
               "txtLogORPlus"},
              {"Label3", QStringLiteral("Odds Ratio:"), "txtD", "Label4", "txtDMinus95", "Label5", "txtDPlus95"}};
    // The log limits go with the odds-ratio limits, so no box keeps a result
    // of an earlier conversion.
    for (const char* box : kDtoORClearedBoxes)
        d.clearedBoxes << box;
    d.compute = &dToOddsRatio;
    return d;
}

} // namespace

frmDtoOR::frmDtoOR(QWidget* parent) : OddsRatioWindow(design(), parent) {}

frmDtoOR* showDtoOR()
{
    static QPointer<frmDtoOR> window;
    return showSingle(window);
}

} // namespace calculators
