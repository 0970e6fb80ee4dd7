#pragma once
#include "testkit/QtTestKit.h"
// A stand-in for the main window: the fourteen study boxes, the result and
// sample-size boxes, and the level label, each named as on the real window.
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <ostream>


namespace studyfile_test {

inline QStringList studyBoxes()
{
    return {"TxtID",  "TxtYear", "TxtAssess",   "TxtDevice", "txtStudySample", "txtMean1", "txtSD1",
            "TxtN1",  "txtT1Sample", "txtMean2", "txtSD2", "TxtN2", "txtT2Sample", "txtD"};
}

inline QStringList resultBoxes()
{
    return {"TxtUsedSD",       "TxtTarvoss",       "TxtHedges",   "txtHedgesG", "TxtHedgesS1", "TxtESNeg95",
            "TxtESPlus95",     "TxtHedgesNeg95",   "TxtHedgesPlus95", "TxtHedgesGNeg95", "TxtHedgesGPlus95",
            "txtNegPlus",      "TxtTotalN",        "TxtMeanDiff", "TxtSED",     "TxtTSD",      "txtDF",
            "txtT",            "txtZStat",         "txt2PT",      "txt1PT",     "txt2PZ",      "txt1PZ",
            "txtP1",           "txtP2",            "txtP3",       "txtP4",      "txtP5",       "TxtP6",
            "txtP7",           "txtP8"};
}

inline std::unique_ptr<QWidget> makeTestWindow()
{
    auto w = std::make_unique<QWidget>();
    w->setObjectName(QStringLiteral("frmMain"));
    auto* layout = new QVBoxLayout(w.get());
    for (const QString& name : studyBoxes() + resultBoxes()) {
        auto* e = new QLineEdit(w.get());
        e->setObjectName(name);
        layout->addWidget(e);
    }
    auto* level = new QLabel(QStringLiteral("95"), w.get());
    level->setObjectName(QStringLiteral("LblPercent(0)"));
    layout->addWidget(level);
    return w;
}

inline QLineEdit* box(QWidget* w, const QString& name) { return w->findChild<QLineEdit*>(name); }

inline void fill(QWidget* w, const QStringList& names, const QStringList& texts)
{
    for (int i = 0; i < names.size(); ++i)
        box(w, names[i])->setText(texts.value(i));
}

inline QStringList texts(QWidget* w, const QStringList& names)
{
    QStringList out;
    for (const QString& n : names)
        out << box(w, n)->text();
    return out;
}

} // namespace studyfile_test
