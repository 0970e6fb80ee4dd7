#pragma once
#include "testkit/QtTestKit.h"
// A stand-in for the outcome-table main window: the nine record boxes, the
// result boxes, the level boxes, the phi label, the two mode options (whose
// switch empties the results and the deteriorated boxes, as the window's
// does), the Fisher question and the two warning buttons, each named as on
// the real window.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <ostream>


namespace outcome_test {

inline QStringList recordBoxes()
{
    return {"TxtID", "TxtAssess", "TxtDevice", "TxImp", "TxSame", "TxWorse", "CtrlImp", "CtrlSame", "CtrlWorse"};
}

inline QStringList resultBoxes()
{
    return {"TxN",          "CtrlN",        "TotalN",       "txtImpN",       "txtSameN",     "txtWorseN",
            "txtChiSquared", "txtDF",       "txt2P",        "txt1P",         "txtYates",     "txtYates1P",
            "txtYates2P",   "txtFishers1P", "txtFishers2P", "txtPhi",        "txtESW",       "txtESC",
            "EventTxImp",   "EventTxSame",  "EventTxWorse", "EventCtrlImp",  "EventCtrlSame", "EventCtrlWorse",
            "RRImp",        "RRImpMinus",   "RRImpPlus",    "RRSame",        "RRSameMinus",  "RRSamePlus",
            "RRWorse",      "RRWorseMinus", "RRWorsePlus",  "RRIImp",        "RRISame",      "RRIWorse",
            "ARImp",        "ARImpMinus",   "ARImpPlus",    "ARSame",        "ARSameMinus",  "ARSamePlus",
            "ARWorse",      "ARWorseMinus", "ARWorsePlus",  "ARISign",       "ARSSign",      "ARWSign",
            "NNT",          "NNH",          "EOTxImp",      "EOTxSame",      "EOTxWorse",    "EOCtrlImp",
            "EOCtrlSame",   "EOCtrlWorse",  "RORImp",       "RORImpMinus",   "RORImpPlus",   "RORSame",
            "RORSameMinus", "RORSamePlus",  "RORWorse",     "RORWorseMinus", "RORWorsePlus", "NNTConfPlus",
            "NNTConfMinus", "NNHConfPlus",  "NNHConfMinus"};
}

inline QStringList levelBoxes() { return {"txtConf(0)", "txtConf(1)", "txtConf(2)", "txtConf(3)", "txtConf(4)"}; }

inline QLineEdit* box(QWidget* w, const QString& name) { return w->findChild<QLineEdit*>(name); }
template <class T>
T* control(QWidget* w, const QString& name)
{
    return w->findChild<T*>(name);
}

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

// Counts mode switches, so tests see whether a switch ran.
struct StandIn {
    std::unique_ptr<QWidget> window;
    int switches = 0;
};

inline std::unique_ptr<StandIn> makeOutcomeWindow()
{
    auto s = std::make_unique<StandIn>();
    s->window = std::make_unique<QWidget>();
    QWidget* w = s->window.get();
    w->setObjectName(QStringLiteral("frmMain"));
    auto* layout = new QVBoxLayout(w);
    for (const QString& name : recordBoxes() + resultBoxes() + levelBoxes()) {
        auto* e = new QLineEdit(w);
        e->setObjectName(name);
        layout->addWidget(e);
    }
    auto* level = new QComboBox(w);
    level->setObjectName(QStringLiteral("Combo2"));
    level->setEditable(true);
    level->addItems({"99.9%", "99%", "98%", "95%", "90%", "80%", "68.26%"});
    level->setCurrentText(QStringLiteral("95%"));
    layout->addWidget(level);
    auto* phi = new QLabel(QStringLiteral("Cramer's Phi (r):"), w);
    phi->setObjectName(QStringLiteral("lblPhi"));
    auto* two = new QRadioButton(QStringLiteral("2 (e.g., improved vs not improved)"), w);
    two->setObjectName(QStringLiteral("OpTwo"));
    auto* three = new QRadioButton(QStringLiteral("3 (e.g., improved, no change, deteriorated)"), w);
    three->setObjectName(QStringLiteral("OpThree"));
    three->setChecked(true);
    auto* fisher = new QCheckBox(w);
    fisher->setObjectName(QStringLiteral("ChkFishers"));
    auto* question = new QLabel(QStringLiteral("Fisher's Exact Test: ..."), w);
    question->setObjectName(QStringLiteral("LblFisherWarning"));
    for (const char* name : {"cmdNNTWarning", "cmdNNHWarning"}) {
        auto* b = new QPushButton(QString::fromLatin1(name), w);
        b->setObjectName(QString::fromLatin1(name));
    }
    for (QWidget* c : {static_cast<QWidget*>(phi), static_cast<QWidget*>(two), static_cast<QWidget*>(three),
                       static_cast<QWidget*>(fisher), static_cast<QWidget*>(question)})
        layout->addWidget(c);
    fisher->hide();
    question->hide();

    // The mode switch: results and the deteriorated boxes emptied.
    auto modeSwitch = [s = s.get(), w](bool twoByTwo) {
        ++s->switches;
        for (const QString& n : resultBoxes() + QStringList{"TxWorse", "CtrlWorse"})
            box(w, n)->clear();
        if (twoByTwo)
            box(w, "txtFishers2P")->clear();
        else
            box(w, "txtFishers2P")->setText("---");
        control<QLabel>(w, "lblPhi")->setText(twoByTwo ? "Phi (r):" : "Cramer's Phi (r):");
        control<QWidget>(w, "ChkFishers")->setVisible(twoByTwo);
        control<QWidget>(w, "LblFisherWarning")->setVisible(twoByTwo);
    };
    QObject::connect(two, &QRadioButton::toggled, w, [modeSwitch](bool on) {
        if (on)
            modeSwitch(true);
    });
    QObject::connect(three, &QRadioButton::toggled, w, [modeSwitch](bool on) {
        if (on)
            modeSwitch(false);
    });
    return s;
}

inline bool isTwoByTwo(QWidget* w) { return control<QRadioButton>(w, "OpTwo")->isChecked(); }

} // namespace outcome_test
