#pragma once
// A small window on the frame, with a few boxes and hooks that record what
// the frame asked of them; and a fixture that starts every test from an
// empty settings store.
#include "frame/MainFrame.h"
#include "meandiff/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <gtest/gtest.h>
#include <stdexcept>

namespace frametest {

class TestFrame : public frame::MainFrame {
public:
    explicit TestFrame(bool load = true)
    {
        setObjectName(QStringLiteral("frmMain"));
        setWindowTitle(QStringLiteral("Tarvoss"));
        auto* c = centralWidget();
        txtA = new QLineEdit(c);
        txtA->setObjectName(QStringLiteral("txtA"));
        txtB = new QLineEdit(c);
        txtB->setObjectName(QStringLiteral("txtB"));
        txtB->move(0, 30);
        Combo1 = new QComboBox(c);
        Combo1->setObjectName(QStringLiteral("Combo1"));
        Combo1->setEditable(true);
        Combo1->addItems({QStringLiteral("99%"), QStringLiteral("95%"), QStringLiteral("90%")});
        Combo1->setCurrentText(QStringLiteral("95%"));
        Combo1->move(0, 60);
        txtNotes = new QPlainTextEdit(c);
        txtNotes->setObjectName(QStringLiteral("txtNotes"));
        txtNotes->setGeometry(0, 90, 200, 60);
        opOne = new QRadioButton(QStringLiteral("One"), c);
        opOne->setObjectName(QStringLiteral("opOne"));
        opOne->move(0, 160);
        chkX = new QCheckBox(QStringLiteral("X"), c);
        chkX->setObjectName(QStringLiteral("chkX"));
        chkX->move(0, 180);
        cmdGo = new QPushButton(QStringLiteral("Go"), c);
        cmdGo->setObjectName(QStringLiteral("cmdGo"));
        cmdGo->move(0, 200);
        cmdExit = new QPushButton(QStringLiteral("Get me out of here!!"), c);
        cmdExit->setObjectName(QStringLiteral("cmdExit"));
        cmdExit->move(100, 200);
        CmdDatabase = new QPushButton(QStringLiteral("Database / Meta-analysis"), c);
        CmdDatabase->setObjectName(QStringLiteral("CmdDatabase"));
        CmdDatabase->setToolTip(QStringLiteral("own tip"));
        CmdDatabase->move(200, 200);
        resize(400, 300);
        if (load)
            Form_Load();
    }

    // What the hooks were asked.
    int saves = 0;
    bool saveResult = true;
    int opens = 0;
    int prints = 0;
    int calculations = 0;
    bool calculationThrows = false;
    int metas = 0;
    bool metaThrows = false;
    QStringList recentOpened;

    QLineEdit* txtA;
    QLineEdit* txtB;
    QComboBox* Combo1;
    QPlainTextEdit* txtNotes;
    QRadioButton* opOne;
    QCheckBox* chkX;
    QPushButton* cmdGo;
    QPushButton* cmdExit;
    QPushButton* CmdDatabase;

    using MainFrame::clearAll;
    using MainFrame::trackChanges;

protected:
    // Tarvoss's menus and toolbar.
    const frame::FrameConfig& frameConfig() const override { return tarvoss::frameConfig(); }
    bool saveAs() override
    {
        ++saves;
        return saveResult;
    }
    void mnuFileOpen_Click() override { ++opens; }
    void mnuFilePrint_Click() override { ++prints; }
    void openRecentFile(int index, const QString& path) override
    {
        recentOpened << QStringLiteral("%1:%2").arg(index).arg(path);
    }
    void runCalculation() override
    {
        ++calculations;
        if (calculationThrows)
            throw std::runtime_error("calculation failed");
    }
    void mnuMeta_Click() override
    {
        ++metas;
        if (metaThrows)
            throw std::runtime_error("meta-analysis failed");
    }
};

// Every test starts with no stored settings, under the given program title.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { useProgram(QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5")); }
    void TearDown() override { useProgram(QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5")); }

    static void useProgram(const QString& title, const QString& exe)
    {
        platform::setAppInfo({title, exe, 5, 0, 0});
        platform::deleteSetting(QStringLiteral("Settings"));
        platform::deleteSetting(QStringLiteral("MRUFiles"));
    }
    static QString setting(const QString& section, const QString& key)
    {
        return platform::getSetting(section, key, QStringLiteral("<none>"));
    }
};

} // namespace frametest
