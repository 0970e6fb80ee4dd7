#pragma once
// The regression effect size f squared of adding a set of predictors B to a
// set A, from the squared multiple correlations of A and of A with B.
#include <QWidget>

class QLineEdit;

namespace calculators {

class frmHierarchicalR : public QWidget {
    Q_OBJECT
public:
    explicit frmHierarchicalR(QWidget* parent = nullptr);
    void cmdConvert_Click();

private:
    QLineEdit* txtR2 = nullptr;
    QLineEdit* txtR2AB = nullptr;
    QLineEdit* txtf2 = nullptr;
};

// Shows the program's one window of this kind, modeless without owner; an
// open one comes forward with its contents.
frmHierarchicalR* showHierarchicalR();

} // namespace calculators
