#pragma once
// The window that compares two correlations from independent samples.
#include <QWidget>

namespace calculators {

class frmDiffBetweenRs : public QWidget {
    Q_OBJECT
public:
    explicit frmDiffBetweenRs(QWidget* parent = nullptr);

    void cmdDoIt_Click();
    void cmdClear_Click();
    void cmdExit_Click();
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmDiffBetweenRs* showDiffBetweenRs();

} // namespace calculators
