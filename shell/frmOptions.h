#pragma once
// The Options dialog: one check box that associates the program's data-file
// type with the running program or removes the association; in Morvane also
// the choice of the tab that opens at start.
#include "shell/ProgramShell.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace shell {

class frmOptions : public QDialog {
    Q_OBJECT
public:
    // Loads at once (Form_Load). The program folder defaults to the running
    // program's; its icon files are looked up there.
    frmOptions(const OptionsTexts& texts, QWidget* owner = nullptr, const QString& programFolder = {});
    ~frmOptions() override;

    void Form_Load();
    void chkAssoc_Click();
    void cmdApply_Click();

    // The running program's full path.
    QString ExePath;
    // False while Form_Load runs, true from its end on.
    bool Loaded = false;

private:
    OptionsTexts texts_;
    QString folder_;

    QCheckBox* chkAssoc = nullptr;
    QLabel* picIcon = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* op[4] = {};
    QPushButton* cmdApply = nullptr;
};

} // namespace shell
