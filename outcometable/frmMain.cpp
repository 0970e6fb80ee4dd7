#include "outcometable/frmMain.h"

namespace quellin {

frmMain::frmMain(QWidget* parent) : meandiff::MainFrame(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quellin"));
}

frmMain::~frmMain() = default;

} // namespace quellin
