#pragma once
// The main window of Morvane: the three input steps above a tab control with
// the reliable change, the clinical change, the exact confidence rates and
// the extra information.
#include "frame/MainFrame.h"

#include <QHash>
#include <memory>
#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace morvane {

class ChangeFileCommands;

class frmMain : public frame::MainFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // "&OK, Do The Clever Stuff!": reliable change and clinical cut-offs.
    void CmdClever_Click();
    // "Clear All And Start Again".
    void cmdClear_Click();
    // "Enough Already! Exit!".
    void cmdCancel_Click() { close(); }
    void CmdHelpReliability_Click();
    void CmdHelpSD_Click();
    void CmdHelpTime1_Click();
    void CmdHelpTime2_Click();
    // Exact confidence rates: the change needed for a level, and the level
    // reached by a change.
    void cmdCompute_Click();
    void cmdPoint_Click();

protected:
    const frame::FrameConfig& frameConfig() const override;
    // Outer size at every load, then the start tab.
    void loadProgramSteps() override;
    void runCalculation() override { CmdClever_Click(); }
    void mnuFileOpen_Click() override;
    bool saveAs() override;
    void mnuSave_Click() override;
    void mnuFilePrint_Click() override;
    void openRecentFile(int index, const QString& path) override;
    // File > New keeps the text of the window's first control, txtClinStatus.
    void clearAll() override;
    // The Step 1 warning of the two score boxes.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Writer;

    // Labels here wrap their longer captions (the frame's do not).
    static QLabel* addLabel(QWidget* parent, const QString& text, const QRect& r, const QString& name = {});
    void buildControls();
    void buildUpperArea(QWidget* central);
    void buildReliableChangeTab(QWidget* page);
    void buildClinicalChangeTab(QWidget* page);
    void buildExactConfidenceTab(QWidget* page);
    void buildExtraInfoTab(QWidget* page);
    // Shows a picture file of the program folder in a criterion picture;
    // raises File not found when the file cannot be read.
    void showPicture(const QString& picture, const QString& file);
    void reportFailure(const QString& description);
    void runExact(bool pointChange);

    std::unique_ptr<ChangeFileCommands> files_;
    QHash<QString, QLabel*> pictures_;
    QTabWidget* SSTab1 = nullptr;
    QPlainTextEdit* txtClinStatus = nullptr;
    QPlainTextEdit* txtNote = nullptr;
    QPlainTextEdit* TxtExtraInfo = nullptr;
};

// Morvane's menus, toolbar, pictures and status bar.
const frame::FrameConfig& frameConfig();
// The tab chosen in the Options dialog ("Settings"/"Tab": "op0" .. "op3"),
// 0 for any other text.
int startTab();

} // namespace morvane
