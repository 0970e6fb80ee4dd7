#include "calculators/frmMultipleR.h"

#include "calculators/CalcControls.h"
#include "calculators/FSquaredWindow.h"

#include <QLabel>
#include <QPushButton>

namespace calculators {

frmMultipleR::frmMultipleR(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMultipleR"));
    setWindowTitle(QStringLiteral("Multiple Regression"));
    setWindowFrame(this, 6120, 2715, true);

    addR2Label(this, QStringLiteral("lblR2"), QStringLiteral("A"), 240, 240);
    txtR2 = addInputBox(this, QStringLiteral("txtR2"), 960, 240, 1440);
    addScriptCaption(this, QStringLiteral("lblf2"), QStringLiteral("f<sup>2</sup> ="), 240, 720);
    txtf2 = addResultBox(this, QStringLiteral("txtf2"), 960, 720, 1440);
    auto* cmdConvert = addButton(this, QStringLiteral("cmdConvert"), QStringLiteral("Convert"), 960, 1200, 1440);
    connect(cmdConvert, &QPushButton::clicked, this, &frmMultipleR::cmdConvert_Click);
    addExplanation(this,
                   QStringLiteral("R Squared A = The variance accounted for by a set of one or more independent "
                                  "variables; f Squared = An effect size statistic (not to be confused with an F "
                                  "value)."),
                   2640, 240, 3360, 1740);
    addFSquaredStatusBar(this);
}

void frmMultipleR::cmdConvert_Click()
{
    runConversion(this, txtf2, [this] { return multipleRFSquared(txtR2->text()); });
}

frmMultipleR* showMultipleR()
{
    static QPointer<frmMultipleR> window;
    return showSingle(window);
}

} // namespace calculators
