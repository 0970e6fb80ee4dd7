#pragma once
// The print options panel of the study database window and the printing of
// its study grid over as many pages as it needs.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTableView;
class QWidget;

namespace platform {
class Recordset;
}

namespace metadb {

class PrintPanel : public QObject {
    Q_OBJECT
public:
    // Builds the panel's controls inside `picPrint` (which the window owns,
    // places and hides) and connects its buttons. `recordset` gives the
    // grid's recordset at the moment of printing; `txtResults` is the report
    // box that the panel stands in for while it is shown.
    PrintPanel(QWidget* picPrint, QWidget* txtResults, QTableView* grid,
               std::function<platform::Recordset*()> recordset,
               std::function<void()> showProgress, std::function<void()> hideProgress);
    ~PrintPanel() override;

    void cmdPrint_Click();
    void cmdFinished_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The margin check on leaving a margin box.
    void txtMarginTop_Validate();
    void txtMarginBottom_Validate();
    void txtMarginLeft_Validate();
    void txtMarginRight_Validate();
    void checkMargin(QLineEdit* box);

    QWidget* picPrint_;
    QWidget* txtResults_;
    QTableView* grid_;
    std::function<platform::Recordset*()> recordset_;
    std::function<void()> showProgress_;
    std::function<void()> hideProgress_;

    QCheckBox* chkGrid_ = nullptr;
    QCheckBox* chkHeader_ = nullptr;
    QCheckBox* chkCaption_ = nullptr;
    QLineEdit* txtMarginTop_ = nullptr;
    QLineEdit* txtMarginLeft_ = nullptr;
    QLineEdit* txtMarginRight_ = nullptr;
    QLineEdit* txtMarginBottom_ = nullptr;
    // The printer and the settings last chosen in the printer dialog, kept
    // while the window lives.
    std::unique_ptr<QPrinter> printer_;
};

} // namespace metadb
