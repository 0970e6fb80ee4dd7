#pragma once
// The window that tests whether the one-tailed p values of two studies differ.
#include <QWidget>

class QCheckBox;

namespace calculators {

class frmZDifferences : public QWidget {
    Q_OBJECT
public:
    explicit frmZDifferences(QWidget* parent = nullptr);

    void cmdCompute_Click();
    void chkNegative_Click();

private:
    QCheckBox* chkNegative_ = nullptr;
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmZDifferences* showZDifferences();

} // namespace calculators
