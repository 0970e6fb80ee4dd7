#pragma once
// The heterogeneity window: Rosenthal's Q and I² of the last meta-analysis,
// shown in their formulas with a verdict.
#include "metastats/MetaAnalysis.h"

#include <QDialog>

namespace metastats {

class frmHeterogeneity : public QDialog {
    Q_OBJECT
public:
    // Builds the window owned by the database window; Form_Load fills it.
    frmHeterogeneity(QWidget* metData, const RosenthalResults& results);

    void Form_Load();
    void cmdExit_Click();

private:
    RosenthalResults results_;
};

} // namespace metastats
