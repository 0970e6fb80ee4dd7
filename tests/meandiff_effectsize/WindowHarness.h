#pragma once
// Opens the Tarvoss main window and drives its effect-size boxes by name.
#include "meandiff/frmMain.h"
#include "testkit/QtTestKit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QApplication>
#include <memory>
#include <ostream>


namespace effsize_test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        w = std::make_unique<tarvoss::frmMain>();
        w->show();
        QApplication::setActiveWindow(w.get());
        testkit::settle();
    }
    void TearDown() override { w.reset(); }

    QLineEdit* box(const QString& name) { return testkit::find<QLineEdit>(w.get(), name); }
    QComboBox* combo(const QString& name) { return testkit::find<QComboBox>(w.get(), name); }
    QString text(const QString& name) { return testkit::text(w.get(), name); }
    QTabWidget* tabs() { return testkit::find<QTabWidget>(w.get(), QStringLiteral("SSTab1")); }

    // Types into a box as a person would; text that the box's key filter
    // refuses is brought in as a paste would (set directly).
    void enter(const QString& name, const QString& value)
    {
        QLineEdit* b = box(name);
        testkit::retype(b, value);
        if (b->text() != value)
            b->setText(value);
    }
    // Picks a list entry, or types the text when it is none of them.
    void choose(const QString& name, const QString& value)
    {
        QComboBox* c = combo(name);
        const int i = c->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (i >= 0) {
            c->setCurrentIndex(i);
        } else {
            testkit::retype(c, value);
            if (c->currentText() != value)
                c->lineEdit()->setText(value);
        }
    }
    void groups(const QString& m1, const QString& m2, const QString& sd1, const QString& sd2, const QString& n1 = {},
                const QString& n2 = {})
    {
        enter(QStringLiteral("txtMean1"), m1);
        enter(QStringLiteral("txtMean2"), m2);
        enter(QStringLiteral("txtSD1"), sd1);
        enter(QStringLiteral("txtSD2"), sd2);
        enter(QStringLiteral("TxtN1"), n1);
        enter(QStringLiteral("TxtN2"), n2);
    }
    void doIt() { testkit::click(testkit::find(w.get(), QStringLiteral("cmdDoIt"))); }

    std::unique_ptr<tarvoss::frmMain> w;
};

} // namespace effsize_test
