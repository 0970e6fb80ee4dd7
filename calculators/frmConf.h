#pragma once
// Confidence interval around one sample's mean, at a listed confidence level
// or with a z or t value of the person's own.
#include "shell/Resize.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace calculators {

class frmConf : public QWidget, public shell::Resize::LaidOutWindow {
    Q_OBJECT
public:
    explicit frmConf(QWidget* parent = nullptr);

    void Form_Load();
    void opListed_Click();   // op50_Click .. op999_Click
    void opOther_Click();
    void cmdConfidence_Click();
    void cmdReset_Click();
    void cmdHelp_Click();
    void cmdTable_Click();
    void cmdTable2_Click();
    void cmdExit_Click();

private:
    void ShowStandardLayout();
    // The level frame at the height of the chosen kind of level.
    void placeLevelFrame();
    void afterLayout() override { placeLevelFrame(); }
    void ClearResults();
    void emptyResultTexts();
    QList<QWidget*> resultControls() const;
    int selectedLevel() const;

    QLineEdit* txtMean = nullptr;
    QLineEdit* txtSD = nullptr;
    QLineEdit* txtN = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QList<QRadioButton*> levelOptions_;   // op50 .. op999, opOther
    QPlainTextEdit* Text1 = nullptr;
    QLineEdit* txtZ = nullptr;
    QPushButton* cmdTable2 = nullptr;
    QLineEdit* txtSEFormula = nullptr;
    QLabel* lblSE = nullptr;
    QLineEdit* txtSE = nullptr;
    QLabel* lblZValue = nullptr;
    QLineEdit* txtZValue = nullptr;
    QLabel* lblPercent1 = nullptr;
    QLabel* lblPercent2 = nullptr;
    QLabel* lblPercent3 = nullptr;
    QLabel* lblError = nullptr;
    QLabel* lblPlusMinus = nullptr;
    QLineEdit* txtError = nullptr;
    QLabel* lblMinus = nullptr;
    QLabel* lblPlus = nullptr;
    QLabel* lblMean = nullptr;
    QLineEdit* txtMinConf = nullptr;
    QLineEdit* txtMeanOutput = nullptr;
    QLineEdit* txtPlusConf = nullptr;
    QPlainTextEdit* txtSampleSize = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdTable = nullptr;
};

// Shows the program's one confidence-interval calculator, modeless without
// owner; an open one comes forward with its contents.
frmConf* showConf();

} // namespace calculators
