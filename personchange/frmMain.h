#pragma once
// The main window of Morvane.
#include "meandiff/MainFrame.h"

namespace morvane {

class frmMain : public meandiff::MainFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;
};

} // namespace morvane
