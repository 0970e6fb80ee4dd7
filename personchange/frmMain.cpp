#include "personchange/frmMain.h"

namespace morvane {

frmMain::frmMain(QWidget* parent) : meandiff::MainFrame(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Morvane"));
}

frmMain::~frmMain() = default;

} // namespace morvane
