#include "metastats/frmFailSafe.h"

#include "frame/KeyFilters.h"
#include "metastats/MetaAnalysis.h"
#include "metastats/ResultPictures.h"
#include "platform/Dialogs.h"
#include "platform/WindowLife.h"
#include "shell/ControlColours.h"
#include "shell/TextBox.h"
#include "shell/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace metastats {

namespace {

constexpr int PictureSide = shell::px(255);

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h = 18,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    l->setAlignment(align);
    return l;
}

QLabel* caption(QWidget* parent, const QString& text, int x, int y, int w, int h = 18)
{
    return label(parent, text, x, y, w, h, Qt::AlignCenter);
}

QLineEdit* box(QWidget* parent, const char* name, int x, int y, int w, bool centred = true)
{
    auto* b = shell::newLineBox(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, y, w, 22);
    if (centred)
        b->setAlignment(Qt::AlignCenter);
    return b;
}

void line(QWidget* parent, int x, int y, int w, int h)
{
    auto* l = new QFrame(parent);
    l->setFrameShape(w > h ? QFrame::HLine : QFrame::VLine);
    l->setFrameShadow(QFrame::Plain);
    l->setGeometry(x, y, w, h);
}

// A multi-line note without border, outside the tab order.
QPlainTextEdit* note(QWidget* parent, const QString& text, int x, int y, int w, int h)
{
    auto* n = new QPlainTextEdit(parent);
    n->setPlainText(text);
    n->setReadOnly(true);
    n->setFrameShape(QFrame::NoFrame);
    n->setFocusPolicy(Qt::NoFocus);
    n->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    n->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    n->setBackgroundRole(QPalette::Window);
    shell::ControlColours::SetBackColor(n, shell::ControlColours::ColourValue(n->palette().color(QPalette::Window)));
    n->setGeometry(x, y, w, h);
    return n;
}

// Table columns (left edges and widths, pixels).
constexpr int RowLabelX = 10, ColUnweighted = 120, ColWeighted = 200, ColN = 280, ColRFsN = 330, ColFsN = 392,
              ColPicture = 462, Col2 = 490, Col5 = 570, Col8 = 650, ColEnd = 730;
constexpr int HeaderY = 34, RowD = 62, RowG = 92, TableBottom = 120;

} // namespace

frmFailSafe::frmFailSafe(QWidget* metData) : QDialog(metData)
{
    setObjectName(QStringLiteral("frmFailSafe"));
    setWindowTitle(QStringLiteral("Rosenthal & Orwin's FailSafe N Statistics"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(840, 380);

    // The table.
    caption(this, QStringLiteral("Fail-Safe N - Criterion d"), Col2, 8, ColEnd - Col2);
    caption(this, QStringLiteral("Unweighted"), ColUnweighted, HeaderY, ColWeighted - ColUnweighted);
    caption(this, QStringLiteral("Weighted"), ColWeighted, HeaderY, ColN - ColWeighted);
    caption(this, QStringLiteral("N"), ColN, HeaderY, ColRFsN - ColN);
    caption(this, QStringLiteral("RFsN"), ColRFsN, HeaderY, ColFsN - ColRFsN);
    // Two lines in the heading cell, between its grid lines.
    caption(this, QStringLiteral("FsN"), ColFsN, HeaderY - 3, ColPicture - ColFsN, 14);
    caption(this, QStringLiteral("p<.05"), ColFsN, HeaderY + 11, ColPicture - ColFsN, 14);
    caption(this, QStringLiteral("0.2"), Col2, HeaderY, Col5 - Col2);
    caption(this, QStringLiteral("0.5"), Col5, HeaderY, Col8 - Col5);
    caption(this, QStringLiteral("0.8"), Col8, HeaderY, ColEnd - Col8);
    caption(this, QStringLiteral("Orwin (1983)"), Col2, TableBottom + 2, ColEnd - Col2);
    label(this, QStringLiteral("Mean Cohen's d:"), RowLabelX, RowD + 2, ColUnweighted - RowLabelX - 4);
    label(this, QStringLiteral("Mean Hedges' g:"), RowLabelX, RowG + 2, ColUnweighted - RowLabelX - 4);

    const int gap = 6;
    auto rowBoxes = [&](int y, const char* unweighted, const char* weighted, const char* count, const char* rfsn,
                        const char* picture, const char* c2, const char* c5, const char* c8) {
        box(this, unweighted, ColUnweighted + gap / 2, y, ColWeighted - ColUnweighted - gap);
        box(this, weighted, ColWeighted + gap / 2, y, ColN - ColWeighted - gap);
        box(this, count, ColN + gap / 2, y, ColRFsN - ColN - gap)->setReadOnly(true);
        box(this, rfsn, ColRFsN + gap / 2, y, ColFsN - ColRFsN - gap);
        auto* pic = new QLabel(this);
        pic->setObjectName(QString::fromLatin1(picture));
        pic->setGeometry(ColPicture + (Col2 - ColPicture - PictureSide) / 2, y + (22 - PictureSide) / 2,
                         PictureSide, PictureSide);
        box(this, c2, Col2 + gap / 2, y, Col5 - Col2 - gap);
        box(this, c5, Col5 + gap / 2, y, Col8 - Col5 - gap);
        box(this, c8, Col8 + gap / 2, y, ColEnd - Col8 - gap);
    };
    rowBoxes(RowD, "txtMeanDSummary", "txtMeanDWeighted", "txtMeanDStatSummary", "txtNFSRosen", "picDResult",
             "txtDc2", "txtDc5", "txtDc8");
    rowBoxes(RowG, "txtMeanGSummary", "txtMeanGWeighted", "txtMeanGStatSummary", "txtNFSRosenG", "picGResult",
             "txtGc2", "txtGc5", "txtGc8");
    box(this, "txtFSN", ColFsN + gap / 2, (RowD + RowG) / 2, ColPicture - ColFsN - gap);

    // The grid. The FsN box spans both rows: the line between the rows
    // stops at its cell.
    for (int y : {HeaderY - 4, RowD - 4, TableBottom})
        line(this, RowLabelX, y, ColEnd - RowLabelX, 1);
    line(this, RowLabelX, RowG - 4, ColFsN - RowLabelX, 1);
    line(this, ColPicture, RowG - 4, ColEnd - ColPicture, 1);
    for (int x : {ColUnweighted, ColWeighted, ColN, ColRFsN, ColFsN, ColPicture, Col2, Col5, Col8, ColEnd})
        line(this, x, HeaderY - 4, 1, TableBottom - HeaderY + 5);

    // Notes under the table.
    label(this, QStringLiteral("Note:"), RowLabelX, 148, 40);
    note(this,
         QStringLiteral("RFsN = \"Reasonable\" Failsafe N (5k+10; Rosenthal, 1984; Rule of Thumb Only).\n"
                        "FsN = Derived Fail-Safe N (Rosenthal, 1984).\n"),
         50, 146, 480, 44)
        ->setLineWrapMode(QPlainTextEdit::NoWrap);
    note(this, QStringLiteral("RFsN, FsN and Orwin's Criterion d & g are all based upon unweighted d and g values.\n"),
         540, 146, 290, 44);

    // Orwin's calculator.
    line(this, RowLabelX, 196, 820, 1);
    auto* heading = label(this, QStringLiteral("Orwin (1983)"), RowLabelX, 204, 200);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    constexpr int CalcY = 250, CalcY2 = 296;
    label(this, QStringLiteral("With an average effect size of:"), RowLabelX, CalcY + 2, 185);
    caption(this, QStringLiteral("d1"), 195, CalcY - 18, 60);
    auto* d1 = box(this, "txtInitialD", 195, CalcY, 60);
    label(this, QStringLiteral("from:"), 262, CalcY + 2, 35);
    caption(this, QStringLiteral("N"), 297, CalcY - 18, 50);
    auto* n = box(this, "txtNStudies", 297, CalcY, 50);
    label(this, QStringLiteral("studies, it would take"), 354, CalcY + 2, 130);
    auto* required = box(this, "txtNumberRequired", 484, CalcY, 90);
    required->setText(QStringLiteral("?"));
    required->setReadOnly(true);
    required->setFrame(false);
    shell::ControlColours::SetForeColor(required, shell::ControlColours::ColourValue(QColor(255, 0, 0)));
    label(this, QStringLiteral("studies of a zero effect size to reduce the overall effect size to:"), RowLabelX,
          CalcY2 + 2, 380);
    caption(this, QStringLiteral("d2"), 390, CalcY2 - 18, 60);
    auto* d2 = box(this, "txtEndD", 390, CalcY2, 60);
    auto* compute = new QPushButton(QStringLiteral("&Compute"), this);
    compute->setObjectName(QStringLiteral("cmdCompute"));
    compute->setGeometry(470, CalcY2 - 4, 100, 30);
    connect(compute, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });

    label(this, QStringLiteral("Note:"), 585, 210, 40);
    note(this,
         QStringLiteral("The red \"X\" will be replaced by the \n"
                        "correct number. Enter your effect size \n"
                        "under \"d1\" and the number of studies \n"
                        "it was derived from under \"N\" and the \n"
                        "target effect size under \"d2\". Then \n"
                        "press the \"compute\" button.\n"),
         585, 228, 250, 130)
        ->setLineWrapMode(QPlainTextEdit::NoWrap);

    // Key filters.
    using frame::KeyFilter;
    for (const char* name : {"txtMeanDSummary", "txtMeanGSummary"})
        frame::installKeyFilter(findChild<QLineEdit*>(QString::fromLatin1(name)), KeyFilter::Unsigned);
    for (const char* name : {"txtMeanDStatSummary", "txtMeanGStatSummary"})
        frame::installKeyFilter(findChild<QLineEdit*>(QString::fromLatin1(name)), KeyFilter::Digits);
    frame::installKeyFilter(d1, KeyFilter::Unsigned);
    frame::installKeyFilter(d2, KeyFilter::Unsigned);
    frame::installKeyFilter(n, KeyFilter::Digits);

    // Tab order of the calculator follows its sentence.
    setTabOrder(d1, n);
    setTabOrder(n, d2);
    setTabOrder(d2, compute);
}

QString frmFailSafe::ownerText(const char* name) const
{
    QWidget* owner = parentWidget();
    if (!owner)
        return {};
    // The window's own boxes share some names with the owner's: skip them.
    for (QLineEdit* b : owner->findChildren<QLineEdit*>(QString::fromLatin1(name)))
        if (!isAncestorOf(b))
            return b->text();
    return {};
}

FailSafeInputs frmFailSafe::readSummaryBoxes() const
{
    FailSafeInputs in;
    in.DStat = ownerText("txtDStat");
    in.MeanDStatSummary = ownerText("txtMeanDStatSummary");
    in.MeanCohen = ownerText("txtMeanCohen");
    in.WeightedD = ownerText("txtWeightedD");
    in.MeanGStat = ownerText("txtMeanGStat");
    in.MeanGStatSummary = ownerText("txtMeanGStatSummary");
    in.MeanG = ownerText("txtMeanG");
    in.WeightedG = ownerText("txtWeightedG");
    in.MeanZStat = ownerText("txtMeanZStat");
    in.SumZ = ownerText("txtSumZ");
    return in;
}

void frmFailSafe::setText(const char* name, const QString& text)
{
    if (auto* b = findChild<QLineEdit*>(QString::fromLatin1(name))) {
        b->setText(text);
        b->setCursorPosition(0);
    }
}

void frmFailSafe::setVerdict(const char* name, FailSafeVerdict verdict)
{
    if (auto* pic = findChild<QLabel*>(QString::fromLatin1(name))) {
        pic->setPixmap(verdictPicture(verdict, PictureSide));
        pic->setProperty("picture", verdictPictureName(verdict));
    }
}

void frmFailSafe::Form_Load() { LoadFailSafeSummary(); }

void frmFailSafe::LoadFailSafeSummary()
{
    const FailSafeTable t = computeFailSafeTable(readSummaryBoxes());
    setText("txtNFSRosen", t.d.reasonable);
    setText("txtMeanDStatSummary", t.d.count);
    setText("txtMeanDSummary", t.d.unweighted);
    setText("txtMeanDWeighted", t.d.weighted);
    setText("txtDc2", t.d.c2);
    setText("txtDc5", t.d.c5);
    setText("txtDc8", t.d.c8);
    setText("txtNFSRosenG", t.g.reasonable);
    setText("txtMeanGStatSummary", t.g.count);
    setText("txtMeanGSummary", t.g.unweighted);
    setText("txtMeanGWeighted", t.g.weighted);
    setText("txtGc2", t.g.c2);
    setText("txtGc5", t.g.c5);
    setText("txtGc8", t.g.c8);
    setText("txtFSN", t.derived);
    // The window is not shown yet: the warnings belong to the owner.
    if (t.warnD)
        platform::msgBox(failSafeWarningText(false), platform::MsgButtons::OK, platform::MsgIcon::None,
                         failSafeWarningTitle(false), parentWidget());
    if (t.warnG)
        platform::msgBox(failSafeWarningText(true), platform::MsgButtons::OK, platform::MsgIcon::None,
                         failSafeWarningTitle(true), parentWidget());
    setVerdict("picDResult", t.d.verdict);
    setVerdict("picGResult", t.g.verdict);
}

void frmFailSafe::cmdCompute_Click()
{
    auto* required = findChild<QLineEdit*>(QStringLiteral("txtNumberRequired"));
    auto text = [this](const char* name) {
        auto* b = findChild<QLineEdit*>(QString::fromLatin1(name));
        return b ? b->text() : QString();
    };
    required->setText(orwin_text::Placeholder);
    const OrwinOutcome out = computeOrwin(text("txtInitialD"), text("txtNStudies"), text("txtEndD"));
    if (!out.message.isEmpty()) {
        platform::msgBox(out.message, platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
        return;
    }
    required->setText(out.result);
    required->setCursorPosition(0);
}

void showFailSafe(QWidget* metData)
{
    QPointer<frmFailSafe> window = new frmFailSafe(metData);
    window->Form_Load();
    if (!window.isNull())
        platform::execDialog(*window);
    // The owner may have gone (and taken the window with it) meanwhile.
    delete window.data();
}

} // namespace metastats
