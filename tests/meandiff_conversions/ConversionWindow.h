#pragma once
// A window holding the tab control SSTab1 with the two conversion tabs, as the
// main window holds them, for driving the tabs by objectName.
#include "meandiff/ConversionTabs.h"
#include "testkit/QtTestKit.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>

class ConversionWindow {
public:
    // With installFirst the pages are filled before they are put on the tab
    // control (the other order of building the main window).
    explicit ConversionWindow(bool installFirst = false)
    {
        window.setObjectName(QStringLiteral("frmMain"));
        window.resize(820, 330);
        tabs = new QTabWidget(&window);
        tabs->setObjectName(QStringLiteral("SSTab1"));
        tabs->setGeometry(0, 0, 820, 330);
        tabs->addTab(new QWidget, QStringLiteral("Effect Sizes"));
        page1 = new QWidget;
        page2 = new QWidget;
        if (installFirst) {
            meandiff::installConversionTab1(page1);
            meandiff::installConversionTab2(page2);
        }
        tabs->addTab(page1, QStringLiteral(" ES Conversions 1"));
        tabs->addTab(page2, QStringLiteral(" ES Conversions 2"));
        if (!installFirst) {
            meandiff::installConversionTab1(page1);
            meandiff::installConversionTab2(page2);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window.show();
        testkit::settle();
    }

    QWidget* w(const QString& name) { return testkit::find<QWidget>(&window, name); }
    QLineEdit* box(const QString& name) { return testkit::find<QLineEdit>(&window, name); }
    QRadioButton* opt(const QString& name) { return testkit::find<QRadioButton>(&window, name); }
    QString text(const QString& name) { return testkit::text(&window, name); }
    // Shown on its page (the page itself may be the tab not on view).
    bool shown(const QString& name)
    {
        QWidget* c = w(name);
        return c && !c->isHidden();
    }

    // Brings the control's tab to the front, then clicks it as a person would.
    void click(const QString& name)
    {
        QWidget* c = w(name);
        if (!c)
            return;
        tabs->setCurrentWidget(page1->isAncestorOf(c) ? page1 : page2);
        testkit::click(c);
    }
    void type(const QString& name, const QString& text)
    {
        QWidget* c = w(name);
        if (!c)
            return;
        tabs->setCurrentWidget(page1->isAncestorOf(c) ? page1 : page2);
        testkit::retype(c, text);
    }
    // Text that reaches a box other than by typing (pasted, say).
    void paste(const QString& name, const QString& text)
    {
        if (QLineEdit* b = box(name))
            b->setText(text);
    }

    QWidget window;
    QTabWidget* tabs = nullptr;
    QWidget* page1 = nullptr;
    QWidget* page2 = nullptr;
};
