#pragma once
// The main window of Tarvoss.
#include "meandiff/MainFrame.h"

namespace tarvoss {

class frmMain : public meandiff::MainFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;
};

} // namespace tarvoss
