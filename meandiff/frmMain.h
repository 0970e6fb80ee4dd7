#pragma once
// The main window of Tarvoss: study details, group data, the effect-size
// calculation with its results, significance and sample-size tabs, and the
// two conversion tabs.
#include "frame/MainFrame.h"
#include "shell/Resize.h"

#include <QHash>
#include <memory>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace meandiff {
class StudyFileCommands;
}

namespace tarvoss {

class frmMain : public frame::MainFrame, public shell::Resize::LaidOutWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The compute button "OK, show me what I've got!".
    void cmdDoIt_Click();
    // "Sample Size" tab: sample sizes for the expected effect size in txtD.
    void cmdSample_Click();
    void cmdPowerAssumptions_Click();
    void CmdTAssumptions_Click();
    void CmdDatabase_Click();

    // Launchers of the supplementary calculators and tables (each window
    // once per run; pressing again brings the open one forward).
    void CmdProbabilities_Click();
    void cmdCI_Click();
    void cmdChi_Click();
    void cmdR2_Click();
    void cmdHierarchicalR_Click();
    void cmdZDiffs_Click();
    void cmd2Corr_Click();
    void cmdSignificance_Click();
    void cmdHedges_Click();
    void cmdESInteract_Click();
    void cmdDandOR_Click();
    void cmdWithinES_Click();
    void cmdSD_Click();
    void cmdCounterNull_Click();

protected:
    const frame::FrameConfig& frameConfig() const override;
    void loadProgramSteps() override;
    void runCalculation() override;
    void mnuMeta_Click() override;
    void mnuFileOpen_Click() override;
    bool saveAs() override;
    void mnuFilePrint_Click() override;
    void openRecentFile(int index, const QString& path) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The second conversion tab's raised and lowered letters follow the
    // letters of their option's caption.
    void afterLayout() override;

private:
    class Writer;

    void buildControls();
    // The calculator buttons on the result tabs.
    void buildLaunchers(QWidget* central, QWidget* tabEffectSizes, QWidget* tabSignificance, QWidget* tabSampleSize);
    void reportFailure(const QString& description);

    std::unique_ptr<meandiff::StudyFileCommands> files_;
    // The database window of a database named on the command line, shown
    // in front of this window once this window is up.
    void showDatabaseInFront();
    bool databaseAfterShow_ = false;
    QTabWidget* SSTab1 = nullptr;
    QWidget* conversions2_ = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* LblPercent[3] = {nullptr, nullptr, nullptr};
    QPushButton* cmdDoIt = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* CmdDatabase = nullptr;
    QPushButton* cmdSample = nullptr;
    QPushButton* cmdPowerAssumptions = nullptr;
    QPushButton* CmdTAssumptions = nullptr;
};

// Tarvoss's menus, toolbar, pictures and status bar.
const frame::FrameConfig& frameConfig();

// Points the interaction calculator's Copy at the open Tarvoss main window
// (a top-level window named frmMain of this class). The main window does
// this when it is built.
void connectCalculators();

} // namespace tarvoss
