#pragma once
// The regression effect size f squared from one squared multiple correlation.
#include <QWidget>

class QLineEdit;

namespace calculators {

class frmMultipleR : public QWidget {
    Q_OBJECT
public:
    explicit frmMultipleR(QWidget* parent = nullptr);
    void cmdConvert_Click();

private:
    QLineEdit* txtR2 = nullptr;
    QLineEdit* txtf2 = nullptr;
};

// Shows the program's one window of this kind, modeless without owner; an
// open one comes forward with its contents.
frmMultipleR* showMultipleR();

} // namespace calculators
