#pragma once
// The main window of Morvane.
#include "meandiff/MainFrame.h"

namespace morvane {

class frmMain : public meandiff::MainFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

protected:
    const meandiff::FrameConfig& frameConfig() const override;
    // Outer size at every load, then the start tab.
    void loadProgramSteps() override;
    // File > New keeps the text of the window's first control, txtClinStatus.
    void clearAll() override;
};

// Morvane's menus, toolbar, pictures and status bar.
const meandiff::FrameConfig& frameConfig();
// The tab chosen in the Options dialog ("Settings"/"Tab": "op0" .. "op3"),
// 0 for any other text.
int startTab();

} // namespace morvane
