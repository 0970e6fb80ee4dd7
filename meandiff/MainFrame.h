#pragma once
// The frame shared by the three main windows: menus, toolbar, status bar,
// recent files, unsaved-data prompt and window position.
#include <QMainWindow>

namespace meandiff {

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);
    ~MainFrame() override;
};

} // namespace meandiff
