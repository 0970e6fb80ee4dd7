#pragma once
// The workbook export window: choose a study database file and a workbook
// name, and export every table of the database into the workbook.
#include <QDialog>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace metadb {

class frmExcel : public QDialog {
    Q_OBJECT
public:
    explicit frmExcel(QWidget* owner = nullptr);

    void cmdDB_Click();
    void cmdEXL_Click();
    void cmdConvert_Click();
    void cmdClose_Click();

    // The database the export reads (chosen with cmdDB only).
    QString databasePath() const { return databasePath_; }

private:
    void appendLog(const QString& text);

    QLineEdit* txtDB_;
    QLineEdit* txtEXL_;
    QPlainTextEdit* txtResults_;
    QString databasePath_;
    // The file name the shared file dialog holds from its last use.
    QString dialogFileName_;
};

} // namespace metadb
