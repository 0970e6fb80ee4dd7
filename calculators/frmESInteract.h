#pragma once
// The window that estimates the effect size of a group-by-time interaction in
// a 2 x 2 repeated-measures design and can hand the two change scores to the
// Tarvoss main window as an ordinary two-group study.
#include <QWidget>
#include <functional>

class QResizeEvent;

namespace calculators {

class frmESInteract : public QWidget {
    Q_OBJECT
public:
    explicit frmESInteract(QWidget* parent = nullptr);

    void cmdES_Click();
    void cmdCopy_Click();
    void cmdReset_Click();
    void cmdExit_Click();
    void Form_Resize();

    // The signed-decimal key filter of the window's four mean boxes.
    static int NumericCharsOnly(QWidget* TB, int Key);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmESInteract* showESInteract();

// The window that Copy fills: the open main window with the two groups'
// boxes, its tab SSTab1 and its button cmdDoIt (found by objectName), or
// nullptr when none is open. The main window's library supplies it; until
// then Copy does nothing.
using CopyTarget = std::function<QWidget*()>;
void setCopyTarget(CopyTarget target);

} // namespace calculators
