#include "metastats/frmHeterogeneity.h"

#include "metastats/HeterogeneityView.h"
#include "metastats/ResultPictures.h"
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

using shell::px;

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

// Text on the window's grey background, without border, outside the tab order.
template <class Box>
void onBackground(Box* b)
{
    b->setFocusPolicy(Qt::NoFocus);
    b->setReadOnly(true);
    shell::ControlColours::SetBackColor(b, shell::ControlColours::ColourValue(b->palette().color(QPalette::Window)));
}

QPlainTextEdit* description(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h)
{
    auto* d = new QPlainTextEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setPlainText(text);
    d->setFrameShape(QFrame::NoFrame);
    d->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    onBackground(d);
    d->setGeometry(x, y, w, h);
    return d;
}

QLineEdit* valueBox(QWidget* parent, const char* name, int x, int y, int w, Qt::Alignment align)
{
    auto* b = shell::newLineBox(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFrame(false);
    onBackground(b);
    QFont f = b->font();
    f.setPointSizeF(13.5);
    b->setFont(f);
    b->setAlignment(align | Qt::AlignVCenter);
    b->setGeometry(x, y, w, 28);
    return b;
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h = 28)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

QLabel* symbol(QWidget* parent, const QString& text, int x, int y, int w)
{
    auto* l = label(parent, text, x, y, w);
    QFont f = l->font();
    f.setPointSizeF(13.5);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

void setTextColour(QWidget* w, const QColor& c)
{
    shell::ControlColours::SetForeColor(w, shell::ControlColours::ColourValue(c));
}

const QString dBar = QStringLiteral("<i>d</i>&#772;");

} // namespace

frmHeterogeneity::frmHeterogeneity(QWidget* metData, const RosenthalResults& results)
    : QDialog(metData), results_(results)
{
    setObjectName(QStringLiteral("frmHeterogeneity"));
    setWindowTitle(QStringLiteral("Heterogeneity of Meta-analysis"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(px(13125), px(7575));

    description(this, "txtRosenthalDescription",
                QStringLiteral("Rosenthal (1991) suggests an approach where \n"
                               "individual study weights are computed according to \n"
                               "formula 1.\n"
                               "\n\n\n"
                               "The weighted mean effect size is arrived at using \n"
                               "formula 2.\n"
                               "\n\n\n"
                               "Q Statistic: A chi-square value is then computed by \n"
                               "formula 3 (with K-1 degrees of freedom - formula 4).\n"
                               "\n\n\n"
                               "A likely heterogeneous analysis (i.e., if p < .05) \n"
                               "suggests we are mixing studies of different effects and \n"
                               "further, fine-grained analysis should be undertaken.\n"),
                10, 10, 355, 300);
    auto* q = description(this, "txtQDescription",
                          QStringLiteral("Higgins & Thompson (2002) suggest an adaption to the Q statistic to obtain "
                                         "an 'extent of heterogeneity'. In fact, one can look at the % of "
                                         "heterogeneity in the analysis. They have proposed Formula 5 for when the Q "
                                         "statistic above is greater than the degrees of freedom (i.e.,  number of "
                                         "studies minus one). When the Q statistic  (formula 3 above) is less than "
                                         "the degrees of freedom  then I squared = 0.\n"),
                          10, 320, 355, 170);
    q->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    constexpr int LabelX = 375, PicX = 445, BoxX = 580;

    label(this, QStringLiteral("Formula 1:"), LabelX, 22, 70);
    auto* f1 = new FormulaPicture(this, QStringLiteral("picFormula1"),
                                  {{QStringLiteral("<i>w</i> = "), {}},
                                   {QStringLiteral("<i>N</i>"), QStringLiteral("1 &minus; <i>d</i><sup>2</sup>")}});
    f1->setGeometry(PicX, 5, 125, 60);

    label(this, QStringLiteral("Formula 2:"), LabelX, 100, 70);
    auto* f2 = new FormulaPicture(this, QStringLiteral("picFormula2"),
                                  {{dBar + QStringLiteral(" = "), {}},
                                   {QStringLiteral("&Sigma; <i>w</i><sub>j</sub><i>d</i><sub>j</sub>"),
                                    QStringLiteral("&Sigma; <i>w</i><sub>j</sub>")}});
    f2->setGeometry(PicX, 82, 125, 64);
    valueBox(this, "txtFormula2Numerator", BoxX, 82, 130, Qt::AlignHCenter);
    auto* fraction = new QFrame(this);
    fraction->setObjectName(QStringLiteral("lnFormula2"));
    fraction->setFrameShape(QFrame::HLine);
    fraction->setFrameShadow(QFrame::Plain);
    fraction->setGeometry(BoxX, 113, 130, 1);
    valueBox(this, "txtFormula2Denominator", BoxX, 117, 130, Qt::AlignHCenter);
    symbol(this, QStringLiteral("="), BoxX + 132, 100, 20);
    valueBox(this, "txtFormula2", BoxX + 154, 100, 115, Qt::AlignLeft);

    label(this, QStringLiteral("Formula 3:"), LabelX, 178, 70);
    auto* f3 = new FormulaPicture(this, QStringLiteral("picFormula3"),
                                  {{QStringLiteral("&Sigma; <i>w</i><sub>j</sub>(<i>d</i> &minus; ") + dBar +
                                        QStringLiteral(")<sup>2</sup>"),
                                    {}}});
    f3->setGeometry(PicX, 165, 125, 54);
    valueBox(this, "txtFormula3", BoxX, 178, 160, Qt::AlignHCenter);

    label(this, QStringLiteral("Formula 4:"), LabelX, 248, 70);
    auto* f4 = new FormulaPicture(this, QStringLiteral("picFormula4"),
                                  {{QStringLiteral("&chi;<sup>2</sup>(<i>df</i> = <i>K</i> &minus; 1)"), {}}});
    f4->setGeometry(PicX, 235, 125, 54);
    valueBox(this, "txtFormula4x", BoxX, 248, 80, Qt::AlignRight);
    symbol(this, QStringLiteral("("), BoxX + 81, 248, 10);
    valueBox(this, "txtDF", BoxX + 91, 248, 45, Qt::AlignHCenter);
    symbol(this, QStringLiteral(")"), BoxX + 136, 248, 10);
    symbol(this, QStringLiteral("=>"), BoxX + 146, 248, 30);
    auto* p = valueBox(this, "txtFormula4", BoxX + 176, 248, 116, Qt::AlignLeft);
    setTextColour(p, kRed);

    auto* summary = shell::newLineBox(this);
    summary->setObjectName(QStringLiteral("txtSummary"));
    summary->setAlignment(Qt::AlignCenter);
    summary->setReadOnly(true);
    QFont small = summary->font();
    small.setPointSizeF(8);
    summary->setFont(small);
    summary->setGeometry(LabelX, 305, 492, 26);

    label(this, QStringLiteral("Formula 5:"), LabelX, 370, 70);
    auto* f5 = new FormulaPicture(
        this, QStringLiteral("picISquared"),
        {{QStringLiteral("<i>I</i><sup>2</sup> = "), {}},
         {QStringLiteral("<i>Q</i> &minus; (<i>K</i> &minus; 1)"), QStringLiteral("<i>Q</i>")},
         {QStringLiteral("&times; 100% &nbsp;for <i>Q</i> &gt; (<i>K</i> &minus; 1)"), {}}});
    f5->setGeometry(PicX, 350, 270, 64);
    symbol(this, QStringLiteral("="), PicX + 272, 368, 18);
    valueBox(this, "txtISquaredResult", PicX + 290, 368, 110, Qt::AlignLeft);
    symbol(this, QStringLiteral("%"), PicX + 400, 368, 18);

    auto* exitButton = new QPushButton(QStringLiteral("E&xit"), this);
    exitButton->setObjectName(QStringLiteral("cmdExit"));
    exitButton->setGeometry(width() - 110, height() - 45, 95, 32);
    connect(exitButton, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmHeterogeneity::Form_Load()
{
    const HeterogeneityView v = computeHeterogeneityView(results_);
    auto set = [this](const char* name, const QString& text) {
        if (auto* b = findChild<QLineEdit*>(QString::fromLatin1(name))) {
            b->setText(text);
            b->setCursorPosition(0);
        }
    };
    set("txtFormula2Numerator", v.numerator);
    set("txtFormula2Denominator", v.denominator);
    set("txtFormula2", v.mean);
    set("txtFormula3", v.q);
    set("txtFormula4x", v.qShort);
    set("txtDF", v.df);
    set("txtFormula4", v.p);
    const QColor& colour = v.significant ? kRed : kBlack;
    setTextColour(findChild<QLineEdit*>(QStringLiteral("txtFormula4")), colour);
    setTextColour(findChild<QLineEdit*>(QStringLiteral("txtSummary")), colour);
    set("txtSummary", v.summary);
    set("txtISquaredResult", v.iSquared);
}

void frmHeterogeneity::cmdExit_Click() { close(); }

void showHeterogeneity(QWidget* metData, const RosenthalResults& results)
{
    QPointer<frmHeterogeneity> window = new frmHeterogeneity(metData, results);
    window->Form_Load();
    platform::execDialog(*window);
    // The owner may have gone (and taken the window with it) meanwhile.
    delete window.data();
}

} // namespace metastats
