#include "calculators/frmCounterNull.h"

#include "calculators/CalcKit.h"
#include "calculators/CounterNull.h"

#include <QLineEdit>
#include <QRadioButton>

namespace calculators {

using namespace calckit;

frmCounterNull::frmCounterNull(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmCounterNull"));
    setWindowTitle(QStringLiteral("Counternull Statistics"));
    resize(px(9390), px(4665));

    const frame::KeyFilter signedFilter = frame::KeyFilter::Signed;

    label(this, QStringLiteral("Type of Statistic to Compute Counternull  Value:"), 8, 8, 400);
    auto* opG = optionAt(this, QStringLiteral("OpG"),
                         QStringLiteral("Cohen's d or Hedges' g (assumes symmetrical distribution)"),
                         QRect(8, 30, 500, 22));
    optionAt(this, QStringLiteral("OpR"), QStringLiteral("r (Pearson correlation)"), QRect(8, 54, 300, 22));
    opG->setChecked(true);

    label(this, QStringLiteral("Effect Size Statistic:"), 8, 88, 150);
    inputBox(this, "txtES", 160, 86, 110, &signedFilter);
    label(this, QStringLiteral("Null Statistic (most commonly \"0\"):"), 286, 88, 224);
    inputBox(this, "txtNull", 512, 86, 104, &signedFilter)->setText(QStringLiteral("0"));

    auto* compute = button(this, "cmdCompute", QStringLiteral("Compute"), 8, 122, 150, 30);
    connect(compute, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });
    noteBox(this, "txtWorking", counterNullWorkingStart(), 290, 120, 326, 110);
    label(this, QStringLiteral("Counternull Statistic:"), 8, 164, 200);
    resultBox(this, "txtCounterNull", 8, 186, 150, Red);

    noteBox(this, "Text1",
            QStringLiteral("For more information see:\n"
                           "Rosenthal, R., & Rubin, D. B. (1994). The counternull value of an effect size: A new "
                           "statistic. Psychological Science, 6, 329-334.\n"),
            8, 240, 608, 64);
}

int frmCounterNull::NumericCharsOnly(QWidget* TB, int Key) { return frame::NumericCharsOnly(TB, Key); }

void frmCounterNull::cmdCompute_Click()
{
    const bool correlation = findChild<QRadioButton*>(QStringLiteral("OpR"))->isChecked();
    apply(this, counterNull(correlation, boxText(this, QStringLiteral("txtES")), boxText(this, QStringLiteral("txtNull"))));
}

frmCounterNull* showCounterNull()
{
    static QPointer<frmCounterNull> window;
    return showSingle(window);
}

} // namespace calculators
