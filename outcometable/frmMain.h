#pragma once
// The main window of Quellin.
#include "meandiff/MainFrame.h"

namespace quellin {

class frmMain : public meandiff::MainFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;
};

} // namespace quellin
