#include "meandiff/frmMain.h"

namespace tarvoss {

frmMain::frmMain(QWidget* parent) : meandiff::MainFrame(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tarvoss"));
}

frmMain::~frmMain() = default;

} // namespace tarvoss
