#include "meandiff/MainFrame.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace meandiff {

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent) {}
MainFrame::~MainFrame() = default;

bool MainFrame::RecordChanged(bool Reset) { return false; }
void MainFrame::gInitiateCopy(QWidget* Cntl) {}
void MainFrame::gInitiatePaste(QWidget* Cntl) {}

void MainFrame::Form_Load() { loadProgramSteps(); }

void MainFrame::clearAll()
{
    for (auto* e : findChildren<QLineEdit*>())
        e->clear();
    for (auto* e : findChildren<QPlainTextEdit*>())
        e->clear();
}

} // namespace meandiff
