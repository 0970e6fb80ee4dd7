#pragma once
// Pearson's chi-square test of independence on a 2 x 2, 2 x 3 or 3 x 3 table
// of counts, with phi, Pearson's C and the effect size w.
#include "shell/Resize.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace calculators {

class frmChiSq : public QWidget, public shell::Resize::LaidOutWindow {
    Q_OBJECT
public:
    explicit frmChiSq(QWidget* parent = nullptr);

    void cmdDoIt_Click();
    void OpTwo_Click();
    void OpThree_Click();
    void OpThreeByThree_Click();
    void cmdReset_Click();
    void cmdChiProb_Click();
    void cmdExit_Click();

private:
    enum class Size { TwoByTwo, TwoByThree, ThreeByThree };
    void chooseSize(Size size);
    // The totals row and column beside the table of the chosen size.
    void placeTotals();
    void afterLayout() override { placeTotals(); }
    // ChiSquare2x2, ChiSquare2x3 and ChiSquare3x3: the same steps on the
    // shown cells of the table.
    void ChiSquare(int groups, int conditions);
    void emptyResults();

    Size size_ = Size::ThreeByThree;
    QLineEdit* cell_[3][3] = {};   // [group][condition]
    QLineEdit* txtGP_[3] = {};
    QLineEdit* txtCondN_[3] = {};
    QLabel* lblGP3 = nullptr;
    QLabel* lblCondN = nullptr;
    QLabel* lblGPN = nullptr;
    QLabel* LblDeteriorated = nullptr;
    QLabel* lblPhi = nullptr;
    QLineEdit* TotalN = nullptr;
    QLineEdit* txtChiSquared = nullptr;
    QLineEdit* txtDF = nullptr;
    QLineEdit* txt2P = nullptr;
    QLineEdit* txt1P = nullptr;
    QLineEdit* txtPhi = nullptr;
    QLineEdit* txtESC = nullptr;
    QLineEdit* txtESW = nullptr;
};

// Shows the program's one chi-square calculator, modeless without owner; an
// open one comes forward with its contents.
frmChiSq* showChiSq();

} // namespace calculators
