#pragma once
// The window that computes d for a repeated-measures design, with two 95 %
// confidence intervals.
#include <QWidget>

namespace calculators {

class frmWithinES : public QWidget {
    Q_OBJECT
public:
    explicit frmWithinES(QWidget* parent = nullptr);

    // The signed-decimal filter of txtR and txtT.
    int NumericCharsOnly(QWidget* TB, int Key);

    void cmdDoIt_Click();
    void cmdClear_Click();
    void cmdExit_Click();
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmWithinES* showWithinES();

} // namespace calculators
