#include "calculators/frmSDEstimate.h"

#include "calculators/CalcKit.h"
#include "calculators/SDEstimate.h"
#include "shell/ControlColours.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace calculators {

using namespace calckit;

namespace {

struct Row {
    const char* option;
    const char* type;
    const char* formula;
};

// The table's rows from the top.
const Row kRows[] = {
    {"Op2", "Weighted Mean",
     "&radic;<span style=\"text-decoration: overline\">(<i>Sd<sub>a</sub></i>&sup2; + "
     "<i>Sd<sub>b</sub></i>&sup2;) / 2</span>"},
    {"Op6", "Cohen's / Hedges' Pooled SD",
     "&radic;[(<i>sd<sub>E</sub></i>&sup2;(<i>n<sub>E</sub></i> &minus; 1) + "
     "<i>sd<sub>C</sub></i>&sup2;(<i>n<sub>C</sub></i> &minus; 1))<br>/ (<i>n<sub>E</sub></i> + <i>n<sub>C</sub></i> "
     "&minus; 2)]"},
    {"Op1", "Arithmetic Mean", "(<i>Sd<sub>a</sub></i> + <i>Sd<sub>b</sub></i>) / 2"},
    {"Op4", "Geometric Mean",
     "&radic;<span style=\"text-decoration: overline\"><i>Sd<sub>a</sub></i> &middot; <i>Sd<sub>b</sub></i></span>"},
    {"Op3", "Harmonic Mean",
     "2(<i>Sd<sub>a</sub></i> &middot; <i>Sd<sub>b</sub></i>) / (<i>Sd<sub>a</sub></i> + <i>Sd<sub>b</sub></i>)"},
    {"Op5", "From One Way ANOVA",
     "&radic;<span style=\"text-decoration: overline\"><i>MS</i><sub>within</sub></span>"},
    {"Op7", "SD Of One Sample From Standard Error Of That Sample",
     "<i>SE</i> &middot; &radic;<span style=\"text-decoration: overline\"><i>n</i></span>"},
};

QFrame* line(QWidget* parent, QFrame::Shape shape, int x, int y, int w, int h)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Plain);
    f->setGeometry(x, y, w, h);
    return f;
}

void setWhite(QLineEdit* box, bool white)
{
    shell::ControlColours::SetBackColor(
        box, shell::ControlColours::ColourValue(white ? QColor(Qt::white) : box->palette().color(QPalette::Button)));
}

} // namespace

frmSDEstimate::frmSDEstimate(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmSDEstimate"));
    setWindowTitle(QStringLiteral("Standard Deviation (Sigma) Estimates"));
    resize(px(9615), px(9210));
    centreOnScreen(this);

    auto* instruction = label(
        this,
        QStringLiteral("Use these conversions to compute your desired denominator for the effect size computation. "
                       "Select which method you wish to use, enter data into any white boxes and click "
                       "\"Compute!\". Then write the derived number into the drop-down box on the main Tarvoss "
                       "interface."),
        8, 6, 625, 50);
    shell::ControlColours::SetForeColor(instruction, shell::ControlColours::ColourValue(Qt::blue));

    const int top = 62, rowHeight = 44;
    const char* headings[] = {"Type", "Use?", "Formula Used", "Data Required"};
    const int columns[] = {8, 196, 246, 470};
    for (int i = 0; i < 4; ++i) {
        // Each heading ends where the next column begins.
        QLabel* h = heading(this, QString::fromLatin1(headings[i]), columns[i], top, i < 3 ? columns[i + 1] - columns[i] - 4 : 150);
        QFont f = h->font();
        f.setUnderline(true);
        h->setFont(f);
    }
    for (int x : {192, 242, 464})
        line(this, QFrame::VLine, x, top, 2, 24 + 7 * rowHeight);

    for (int i = 0; i < 7; ++i) {
        const int y = top + 26 + i * rowHeight;
        label(this, QString::fromLatin1(kRows[i].type), 8, y, 180, 40);
        auto* op = optionAt(this, QString::fromLatin1(kRows[i].option), QString(), QRect(205, y + 10, 24, px(255)));
        const int index = QString::fromLatin1(kRows[i].option).mid(2).toInt();
        connect(op, &QRadioButton::clicked, this, [this, index] {
            switch (index) {
            case 1: Op1_Click(); break;
            case 2: Op2_Click(); break;
            case 3: Op3_Click(); break;
            case 4: Op4_Click(); break;
            case 5: Op5_Click(); break;
            case 6: Op6_Click(); break;
            default: Op7_Click(); break;
            }
        });
        formulaPicture(this, nullptr, QString::fromUtf8(kRows[i].formula), 248, y, 212, 40);
    }
    findChild<QRadioButton*>(QStringLiteral("Op2"))->setChecked(true);

    const frame::KeyFilter decimal = frame::KeyFilter::Unsigned;
    const frame::KeyFilter digits = frame::KeyFilter::Digits;
    struct Input {
        const char* box;
        const char* caption;
        const frame::KeyFilter* filter;
    };
    const Input inputs[] = {{"Text1", "Sd - group a:", &decimal}, {"Text2", "Sd - group b:", &decimal},
                            {"Text12", "n - group a:", &digits},  {"Text13", "n - group b:", &digits},
                            {"Text9", "MS Within:", &decimal},    {"txtSE", "Standard Error:", &decimal}};
    for (int i = 0; i < 6; ++i) {
        const int y = top + 34 + i * 44;
        label(this, QString::fromLatin1(inputs[i].caption), 468, y + 2, 100);
        QLineEdit* e = inputBox(this, inputs[i].box, 570, y, 64, inputs[i].filter);
        if (i == 4)
            e->setToolTip(QStringLiteral("Mean squares within groups statistic?"));
        if (i >= 2)
            setWhite(e, false);   // grey at open, though still enabled
    }

    const int below = top + 30 + 7 * rowHeight;
    auto* answer = resultBox(this, "txtAnswer", 8, below, 200, Red);
    QFont big = answer->font();
    big.setPointSize(12);
    answer->setFont(big);
    answer->setAlignment(Qt::AlignCenter);
    answer->setFixedHeight(30);
    auto* compute = button(this, "cmdCompute", QStringLiteral("Compute !"), 220, below, 120, 30);
    QFont bold = compute->font();
    bold.setBold(true);
    compute->setFont(bold);
    auto* clear = button(this, "cmdClear", QStringLiteral("Start Again"), 350, below, 120, 30);
    auto* exitButton = button(this, "cmdExit", QStringLiteral("Exit"), 480, below, 120, 30);
    connect(compute, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });
    connect(clear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

    // Hand computation for three groups or more.
    const int useful = below + 40;
    line(this, QFrame::HLine, 8, useful, 625, 2);
    QLabel* usefulHeading = label(this, QStringLiteral("Useful Formula"), 8, useful + 6, 200);
    QFont underlined = usefulHeading->font();
    underlined.setUnderline(true);
    usefulHeading->setFont(underlined);
    label(this, QStringLiteral("ANOVA - 3 groups or more"), 8, useful + 28, 200);
    formulaPicture(this, nullptr,
                   QStringLiteral("&radic;<span style=\"text-decoration: overline\">[&Sigma;<sub><i>i</i>=1</sub>"
                                  "<sup><i>k</i></sup> <i>n<sub>i</sub></i>(<i>X&#772;</i> &minus; <i>G</i>)&sup2; / "
                                  "(<i>k</i> &minus; 1)] / <i>F</i></span>, where <i>G</i> = &Sigma; "
                                  "<i>n<sub>i</sub></i><i>X&#772;<sub>i</sub></i>"),
                   210, useful + 8, 420, 44);
    label(this,
          QStringLiteral("Must be computed by hand as the result depends upon the number of groups in the ANOVA (see "
                         "Rosnow & Rosenthal, 1996)"),
          8, useful + 56, 625, 36);
}

void frmSDEstimate::chooseMethod(SDMethod method)
{
    findChild<QLineEdit*>(QStringLiteral("txtAnswer"))->clear();
    const QStringList used = sdBoxesUsed(method);
    for (const QString& name : sdInputBoxes()) {
        auto* e = findChild<QLineEdit*>(name);
        e->setEnabled(used.contains(name));
        setWhite(e, used.contains(name));
    }
}

void frmSDEstimate::Op1_Click() { chooseMethod(SDMethod::ArithmeticMean); }
void frmSDEstimate::Op2_Click() { chooseMethod(SDMethod::WeightedMean); }
void frmSDEstimate::Op3_Click() { chooseMethod(SDMethod::HarmonicMean); }
void frmSDEstimate::Op4_Click() { chooseMethod(SDMethod::GeometricMean); }
void frmSDEstimate::Op5_Click() { chooseMethod(SDMethod::OneWayAnova); }
void frmSDEstimate::Op6_Click() { chooseMethod(SDMethod::PooledSD); }
void frmSDEstimate::Op7_Click() { chooseMethod(SDMethod::FromStandardError); }

SDMethod frmSDEstimate::selectedMethod() const
{
    for (int i = 1; i <= 7; ++i)
        if (findChild<QRadioButton*>(QStringLiteral("Op%1").arg(i))->isChecked())
            return static_cast<SDMethod>(i);
    return SDMethod::WeightedMean;
}

void frmSDEstimate::cmdCompute_Click()
{
    SDInputs in;
    in.sdA = boxText(this, QStringLiteral("Text1"));
    in.sdB = boxText(this, QStringLiteral("Text2"));
    in.nA = boxText(this, QStringLiteral("Text12"));
    in.nB = boxText(this, QStringLiteral("Text13"));
    in.msWithin = boxText(this, QStringLiteral("Text9"));
    in.se = boxText(this, QStringLiteral("txtSE"));
    apply(this, estimateSD(selectedMethod(), in));
}

void frmSDEstimate::cmdClear_Click() { clearTextBoxes(this); }

void frmSDEstimate::cmdExit_Click() { close(); }

frmSDEstimate* showSDEstimate()
{
    static QPointer<frmSDEstimate> window;
    return showSingle(window);
}

} // namespace calculators
