#pragma once
// The window that computes the counternull value of an effect size.
#include <QWidget>

namespace calculators {

class frmCounterNull : public QWidget {
    Q_OBJECT
public:
    explicit frmCounterNull(QWidget* parent = nullptr);

    // The signed-decimal filter of txtES and txtNull.
    int NumericCharsOnly(QWidget* TB, int Key);

    void cmdCompute_Click();
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmCounterNull* showCounterNull();

} // namespace calculators
