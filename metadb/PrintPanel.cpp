// Placeholder until grid printing is built.
#include "metadb/PrintPanel.h"
#include <QWidget>

namespace metadb {

PrintPanel::PrintPanel(QWidget* picPrint, QWidget* txtResults, QTableView* grid,
                       std::function<platform::Recordset*()> recordset, std::function<void()> showProgress,
                       std::function<void()> hideProgress)
    : QObject(picPrint), picPrint_(picPrint), txtResults_(txtResults), grid_(grid), recordset_(std::move(recordset)),
      showProgress_(std::move(showProgress)), hideProgress_(std::move(hideProgress))
{
}

void PrintPanel::cmdPrint_Click() {}

void PrintPanel::cmdFinished_Click()
{
    picPrint_->hide();
    txtResults_->show();
}

} // namespace metadb
