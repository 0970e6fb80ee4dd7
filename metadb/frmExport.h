#pragma once
// The export chooser of the study database window and its two exports.
#include <QDialog>

class QWidget;

namespace metadb {

// Shows the export chooser modal, owned by `owner`.
void showExport(QWidget* owner);

// The chooser: one button opens the workbook export, the other the database
// copy, each modal over the chooser.
class frmExport : public QDialog {
    Q_OBJECT
public:
    explicit frmExport(QWidget* owner = nullptr);

    void cmdExcel_Click();
    void cmdAccess_Click();
};

} // namespace metadb
