#include "meandiff/frmMain.h"

#include "meandiff/ConversionTabs.h"
#include "meandiff/EffectSize.h"
#include "frame/KeyFilters.h"
#include "meandiff/StudyFileCommands.h"
#include "meandiff/StudyReport.h"
#include "metadb/frmMetData.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "shell/ControlColours.h"
#include "shell/TextBox.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <iterator>

namespace tarvoss {

namespace {

// Size of the area under the toolbar that holds the window's controls (pixels).
constexpr int DesignWidth = 790;
constexpr int DesignHeight = 600;

const char* const StudyBoxes[] = {"TxtID",       "TxtYear",     "TxtAssess", "TxtDevice",
                                  "txtStudySample", "txtT1Sample", "txtT2Sample"};
const char* const GroupBoxes[] = {"txtMean1", "txtMean2", "txtSD1", "txtSD2", "TxtN1", "TxtN2"};

bool isOneOf(const QString& name, const char* const* names, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (name == QLatin1String(names[i]))
            return true;
    return false;
}

void setBackColour(QWidget* w, const QColor& c)
{
    shell::ControlColours::SetBackColor(w, shell::ControlColours::ColourValue(c));
}

void setTextColour(QWidget* w, const QColor& c)
{
    shell::ControlColours::SetForeColor(w, shell::ControlColours::ColourValue(c));
}

QComboBox* makeCombo(QWidget* parent, const QString& name, const QStringList& entries, const QString& shown,
                     const QRect& geometry)
{
    auto* cb = new QComboBox(parent);
    cb->setObjectName(name);
    // Placed before it turns editable, which otherwise sizes it to its
    // contents first.
    cb->setGeometry(geometry);
    cb->setEditable(true);
    shell::keepWholeText(cb);
    cb->setInsertPolicy(QComboBox::NoInsert);
    cb->setCompleter(nullptr);   // a typed "95" stays "95"
    cb->setMaxVisibleItems(entries.size());
    cb->addItems(entries);
    cb->setCurrentIndex(static_cast<int>(entries.indexOf(shown)));
    return cb;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tip,
                        int x, int y, int w, int h)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setGeometry(x, y, w, h);
    return b;
}

} // namespace

// Writes the calculation's results into the window's boxes as they come.
class frmMain::Writer : public meandiff::ResultWriter {
public:
    explicit Writer(frmMain& w) : w_(w) {}
    void write(const QString& box, const QString& text) override
    {
        if (auto* b = w_.box(box))
            b->setText(text);
    }
    void selectFirstTab() override { w_.SSTab1->setCurrentIndex(0); }
    void setLevelCaptions(const frame::ConfidenceLevel& level) override
    {
        w_.LblPercent[0]->setText(level.level);
        w_.LblPercent[1]->setText(level.lower);
        w_.LblPercent[2]->setText(level.upper);
    }
    void setSignSentence(bool negative, const QString& text) override
    {
        auto* b = w_.box(QStringLiteral("txtNegPlus"));
        setTextColour(b, negative ? QColor(255, 0, 0) : QColor(0, 0, 255));
        b->setText(text);
    }

private:
    frmMain& w_;
};

frmMain::frmMain(QWidget* parent) : frame::MainFrame(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tarvoss"));
    connectCalculators();
    buildControls();
    frame::StudyFileHooks hooks = frameFileHooks([this] { clearAll(); });
    // The database window reads the command line itself when it loads.
    // A database named on the command line is read while this window loads,
    // before it is shown: its window comes up once this one is, in front.
    hooks.showDatabase = [this](const QString&) {
        if (isVisible())
            showDatabaseInFront();
        else
            databaseAfterShow_ = true;
    };
    files_ = std::make_unique<meandiff::StudyFileCommands>(this, std::move(hooks));
    Form_Load();
    // Open at the designed size of the control area, with the menu bar,
    // toolbar and status bar that loading added around it.
    centralWidget()->setMinimumSize(DesignWidth, DesignHeight);
    adjustSize();
    centralWidget()->setMinimumSize(0, 0);
}

frmMain::~frmMain() = default;

void frmMain::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    setCentralWidget(central);

    // ---- Study details -------------------------------------------------
    addLabel(central, QStringLiteral("Authors"), 8, 8, 125);
    addBox(central, QStringLiteral("TxtID"), 135, 8, 305);
    addLabel(central, QStringLiteral("Year"), 452, 8, 38);
    addBox(central, QStringLiteral("TxtYear"), 490, 8, 85);
    addLabel(central, QStringLiteral("Assessment Details"), 8, 36, 125);
    addBox(central, QStringLiteral("TxtAssess"), 135, 36, 150);
    addLabel(central, QStringLiteral("Measurement Device"), 295, 36, 130);
    addBox(central, QStringLiteral("TxtDevice"), 425, 36, 150);
    addLabel(central, QStringLiteral("Study Sample"), 8, 64, 125);
    addBox(central, QStringLiteral("txtStudySample"), 135, 64, 440);

    // ---- Standard deviation and confidence level -----------------------
    addLabel(central, QStringLiteral("Standard deviation to use:"), 590, 4, 190, 18);
    Combo1 = makeCombo(central, QStringLiteral("Combo1"), meandiff::standardDeviationChoices(),
                       QStringLiteral("Weighted Average"), QRect(590, 22, 160, 22));
    addLabel(central, QStringLiteral("Confidence level:"), 590, 48, 190, 18);
    Combo2 = makeCombo(central, QStringLiteral("Combo2"), frame::confidenceLevels(), QStringLiteral("95%"),
                       QRect(590, 66, 100, 22));

    // ---- Group data ----------------------------------------------------
    const char* const groupLabels[2][2] = {{"Exp Group Mean:", "Exp Group SD:"},
                                           {"Control Group Mean:", "Control Group SD:"}};
    for (int g = 0; g < 2; ++g) {
        const int y = 100 + 28 * g;
        const QString n = QString::number(g + 1);
        addLabel(central, QString::fromLatin1(groupLabels[g][0]), 8, y, 125);
        addBox(central, QStringLiteral("txtMean") + n, 135, y, 75);
        addLabel(central, QString::fromLatin1(groupLabels[g][1]), 220, y, 115);
        addBox(central, QStringLiteral("txtSD") + n, 335, y, 65);
        addLabel(central, QStringLiteral("N:"), 408, y, 18);
        addBox(central, QStringLiteral("TxtN") + n, 426, y, 55);
        addLabel(central, QStringLiteral("Sample Type:"), 490, y, 85);
        addBox(central, QStringLiteral("txtT") + n + QStringLiteral("Sample"), 575, y, 207);
    }

    // ---- Tabs ----------------------------------------------------------
    SSTab1 = new QTabWidget(central);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(8, 160, 774, 380);

    // Effect Sizes
    auto* tabES = new QWidget;
    tabES->setObjectName(QStringLiteral("TabEffectSizes"));
    constexpr int valueX = 355, lowerX = 470, upperX = 590, colW = 110;
    LblPercent[0] = addLabel(tabES, QStringLiteral("95"), lowerX, 8, 40, 21, QStringLiteral("LblPercent(0)"));
    LblPercent[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addLabel(tabES, QStringLiteral("%"), lowerX + 40, 8, 14);
    addLabel(tabES, QStringLiteral("Confidence Intervals"), lowerX + 58, 8, 170);
    LblPercent[1] = addLabel(tabES, QStringLiteral("-95%"), lowerX, 34, colW, 21, QStringLiteral("LblPercent(1)"));
    LblPercent[2] = addLabel(tabES, QStringLiteral("+95%"), upperX, 34, colW, 21, QStringLiteral("LblPercent(2)"));
    addLabel(tabES, QStringLiteral("Standard deviation used:"), 10, 34, 340);
    addBox(tabES, QStringLiteral("TxtUsedSD"), valueX, 34, colW);
    addLabel(tabES, QStringLiteral("Cohen's d:"), 10, 64, 340);
    addBox(tabES, QStringLiteral("TxtTarvoss"), valueX, 64, colW);
    addBox(tabES, QStringLiteral("TxtESNeg95"), lowerX, 64, colW);
    addBox(tabES, QStringLiteral("TxtESPlus95"), upperX, 64, colW);
    addLabel(tabES, QStringLiteral("Cohen's d based on sample size (Hedges Adjustment):"), 10, 94, 340);
    addBox(tabES, QStringLiteral("TxtHedges"), valueX, 94, colW);
    addBox(tabES, QStringLiteral("TxtHedgesNeg95"), lowerX, 94, colW);
    addBox(tabES, QStringLiteral("TxtHedgesPlus95"), upperX, 94, colW);
    addLabel(tabES, QStringLiteral("Hedges pooled standard deviation:"), 10, 124, 340);
    addBox(tabES, QStringLiteral("TxtHedgesS1"), valueX, 124, colW);
    addLabel(tabES, QStringLiteral("Hedges' g:"), 10, 154, 340);
    addBox(tabES, QStringLiteral("txtHedgesG"), valueX, 154, colW);
    addBox(tabES, QStringLiteral("TxtHedgesGNeg95"), lowerX, 154, colW);
    addBox(tabES, QStringLiteral("TxtHedgesGPlus95"), upperX, 154, colW);
    addBox(tabES, QStringLiteral("txtNegPlus"), 10, 194, 690);
    SSTab1->addTab(tabES, QStringLiteral("Effect Sizes"));

    // Significance
    auto* tabSig = new QWidget;
    tabSig->setObjectName(QStringLiteral("TabSignificance"));
    addLabel(tabSig, QStringLiteral("Total Number of Subjects:"), 10, 12, 200);
    addBox(tabSig, QStringLiteral("TxtTotalN"), 215, 12, 110);
    addLabel(tabSig, QStringLiteral("Degrees of Freedom:"), 345, 12, 150);
    addBox(tabSig, QStringLiteral("txtDF"), 500, 12, 110);
    addLabel(tabSig, QStringLiteral("Mean Difference:"), 10, 42, 200);
    addBox(tabSig, QStringLiteral("TxtMeanDiff"), 215, 42, 110);
    addLabel(tabSig, QStringLiteral("Standard Error of Difference:"), 10, 72, 200);
    addBox(tabSig, QStringLiteral("TxtSED"), 215, 72, 110);
    addLabel(tabSig, QStringLiteral("Standard Deviation (g):"), 345, 72, 150);
    addBox(tabSig, QStringLiteral("TxtTSD"), 500, 72, 110);
    addLabel(tabSig, QStringLiteral("Independent Samples t-test:"), 10, 112, 200);
    addBox(tabSig, QStringLiteral("txtT"), 215, 112, 110);
    addLabel(tabSig, QStringLiteral("Two Tailed p ="), 345, 112, 90);
    addBox(tabSig, QStringLiteral("txt2PT"), 435, 112, 100);
    addLabel(tabSig, QStringLiteral("One Tailed p ="), 550, 112, 90);
    addBox(tabSig, QStringLiteral("txt1PT"), 640, 112, 100);
    addLabel(tabSig, QStringLiteral("Independent Samples z Statistic:"), 10, 142, 200);
    addBox(tabSig, QStringLiteral("txtZStat"), 215, 142, 110);
    addLabel(tabSig, QStringLiteral("Two Tailed p ="), 345, 142, 90);
    addBox(tabSig, QStringLiteral("txt2PZ"), 435, 142, 100);
    addLabel(tabSig, QStringLiteral("One Tailed p ="), 550, 142, 90);
    addBox(tabSig, QStringLiteral("txt1PZ"), 640, 142, 100);
    CmdTAssumptions = makeButton(tabSig, QStringLiteral("CmdTAssumptions"), QStringLiteral("t-test Assumptions"), {},
                                 10, 190, 170, 28);
    SSTab1->addTab(tabSig, QStringLiteral("Significance"));

    // Sample Size
    auto* tabSS = new QWidget;
    tabSS->setObjectName(QStringLiteral("TabSampleSize"));
    addLabel(tabSS, QStringLiteral("What is your expected effect size (d or g)?"), 10, 12, 265);
    auto* txtD = addBox(tabSS, QStringLiteral("txtD"), 280, 12, 90);
    setBackColour(txtD, QColor(192, 255, 192));
    cmdSample = makeButton(tabSS, QStringLiteral("cmdSample"), QStringLiteral("Calculate"), {}, 385, 9, 100, 27);
    cmdPowerAssumptions = makeButton(tabSS, QStringLiteral("cmdPowerAssumptions"), QStringLiteral("Assumptions"), {},
                                     495, 9, 110, 27);
    addLabel(tabSS, QStringLiteral("Two Tailed Analysis"), 150, 52, 220);
    addLabel(tabSS, QStringLiteral("One Tailed Analysis"), 420, 52, 220);
    const int gridX[4] = {150, 260, 420, 530};
    for (int c = 0; c < 4; ++c)
        addLabel(tabSS, c % 2 == 0 ? QStringLiteral("Power = 0.8") : QStringLiteral("Power = 0.9"), gridX[c], 76, 100);
    addLabel(tabSS, QStringLiteral("95% Confidence"), 10, 100, 135);
    addLabel(tabSS, QStringLiteral("99% Confidence"), 10, 130, 135);
    // Columns: two-tailed 0.8, 0.9, one-tailed 0.8, 0.9; rows 95 %, 99 %.
    const char* const grid[2][4] = {{"txtP1", "txtP3", "txtP5", "txtP7"}, {"txtP2", "txtP4", "TxtP6", "txtP8"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            setTextColour(addBox(tabSS, QString::fromLatin1(grid[r][c]), gridX[c], 100 + 30 * r, 100), Qt::red);
    addLabel(tabSS, QStringLiteral("PER GROUP (a priori) !!"), 10, 176, 400);
    addLabel(tabSS, QStringLiteral("The red numbers are the MINIMUM numer of subjects"), 10, 200, 400);
    SSTab1->addTab(tabSS, QStringLiteral("Sample Size"));

    auto* conv1 = new QWidget;
    conv1->setObjectName(QStringLiteral("TabConversions1"));
    SSTab1->addTab(conv1, QStringLiteral(" ES Conversions 1"));
    meandiff::installConversionTab1(conv1);
    auto* conv2 = new QWidget;
    conv2->setObjectName(QStringLiteral("TabConversions2"));
    SSTab1->addTab(conv2, QStringLiteral(" ES Conversions 2"));
    meandiff::installConversionTab2(conv2);
    conversions2_ = conv2;
    buildLaunchers(central, tabES, tabSig, tabSS);
    SSTab1->setCurrentIndex(0);

    // ---- Buttons -------------------------------------------------------
    cmdDoIt = makeButton(central, QStringLiteral("cmdDoIt"), QStringLiteral("OK, show me what I've got!"),
                         QStringLiteral("What's the answer? I promise I'll reference this programme in the finished "
                                        "paper."),
                         8, 550, 240, 40);
    cmdNew = makeButton(central, QStringLiteral("cmdNew"), QStringLiteral("Start again"),
                        QStringLiteral("OK, I'm going again - clean all the boxes."), 256, 550, 160, 40);
    cmdExit = makeButton(central, QStringLiteral("cmdExit"), QStringLiteral("Get me out of here!!"),
                         QStringLiteral("That's it! I hate stats and am now returning to the real world."), 424, 550,
                         170, 40);
    CmdDatabase = makeButton(central, QStringLiteral("CmdDatabase"), QStringLiteral("Database / Meta-analysis"),
                             QStringLiteral("Add record to database or just work generally on a meta-analysis."), 602,
                             550, 180, 40);

    connect(cmdDoIt, &QPushButton::clicked, this, [this] { cmdDoIt_Click(); });
    connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(CmdDatabase, &QPushButton::clicked, this, [this] { CmdDatabase_Click(); });
    connect(cmdSample, &QPushButton::clicked, this, [this] { cmdSample_Click(); });
    connect(cmdPowerAssumptions, &QPushButton::clicked, this, [this] { cmdPowerAssumptions_Click(); });
    connect(CmdTAssumptions, &QPushButton::clicked, this, [this] { CmdTAssumptions_Click(); });

    // ---- Key filters and focus behaviour -------------------------------
    using frame::KeyFilter;
    // A double quote cannot be kept in the study file's line format, so the
    // free-text study boxes refuse it.
    for (const char* name : {"TxtID", "TxtYear", "TxtAssess", "TxtDevice", "txtStudySample", "txtT1Sample",
                             "txtT2Sample"})
        frame::installKeyFilter(box(QString::fromLatin1(name)), frame::KeyFilter::NoQuote);
    frame::installKeyFilter(box(QStringLiteral("txtMean1")), frame::KeyFilter::Signed);
    frame::installKeyFilter(box(QStringLiteral("txtMean2")), frame::KeyFilter::Signed);
    frame::installKeyFilter(box(QStringLiteral("txtSD1")), frame::KeyFilter::Unsigned);
    frame::installKeyFilter(box(QStringLiteral("txtSD2")), frame::KeyFilter::Unsigned);
    frame::installKeyFilter(box(QStringLiteral("TxtN1")), frame::KeyFilter::Digits);
    frame::installKeyFilter(box(QStringLiteral("TxtN2")), frame::KeyFilter::Digits);
    frame::installKeyFilter(Combo1, frame::KeyFilter::Unsigned);
    frame::installKeyFilter(Combo2, frame::KeyFilter::Unsigned);
    frame::installKeyFilter(txtD, frame::KeyFilter::Unsigned);
    for (const char* name : StudyBoxes)
        box(QString::fromLatin1(name))->installEventFilter(this);
    for (const char* name : GroupBoxes)
        box(QString::fromLatin1(name))->installEventFilter(this);

    // Tab order follows the reading order of the window.
    QWidget* prev = chainBoxes(nullptr, {"TxtID", "TxtYear", "TxtAssess", "TxtDevice", "txtStudySample", "txtMean1",
                                         "txtSD1", "TxtN1", "txtT1Sample", "txtMean2", "txtSD2", "TxtN2",
                                         "txtT2Sample"});
    setTabOrder(prev, Combo1);
    setTabOrder(Combo1, Combo2);
    setTabOrder(Combo2, cmdDoIt);
}

void frmMain::loadProgramSteps()
{
    for (const char* name : {"TxtAssess", "TxtID", "TxtDevice"})
        setBackColour(box(QString::fromLatin1(name)), QColor(0x80, 0x80, 0xFF));
    for (const char* name : {"TxtN1", "TxtN2"})
        setBackColour(box(QString::fromLatin1(name)), QColor(0xFF, 0x80, 0x80));
    files_->loadCommandLine(platform::commandLine());
}

void frmMain::runCalculation() { cmdDoIt_Click(); }

void frmMain::mnuFileOpen_Click() { files_->mnuFileOpen_Click(); }

bool frmMain::saveAs() { return files_->mnuFileSaveAs_Click(); }

void frmMain::mnuFilePrint_Click() { meandiff::printStudyReport(this); }

void frmMain::openRecentFile(int index, const QString& path) { files_->mnuMRU_Click(index, path); }

void frmMain::mnuMeta_Click() { CmdDatabase_Click(); }

void frmMain::showDatabaseInFront()
{
    if (QWidget* db = metadb::showMetData()) {
        db->raise();
        db->activateWindow();
    }
}

void frmMain::showEvent(QShowEvent* event)
{
    frame::MainFrame::showEvent(event);
    if (databaseAfterShow_) {
        databaseAfterShow_ = false;
        QTimer::singleShot(0, this, [this] { showDatabaseInFront(); });
    }
}

void frmMain::afterLayout() { meandiff::placeScriptCaption(conversions2_); }

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return frame::MainFrame::eventFilter(watched, event);
    auto* b = qobject_cast<QLineEdit*>(watched);
    if (!b)
        return false;
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // A context menu borrows the focus for a moment: the box keeps it.
    if (reason == Qt::PopupFocusReason)
        return false;
    const bool study = isOneOf(b->objectName(), StudyBoxes, std::size(StudyBoxes));
    if (event->type() == QEvent::FocusOut) {
        if (study)
            shell::ControlColours::RestoreControlColours(b);
        return false;
    }
    if (study)
        shell::ControlColours::HighlightControl(b);
    if (reason == Qt::ActiveWindowFocusReason)
        return false;
    b->setSelection(0, static_cast<int>(b->text().size()));
    // A mouse click places the caret after the focus arrived; select again
    // once it has.
    if (reason == Qt::MouseFocusReason) {
        QPointer<QLineEdit> guard(b);
        QTimer::singleShot(0, b, [guard] {
            if (guard && guard->hasFocus())
                guard->setSelection(0, static_cast<int>(guard->text().size()));
        });
    }
    return false;
}

void frmMain::reportFailure(const QString& description)
{
    platform::msgBox(frame::EffectSizeText::ErrorLead + QStringLiteral("\r\n") + description,
                     platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
}

void frmMain::cmdDoIt_Click()
{
    meandiff::EffectSizeInput in;
    in.mean1 = box(QStringLiteral("txtMean1"))->text();
    in.mean2 = box(QStringLiteral("txtMean2"))->text();
    in.sd1 = box(QStringLiteral("txtSD1"))->text();
    in.sd2 = box(QStringLiteral("txtSD2"))->text();
    in.n1 = box(QStringLiteral("TxtN1"))->text();
    in.n2 = box(QStringLiteral("TxtN2"))->text();
    in.sdChoice = Combo1->currentText();
    in.level = Combo2->currentText();
    Writer writer(*this);
    try {
        const QString message = meandiff::runEffectSize(in, writer);
        if (!message.isEmpty())
            platform::msgBox(message, platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    } catch (const platform::RuntimeError& e) {
        reportFailure(e.description());
    } catch (const std::exception& e) {
        reportFailure(QString::fromLocal8Bit(e.what()));
    }
}

void frmMain::cmdSample_Click()
{
    Writer writer(*this);
    try {
        const QString message = meandiff::runSampleSize(box(QStringLiteral("txtD"))->text(), writer);
        if (!message.isEmpty())
            platform::msgBox(message, platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    } catch (const platform::RuntimeError& e) {
        reportFailure(e.description());
    } catch (const std::exception& e) {
        reportFailure(QString::fromLocal8Bit(e.what()));
    }
}

void frmMain::cmdPowerAssumptions_Click()
{
    platform::msgBox(
        QStringLiteral("(a) The power analysis is based upon an independent groups design (b) the data upon which the "
                       "effect size estimation is based is normally distributed (i.e., bell-shaped) and") +
            QStringLiteral(" (c) the variance of the two sample distributions from which the effect size is "
                           "estimated are similar (assumption of equal variance)."),
        platform::MsgButtons::OK, platform::MsgIcon::Question, QStringLiteral("Sample Size Assumptions"), this);
}

void frmMain::CmdTAssumptions_Click()
{
    platform::msgBox(
        QStringLiteral("(a) the responses of different participants should be independent, (b) the data on which the "
                       "analysis is based (e.g., responses in each condition) should be normally distributed (i.e., "
                       "bell-shaped) and") +
            QStringLiteral(" (c) the variance of the distributions which are compared should be similar (assumption "
                           "of equal variance)."),
        platform::MsgButtons::OK, platform::MsgIcon::Question, QStringLiteral("Independent Samples T-Test Assumptions"),
        this);
}

void frmMain::CmdDatabase_Click() { metadb::showMetData(); }

} // namespace tarvoss
