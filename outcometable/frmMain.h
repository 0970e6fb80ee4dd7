#pragma once
// The main window of Quellin.
#include "meandiff/MainFrame.h"

namespace quellin {

class frmMain : public meandiff::MainFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

protected:
    const meandiff::FrameConfig& frameConfig() const override;
};

// Quellin's menus, toolbar, pictures and status bar.
const meandiff::FrameConfig& frameConfig();

} // namespace quellin
