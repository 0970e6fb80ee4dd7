#include "outcometable/frmMain.h"
#include "outcometable/OutcomeFileCommands.h"
#include "outcometable/frmChiTable.h"
#include "outcometable/frmORToD.h"
#include "outcometable/OutcomeReport.h"
#include "platform/AppInfo.h"

#include "frame/ConfidenceLevel.h"
#include "frame/ErrorTexts.h"
#include "frame/KeyFilters.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Maker.h"
#include "platform/Numbers.h"
#include "shell/ControlColours.h"
#include "shell/TextBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cmath>
#include <exception>

namespace quellin {

namespace {

frame::FrameConfig makeConfig()
{
    return frame::smallProgramFrameConfig(
        {QStringLiteral("Quellin.html"), QStringLiteral("Quellin - ") + platform::makerWebHost(), false});
}

} // namespace

const frame::FrameConfig& frameConfig()
{
    static const frame::FrameConfig c = makeConfig();
    return c;
}


namespace {

// Size of the area under the toolbar that holds the window's controls (pixels).
constexpr int DesignWidth = 1072;
constexpr int DesignHeight = 652;

// Top of the totals row in each mode (twips 5130 and 5610).
constexpr int TotalsTopTwo = 342;
constexpr int TotalsTopThree = 374;

const char* const StudyBoxes[] = {"TxtID", "TxtDevice", "TxtAssess"};

// Controls shown only in one of the two modes.
const char* const TwoOnly[] = {"LblUnimp1", "LblUnimp2",   "LblUnimp3",    "LblUnimp4",  "LblUnimp5",
                               "LblUnimp6", "lblYates",    "txtYates",     "txtYates2P", "txtYates1P",
                               "lblFishers", "txtFishers2P", "txtFishers1P", "ChkFishers", "LblFisherWarning"};
const char* const ThreeOnly[] = {
    "LblNoChange1", "LblNoChange2", "LblNoChange3",  "LblNoChange4", "LblNoChange5",   "LblNoChange6",
    "LblDeteriorated", "TxWorse",   "CtrlWorse",     "txtWorseN",    "Label43",        "EventTxWorse",
    "EventCtrlWorse", "Label32",    "EOTxWorse",     "EOCtrlWorse",  "Label37",        "RRWorse",
    "RRIWorse",     "Label52",      "RRWorseMinus",  "Label53",      "RRWorsePlus",    "Label47",
    "NNH",          "LblHarm",      "Label11",       "NNHConfMinus", "Label10",        "NNHConfPlus",
    "txtConf(3)",   "Label24",      "RORWorse",      "Label7",       "RORWorseMinus",  "Label6",
    "RORWorsePlus", "Label61",      "ARWorse",       "Label42",      "ARWorseMinus",   "Label36",
    "ARWorsePlus",  "ARWSign"};

const QString CountFocus = QStringLiteral("countBox");

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tip, int x,
                        int y, int w, int h)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setGeometry(x, y, w, h);
    return b;
}

QString warningText(const QString& what)
{
    return QStringLiteral("The Number Needed to %1 (%2) confidence intervals pass through\r\n")
               .arg(what == QLatin1String("NNT") ? QStringLiteral("Treat") : QStringLiteral("Harm"), what) +
           QStringLiteral("positive and negative numbers. This means that the confidence intervals\r\n") +
           QStringLiteral("look as though they do not encapsulate the %1. However, this actually\r\n").arg(what) +
           QStringLiteral("means that the range passes through infinity (which does include the %1).\r\n").arg(what) +
           QStringLiteral("Those interested in this issue are advised to consult:\r\n") +
           QStringLiteral("Altman, D. G. Confidence intervals for the number needed to treat.\r\n") +
           QStringLiteral("British Medical Journal, 1998, 317(7168), 1309-1312.");
}

} // namespace

// Writes a run's results into the window's boxes as they come.
class frmMain::Writer : public OutcomeWriter {
public:
    explicit Writer(frmMain& w) : w_(w) {}
    void write(const QString& name, const QString& text) override
    {
        if (auto* b = w_.box(name))
            b->setText(text);
    }
    void setVisible(const QString& control, bool visible) override
    {
        if (auto* c = w_.findChild<QWidget*>(control))
            c->setVisible(visible);
    }
    void untickLogs() override
    {
        w_.chkLogs->setChecked(false);   // runs chkLogs_Click when it was ticked
        w_.lblLogs->hide();
    }
    void storeOddsRatios(const StoredOddsRatios& stored) override { w_.stored_ = stored; }
    void showMessage(const QString& text) override
    {
        platform::msgBox(text, platform::MsgButtons::OK, platform::MsgIcon::Exclamation, {}, &w_);
    }

private:
    frmMain& w_;
};

frmMain::frmMain(QWidget* parent) : frame::MainFrame(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quellin"));
    buildControls();
    OutcomeFileHooks hooks;
    static_cast<frame::StudyFileHooks&>(hooks) = frameFileHooks([this] { clearTextBoxes(); });
    hooks.setMode = [this](OutcomeMode mode) { setOutcomeMode(mode); };
    files_ = std::make_unique<OutcomeFileCommands>(this, std::move(hooks));
    Form_Load();
    // Open at the designed size of the control area, below the menu bar and
    // toolbar that the load put up.
    area_->setMinimumSize(DesignWidth, DesignHeight);
    adjustSize();
    area_->setMinimumSize(0, 0);
}

frmMain::~frmMain() = default;

const frame::FrameConfig& frmMain::frameConfig() const { return quellin::frameConfig(); }

void frmMain::buildControls()
{
    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("MainArea"));
    setCentralWidget(area_);
    auto wrap = [](QLabel* l) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    auto bold = [](QLabel* l) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };

    // ---- Study details (first control: the Fisher check box) -------------
    ChkFishers = new QCheckBox(area_);
    ChkFishers->setObjectName(QStringLiteral("ChkFishers"));
    ChkFishers->setGeometry(8, 430, 20, 20);
    bold(addLabel(QStringLiteral("Instructions:"), 8, 2, 200, 18));
    wrap(addLabel(QStringLiteral("Please enter data in at least the white boxes below and then press the 'Do It\" "
                                 "button. You can then save the data and / or print out the results."),
                  8, 20, 470, 32));
    addLabel(QStringLiteral("Study ID"), 8, 52, 125);
    addBox(QStringLiteral("TxtID"), 135, 52, 185);
    addLabel(QStringLiteral("(e.g., Tey, 1997)"), 326, 52, 152, 21, QStringLiteral("LblIDRef"));
    addLabel(QStringLiteral("Device"), 8, 76, 125);
    addBox(QStringLiteral("TxtDevice"), 135, 76, 185);
    addLabel(QStringLiteral("(e.g., BDI)"), 326, 76, 152);
    addLabel(QStringLiteral("Assessment Details"), 8, 100, 125);
    addBox(QStringLiteral("TxtAssess"), 135, 100, 185);
    addLabel(QStringLiteral(" (e.g., pre- to post-tx)"), 326, 100, 152);

    // ---- Confidence level and mode ---------------------------------------
    auto* frameLevel = new QGroupBox(area_);
    frameLevel->setObjectName(QStringLiteral("Frame1"));
    frameLevel->setGeometry(8, 124, 470, 56);
    auto* levelText = new QLabel(QStringLiteral("What confidence level do you want? Leave as is for 95%, select from "
                                                "the drop-down list, or write in your own."),
                                 frameLevel);
    levelText->setGeometry(8, 4, 330, 50);
    wrap(levelText);
    Combo2 = new QComboBox(frameLevel);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setGeometry(350, 16, 100, 24);   // before it turns editable, which would size it first
    Combo2->setEditable(true);
    shell::keepWholeText(Combo2);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->setCompleter(nullptr);   // a typed "95" stays "95"
    Combo2->addItems(frame::confidenceLevels());
    Combo2->setCurrentIndex(static_cast<int>(frame::confidenceLevels().indexOf(QStringLiteral("95%"))));

    auto* frameMode = new QGroupBox(QStringLiteral("How many outcomes were possible per group?"), area_);
    frameMode->setObjectName(QStringLiteral("Frame2"));
    frameMode->setGeometry(8, 182, 470, 64);
    OpTwo = new QRadioButton(QStringLiteral("2 (e.g., improved vs not improved)"), frameMode);
    OpTwo->setObjectName(QStringLiteral("OpTwo"));
    OpTwo->setGeometry(8, 20, 450, 20);
    OpThree = new QRadioButton(QStringLiteral("3 (e.g., improved, no change, deteriorated)"), frameMode);
    OpThree->setObjectName(QStringLiteral("OpThree"));
    OpThree->setGeometry(8, 40, 450, 20);
    OpThree->setChecked(true);

    // ---- The table of counts ---------------------------------------------
    bold(addLabel(QStringLiteral("Please enter data in ALL these white boxes:"), 8, 250, 400, 18));
    addLabel(QStringLiteral("Treatment Gp"), 120, 270, 90, 18);
    addLabel(QStringLiteral("Control Gp"), 216, 270, 90, 18);
    addLabel(QStringLiteral("N"), 312, 270, 80, 18);
    addLabel(QStringLiteral("Improved:"), 8, 290, 108);
    addBox(QStringLiteral("TxImp"), 120, 290, 90);
    addBox(QStringLiteral("CtrlImp"), 216, 290, 90);
    addBox(QStringLiteral("txtImpN"), 312, 290, 80);
    addLabel(QStringLiteral("No change:"), 8, 316, 108, 21, QStringLiteral("LblNoChange1"));
    addLabel(QStringLiteral("Unimproved:"), 8, 316, 108, 21, QStringLiteral("LblUnimp1"));
    addBox(QStringLiteral("TxSame"), 120, 316, 90);
    addBox(QStringLiteral("CtrlSame"), 216, 316, 90);
    addBox(QStringLiteral("txtSameN"), 312, 316, 80);
    addLabel(QStringLiteral("Deteriorated:"), 8, 342, 108, 21, QStringLiteral("LblDeteriorated"));
    addBox(QStringLiteral("TxWorse"), 120, 342, 90);
    addBox(QStringLiteral("CtrlWorse"), 216, 342, 90);
    addBox(QStringLiteral("txtWorseN"), 312, 342, 80);
    addLabel(QStringLiteral("N:"), 8, TotalsTopThree, 108, 21, QStringLiteral("lblN"));
    addBox(QStringLiteral("TxN"), 120, TotalsTopThree, 90);
    addBox(QStringLiteral("CtrlN"), 216, TotalsTopThree, 90);
    addLabel(QStringLiteral("Total Sample Size:"), 8, 400, 200);
    addBox(QStringLiteral("TotalN"), 216, 400, 90);
    for (const char* name : CountBoxes) {
        QLineEdit* b = box(QString::fromLatin1(name));
        b->setAlignment(Qt::AlignCenter);
        b->setProperty(CountFocus.toLatin1().constData(), true);
    }

    // ---- Chi-square group ------------------------------------------------
    LblFisherWarning = wrap(addLabel(QStringLiteral("Fisher's Exact Test: The larger the cell N, the longer it will "
                                                    "take to compute. Would you like to compute this statistic?"),
                                     30, 424, 448, 32, QStringLiteral("LblFisherWarning")));
    addLabel(QStringLiteral("df:"), 8, 458, 40, 20, QStringLiteral("lblDF"));
    addBox(QStringLiteral("txtDF"), 50, 458, 40, 20);
    addLabel(QStringLiteral("2 Tailed p"), 216, 460, 90, 18, QStringLiteral("Label23"));
    addLabel(QStringLiteral("1 Tailed p"), 312, 460, 90, 18, QStringLiteral("Label27"));
    addLabel(QStringLiteral("Chi Squared:"), 8, 480, 110, 20, QStringLiteral("lblChi"));
    addBox(QStringLiteral("txtChiSquared"), 120, 480, 90, 20);
    addBox(QStringLiteral("txt2P"), 216, 480, 90, 20);
    addBox(QStringLiteral("txt1P"), 312, 480, 90, 20);
    addLabel(QStringLiteral("Yates' Correction:"), 8, 502, 110, 20, QStringLiteral("lblYates"));
    addBox(QStringLiteral("txtYates"), 120, 502, 90, 20);
    addBox(QStringLiteral("txtYates2P"), 216, 502, 90, 20);
    addBox(QStringLiteral("txtYates1P"), 312, 502, 90, 20);
    addLabel(QStringLiteral("Fisher's Exact Test:"), 8, 524, 200, 20, QStringLiteral("lblFishers"));
    addBox(QStringLiteral("txtFishers2P"), 216, 524, 90, 20);
    addBox(QStringLiteral("txtFishers1P"), 312, 524, 90, 20);
    lblPhi = addLabel(QStringLiteral("Cramer's Phi (r):"), 8, 546, 110, 20, QStringLiteral("lblPhi"));
    addBox(QStringLiteral("txtPhi"), 120, 546, 90, 20);
    addLabel(QStringLiteral("Pearson's (C):"), 8, 568, 110, 20, QStringLiteral("Label19"));
    addBox(QStringLiteral("txtESC"), 120, 568, 90, 20);
    addLabel(QStringLiteral("Effect Size (w):"), 8, 590, 110, 20, QStringLiteral("Label1"));
    addBox(QStringLiteral("txtESW"), 120, 590, 90, 20);

    // ---- Results to the right --------------------------------------------
    constexpr int L = 490, V1 = 642, V2 = 726, CONF = 836, LO = 872, DASH = 934, HI = 946, LEVEL = 1012;
    auto conf = [&](int y, const QString& confName, const QString& dashName) {
        addLabel(QStringLiteral("Conf:"), CONF, y, 36, 20, confName);
        auto* d = addLabel(QStringLiteral("-"), DASH, y, 10, 20, dashName);
        d->setAlignment(Qt::AlignCenter);
    };
    auto levelBox = [&](int i, int y) { addBox(QStringLiteral("txtConf(%1)").arg(i), LEVEL, y, 50, 20); };
    auto rowLabels = [&](int y, int n, const QString& deterioratedName) {
        addLabel(QStringLiteral("Improved:"), L, y, 150, 20);
        addLabel(QStringLiteral("No change:"), L, y + 22, 150, 20, QStringLiteral("LblNoChange%1").arg(n));
        addLabel(QStringLiteral("Unimproved:"), L, y + 22, 150, 20, QStringLiteral("LblUnimp%1").arg(n));
        addLabel(QStringLiteral("Deteriorated:"), L, y + 44, 150, 20, deterioratedName);
    };
    const char* const outcomeKey[3] = {"Imp", "Same", "Worse"};

    bold(addLabel(QStringLiteral("Event Rates"), L, 4, 128, 18));
    addLabel(QStringLiteral("Treatment"), V1, 4, 80, 18);
    addLabel(QStringLiteral("Control"), V2, 4, 80, 18);
    rowLabels(22, 2, QStringLiteral("Label43"));
    for (int k = 0; k < 3; ++k) {
        addBox(QStringLiteral("EventTx") + QLatin1String(outcomeKey[k]), V1, 22 + 22 * k, 80, 20);
        addBox(QStringLiteral("EventCtrl") + QLatin1String(outcomeKey[k]), V2, 22 + 22 * k, 80, 20);
    }

    bold(addLabel(QStringLiteral("Event Odds"), L, 92, 128, 18));
    rowLabels(110, 3, QStringLiteral("Label32"));
    for (int k = 0; k < 3; ++k) {
        addBox(QStringLiteral("EOTx") + QLatin1String(outcomeKey[k]), V1, 110 + 22 * k, 80, 20);
        addBox(QStringLiteral("EOCtrl") + QLatin1String(outcomeKey[k]), V2, 110 + 22 * k, 80, 20);
    }

    bold(addLabel(QStringLiteral("Relative Risks (Tx / Ctrl)"), L, 180, 200, 18));
    bold(addLabel(QStringLiteral("Relative Risk Increase"), V2, 180, 160, 18));
    levelBox(0, 180);
    rowLabels(198, 4, QStringLiteral("Label37"));
    for (int k = 0; k < 3; ++k) {
        const int y = 198 + 22 * k;
        const QString key = QLatin1String(outcomeKey[k]);
        addBox(QStringLiteral("RR") + key, V1, y, 80, 20);
        addBox(QStringLiteral("RRI") + key, V2, y, 80, 20);
        conf(y, k == 2 ? QStringLiteral("Label52") : QString(), k == 2 ? QStringLiteral("Label53") : QString());
        addBox(QStringLiteral("RR") + key + QStringLiteral("Minus"), LO, y, 60, 20);
        addBox(QStringLiteral("RR") + key + QStringLiteral("Plus"), HI, y, 60, 20);
    }

    bold(addLabel(QStringLiteral("Odds Ratios - Tx / Control"), L, 268, 200, 18));
    chkLogs = new QCheckBox(QStringLiteral("Convert to logs?"), area_);
    chkLogs->setObjectName(QStringLiteral("chkLogs"));
    chkLogs->setGeometry(V2, 266, 130, 22);
    lblLogs = bold(addLabel(QStringLiteral("Logs"), LO, 268, 50, 18, QStringLiteral("lblLogs")));
    levelBox(1, 268);
    addLabel(QStringLiteral("OR of improving:"), L, 286, 150, 20);
    addLabel(QStringLiteral("OR of staying the same:"), L, 308, 150, 20, QStringLiteral("LblNoChange5"));
    addLabel(QStringLiteral("OR of not improving:"), L, 308, 150, 20, QStringLiteral("LblUnimp5"));
    addLabel(QStringLiteral("OR of getting worse:"), L, 330, 150, 20, QStringLiteral("Label24"));
    for (int k = 0; k < 3; ++k) {
        const int y = 286 + 22 * k;
        const auto& names = OddsRatioBoxes[static_cast<size_t>(k)];
        addBox(QString::fromLatin1(names[0]), V1, y, 80, 20);
        conf(y, k == 2 ? QStringLiteral("Label7") : QString(), k == 2 ? QStringLiteral("Label6") : QString());
        addBox(QString::fromLatin1(names[1]), LO, y, 60, 20);
        addBox(QString::fromLatin1(names[2]), HI, y, 60, 20);
    }

    bold(addLabel(QStringLiteral("Number Needed To Treat"), L, 356, 175, 18));
    bold(addLabel(QStringLiteral("/  Harm"), L + 178, 356, 60, 18, QStringLiteral("LblHarm")));
    addLabel(QStringLiteral("NNT:"), L, 374, 150, 20);
    addBox(QStringLiteral("NNT"), V1, 374, 80, 20);
    cmdNNTWarning = makeButton(area_, QStringLiteral("cmdNNTWarning"), QStringLiteral("NNT CI Warning!"), {}, V2,
                               372, 106, 24);
    conf(374, {}, {});
    addBox(QStringLiteral("NNTConfMinus"), LO, 374, 60, 20);
    addBox(QStringLiteral("NNTConfPlus"), HI, 374, 60, 20);
    levelBox(2, 374);
    addLabel(QStringLiteral("NNH:"), L, 396, 150, 20, QStringLiteral("Label47"));
    addBox(QStringLiteral("NNH"), V1, 396, 80, 20);
    cmdNNHWarning = makeButton(area_, QStringLiteral("cmdNNHWarning"), QStringLiteral("NNH CI Warning!"), {}, V2,
                               394, 106, 24);
    conf(396, QStringLiteral("Label11"), QStringLiteral("Label10"));
    addBox(QStringLiteral("NNHConfMinus"), LO, 396, 60, 20);
    addBox(QStringLiteral("NNHConfPlus"), HI, 396, 60, 20);
    levelBox(3, 396);

    wrap(bold(addLabel(QStringLiteral("Absolute Risk OF IMPROVEMENT - Increase Or Reduction (Tx - Ctrl; i.e., "
                                      "Absolute Benefit Increase)"),
                       L, 422, 560, 34)));
    rowLabels(456, 6, QStringLiteral("Label61"));
    const char* const signs[3] = {"ARISign", "ARSSign", "ARWSign"};
    for (int k = 0; k < 3; ++k) {
        const int y = 456 + 22 * k;
        const QString key = QLatin1String(outcomeKey[k]);
        addBox(QStringLiteral("AR") + key, V1, y, 80, 20);
        addBox(QString::fromLatin1(signs[k]), V2, y, 100, 20);
        conf(y, k == 2 ? QStringLiteral("Label42") : QString(), k == 2 ? QStringLiteral("Label36") : QString());
        addBox(QStringLiteral("AR") + key + QStringLiteral("Minus"), LO, y, 60, 20);
        addBox(QStringLiteral("AR") + key + QStringLiteral("Plus"), HI, y, 60, 20);
    }
    levelBox(4, 456);

    wrap(addLabel(QStringLiteral("All results to 5 decimal places except for confidence intervals, which are "
                                 "mostly only given to 2 decimal places. Dashes (---) signify that a result could "
                                 "not be computed (usually due to a division by zero)."),
                  L, 526, 560, 44));
    addLabel(QStringLiteral("(Independent Samples )"), L, 572, 200, 18);

    // ---- Buttons ---------------------------------------------------------
    auto* CmdDoItOdds = makeButton(area_, QStringLiteral("CmdDoItOdds"), QStringLiteral("&Do It!"),
                                   QStringLiteral("Click here to discover whether anything of value has occurred."), 8,
                                   618, 150, 30);
    auto* cmdClear = makeButton(area_, QStringLiteral("cmdClear"), QStringLiteral("Clear All && &Start Again"),
                                QStringLiteral("OK. Let's go again."), 166, 618, 180, 30);
    auto* cmdExit = makeButton(area_, QStringLiteral("cmdExit"), QStringLiteral("E&xit"),
                               QStringLiteral("That's enough for now."), 354, 618, 110, 30);
    auto* cmdConvertToD = makeButton(area_, QStringLiteral("cmdConvertToD"),
                                     QStringLiteral("Convert An Odds Ratio To d"), {}, L, 618, 220, 30);
    auto* cmdChiTable = makeButton(area_, QStringLiteral("cmdChiTable"), QStringLiteral("Probability Table ..."), {},
                                   L + 228, 618, 170, 30);

    connect(CmdDoItOdds, &QPushButton::clicked, this, [this] { CmdDoItOdds_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(cmdConvertToD, &QPushButton::clicked, this, [this] { cmdConvertToD_Click(); });
    connect(cmdChiTable, &QPushButton::clicked, this, [this] { cmdChiTable_Click(); });
    connect(cmdNNTWarning, &QPushButton::clicked, this, [this] { cmdNNTWarning_Click(); });
    connect(cmdNNHWarning, &QPushButton::clicked, this, [this] { cmdNNHWarning_Click(); });
    connect(chkLogs, &QCheckBox::toggled, this, [this] { chkLogs_Click(); });
    connect(OpTwo, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            OpTwo_Click();
    });
    connect(OpThree, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            OpThree_Click();
    });

    // ---- Key filters and focus behaviour ---------------------------------
    using frame::KeyFilter;
    frame::installKeyFilter(Combo2, KeyFilter::Unsigned);
    for (const char* name : CountBoxes)
        frame::installKeyFilter(box(QString::fromLatin1(name)), KeyFilter::Unsigned);
    // A double quote cannot be kept in the data file's line format, so the
    // free-text study boxes refuse it.
    for (const char* name : StudyBoxes) {
        frame::installKeyFilter(box(QString::fromLatin1(name)), KeyFilter::NoQuote);
        box(QString::fromLatin1(name))->installEventFilter(this);
    }
    for (const char* name : CountBoxes)
        box(QString::fromLatin1(name))->installEventFilter(this);

    // Tab order follows the reading order of the window.
    QWidget* prev = chainBoxes(nullptr, {"TxtID", "TxtDevice", "TxtAssess"});
    setTabOrder(prev, Combo2);
    setTabOrder(Combo2, OpTwo);
    setTabOrder(OpTwo, OpThree);
    prev = chainBoxes(OpThree, {"TxImp", "CtrlImp", "TxSame", "CtrlSame", "TxWorse", "CtrlWorse"});
    setTabOrder(prev, ChkFishers);
    setTabOrder(ChkFishers, CmdDoItOdds);

    // The window opens in the 3 x 2 layout.
    switchMode(OutcomeMode::Three);
    box(QStringLiteral("txtFishers2P"))->clear();

}

void frmMain::loadProgramSteps()
{
    // The Fisher question belongs to the 2 x 2 mode.
    LblFisherWarning->hide();
    ChkFishers->hide();
    // A file named on the command line (its mode decides the Fisher question);
    // without one the record boxes are emptied there.
    files_->loadCommandLine(platform::commandLine());
}

void frmMain::mnuFileOpen_Click() { files_->mnuFileOpen_Click(); }

bool frmMain::saveAs() { return files_->mnuFileSaveAs_Click(); }

void frmMain::mnuFilePrint_Click() { printOutcomeReport(this); }

void frmMain::openRecentFile(int index, const QString& path) { files_->mnuMRU_Click(index, path); }

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    const bool in = event->type() == QEvent::FocusIn;
    if (!in && event->type() != QEvent::FocusOut)
        return frame::MainFrame::eventFilter(watched, event);
    auto* b = qobject_cast<QLineEdit*>(watched);
    if (!b || static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
        return false;
    const bool study = !b->property(CountFocus.toLatin1().constData()).toBool();
    if (!in) {
        if (study)
            shell::ControlColours::RestoreControlColours(b);
        return false;
    }
    if (study)
        shell::ControlColours::HighlightControl(b);
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason)
        return false;
    b->selectAll();
    // A mouse click places the caret after the focus arrived: select once it has.
    if (reason == Qt::MouseFocusReason) {
        QPointer<QLineEdit> guard(b);
        QTimer::singleShot(0, b, [guard] {
            if (guard && guard->hasFocus())
                guard->selectAll();
        });
    }
    return false;
}

OutcomeMode frmMain::outcomeMode() const
{
    return OpThree->isChecked() || !OpTwo->isChecked() ? OutcomeMode::Three : OutcomeMode::Two;
}

void frmMain::setOutcomeMode(OutcomeMode mode)
{
    (mode == OutcomeMode::Two ? OpTwo : OpThree)->setChecked(true);
}

void frmMain::computeOdds()
{
    OutcomeInput in;
    in.mode = outcomeMode();
    for (size_t i = 0; i < CountBoxes.size(); ++i)
        in.counts[i] = box(QString::fromLatin1(CountBoxes[i]))->text();
    in.level = Combo2->currentText();
    in.fisher = ChkFishers->isChecked();
    Writer writer(*this);
    switch (runOutcomeTable(in, writer)) {
    case RunResult::MissingInput:
        platform::msgBox(OutcomeText::InputError, platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                         OutcomeText::InputErrorTitle, this);
        break;
    case RunResult::NegativeCount:
        platform::msgBox(OutcomeText::NegativeCount, platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                         OutcomeText::InputErrorTitle, this);
        break;
    case RunResult::BadLevel:
        platform::msgBox(OutcomeText::BadLevel, platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
        break;
    case RunResult::Done:
        break;
    }
}

void frmMain::CmdDoItOdds_Click()
{
    try {
        computeOdds();
    } catch (const platform::RuntimeError& e) {
        platform::msgBox(frame::EffectSizeText::ErrorLead + QStringLiteral("\r\n") + e.description(),
                         platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    } catch (const std::exception& e) {
        platform::msgBox(frame::EffectSizeText::ErrorLead + QStringLiteral("\r\n") + QString::fromLocal8Bit(e.what()),
                         platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    }
}

void frmMain::runCalculation() { computeOdds(); }

void frmMain::hideLogs()
{
    chkLogs->hide();
    chkLogs->setChecked(false);   // runs chkLogs_Click when it was ticked
    lblLogs->hide();
}

void frmMain::chkLogs_Click()
{
    const bool ticked = chkLogs->isChecked();
    if (!box(QStringLiteral("RORImp"))->text().isEmpty()) {
        const bool worseShown = !box(QStringLiteral("RORWorse"))->isHidden();
        for (int k = 0; k < 3; ++k) {
            if (k == 2 && !worseShown)
                break;
            for (int j = 0; j < 3; ++j) {
                const std::optional<double>& v = stored_.value[static_cast<size_t>(k)][static_cast<size_t>(j)];
                const int places = j == 0 ? 5 : 2;
                QString text = OutcomeText::Dashes;
                if (v && !ticked)
                    text = platform::roundText(*v, places);
                else if (v && *v > 0)
                    text = platform::roundText(std::log(*v), places);
                box(QString::fromLatin1(OddsRatioBoxes[static_cast<size_t>(k)][static_cast<size_t>(j)]))
                    ->setText(text);
            }
        }
    }
    lblLogs->setVisible(ticked);
}

void frmMain::cmdNNTWarning_Click()
{
    platform::msgBox(warningText(QStringLiteral("NNT")), platform::MsgButtons::OK, platform::MsgIcon::Information,
                     QStringLiteral("NNT CI Warning"), this);
}

void frmMain::cmdNNHWarning_Click()
{
    platform::msgBox(warningText(QStringLiteral("NNH")), platform::MsgButtons::OK, platform::MsgIcon::Information,
                     QStringLiteral("NNH CI Warning"), this);
}

void frmMain::cmdConvertToD_Click()
{
    showORToD(this);
}

void frmMain::cmdChiTable_Click() { showChiTable(this); }

void frmMain::OpTwo_Click() { switchMode(OutcomeMode::Two); }

void frmMain::OpThree_Click() { switchMode(OutcomeMode::Three); }

void frmMain::switchMode(OutcomeMode mode)
{
    const bool two = mode == OutcomeMode::Two;
    // 1. The results of the previous run.
    for (const QString& name : resultBoxes())
        box(name)->setText(QString());
    box(QStringLiteral("txtFishers2P"))->setText(two ? QString() : OutcomeText::Dashes);
    if (two)
        ChkFishers->show();
    lblPhi->setText(two ? QStringLiteral("Phi (r):") : QStringLiteral("Cramer's Phi (r):"));
    // 2. The log display and the Fisher question.
    hideLogs();
    if (two) {
        ChkFishers->show();
        LblFisherWarning->show();
    } else {
        LblFisherWarning->hide();
    }
    // 3. The layout of the mode.
    if ((two ? OpTwo : OpThree)->isChecked()) {
        for (const char* name : TwoOnly)
            if (auto* w = area_->findChild<QWidget*>(QString::fromLatin1(name)))
                w->setVisible(two);
        for (const char* name : ThreeOnly)
            if (auto* w = area_->findChild<QWidget*>(QString::fromLatin1(name)))
                w->setVisible(!two);
        for (const char* name : {"TxWorse", "CtrlWorse"}) {
            QLineEdit* b = box(QString::fromLatin1(name));
            b->clear();
            b->setReadOnly(two);
        }
        cmdNNTWarning->hide();
        cmdNNHWarning->hide();
        placeTotalsRow();
    }
}

void frmMain::placeTotalsRow()
{
    // The 2 x 2 mode moves the row up into the place of the deteriorated
    // row; the proportional layout keeps it there.
    if (!OpTwo || !area_)
        return;
    const int top = OpTwo->isChecked() ? TotalsTopTwo : TotalsTopThree;
    for (const char* name : {"lblN", "TxN", "CtrlN"})
        if (auto* w = area_->findChild<QWidget*>(QString::fromLatin1(name)))
            w->move(w->x(), shell::Resize::ScaledRect(this, QRect(0, top, 0, 0)).y());
}

void frmMain::cmdClear_Click()
{
    clearTextBoxes();
    cmdNNHWarning->hide();
    cmdNNTWarning->hide();
    hideLogs();
}


} // namespace quellin
