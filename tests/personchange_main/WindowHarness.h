#pragma once
// Opens the Morvane main window and drives it by name as a person would.
#include "personchange/frmMain.h"
#include "platform/Settings.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <memory>
#include <ostream>


namespace morvane_test {

class MorvaneWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::deleteSetting(QStringLiteral("Settings"), QStringLiteral("Tab"));
        open();
    }
    void TearDown() override
    {
        w.reset();
        platform::deleteSetting(QStringLiteral("Settings"), QStringLiteral("Tab"));
    }
    void open()
    {
        w.reset();
        w = std::make_unique<morvane::frmMain>();
        w->show();
        QApplication::setActiveWindow(w.get());
        testkit::settle();
    }

    QLineEdit* box(const QString& name) { return testkit::find<QLineEdit>(w.get(), name); }
    QString text(const QString& name) { return testkit::text(w.get(), name); }
    QString multi(const QString& name) { return testkit::find<QPlainTextEdit>(w.get(), name)->toPlainText(); }
    QTabWidget* tabs() { return testkit::find<QTabWidget>(w.get(), QStringLiteral("SSTab1")); }
    // The file a criterion picture shows.
    QString picture(const QString& name)
    {
        return testkit::find<QLabel>(w.get(), name)->property("picture").toString();
    }
    // Text colour of the status line.
    QColor statusColour()
    {
        return testkit::find<QPlainTextEdit>(w.get(), QStringLiteral("txtClinStatus"))->palette().color(QPalette::Text);
    }

    // Brings a text into a box as a paste would (past the key filters).
    void paste(const QString& name, const QString& value) { box(name)->setText(value); }
    void step1(const QString& r, const QString& sd)
    {
        paste(QStringLiteral("TxtReliabilityAnswer"), r);
        paste(QStringLiteral("TxtAnswerSD"), sd);
    }
    void scores(const QString& t1, const QString& t2)
    {
        paste(QStringLiteral("TxtTime1Answer"), t1);
        paste(QStringLiteral("TxtTime2Answer"), t2);
    }
    void samples(const QString& cm, const QString& cs, const QString& nm, const QString& ns)
    {
        paste(QStringLiteral("TxtClinMean"), cm);
        paste(QStringLiteral("TxtClinSD"), cs);
        paste(QStringLiteral("TxtNormMean"), nm);
        paste(QStringLiteral("TxtNormSD"), ns);
    }
    void clickOn(const QString& name) { testkit::click(testkit::find(w.get(), name)); }
    void clever() { clickOn(QStringLiteral("CmdClever")); }
    // The exact-confidence buttons lie on tab 2, which a person opens first.
    void exact(const QString& button)
    {
        tabs()->setCurrentIndex(2);
        testkit::settle();
        clickOn(button);
    }

    std::unique_ptr<morvane::frmMain> w;
};

} // namespace morvane_test
