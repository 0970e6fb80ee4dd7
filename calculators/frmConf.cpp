#include "calculators/frmConf.h"

#include "calculators/CalcControls.h"
#include "calculators/CalculatorMath.h"
#include "calculators/frmCriticalTable.h"
#include "frame/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "shell/ControlColours.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextOption>

namespace calculators {

namespace {

QPlainTextEdit* addNoteBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(name);
    t->setGeometry(px(left), px(top), px(width), px(height));
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::ClickFocus);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setButtonFaceBackground(t);
    return t;
}

void setNote(QPlainTextEdit* box, const QString& text, const QColor& colour)
{
    shell::ControlColours::SetForeColor(box, shell::ControlColours::ColourValue(colour));
    QTextOption option = box->document()->defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    box->document()->setDefaultTextOption(option);
    box->setPlainText(text);
}

} // namespace

frmConf::frmConf(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmConf"));
    setWindowTitle(QStringLiteral("Confidence Intervals Around A Mean"));
    setWindowFrame(this, 8880, 3600, true);

    // Inputs and commands on the left.
    addLabel(this, QStringLiteral("lblMeanInput"), QStringLiteral("Mean:"), 120, 330, 600);
    txtMean = addInputBox(this, QStringLiteral("txtMean"), 780, 300, 1320);
    addLabel(this, QStringLiteral("lblSDInput"), QStringLiteral("SD:"), 120, 750, 600);
    txtSD = addInputBox(this, QStringLiteral("txtSD"), 780, 720, 1320);
    addLabel(this, QStringLiteral("lblNInput"), QStringLiteral("N:"), 120, 1170, 600);
    txtN = addInputBox(this, QStringLiteral("txtN"), 780, 1140, 1320);
    frame::installKeyFilter(txtN, frame::KeyFilter::Digits);

    auto* cmdConfidence = addButton(this, QStringLiteral("cmdConfidence"), QStringLiteral("&Do it!"), 120, 1680, 1980);
    QFont bold = cmdConfidence->font();
    bold.setBold(true);
    cmdConfidence->setFont(bold);
    auto* cmdReset = addButton(this, QStringLiteral("cmdReset"), QStringLiteral("&Reset All"), 120, 2160, 1980);
    auto* cmdExit = addButton(this, QStringLiteral("cmdExit"), QStringLiteral("E&xit"), 120, 2640, 1980);

    // Confidence levels in the middle.
    Frame1 = new QGroupBox(QStringLiteral("Confidence Interval"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    for (int i = 0; i < kListedConfLevels; ++i) {
        const ConfLevelInfo& info = confLevelInfo(static_cast<ConfLevel>(i));
        const int column = i / 4, row = i % 4;
        levelOptions_ << addOption(Frame1, QString::fromLatin1(info.option), QString::fromLatin1(info.caption),
                                   120 + column * 900, 300 + row * 330, 840);
    }
    levelOptions_ << addOption(Frame1, QStringLiteral("opOther"), QStringLiteral("Other ..."), 120, 1620, 1500);
    levelOptions_[static_cast<int>(ConfLevel::L95)]->setChecked(true);
    for (int i = 0; i < levelOptions_.size(); ++i) {
        const bool other = i == kListedConfLevels;
        connect(levelOptions_[i], &QRadioButton::clicked, this,
                [this, other] { other ? opOther_Click() : opListed_Click(); });
    }

    Frame2 = new QGroupBox(QStringLiteral("z or t Value"), Frame1);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(px(120), px(1950), px(1665), px(1155));
    Text1 = addNoteBox(Frame2, QStringLiteral("Text1"), 60, 210, 1545, 480);
    Text1->setFrameShape(QFrame::NoFrame);
    Text1->document()->setDocumentMargin(0);
    QFont small = Text1->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Text1->setFont(small);
    shell::ControlColours::SetBackColor(Text1,
                                        shell::ControlColours::ColourValue(Text1->palette().color(QPalette::Window)));
    Text1->setPlainText(QStringLiteral("Enter the z or t value to use in formula:\n"));
    txtZ = addInputBox(Frame2, QStringLiteral("txtZ"), 60, 720, 780);
    cmdTable2 = addButton(Frame2, QStringLiteral("cmdTable2"), QStringLiteral("t-Table"), 900, 690, 705, 345);

    // Results on the right.
    txtSEFormula = addResultBox(this, QStringLiteral("txtSEFormula"), 4440, 240, 2640);
    txtSEFormula->setText(QStringLiteral("SE Formula = SD/sqrt(N)"));
    lblSE = addLabel(this, QStringLiteral("lblSE"), QStringLiteral("Stand. Error:"), 4440, 660, 1200);
    txtSE = addResultBox(this, QStringLiteral("txtSE"), 5640, 630, 1380);
    lblZValue = addLabel(this, QStringLiteral("lblZValue"), QStringLiteral("Z Value:"), 7140, 660, 780);
    txtZValue = addResultBox(this, QStringLiteral("txtZValue"), 7920, 630, 840);
    lblPercent1 = addLabel(this, QStringLiteral("lblPercent1"), QString(), 4440, 1080, 840);
    lblError = addLabel(this, QStringLiteral("lblError"), QStringLiteral("Error:"), 5280, 1080, 600);
    lblPlusMinus = addLabel(this, QStringLiteral("lblPlusMinus"), QStringLiteral("+/-"), 5880, 1080, 360);
    txtError = addResultBox(this, QStringLiteral("txtError"), 6240, 1050, 1560);
    lblPercent2 = addLabel(this, QStringLiteral("lblPercent2"), QString(), 4680, 1500, 1200);
    lblMean = addLabel(this, QStringLiteral("lblMean"), QStringLiteral("Mean"), 6060, 1500, 1200);
    lblPercent3 = addLabel(this, QStringLiteral("lblPercent3"), QString(), 7440, 1500, 1200);
    lblMinus = addLabel(this, QStringLiteral("lblMinus"), QStringLiteral("-"), 4440, 1800, 240);
    txtMinConf = addResultBox(this, QStringLiteral("txtMinConf"), 4680, 1770, 1260, 285, kResultBlue);
    txtMeanOutput = addResultBox(this, QStringLiteral("txtMeanOutput"), 6060, 1770, 1260);
    lblPlus = addLabel(this, QStringLiteral("lblPlus"), QStringLiteral("+"), 7380, 1800, 240);
    txtPlusConf = addResultBox(this, QStringLiteral("txtPlusConf"), 7620, 1770, 1260, 285, kResultBlue);
    txtSampleSize = addNoteBox(this, QStringLiteral("txtSampleSize"), 4440, 2280, 3120, 900);
    cmdHelp = addButton(this, QStringLiteral("cmdHelp"), QStringLiteral("Help"), 7680, 2280, 1080, 375);
    cmdTable = addButton(this, QStringLiteral("cmdTable"), QStringLiteral("t-Table"), 7680, 2760, 1080, 375);

    connect(cmdConfidence, &QPushButton::clicked, this, &frmConf::cmdConfidence_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmConf::cmdReset_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmConf::cmdExit_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmConf::cmdHelp_Click);
    connect(cmdTable, &QPushButton::clicked, this, &frmConf::cmdTable_Click);
    connect(cmdTable2, &QPushButton::clicked, this, &frmConf::cmdTable2_Click);

    Form_Load();
}

QList<QWidget*> frmConf::resultControls() const
{
    return {lblSE,    txtSE,       lblPercent1, lblPercent2,  lblPercent3,   lblError,    lblPlusMinus,
            txtError, lblPlus,     lblMinus,    lblMean,      txtMinConf,    txtMeanOutput, txtPlusConf,
            txtSampleSize, txtSEFormula, lblZValue, txtZValue};
}

void frmConf::Form_Load()
{
    ShowStandardLayout();
    ClearResults();
}

void frmConf::ShowStandardLayout()
{
    Frame2->setVisible(false);
    placeLevelFrame();
}

void frmConf::placeLevelFrame()
{
    // The level frame grows over the z value's frame when that is shown; at
    // the window's present size when it is scaled to fit the screen.
    const int height = Frame2->isVisibleTo(this) ? 3195 : 1875;
    Frame1->setGeometry(shell::Resize::ScaledRect(this, QRect(px(2340), px(270), px(1935), px(height))));
}

void frmConf::emptyResultTexts()
{
    for (QLineEdit* e : {txtSE, txtMinConf, txtMeanOutput, txtPlusConf, txtError})
        e->clear();
    for (QLabel* l : {lblPercent1, lblPercent2, lblPercent3})
        l->clear();
    txtSampleSize->clear();
    txtZValue->clear();
}

void frmConf::ClearResults()
{
    emptyResultTexts();
    txtZ->clear();
    for (QWidget* w : resultControls())
        w->setVisible(false);
    cmdHelp->setVisible(false);
    cmdTable->setVisible(false);
}

void frmConf::opListed_Click()
{
    ShowStandardLayout();
    ClearResults();
}

void frmConf::opOther_Click()
{
    Frame2->setVisible(true);
    placeLevelFrame();
    ClearResults();
}

int frmConf::selectedLevel() const
{
    for (int i = 0; i < levelOptions_.size(); ++i)
        if (levelOptions_[i]->isChecked())
            return i;
    return static_cast<int>(ConfLevel::L95);
}

void frmConf::cmdConfidence_Click()
{
    emptyResultTexts();
    cmdHelp->setVisible(false);
    cmdTable->setVisible(false);
    try {
        ConfInputs in;
        in.mean = txtMean->text();
        in.sd = txtSD->text();
        in.n = txtN->text();
        in.ownValue = txtZ->text();
        in.level = static_cast<ConfLevel>(selectedLevel());
        const ConfOutcome out = computeConfidenceInterval(in);
        if (!out.message.isEmpty()) {
            platform::msgBox(out.message, platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
            return;
        }
        txtSE->setText(out.se);
        txtZValue->setText(out.z);
        txtError->setText(out.error);
        txtMinConf->setText(out.lower);
        txtPlusConf->setText(out.upper);
        txtMeanOutput->setText(out.mean);
        for (QLabel* l : {lblPercent1, lblPercent2, lblPercent3})
            l->setText(out.levelCaption);
        if (out.note == ConfOutcome::Note::CentralLimit)
            setNote(txtSampleSize, QString::fromLatin1(kConfNoteCentralLimit), kResultRed);
        else if (out.note == ConfOutcome::Note::OwnValue)
            setNote(txtSampleSize, QString::fromLatin1(kConfNoteOwnValue), kResultBlue);
        if (out.note != ConfOutcome::Note::None) {
            cmdHelp->setVisible(true);
            cmdTable->setVisible(true);
        }
        for (QWidget* w : resultControls())
            w->setVisible(true);
    } catch (const platform::RuntimeError& e) {
        platform::msgBox(QStringLiteral("Something went very wrong and resulted in the following error\r\n")
                             + e.description(),
                         platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    }
}

void frmConf::cmdReset_Click()
{
    txtMean->clear();
    txtSD->clear();
    txtN->clear();
    levelOptions_[static_cast<int>(ConfLevel::L95)]->setChecked(true);
    opListed_Click();
    ClearResults();
}

void frmConf::cmdHelp_Click()
{
    platform::msgBox(QStringLiteral("If your sample is less than 30 then we would suggest that you use a t (alpha/2) "
                                    "value corresponding to n-1 degrees of freedom. Therefore, use the table "
                                    "provided to select a t-value and enter that value in the 'other...' text box "
                                    "under the confidence intervals frame."),
                     platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
}

void frmConf::cmdTable_Click() { showCITable(this); }

void frmConf::cmdTable2_Click() { showCITable(this); }

void frmConf::cmdExit_Click() { close(); }

frmConf* showConf()
{
    static QPointer<frmConf> window;
    return showSingle(window);
}

} // namespace calculators
