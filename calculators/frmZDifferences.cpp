#include "calculators/frmZDifferences.h"

#include "calculators/CalcKit.h"
#include "calculators/PValueComparison.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace calculators {

using namespace calckit;

namespace {

const char* const Instructions =
    "If you have two studies with derived p values, you may wish to see whether they are significantly "
    "different. This window assumes that the samples within the studies are normally distributed and uses the z "
    "statistic.\n"
    "Enter ONE TAILED p values only: they can only be 0.5 or less.\n"
    "If the results of the two studies go in completely different directions, tick the box so that \"Negative "
    "Direction?\" shows \"Yes\".\n"
    "If you have two tailed p values, halve them and enter the halves.";

} // namespace

frmZDifferences::frmZDifferences(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmZDifferences"));
    setWindowTitle(QStringLiteral(
        "Compute Difference Of Two p Values - Assumes Normally Distributed Samples Within Studies"));
    resize(px(11430), px(4905));

    noteBox(this, "Text1", QString::fromLatin1(Instructions), 8, 6, 746, 102);

    const frame::KeyFilter signedFilter = frame::KeyFilter::Signed;
    heading(this, QStringLiteral("One Tailed p - Value"), 16, 118, 200);
    label(this, QStringLiteral("Study 1:"), 16, 146, 70);
    inputBox(this, "txtP1", 90, 144, 120, nullptr);
    label(this, QStringLiteral("Study 2:"), 16, 178, 70);
    inputBox(this, "txtP2", 90, 176, 120, nullptr);

    heading(this, QStringLiteral("Deived z Value"), 230, 118, 140);
    resultBox(this, "txtZ1", 230, 144, 120, Blue, &signedFilter);
    resultBox(this, "txtZ2", 230, 176, 120, Blue, &signedFilter);

    heading(this, QStringLiteral("Negative Direction?"), 380, 118, 146);
    chkNegative_ = new QCheckBox(QStringLiteral("No"), this);
    chkNegative_->setObjectName(QStringLiteral("chkNegative"));
    chkNegative_->setGeometry(380, 144, 60, 22);
    connect(chkNegative_, &QCheckBox::toggled, this, [this] { chkNegative_Click(); });

    auto* compute = button(this, "cmdCompute", QStringLiteral("Compute"), 380, 206, 120, 32);
    connect(compute, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });

    heading(this, QStringLiteral("z Value Of The Difference"), 530, 118, 220);
    resultBox(this, "txtAnswerZ", 530, 144, 140, Blue);
    label(this, QStringLiteral("One Tailed p Value Of The Difference:"), 16, 256, 300);
    resultBox(this, "txt1PZ", 320, 254, 140, Red);
    label(this, QStringLiteral("Two Tailed p Value Of The Difference:"), 16, 290, 300);
    resultBox(this, "txt2PZ", 320, 288, 140, Red);
}

void frmZDifferences::cmdCompute_Click()
{
    apply(this, compareTwoPValues(boxText(this, QStringLiteral("txtP1")), boxText(this, QStringLiteral("txtP2")),
                                  chkNegative_->isChecked()));
}

void frmZDifferences::chkNegative_Click()
{
    chkNegative_->setText(chkNegative_->isChecked() ? QStringLiteral("Yes") : QStringLiteral("No"));
}

frmZDifferences* showZDifferences()
{
    static QPointer<frmZDifferences> window;
    return showSingle(window);
}

} // namespace calculators
