#pragma once
// The window that estimates a standard deviation by one of seven methods.
#include <QWidget>

namespace calculators {

enum class SDMethod;

class frmSDEstimate : public QWidget {
    Q_OBJECT
public:
    explicit frmSDEstimate(QWidget* parent = nullptr);

    void Op1_Click();
    void Op2_Click();
    void Op3_Click();
    void Op4_Click();
    void Op5_Click();
    void Op6_Click();
    void Op7_Click();
    void cmdCompute_Click();
    void cmdClear_Click();
    void cmdExit_Click();

private:
    // Empties the answer and enables the boxes the method uses.
    void chooseMethod(SDMethod method);
    SDMethod selectedMethod() const;
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmSDEstimate* showSDEstimate();

} // namespace calculators
