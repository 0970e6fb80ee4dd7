#include "calculators/frmESInteract.h"

#include "calculators/CalcKit.h"
#include "calculators/InteractionEffectSize.h"
#include "shell/ControlColours.h"
#include "shell/Resize.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace calculators {

using namespace calckit;

namespace {

const QColor OptionalBox{255, 128, 128};

QLineEdit* filteredBox(QWidget* parent, const char* name, int left, int top, int width, frame::KeyFilter kind)
{
    QLineEdit* e = addInputBox(parent, QString::fromLatin1(name), left, top, width);
    frame::installKeyFilter(e, kind);
    return e;
}

QLabel* wrappedLabel(QWidget* parent, int index, const QString& text, int left, int top, int width, int height)
{
    QLabel* l = addLabel(parent, QStringLiteral("Label%1").arg(index), text, left, top, width, height);
    l->setWordWrap(true);
    return l;
}

CopyTarget& copyTarget()
{
    static CopyTarget target;
    return target;
}

// The main window when one is open.
QWidget* mainWindow() { return copyTarget() ? copyTarget()() : nullptr; }

} // namespace

frmESInteract::frmESInteract(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmESInteract"));
    setWindowTitle(QStringLiteral("Repeated Measures Interaction Effect Size Estimate"));
    resize(px(10800), px(8535));

    int label = 1;
    wrappedLabel(this, label++, QStringLiteral("All the white boxes, at least, must have data. Red boxes are optional."),
                 120, 90, 7200, 285);

    // Four input rows: experimental time 1 and 2, control time 1 and 2.
    struct Row {
        const char* meanLabel;
        const char* mean;
        const char* sdLabel;
        const char* sd;
        const char* n;
    };
    const Row rows[4] = {
        {"Exp Gp / Time 1 Mean:", "txtEXMean1", "Exp Gp / Time 1 SD:", "txtEXSD1", "txtExN"},
        {"Exp Gp / Time 2 Mean:", "txtEXMean2", "Exp Gp / Time 2 SD:", "txtEXSD2", nullptr},
        {"Ctrl Gp / Time 1 Mean:", "txtCtrlMean1", "Ctrl Gp / Time 1 SD:", "txtCtrlSD1", "txtCtrlN"},
        {"Ctrl Gp / Time 2 Mean:", "txtCtrlMean2", "Ctrl Gp / Time 2 SD:", "txtCtrlSD2", nullptr},
    };
    int top = 480;
    for (const Row& row : rows) {
        wrappedLabel(this, label++, QString::fromLatin1(row.meanLabel), 120, top + 30, 2520, 255);
        filteredBox(this, row.mean, 2640, top, 1200, frame::KeyFilter::Signed);
        wrappedLabel(this, label++, QString::fromLatin1(row.sdLabel), 4080, top + 30, 2400, 255);
        filteredBox(this, row.sd, 6480, top, 1200, frame::KeyFilter::Unsigned);
        if (row.n) {
            wrappedLabel(this, label++, QStringLiteral("N:"), 7920, top + 30, 420, 255);
            QLineEdit* n = filteredBox(this, row.n, 8340, top, 1080, frame::KeyFilter::Digits);
            shell::ControlColours::SetBackColor(n, shell::ControlColours::ColourValue(OptionalBox));
        }
        top += 420;
    }

    // Results: label, value and, for d and g, the two 95 % limits.
    struct Result {
        const char* caption;
        const char* box;
        bool red;
    };
    const Result results[12] = {
        {"Difference Between Time 1 && 2 For Experimental Gp:", "txtEXDiff", false},
        {"Difference Between Time 1 && 2 For Control Gp:", "txtCtrlDiff", false},
        {"Difference Between Groups At Time 1:", "txtDiffTime1", false},
        {"Difference Between Groups At Time 2:", "txtDiffTime2", false},
        {"Pooled SD for Experimental Gp:", "txtEXPooledSD", false},
        {"Pooled SD For Control Gp:", "txtCtrlPooledSD", false},
        {"Pooled SD For Time1:", "txtTime1PooledSD", false},
        {"Pooled SD For Time 2:", "txtTime2PooledSD", false},
        {"Mean Difference Between Groups Over Time:", "txtTotDiff", false},
        {"Pooled Standard Deviation Over Time And Between Conditions:", "txtPooledSD", false},
        {"Effect Size Estimate (Cohen's d) Over Time And Between Conditions:", "txtESD", true},
        {"Effect Size Estimate (Hedges' g) Over Time And Between Conditions:", "txtHedgesG", true},
    };
    top = 2400;
    for (const Result& r : results) {
        QString caption = QString::fromLatin1(r.caption);
        caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
        // The caption's middle level with its box's.
        wrappedLabel(this, label++, caption, 120, top - 22, 3840, 450);
        addResultBox(this, QString::fromLatin1(r.box), 4020, top + 60, 1080, 285, r.red ? kResultRed : kResultBlue);
        top += 480;
    }
    const int dTop = 2400 + 10 * 480 + 60;
    const int gTop = dTop + 480;
    wrappedLabel(this, label++, QStringLiteral("95% Confidence Intervals"), 5220, dTop - 840, 2580, 285);
    // Each interval heading centred over its column of boxes, so that the two
    // stay apart at every size.
    wrappedLabel(this, label++, QStringLiteral("-95% (Lower Bound)"), 5220, dTop - 510, 1200, 450)
        ->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    wrappedLabel(this, label++, QStringLiteral("+95% (Upper Bound)"), 6600, dTop - 510, 1200, 450)
        ->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    wrappedLabel(this, label++, QStringLiteral("---"), 6420, dTop + 15, 180, 255);
    addResultBox(this, QStringLiteral("TxtESNeg95"), 5220, dTop, 1200, 285, kResultBlue);
    addResultBox(this, QStringLiteral("TxtESPlus95"), 6600, dTop, 1200, 285, kResultBlue);
    wrappedLabel(this, label++, QStringLiteral("---"), 6420, gTop + 15, 180, 255);
    addResultBox(this, QStringLiteral("TxtHedgesGNeg95"), 5220, gTop, 1200, 285, kResultBlue);
    addResultBox(this, QStringLiteral("TxtHedgesGPlus95"), 6600, gTop, 1200, 285, kResultBlue);

    struct ButtonSpec {
        const char* name;
        const char* caption;
        void (frmESInteract::*handler)();
    };
    const ButtonSpec buttons[4] = {
        {"cmdES", "&Compute Effect Size Estimate", &frmESInteract::cmdES_Click},
        {"cmdReset", "&Reset All", &frmESInteract::cmdReset_Click},
        {"cmdCopy", "&Copy To Tarvoss", &frmESInteract::cmdCopy_Click},
        {"cmdExit", "E&xit", &frmESInteract::cmdExit_Click},
    };
    top = 2400;
    for (const ButtonSpec& b : buttons) {
        QPushButton* button = addButton(this, QString::fromLatin1(b.name), QString::fromLatin1(b.caption), 7980, top,
                                        2700, 480);
        button->setAutoDefault(false);
        auto handler = b.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        top += 720;
    }
}

int frmESInteract::NumericCharsOnly(QWidget* TB, int Key) { return frame::NumericCharsOnly(TB, Key); }

void frmESInteract::cmdES_Click()
{
    auto box = [this](const char* name) { return boxText(this, QString::fromLatin1(name)); };
    InteractionInputs in;
    in.exMean1 = box("txtEXMean1");
    in.exSD1 = box("txtEXSD1");
    in.exMean2 = box("txtEXMean2");
    in.exSD2 = box("txtEXSD2");
    in.exN = box("txtExN");
    in.ctrlMean1 = box("txtCtrlMean1");
    in.ctrlSD1 = box("txtCtrlSD1");
    in.ctrlMean2 = box("txtCtrlMean2");
    in.ctrlSD2 = box("txtCtrlSD2");
    in.ctrlN = box("txtCtrlN");
    apply(this, computeInteraction(in));
}

void frmESInteract::cmdCopy_Click()
{
    QWidget* main = mainWindow();
    if (!main)
        return;
    auto own = [this](const char* name) { return boxText(this, QString::fromLatin1(name)); };
    const BoxWrite writes[13] = {
        {QStringLiteral("txtMean1"), own("txtEXDiff")},
        {QStringLiteral("txtMean2"), own("txtCtrlDiff")},
        {QStringLiteral("txtSD1"), own("txtEXPooledSD")},
        {QStringLiteral("txtSD2"), own("txtCtrlPooledSD")},
        {QStringLiteral("TxtN1"), own("txtExN")},
        {QStringLiteral("TxtN2"), own("txtCtrlN")},
        {QStringLiteral("TxtAssess"), QStringLiteral("Change Scores")},
        {QStringLiteral("TxtDevice"), QString()},
        {QStringLiteral("txtStudySample"), QString()},
        {QStringLiteral("TxtYear"), QString()},
        {QStringLiteral("TxtID"), QString()},
        {QStringLiteral("txtT1Sample"), QStringLiteral("Change score for Experimental group")},
        {QStringLiteral("txtT2Sample"), QStringLiteral("Change score for Control group")},
    };
    for (const BoxWrite& w : writes)
        if (auto* e = main->findChild<QLineEdit*>(w.box))
            e->setText(w.text);
    if (auto* tabs = main->findChild<QTabWidget*>(QStringLiteral("SSTab1")))
        tabs->setCurrentIndex(0);
    if (main->isMinimized())
        main->showNormal();
    main->raise();
    main->activateWindow();
    if (auto* doIt = main->findChild<QPushButton*>(QStringLiteral("cmdDoIt")))
        doIt->click();
}

void frmESInteract::cmdReset_Click() { clearTextBoxes(this); }

void frmESInteract::cmdExit_Click() { close(); }

void frmESInteract::Form_Resize() { shell::Resize::ResizeFormControls(this); }

void frmESInteract::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void setCopyTarget(CopyTarget target) { copyTarget() = std::move(target); }

frmESInteract* showESInteract()
{
    static QPointer<frmESInteract> window;
    return showSingle(window);
}

} // namespace calculators
