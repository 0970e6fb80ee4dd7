#pragma once
// The main window of Quellin: study details, the treatment-by-outcome table
// (2 x 2 or 3 x 2), the confidence level, and every result of the table.
#include "frame/MainFrame.h"
#include "outcometable/OutcomeStats.h"
#include "shell/Resize.h"

#include <QHash>
#include <memory>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quellin {

class OutcomeFileCommands;

class frmMain : public frame::MainFrame, public shell::Resize::LaidOutWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // "Do It!": every result of the table in one run; a failure is reported
    // in a message box.
    void CmdDoItOdds_Click();
    // The mode switches; they run when their option becomes selected.
    void OpTwo_Click();
    void OpThree_Click();
    // "Clear All && Start Again".
    void cmdClear_Click();
    // The log display of the odds ratios.
    void chkLogs_Click();
    void cmdNNTWarning_Click();
    void cmdNNHWarning_Click();
    void cmdConvertToD_Click();
    void cmdChiTable_Click();

    // The mode the option buttons hold.
    OutcomeMode outcomeMode() const;
    // Selects the option of a mode; its handler runs when it was not selected.
    void setOutcomeMode(OutcomeMode mode);

protected:
    const frame::FrameConfig& frameConfig() const override;
    void loadProgramSteps() override;
    // Toolbar "Calculate": the computation without a message of its own.
    void runCalculation() override;
    void mnuFileOpen_Click() override;
    bool saveAs() override;
    void mnuFilePrint_Click() override;
    void openRecentFile(int index, const QString& path) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Writer;

    void buildControls();
    // The frame's makers, on the window's one area.
    QLineEdit* addBox(const QString& name, int x, int y, int w, int h = 21)
    {
        return MainFrame::addBox(area_, name, x, y, w, h);
    }
    QLabel* addLabel(const QString& text, int x, int y, int w, int h = 21, const QString& name = {})
    {
        return MainFrame::addLabel(area_, text, x, y, w, h, name);
    }
    void computeOdds();
    void switchMode(OutcomeMode mode);
    // The totals row at the place of the mode, at the window's present size.
    void placeTotalsRow();
    void afterLayout() override { placeTotalsRow(); }
    void hideLogs();

    QWidget* area_ = nullptr;
    std::unique_ptr<OutcomeFileCommands> files_;
    QComboBox* Combo2 = nullptr;
    QRadioButton* OpTwo = nullptr;
    QRadioButton* OpThree = nullptr;
    QCheckBox* ChkFishers = nullptr;
    QCheckBox* chkLogs = nullptr;
    QLabel* lblLogs = nullptr;
    QLabel* lblPhi = nullptr;
    QLabel* LblFisherWarning = nullptr;
    QPushButton* cmdNNTWarning = nullptr;
    QPushButton* cmdNNHWarning = nullptr;
    StoredOddsRatios stored_;
};

// Quellin's menus, toolbar, pictures and status bar.
const frame::FrameConfig& frameConfig();

} // namespace quellin
