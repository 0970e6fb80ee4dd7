#include "meandiff/ConversionTabs.h"

#include "meandiff/ConversionTabPages.h"
#include "frame/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "shell/ControlColours.h"
#include "shell/TextBox.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>

#include <algorithm>

namespace meandiff {

namespace {

const char* const kGroupName = "ConversionOptions";
const char* const kNote = "NOTES: If initial value was meant to be a negative translate the end result to a negative. "
                          "Conversions are always best approximations.";

const QColor kLightGreen(0xC0, 0xFF, 0xC0);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);

// The widget the two pages share: the tab control, or the window while a page
// is not on a tab control yet.
QWidget* sharedAncestor(QWidget* page)
{
    for (QWidget* w = page->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<QTabWidget*>(w))
            return w;
    return page->window();
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(x, y, w, h);
    return l;
}

QLabel* blueLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h)
{
    QLabel* l = label(parent, name, text, x, y, w, h);
    shell::ControlColours::SetForeColor(l, shell::ControlColours::ColourValue(kBlue));
    l->setVisible(false);
    return l;
}

QLabel* noteLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h)
{
    QLabel* l = label(parent, name, text, x, y, w, h);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QLineEdit* box(QWidget* parent, const char* name, int x, int y, int w, int h = 22)
{
    auto* e = shell::newLineBox(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, h);
    return e;
}

QLineEdit* wholeNumberBox(QWidget* parent, const char* name, int x, int y, int w)
{
    QLineEdit* e = box(parent, name, x, y, w);
    frame::installKeyFilter(e, frame::KeyFilter::Digits);
    return e;
}

QLineEdit* valueBox(QWidget* parent, const char* name, int x, int y, int w)
{
    QLineEdit* e = box(parent, name, x, y, w);
    shell::ControlColours::SetBackColor(e, shell::ControlColours::ColourValue(kLightGreen));
    frame::installKeyFilter(e, frame::KeyFilter::Unsigned);
    return e;
}

QLineEdit* resultBox(QWidget* parent, const char* name, int x, int y, int w)
{
    QLineEdit* e = box(parent, name, x, y, w);
    shell::ControlColours::SetBackColor(e, shell::ControlColours::ColourValue(e->palette().color(QPalette::Button)));
    shell::ControlColours::SetForeColor(e, shell::ControlColours::ColourValue(kRed));
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, y, w, h);
    return b;
}

// An option button that takes a click anywhere in its box, caption or not.
class OptionButton : public QRadioButton {
public:
    OptionButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QRadioButton* option(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 22)
{
    auto* o = new OptionButton(text, parent);
    o->setObjectName(QString::fromLatin1(name));
    o->setGeometry(x, y, w, h);
    return o;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& title, int x, int y, int w, int h)
{
    auto* f = new QGroupBox(title, parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(x, y, w, h);
    f->setVisible(false);
    return f;
}

// A private exclusive group for a pair of options inside one frame.
void pairGroup(QObject* owner, QRadioButton* a, QRadioButton* b)
{
    auto* g = new QButtonGroup(owner);
    g->setExclusive(true);
    g->addButton(a);
    g->addButton(b);
}

// Runs handler whenever the option becomes selected, by a click or by code.
template <class Tab>
void onSelected(QRadioButton* o, Tab* tab, void (Tab::*handler)())
{
    QObject::connect(o, &QRadioButton::toggled, tab, [tab, handler](bool on) {
        if (on)
            (tab->*handler)();
    });
}

// Puts the page's conversion options into the one group of both tabs. Run
// again when the page moves, so a page installed before it was put on the
// tab control still joins the group of the other page.
void joinOptionGroup(QWidget* page, const QList<QRadioButton*>& options)
{
    QButtonGroup* group = conversionOptionGroup(page);
    for (QRadioButton* o : options) {
        QButtonGroup* old = o->group();
        if (old == group)
            continue;
        if (old) {
            old->removeButton(o);
            if (old->buttons().isEmpty())
                old->deleteLater();
        }
        group->addButton(o);
    }
}

QList<QRadioButton*> conversionOptions(QWidget* page, const char* const* names)
{
    QList<QRadioButton*> list;
    for (const char* const* n = names; *n; ++n)
        if (auto* o = page->findChild<QRadioButton*>(QString::fromLatin1(*n), Qt::FindDirectChildrenOnly))
            list.append(o);
    return list;
}

const char* const kTab1Options[] = {"OpRtoD", "OpDtoR", "OpFtoD", "OpFtoR", "OpTtoR", "OpTtoD", "OpChitoR", "OpGtoD",
                                    nullptr};
const char* const kTab2Options[] = {"opDtoG", "opGtoR", "opFSQtoRSQ", "opRtoZ", "opRtoT",
                                    "opRtoChi", "opWtoC", "opCtoW", "opChitoC", nullptr};

void showMessage(QWidget* page, const QString& text)
{
    platform::msgBox(text, platform::MsgButtons::OK, platform::MsgIcon::None, {}, page->window());
}

} // namespace

QButtonGroup* conversionOptionGroup(QWidget* page)
{
    QWidget* host = sharedAncestor(page);
    auto* group = host->findChild<QButtonGroup*>(QString::fromLatin1(kGroupName), Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QButtonGroup(host);
        group->setObjectName(QString::fromLatin1(kGroupName));
        group->setExclusive(true);
    }
    return group;
}

// ---------------------------------------------------------------------------
// First tab

ConversionTabBase::ConversionTabBase(QWidget* page, const char* const* optionNames)
    : QObject(page), page_(page), optionNames_(optionNames)
{
}

void ConversionTabBase::joinOptions()
{
    joinOptionGroup(page_, conversionOptions(page_, optionNames_));
    page_->installEventFilter(this);
}

bool ConversionTabBase::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == page_ && event->type() == QEvent::ParentChange)
        joinOptionGroup(page_, conversionOptions(page_, optionNames_));
    return QObject::eventFilter(watched, event);
}

ConversionTab1::ConversionTab1(QWidget* page) : ConversionTabBase(page, kTab1Options)
{
    setObjectName(QStringLiteral("ConversionTab1"));
    QWidget* p = page;

    label(p, "Label33", QStringLiteral("See help file for used formulae."), 8, 8, 210, 18);
    label(p, "lblEnterValue1", QStringLiteral("Enter Value:"), 8, 38, 104, 20);
    TxtConvert = valueBox(p, "TxtConvert", 112, 36, 104);
    cmdConvert = button(p, "cmdConvert", QStringLiteral("Convert"), 112, 66, 104, 28);

    LblFrom = blueLabel(p, "LblFrom", QStringLiteral("From"), 8, 102, 36, 18);
    LblFromR = blueLabel(p, "LblFromR", QStringLiteral("r"), 46, 102, 44, 18);
    LblFromD = blueLabel(p, "LblFromD", QStringLiteral("d"), 46, 102, 44, 18);
    LblFromF = blueLabel(p, "LblFromF", QStringLiteral("F"), 46, 102, 44, 18);
    LblFromT = blueLabel(p, "LblFromT", QStringLiteral("t"), 46, 102, 44, 18);
    LblFromG = blueLabel(p, "LblFromG", QStringLiteral("g"), 46, 102, 44, 18);
    LblFromChi = blueLabel(p, "LblFromChi", QStringLiteral("Chi Sq"), 46, 102, 44, 18);
    LblToWhat = blueLabel(p, "LblToWhat", QStringLiteral("To"), 96, 102, 24, 18);
    LblTod = blueLabel(p, "LblTod", QStringLiteral("d"), 122, 102, 30, 18);
    LblToR = blueLabel(p, "LblToR", QStringLiteral("r"), 122, 102, 30, 18);

    label(p, "lblConvertedValue1", QStringLiteral("Converted Value:"), 8, 130, 104, 20);
    txtAnswer = resultBox(p, "txtAnswer", 112, 128, 104);
    LblEstimate = noteLabel(p, "LblEstimate", QString::fromLatin1(kNote), 8, 160, 210, 100);
    LblEstimate->setVisible(false);

    OpRtoD = option(p, "OpRtoD", QStringLiteral("From r to d"), 232, 10, 220);
    OpDtoR = option(p, "OpDtoR", QStringLiteral("From d to r"), 232, 38, 220);
    OpFtoD = option(p, "OpFtoD", QStringLiteral("From F to d - One Way ANOVA"), 232, 66, 220);
    OpFtoR = option(p, "OpFtoR", QStringLiteral("From F to r - One Way ANOVA"), 232, 94, 220);
    OpTtoR = option(p, "OpTtoR", QStringLiteral("From t to r"), 232, 122, 220);
    OpTtoD = option(p, "OpTtoD", QStringLiteral("From t to d"), 232, 150, 220);
    OpChitoR = option(p, "OpChitoR", QStringLiteral("From Chi Squared to r"), 232, 178, 220);
    OpGtoD = option(p, "OpGtoD", QStringLiteral("From Hedges' g to d"), 232, 206, 220);

    fraNCorrection = frame(p, "fraNCorrection", QStringLiteral("Do you wish to correct for small / unequal sample size?"),
                           456, 20, 310, 116);
    OpNoN = option(fraNCorrection, "OpNoN", QStringLiteral("No"), 12, 24, 60);
    OpYesN = option(fraNCorrection, "OpYesN", QStringLiteral("Yes"), 80, 24, 60);
    pairGroup(this, OpNoN, OpYesN);
    PicGroupN = new QWidget(fraNCorrection);
    PicGroupN->setObjectName(QStringLiteral("PicGroupN"));
    PicGroupN->setGeometry(8, 50, 294, 60);
    label(PicGroupN, "lblGp1N", QStringLiteral("Group 1 N:"), 4, 4, 80, 20);
    TxtGp1N = wholeNumberBox(PicGroupN, "TxtGp1N", 90, 2, 80);
    label(PicGroupN, "lblGp2N", QStringLiteral("Group 2 N:"), 4, 32, 80, 20);
    TxtGp2N = wholeNumberBox(PicGroupN, "TxtGp2N", 90, 30, 80);
    PicGroupN->setVisible(false);

    fraDF = frame(p, "fraDF", QStringLiteral("One Way ANOVA"), 456, 62, 310, 60);
    label(fraDF, "lblDFError", QStringLiteral("Degrees of Freedom:"), 12, 26, 180, 20);
    TxtDFError = wholeNumberBox(fraDF, "TxtDFError", 200, 24, 80);

    fraTDF = frame(p, "fraTDF", QStringLiteral("t-test Statistic"), 456, 98, 310, 146);
    label(fraTDF, "lblTDF", QStringLiteral("Degrees of Freedom (Total N - 2):"), 12, 26, 206, 20);
    txtTDF = wholeNumberBox(fraTDF, "txtTDF", 222, 24, 80);
    Label42 = label(fraTDF, "Label42", QStringLiteral("Correct for unequal sample size?"), 12, 56, 206, 20);
    opTNo = option(fraTDF, "opTNo", QStringLiteral("No"), 222, 55, 40);
    opTYes = option(fraTDF, "opTYes", QStringLiteral("Yes"), 262, 55, 44);
    pairGroup(this, opTNo, opTYes);
    Label44 = label(fraTDF, "Label44", QStringLiteral("Group 1 N:"), 12, 86, 206, 20);
    txtTN1 = wholeNumberBox(fraTDF, "txtTN1", 222, 84, 80);
    Label43 = label(fraTDF, "Label43", QStringLiteral("Group 2 N:"), 12, 114, 206, 20);
    txtTN2 = wholeNumberBox(fraTDF, "txtTN2", 222, 112, 80);
    for (QWidget* w : {static_cast<QWidget*>(Label43), static_cast<QWidget*>(Label44), static_cast<QWidget*>(txtTN1),
                       static_cast<QWidget*>(txtTN2)})
        w->setVisible(false);

    fraChiN = frame(p, "fraChiN", QStringLiteral("Chi Squared - df=1 only"), 456, 166, 310, 60);
    label(fraChiN, "lblChiN", QStringLiteral("Total Sample Size:"), 12, 26, 180, 20);
    TxtChiN = wholeNumberBox(fraChiN, "TxtChiN", 200, 24, 80);

    fraHedgesG = frame(p, "fraHedgesG", QStringLiteral("Hedges' g"), 456, 180, 310, 88);
    label(fraHedgesG, "lblHedgesDF", QStringLiteral("Degrees of Freedom (within; usually N-2):"), 12, 20, 200, 34)
        ->setWordWrap(true);
    TxtHedgesDF = wholeNumberBox(fraHedgesG, "TxtHedgesDF", 222, 26, 80);
    label(fraHedgesG, "lblHedgesN", QStringLiteral("Total N:"), 12, 58, 200, 20);
    TxtHedgesN = wholeNumberBox(fraHedgesG, "TxtHedgesN", 222, 56, 80);

    connect(cmdConvert, &QPushButton::clicked, this, &ConversionTab1::cmdConvert_Click);
    onSelected(OpRtoD, this, &ConversionTab1::OpRtoD_Click);
    onSelected(OpDtoR, this, &ConversionTab1::OpDtoR_Click);
    onSelected(OpFtoD, this, &ConversionTab1::OpFtoD_Click);
    onSelected(OpFtoR, this, &ConversionTab1::OpFtoR_Click);
    onSelected(OpTtoR, this, &ConversionTab1::OpTtoR_Click);
    onSelected(OpTtoD, this, &ConversionTab1::OpTtoD_Click);
    onSelected(OpChitoR, this, &ConversionTab1::OpChitoR_Click);
    onSelected(OpGtoD, this, &ConversionTab1::OpGtoD_Click);
    onSelected(OpNoN, this, &ConversionTab1::OpNoN_Click);
    onSelected(OpYesN, this, &ConversionTab1::OpYesN_Click);
    onSelected(opTNo, this, &ConversionTab1::opTNo_Click);
    onSelected(opTYes, this, &ConversionTab1::opTYes_Click);

    OpNoN->setChecked(true);
    opTNo->setChecked(true);
    joinOptions();
    OpRtoD->setChecked(true);
}

// Shows one of the five parameter frames (or none) and hides the others, and
// the second tab's "Cohen's d" frame.
void ConversionTab1::showOnly(QWidget* shown)
{
    for (QWidget* f : {static_cast<QWidget*>(fraNCorrection), static_cast<QWidget*>(fraDF),
                       static_cast<QWidget*>(fraTDF), static_cast<QWidget*>(fraChiN),
                       static_cast<QWidget*>(fraHedgesG)})
        if (f != shown)
            f->setVisible(false);
    if (auto* cohensD = sharedAncestor(page_)->findChild<QWidget*>(QStringLiteral("fraCohensD")))
        cohensD->setVisible(false);
    if (shown)
        shown->setVisible(true);
}

void ConversionTab1::OpRtoD_Click() { showOnly(nullptr); }
void ConversionTab1::OpDtoR_Click() { showOnly(fraNCorrection); }
void ConversionTab1::OpFtoD_Click() { showOnly(fraDF); }
void ConversionTab1::OpFtoR_Click() { showOnly(fraDF); }

void ConversionTab1::OpTtoR_Click()
{
    showOnly(fraTDF);
    for (QWidget* w : {static_cast<QWidget*>(Label42), static_cast<QWidget*>(opTYes), static_cast<QWidget*>(opTNo),
                       static_cast<QWidget*>(Label43), static_cast<QWidget*>(Label44), static_cast<QWidget*>(txtTN1),
                       static_cast<QWidget*>(txtTN2)})
        w->setVisible(false);
}

void ConversionTab1::OpTtoD_Click()
{
    showOnly(fraTDF);
    Label42->setVisible(true);
    opTYes->setVisible(true);
    opTNo->setVisible(true);
    if (opTNo->isChecked())
        opTNo_Click();
    else
        opTNo->setChecked(true); // runs opTNo_Click
}

void ConversionTab1::OpChitoR_Click() { showOnly(fraChiN); }
void ConversionTab1::OpGtoD_Click() { showOnly(fraHedgesG); }
void ConversionTab1::OpNoN_Click() { PicGroupN->setVisible(false); }
void ConversionTab1::OpYesN_Click() { PicGroupN->setVisible(true); }

void ConversionTab1::opTNo_Click()
{
    for (QWidget* w : {static_cast<QWidget*>(Label43), static_cast<QWidget*>(Label44), static_cast<QWidget*>(txtTN1),
                       static_cast<QWidget*>(txtTN2)})
        w->setVisible(false);
}

void ConversionTab1::opTYes_Click()
{
    for (QWidget* w : {static_cast<QWidget*>(Label43), static_cast<QWidget*>(Label44), static_cast<QWidget*>(txtTN1),
                       static_cast<QWidget*>(txtTN2)})
        w->setVisible(true);
}

void ConversionTab1::setFromTo(Conversion c)
{
    QLabel* from = nullptr;
    QLabel* to = nullptr;
    switch (c) {
    case Conversion::RtoD: from = LblFromR; to = LblTod; break;
    case Conversion::DtoR: from = LblFromD; to = LblToR; break;
    case Conversion::FtoD: from = LblFromF; to = LblTod; break;
    case Conversion::FtoR: from = LblFromF; to = LblToR; break;
    case Conversion::TtoR: from = LblFromT; to = LblToR; break;
    case Conversion::TtoD: from = LblFromT; to = LblTod; break;
    case Conversion::ChitoR: from = LblFromChi; to = LblToR; break;
    case Conversion::GtoD: from = LblFromG; to = LblTod; break;
    default: return;
    }
    LblFrom->setVisible(true);
    LblToWhat->setVisible(true);
    for (QLabel* l : {LblFromR, LblFromD, LblFromF, LblFromT, LblFromG, LblFromChi, LblTod, LblToR})
        l->setVisible(l == from || l == to);
}

void ConversionTab1::cmdConvert_Click()
{
    txtAnswer->setText(QString());
    if (TxtConvert->text().trimmed().isEmpty()) {
        showMessage(page_, QString::fromUtf8(convmsg::EnterValue));
    } else {
        double x = 0;
        bool read = false;
        try {
            x = platform::cdbl(TxtConvert->text());
            read = true;
        } catch (const platform::RuntimeError& e) {
            showMessage(page_, frame::conversionErrorMessage(e));
        }
        if (read) {
            Conversion c{};
            QStringList params;
            bool corrected = false;
            bool selected = true;
            if (OpRtoD->isChecked()) {
                c = Conversion::RtoD;
            } else if (OpDtoR->isChecked()) {
                c = Conversion::DtoR;
                corrected = OpYesN->isChecked();
                if (corrected)
                    params = {TxtGp1N->text(), TxtGp2N->text()};
            } else if (OpFtoD->isChecked()) {
                c = Conversion::FtoD;
                params = {TxtDFError->text()};
            } else if (OpFtoR->isChecked()) {
                c = Conversion::FtoR;
                params = {TxtDFError->text()};
            } else if (OpTtoR->isChecked()) {
                c = Conversion::TtoR;
                params = {txtTDF->text()};
            } else if (OpTtoD->isChecked()) {
                c = Conversion::TtoD;
                corrected = opTYes->isChecked();
                params = {txtTDF->text()};
                if (corrected)
                    params << txtTN1->text() << txtTN2->text();
            } else if (OpChitoR->isChecked()) {
                c = Conversion::ChitoR;
                params = {TxtChiN->text()};
            } else if (OpGtoD->isChecked()) {
                c = Conversion::GtoD;
                params = {TxtHedgesN->text(), TxtHedgesDF->text()};
            } else {
                selected = false; // the selection is on the other tab
            }
            if (selected) {
                const ConversionOutcome out = convert(c, x, params, corrected);
                txtAnswer->setText(out.answer);
                if (out.showLine)
                    setFromTo(c);
                if (!out.message.isEmpty())
                    showMessage(page_, out.message);
            }
        }
    }
    LblEstimate->setVisible(!txtAnswer->text().isEmpty());
}

// ---------------------------------------------------------------------------
// Second tab

ConversionTab2::ConversionTab2(QWidget* page) : ConversionTabBase(page, kTab2Options)
{
    setObjectName(QStringLiteral("ConversionTab2"));
    QWidget* p = page;

    label(p, "Label34", QStringLiteral("See help file for used formulae."), 8, 8, 210, 18);
    label(p, "lblEnterValue2", QStringLiteral("Enter Value:"), 8, 38, 104, 20);
    txtConvert2 = valueBox(p, "txtConvert2", 112, 36, 104);
    cmdConvert2 = button(p, "cmdConvert2", QStringLiteral("Convert"), 112, 66, 104, 28);
    label(p, "lblConvertedValue2", QStringLiteral("Converted Value:"), 8, 106, 104, 20);
    txtConverted = resultBox(p, "txtConverted", 112, 104, 104);
    lblNote = noteLabel(p, "lblNote", QString::fromLatin1(kNote), 8, 136, 210, 100);
    lblNote->setVisible(false);

    opDtoG = option(p, "opDtoG", QStringLiteral("Cohen's d to g"), 232, 10, 230);
    opGtoR = option(p, "opGtoR", QStringLiteral("Hedges' g to r"), 232, 38, 230);
    // The letters after the option's "f" are labels of their own; where they
    // stand is worked out from the caption's letters (placeScriptCaption).
    opFSQtoRSQ = option(p, "opFSQtoRSQ", QStringLiteral("f"), 232, 66, 30);
    {
        QFont small = opFSQtoRSQ->font();
        small.setPointSizeF(small.pointSizeF() * 0.7);
        QLabel* l = label(p, "Label47", QStringLiteral("2"), 262, 64, 8, 12);
        l->setFont(small);
        label(p, "Label48", QStringLiteral("to"), 274, 68, 16, 18);
        label(p, "Label49", QStringLiteral("R"), 292, 68, 10, 18);
        l = label(p, "Label50", QStringLiteral("2"), 302, 64, 8, 12);
        l->setFont(small);
        l = label(p, "Label51", QStringLiteral("A"), 302, 80, 8, 12);
        l->setFont(small);
        for (const char* n : {"Label47", "Label48", "Label49", "Label50", "Label51"})
            p->findChild<QLabel*>(QString::fromLatin1(n))->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    opRtoZ = option(p, "opRtoZ", QStringLiteral("r to z-score"), 232, 94, 230);
    opRtoT = option(p, "opRtoT", QStringLiteral("r to t-statistic"), 232, 122, 230);
    opRtoChi = option(p, "opRtoChi", QStringLiteral("r to Chi Squared"), 232, 150, 230);
    opWtoC = option(p, "opWtoC", QStringLiteral("w to C (Pearson's Contingency Coefficient)"), 232, 178, 238);
    opCtoW = option(p, "opCtoW", QStringLiteral("C to w"), 232, 206, 230);
    opChitoC = option(p, "opChitoC", QStringLiteral("Chi Squared to C"), 232, 234, 230);

    fraCohensD = frame(p, "fraCohensD", QStringLiteral("Cohen's d"), 474, 2, 292, 84);
    label(fraCohensD, "lblDFD", QStringLiteral("Degrees of Freedom (within; usually N-2):"), 10, 18, 198, 34)
        ->setWordWrap(true);
    txtDFD = wholeNumberBox(fraCohensD, "txtDFD", 212, 22, 70);
    label(fraCohensD, "lblND", QStringLiteral("Total N:"), 10, 54, 198, 20);
    txtND = wholeNumberBox(fraCohensD, "txtND", 212, 52, 70);

    fraGtoR = frame(p, "fraGtoR", QStringLiteral("Hedges' g"), 474, 30, 292, 84);
    label(fraGtoR, "lblGDF", QStringLiteral("Degrees of Freedom (within; usually N-2):"), 10, 18, 198, 34)
        ->setWordWrap(true);
    txtGDF = wholeNumberBox(fraGtoR, "txtGDF", 212, 22, 70);
    label(fraGtoR, "lblGN", QStringLiteral("Total N:"), 10, 54, 198, 20);
    txtGN = wholeNumberBox(fraGtoR, "txtGN", 212, 52, 70);

    lblFSQtoRSQ = noteLabel(p, "lblFSQtoRSQ",
                            QStringLiteral("(i.e., f Squared Effect Size To Regression Variance For Variable Set A)"),
                            474, 62, 292, 36);
    lblFSQtoRSQ->setVisible(false);
    lblRtoZ = noteLabel(p, "lblRtoZ",
                        QStringLiteral("(i.e., end result is Fisher's z-score transformation of Pearson's r)"), 474,
                        92, 292, 36);
    lblRtoZ->setVisible(false);

    fraRtoT = frame(p, "fraRtoT", QStringLiteral("r to t Statistic"), 474, 106, 292, 58);
    label(fraRtoT, "lblRDF", QStringLiteral("Degrees of Freedom (N-2):"), 10, 24, 198, 20);
    txtRDF = wholeNumberBox(fraRtoT, "txtRDF", 212, 22, 70);

    fraRtoChi = frame(p, "fraRtoChi", QStringLiteral("r to Chi Squared Statistic"), 474, 136, 292, 58);
    label(fraRtoChi, "lblRN", QStringLiteral("Total Sample Size:"), 10, 24, 198, 20);
    txtRN = wholeNumberBox(fraRtoChi, "txtRN", 212, 22, 70);

    fraChitoC = frame(p, "fraChitoC", QStringLiteral("Chi Squared Statistic to C"), 474, 218, 292, 58);
    label(fraChitoC, "lblCHINC", QStringLiteral("Total Sample Size:"), 10, 24, 198, 20);
    txtCHINC = box(fraChitoC, "txtCHINC", 212, 22, 70); // takes any character

    connect(cmdConvert2, &QPushButton::clicked, this, &ConversionTab2::cmdConvert2_Click);
    onSelected(opDtoG, this, &ConversionTab2::opDtoG_Click);
    onSelected(opGtoR, this, &ConversionTab2::opGtoR_Click);
    onSelected(opFSQtoRSQ, this, &ConversionTab2::opFSQtoRSQ_Click);
    onSelected(opRtoZ, this, &ConversionTab2::opRtoZ_Click);
    onSelected(opRtoT, this, &ConversionTab2::opRtoT_Click);
    onSelected(opRtoChi, this, &ConversionTab2::opRtoChi_Click);
    onSelected(opWtoC, this, &ConversionTab2::opWtoC_Click);
    onSelected(opCtoW, this, &ConversionTab2::opCtoW_Click);
    onSelected(opChitoC, this, &ConversionTab2::opChitoC_Click);

    joinOptions();
    placeScriptCaption(page);
}

// Shows one of the five frames and two labels of this tab (or none) and hides
// the others.
void ConversionTab2::showOnly(QWidget* shown)
{
    for (QWidget* w : {static_cast<QWidget*>(fraCohensD), static_cast<QWidget*>(fraGtoR),
                       static_cast<QWidget*>(lblFSQtoRSQ), static_cast<QWidget*>(lblRtoZ),
                       static_cast<QWidget*>(fraRtoT), static_cast<QWidget*>(fraRtoChi),
                       static_cast<QWidget*>(fraChitoC)})
        w->setVisible(w == shown);
}

void ConversionTab2::opDtoG_Click() { showOnly(fraCohensD); }
void ConversionTab2::opGtoR_Click() { showOnly(fraGtoR); }
void ConversionTab2::opFSQtoRSQ_Click() { showOnly(lblFSQtoRSQ); }
void ConversionTab2::opRtoZ_Click() { showOnly(lblRtoZ); }
void ConversionTab2::opRtoT_Click() { showOnly(fraRtoT); }
void ConversionTab2::opRtoChi_Click() { showOnly(fraRtoChi); }
void ConversionTab2::opWtoC_Click() { showOnly(nullptr); }
void ConversionTab2::opCtoW_Click() { showOnly(nullptr); }
void ConversionTab2::opChitoC_Click() { showOnly(fraChitoC); }

void ConversionTab2::cmdConvert2_Click()
{
    if (txtConvert2->text().trimmed().isEmpty()) {
        showMessage(page_, QString::fromUtf8(convmsg::EnterValue));
        return;
    }
    double x = 0;
    try {
        x = platform::cdbl(txtConvert2->text());
    } catch (const platform::RuntimeError& e) {
        // A value that is no number: no result is left on show beside it.
        txtConverted->setText(QString());
        lblNote->setVisible(false);
        showMessage(page_, frame::conversionErrorMessage(e));
        return;
    }
    txtConverted->setText(QString());

    Conversion c{};
    QStringList params;
    bool selected = true;
    if (opDtoG->isChecked()) {
        c = Conversion::DtoG;
        params = {txtDFD->text(), txtND->text()};
    } else if (opGtoR->isChecked()) {
        c = Conversion::GtoR;
        params = {txtGDF->text(), txtGN->text()};
    } else if (opFSQtoRSQ->isChecked()) {
        c = Conversion::FsqToRsq;
    } else if (opRtoZ->isChecked()) {
        c = Conversion::RtoZ;
    } else if (opRtoT->isChecked()) {
        c = Conversion::RtoT;
        params = {txtRDF->text()};
    } else if (opRtoChi->isChecked()) {
        c = Conversion::RtoChi;
        params = {txtRN->text()};
    } else if (opWtoC->isChecked()) {
        c = Conversion::WtoC;
    } else if (opCtoW->isChecked()) {
        c = Conversion::CtoW;
    } else if (opChitoC->isChecked()) {
        c = Conversion::ChitoC;
        params = {txtCHINC->text()};
    } else {
        selected = false; // the selection is on the other tab
    }
    if (selected) {
        const ConversionOutcome out = convert(c, x, params);
        txtConverted->setText(out.answer);
        if (!out.message.isEmpty())
            showMessage(page_, out.message);
    }
    lblNote->setVisible(!txtConverted->text().isEmpty());
}

// ---------------------------------------------------------------------------

void installConversionTab1(QWidget* page)
{
    if (page)
        new ConversionTab1(page);
}

void placeScriptCaption(QWidget* page)
{
    auto* option = page ? page->findChild<QRadioButton*>(QStringLiteral("opFSQtoRSQ"), Qt::FindDirectChildrenOnly)
                        : nullptr;
    QLabel* parts[5] = {};
    const char* const names[5] = {"Label47", "Label48", "Label49", "Label50", "Label51"};
    for (int i = 0; i < 5; ++i) {
        parts[i] = page ? page->findChild<QLabel*>(QString::fromLatin1(names[i]), Qt::FindDirectChildrenOnly)
                        : nullptr;
        if (!parts[i])
            return;
    }
    if (!option)
        return;
    QLabel* const fSquare = parts[0];
    QLabel* const to = parts[1];
    QLabel* const r = parts[2];
    QLabel* const rSquare = parts[3];
    QLabel* const setA = parts[4];

    // Where the style draws the option's caption: after the indicator and
    // its spacing, in the middle of the option's height.
    QStyleOptionButton opt;
    opt.initFrom(option);
    opt.text = option->text();
    const QRect contents = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, option);
    const QFontMetrics fm(option->font());
    const QRect textRect = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignLeft | Qt::AlignVCenter,
                                               fm.size(Qt::TextSingleLine, option->text()), contents);
    const int ink = std::max(fm.horizontalAdvance(option->text()), fm.boundingRect(option->text()).right() + 1);
    // The option ends with its "f", so that the raised 2 can follow it.
    option->resize(textRect.left() + ink, option->height());
    const int baseline = option->y() + textRect.top() + fm.ascent();

    // A label holding exactly its text, with the text's baseline at the
    // given height.
    const auto put = [](QLabel* l, int left, int textBaseline) {
        const QFontMetrics m(l->font());
        const QString t = l->text();
        l->setGeometry(left, textBaseline - m.ascent(),
                       std::max(m.horizontalAdvance(t), m.boundingRect(t).right() + 1), m.height());
        return left + m.horizontalAdvance(t);
    };
    // A superscript's baseline is raised by about a third of the line's
    // height, a subscript's lowered by a quarter, as print sets them; the
    // A's line starts no higher than where the 2 above it ends.
    const int raised = baseline - qRound(fm.height() / 3.0);
    const int lowered = std::max(baseline + qRound(fm.height() / 4.0),
                                 raised + QFontMetrics(setA->font()).height() - 1);
    const int space = fm.horizontalAdvance(QLatin1Char(' '));
    int x = put(fSquare, option->x() + option->width(), raised);
    x = put(to, x + space, baseline);
    x = put(r, x + space, baseline);
    put(rSquare, x, raised);
    put(setA, x, lowered);
}

void installConversionTab2(QWidget* page)
{
    if (page)
        new ConversionTab2(page);
}

} // namespace meandiff
