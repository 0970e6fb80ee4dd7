#pragma once
// The window that tests whether the Hedges' g of two studies differ.
#include <QWidget>

namespace calculators {

class frmDiffBetGs : public QWidget {
    Q_OBJECT
public:
    explicit frmDiffBetGs(QWidget* parent = nullptr);

    void cmdDoIt_Click();
    void cmdClear_Click();
    void cmdExit_Click();
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmDiffBetGs* showDiffBetGs();

} // namespace calculators
