#include "calculators/frmHierarchicalR.h"

#include "calculators/CalcControls.h"
#include "calculators/FSquaredWindow.h"

#include <QLabel>
#include <QPushButton>

namespace calculators {

frmHierarchicalR::frmHierarchicalR(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmHierarchicalR"));
    setWindowTitle(QStringLiteral("Hierarchical Regression"));
    setWindowFrame(this, 8820, 2400, true);

    addR2Label(this, QStringLiteral("lblR2"), QStringLiteral("A"), 240, 240);
    txtR2 = addInputBox(this, QStringLiteral("txtR2"), 960, 240, 1200);
    addR2Label(this, QStringLiteral("lblR2AB"), QStringLiteral("AB"), 2400, 240);
    txtR2AB = addInputBox(this, QStringLiteral("txtR2AB"), 3120, 240, 1200);
    addScriptCaption(this, QStringLiteral("lblf2"), QStringLiteral("f<sup>2</sup> ="), 240, 720);
    txtf2 = addResultBox(this, QStringLiteral("txtf2"), 960, 720, 1200);
    auto* cmdConvert = addButton(this, QStringLiteral("cmdConvert"), QStringLiteral("Convert"), 960, 1200, 1200);
    connect(cmdConvert, &QPushButton::clicked, this, &frmHierarchicalR::cmdConvert_Click);
    addExplanation(this,
                   QStringLiteral("R Squared A = The variance accounted for by a set of one or more independent "
                                  "variables A; R Squared AB = The combined variance accounted for by A and another "
                                  "set of one or more independent variables B; f Squared = Effect size attributable "
                                  "to the addition of B."),
                   4440, 180, 4260, 1740);
    addFSquaredStatusBar(this);
}

void frmHierarchicalR::cmdConvert_Click()
{
    runConversion(this, txtf2, [this] { return hierarchicalRFSquared(txtR2->text(), txtR2AB->text()); });
}

frmHierarchicalR* showHierarchicalR()
{
    static QPointer<frmHierarchicalR> window;
    return showSingle(window);
}

} // namespace calculators
