#pragma once
// Opens the Quellin main window and drives it by objectName.
#include "outcometable/frmMain.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <ostream>


namespace quellin_test {

class QuellinWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        w = std::make_unique<quellin::frmMain>();
        w->show();
        QApplication::setActiveWindow(w.get());
        testkit::settle();
    }
    void TearDown() override { w.reset(); }

    QLineEdit* box(const QString& name) { return testkit::find<QLineEdit>(w.get(), name); }
    QWidget* control(const QString& name) { return testkit::find<QWidget>(w.get(), name); }
    QString text(const QString& name) { return testkit::text(w.get(), name); }
    bool shown(const QString& name) { return !control(name)->isHidden(); }

    // Types into a box as a person would; text the key filter refuses comes
    // in as a paste would.
    void enter(const QString& name, const QString& value)
    {
        QLineEdit* b = box(name);
        testkit::retype(b, value);
        if (b->text() != value)
            b->setText(value);
    }
    void level(const QString& value)
    {
        auto* c = testkit::find<QComboBox>(w.get(), QStringLiteral("Combo2"));
        const int i = c->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (i >= 0) {
            c->setCurrentIndex(i);
        } else {
            testkit::retype(c, value);
            if (c->currentText() != value)
                c->lineEdit()->setText(value);
        }
    }
    void mode(int outcomes)
    {
        testkit::click(control(outcomes == 2 ? QStringLiteral("OpTwo") : QStringLiteral("OpThree")));
    }
    void fisher(bool on)
    {
        auto* c = testkit::find<QCheckBox>(w.get(), QStringLiteral("ChkFishers"));
        if (c->isChecked() != on)
            testkit::click(c);
    }
    // 2 x 2 table: treatment improved / not, control improved / not.
    void table2(const QString& a, const QString& b, const QString& c, const QString& d)
    {
        mode(2);
        enter(QStringLiteral("TxImp"), a);
        enter(QStringLiteral("TxSame"), b);
        enter(QStringLiteral("CtrlImp"), c);
        enter(QStringLiteral("CtrlSame"), d);
    }
    void table3(const QStringList& tx, const QStringList& ctrl)
    {
        mode(3);
        enter(QStringLiteral("TxImp"), tx[0]);
        enter(QStringLiteral("TxSame"), tx[1]);
        enter(QStringLiteral("TxWorse"), tx[2]);
        enter(QStringLiteral("CtrlImp"), ctrl[0]);
        enter(QStringLiteral("CtrlSame"), ctrl[1]);
        enter(QStringLiteral("CtrlWorse"), ctrl[2]);
    }
    void doIt() { testkit::click(control(QStringLiteral("CmdDoItOdds"))); }

    std::unique_ptr<quellin::frmMain> w;
};

} // namespace quellin_test
