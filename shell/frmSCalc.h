#pragma once
// The simple calculator: a four-function pocket calculator working strictly
// from left to right on one running value and one pending operator, driven by
// its buttons and the keyboard.
#include <QWidget>
#include <QSet>

class QLineEdit;
class QPushButton;

namespace shell {

// The calculator's running state. It outlives the window: closing the window
// keeps it for the next opening within the run (only "C" resets it).
struct SCalcState {
    double Accumulator = 0;
    short PendingOp = 0;    // 0 none, 1 "+", 2 "-", 3 "x", 4 "/"
    bool NewEntry = false;  // the next digit or point starts a new entry
};

class frmSCalc : public QWidget {
    Q_OBJECT
public:
    // state: the program's calculator state unless a test passes its own.
    explicit frmSCalc(SCalcState* state = nullptr, QWidget* parent = nullptr);

    // The program-wide state the window works on by default.
    static SCalcState& programState();
    const SCalcState& state() const { return *s_; }

    void cmdNumber_Click(int index);
    void cmdOperator_Click(int index);
    void cmdEquals_Click();
    void cmdDecimal_Click();
    void cmdPlusMinus_Click();
    void cmdClear_Click();
    void cmdClearEntry_Click();
    void cmdExit_Click();
    void DeleteLastChar();
    void txtDisplay_KeyPress(QChar ch);
    void txtDisplay_KeyUp(int keyCode);

    // The text the display shows for a result.
    static QString resultText(double v);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void caretToEnd();
    // The display as a number; false when it holds none.
    bool displayValue(double& x) const;
    // True when the text is a number too large for a double.
    static bool tooLarge(const QString& text);
    bool doEquals();
    void failed(const QString& message);

    SCalcState* s_;
    QLineEdit* txtDisplay_ = nullptr;
    QSet<int> keypadCharHandled_;
};

} // namespace shell
