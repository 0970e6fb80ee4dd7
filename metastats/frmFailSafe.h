#pragma once
// The fail-safe window: Rosenthal's and Orwin's fail-safe numbers of the
// last meta-analysis, worked out from the database window's summary boxes,
// and Orwin's calculator.
#include "metastats/FailSafeTable.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace metastats {

class frmFailSafe : public QDialog {
    Q_OBJECT
public:
    // Builds the window owned by the database window; Form_Load fills it.
    explicit frmFailSafe(QWidget* metData);

    // Reads the summary boxes of the owner and fills the table, showing the
    // inconsistency warnings.
    void Form_Load();
    void cmdCompute_Click();

    // The texts of the owner's summary boxes ("" for a box it lacks).
    FailSafeInputs readSummaryBoxes() const;

private:
    void LoadFailSafeSummary();
    QString ownerText(const char* name) const;
    void setText(const char* name, const QString& text);
    void setVerdict(const char* name, FailSafeVerdict verdict);
};

} // namespace metastats
