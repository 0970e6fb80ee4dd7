#pragma once
// The window that compares two correlations of one sample sharing a variable.
#include <QWidget>

namespace calculators {

class frmDiffBetRsDependent : public QWidget {
    Q_OBJECT
public:
    explicit frmDiffBetRsDependent(QWidget* parent = nullptr);

    void cmdDoIt_Click();
    void cmdClear_Click();
    void cmdExit_Click();
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmDiffBetRsDependent* showDiffBetRsDependent();

} // namespace calculators
