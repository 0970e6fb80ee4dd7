#pragma once
// The window that turns a t, z, correlation or chi-square statistic into one-
// and two-tailed p values, one row per statistic.
#include <QWidget>

namespace calculators {

class frmSignificance : public QWidget {
    Q_OBJECT
public:
    explicit frmSignificance(QWidget* parent = nullptr);

    void cmdT_Click();
    void cmdZ_Click();
    void cmdR_Click();
    void cmdChi_Click();
    void cmdReset_Click();
    void cmdExit_Click();
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmSignificance* showSignificance();

} // namespace calculators
