#include "calculators/OddsRatioWindow.h"

#include "calculators/CalcKit.h"
#include "shell/ControlColours.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace calculators {

using namespace calckit;

namespace {

const QColor GreyText{128, 128, 128};
const QColor GreyedBox{213, 209, 200};

void setTextColour(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

void setBackground(QWidget* w, const QColor& c)
{
    shell::ControlColours::SetBackColor(w, shell::ControlColours::ColourValue(c));
}

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 20)
{
    QLabel* l = label(parent, text, x, y, w, h);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

OddsRatioWindow::OddsRatioWindow(const Design& design, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      design_(design)
{
    setObjectName(QString::fromLatin1(design.name));
    setWindowTitle(design.caption);
    setFixedSize(px(10800), px(7050));

    noteBox(this, "Text1", design.caution, 8, 8, 704, 112, Blue);

    namedLabel(this, "Label22", design.valueLabel, 8, 134, 200);
    txtOR = inputBox(this, "txtOR", 210, 132, 120, &design_.filter);

    chkConfidence = new QCheckBox(QStringLiteral("Do you want to convert 95% confidence intervals too?"), this);
    chkConfidence->setObjectName(QStringLiteral("chkConfidence"));
    chkConfidence->setGeometry(8, 162, 400, 22);
    connect(chkConfidence, &QCheckBox::clicked, this, [this] { chkConfidence_Click(); });

    Frame1 = new QGroupBox(QStringLiteral("Confidence Intervals"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(8, 190, 400, 92);
    Label1 = namedLabel(Frame1, "Label1", design.lowerLabel, 8, 22, 250, 30);
    txtORMinus95 = inputBox(Frame1, "txtORMinus95", 264, 26, 120, &design_.filter);
    Label2 = namedLabel(Frame1, "Label2", design.upperLabel, 8, 56, 250, 30);
    txtORPlus95 = inputBox(Frame1, "txtORPlus95", 264, 60, 120, &design_.filter);
    for (QLineEdit* e : {txtORMinus95, txtORPlus95}) {
        e->setEnabled(false);
        setButtonFaceBackground(e);
    }
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2), static_cast<QWidget*>(Frame1)})
        setTextColour(w, GreyText);

    auto* doIt = button(this, "cmdDoIt", design.doItCaption, 8, 292, 120, 30);
    QFont bold = doIt->font();
    bold.setBold(true);
    doIt->setFont(bold);
    auto* exitButton = button(this, "cmdExit", design.exitCaption, 136, 292, 120, 30);
    connect(doIt, &QPushButton::clicked, this, [this] { cmdDoIt_Click(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

    int y = 338;
    for (const ResultRow& row : design.rows) {
        namedLabel(this, row.labelName, row.caption, 8, y + 2, 100);
        resultBox(this, row.box, 108, y, 90, Red)->setReadOnly(true);
        namedLabel(this, row.lowerLabel, QStringLiteral("-95%:"), 206, y + 2, 40);
        resultBox(this, row.lowerBox, 246, y, 60, Red)->setReadOnly(true);
        namedLabel(this, row.upperLabel, QStringLiteral("+95%:"), 314, y + 2, 40);
        resultBox(this, row.upperBox, 354, y, 60, Red)->setReadOnly(true);
        y += 34;
    }

    txtWorking = noteBox(this, "txtWorking", QStringLiteral("Working..."), 424, 132, 288, 330);
    txtWorking->setReadOnly(true);

    txtOR->setFocus();
}

void OddsRatioWindow::chkConfidence_Click()
{
    for (const char* name : design_.clearedBoxes)
        if (auto* e = findChild<QLineEdit*>(QString::fromLatin1(name)))
            e->clear();
    const bool ticked = chkConfidence->isChecked();
    for (QLineEdit* e : {txtORMinus95, txtORPlus95})
        e->setEnabled(ticked);
    showLimitsOpen(ticked);
}

void OddsRatioWindow::showLimitsOpen(bool open)
{
    for (QLineEdit* e : {txtORMinus95, txtORPlus95})
        setBackground(e, open ? QColor(Qt::white) : GreyedBox);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2), static_cast<QWidget*>(Frame1)})
        setTextColour(w, open ? QColor(Qt::black) : GreyText);
}

void OddsRatioWindow::cmdDoIt_Click()
{
    const Outcome out = design_.compute(
        {txtOR->text(), txtORMinus95->text(), txtORPlus95->text(), chkConfidence->isChecked()});
    for (const BoxWrite& w : out.writes)
        if (w.box == QLatin1String("txtWorking"))
            setTextColour(txtWorking, Blue);
    apply(this, out);
}

void OddsRatioWindow::cmdExit_Click() { close(); }

} // namespace calculators
