#pragma once
// The print options panel of the study database window and the printing of
// its study grid over as many pages as it needs.
#include <QObject>
#include <functional>

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

    void cmdPrint_Click();
    void cmdFinished_Click();

private:
    QWidget* picPrint_;
    QWidget* txtResults_;
    QTableView* grid_;
    std::function<platform::Recordset*()> recordset_;
    std::function<void()> showProgress_;
    std::function<void()> hideProgress_;
};

} // namespace metadb
