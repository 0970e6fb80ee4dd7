#include "calculators/frmChiSq.h"

#include "calculators/CalcControls.h"
#include "calculators/CalculatorMath.h"
#include "calculators/frmCriticalTable.h"
#include "frame/KeyFilters.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace calculators {

namespace {
constexpr int kGroupLeft[3] = {1140, 2130, 3120};
constexpr int kConditionTop[3] = {720, 1320, 1920};
constexpr int kCellWidth = 855;
constexpr int kCellHeight = 375;
constexpr int kResultTop = 2985;
constexpr int kResultStep = 270;

const char* const kCellNames[3][3] = {
    {"TxImp", "TxSame", "TxWorse"},
    {"CtrlImp", "CtrlSame", "CtrlWorse"},
    {"Ctrl2Imp", "Ctrl2Same", "Ctrl2Worse"},
};
} // namespace

frmChiSq::frmChiSq(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmChiSq"));
    setWindowTitle(QStringLiteral("Chi Square Analysis"));
    setWindowFrame(this, 5280, 5835);

    auto* OpTwo = addOption(this, QStringLiteral("OpTwo"), QStringLiteral("2 x 2"), 360, 180, 1200);
    auto* OpThree = addOption(this, QStringLiteral("OpThree"), QStringLiteral("2 x 3"), 1980, 180, 1200);
    auto* OpThreeByThree = addOption(this, QStringLiteral("OpThreeByThree"), QStringLiteral("3 x 3"), 3600, 180, 1200);
    OpThreeByThree->setChecked(true);
    connect(OpTwo, &QRadioButton::clicked, this, &frmChiSq::OpTwo_Click);
    connect(OpThree, &QRadioButton::clicked, this, &frmChiSq::OpThree_Click);
    connect(OpThreeByThree, &QRadioButton::clicked, this, &frmChiSq::OpThreeByThree_Click);

    addLabel(this, QStringLiteral("lblGP1"), QStringLiteral("Group 1"), kGroupLeft[0], 480, kCellWidth)
        ->setAlignment(Qt::AlignCenter);
    addLabel(this, QStringLiteral("lblGP2"), QStringLiteral("Group 2"), kGroupLeft[1], 480, kCellWidth)
        ->setAlignment(Qt::AlignCenter);
    lblGP3 = addLabel(this, QStringLiteral("lblGP3"), QStringLiteral("Group 3"), kGroupLeft[2], 480, kCellWidth);
    lblGP3->setAlignment(Qt::AlignCenter);
    lblCondN = addLabel(this, QStringLiteral("lblCondN"), QStringLiteral("N"), 4440, 480, 400);
    QLabel* rowLabels[3] = {
        addLabel(this, QStringLiteral("lblCond1"), QStringLiteral("Condition 1:"), 0, kConditionTop[0] + 60, 1125),
        addLabel(this, QStringLiteral("lblCond2"), QStringLiteral("Condition 2:"), 0, kConditionTop[1] + 60, 1125),
        addLabel(this, QStringLiteral("LblDeteriorated"), QStringLiteral("Condition 3:"), 0, kConditionTop[2] + 60,
                 1125)};
    LblDeteriorated = rowLabels[2];
    for (QLabel* l : rowLabels) {
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 0.9);
        l->setFont(f);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    lblGPN = addLabel(this, QStringLiteral("lblGPN"), QStringLiteral("N:"), 660, 2580, 420);

    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
            QLineEdit* c = addInputBox(this, QString::fromLatin1(kCellNames[j][i]), kGroupLeft[j], kConditionTop[i],
                                       kCellWidth, kCellHeight);
            c->setAlignment(Qt::AlignCenter);
            frame::installKeyFilter(c, frame::KeyFilter::Digits);
            cell_[j][i] = c;
        }
    for (int k = 0; k < 3; ++k) {
        txtGP_[k] = addResultBox(this, QStringLiteral("txtGP%1").arg(k + 1), kGroupLeft[k], 2520, kCellWidth, kCellHeight);
        txtCondN_[k] = addResultBox(this, QStringLiteral("txtCond%1N").arg(k + 1), 4110, kConditionTop[k], kCellWidth,
                                    kCellHeight);
    }

    struct ResultRow {
        const char* label;
        const char* labelName;
        QLineEdit** box;
        const char* boxName;
    };
    const ResultRow rows[] = {
        {"Total Sample Size:", "lblTotalN", &TotalN, "TotalN"},
        {"Chi Squared:", "lblChiSquared", &txtChiSquared, "txtChiSquared"},
        {"df:", "lblDF", &txtDF, "txtDF"},
        {"Two Tailed p =", "lbl2P", &txt2P, "txt2P"},
        {"One Tailed p =", "lbl1P", &txt1P, "txt1P"},
        {"Cramer's Phi:", "lblPhi", &txtPhi, "txtPhi"},
        {"Pearson's (C):", "lblESC", &txtESC, "txtESC"},
        {"Effect Size (w):", "lblESW", &txtESW, "txtESW"},
    };
    int top = kResultTop;
    for (const ResultRow& r : rows) {
        QLabel* l = addLabel(this, QString::fromLatin1(r.labelName), QString::fromUtf8(r.label), 120, top, 1740);
        if (QLatin1String(r.labelName) == QLatin1String("lblPhi"))
            lblPhi = l;
        *r.box = addResultBox(this, QString::fromLatin1(r.boxName), 1860, top, 1260, 255);
        top += kResultStep;
    }

    auto* cmdDoIt = addButton(this, QStringLiteral("cmdDoIt"), QStringLiteral("&Do It!"), 3240, kResultTop, 1920);
    QFont bold = cmdDoIt->font();
    bold.setBold(true);
    cmdDoIt->setFont(bold);
    auto* cmdReset = addButton(this, QStringLiteral("cmdReset"), QStringLiteral("&Reset All"), 3240, 3480, 1920);
    auto* cmdExit = addButton(this, QStringLiteral("cmdExit"), QStringLiteral("E&xit"), 3240, 3960, 1920);
    auto* cmdChiProb = addButton(this, QStringLiteral("cmdChiProb"), QStringLiteral("&Chi Square Probability Table"),
                                 120, top + 30, 5040, 330);
    connect(cmdDoIt, &QPushButton::clicked, this, &frmChiSq::cmdDoIt_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmChiSq::cmdReset_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmChiSq::cmdExit_Click);
    connect(cmdChiProb, &QPushButton::clicked, this, &frmChiSq::cmdChiProb_Click);

    addStatusBar(this, benchmarkCitation(), QStringLiteral("w: 0.1 = small; 0.3 = medium; 0.5 = large."));
    centreOnScreen(this);
}

void frmChiSq::emptyResults()
{
    for (QLineEdit* e : {TotalN, txtChiSquared, txtDF, txt2P, txt1P, txtPhi, txtESW, txtESC})
        e->clear();
    for (int k = 0; k < 3; ++k) {
        txtGP_[k]->clear();
        txtCondN_[k]->clear();
    }
}

void frmChiSq::chooseSize(Size size)
{
    size_ = size;
    emptyResults();
    const bool thirdGroup = size == Size::ThreeByThree;
    const bool thirdCondition = size != Size::TwoByTwo;
    lblPhi->setText(size == Size::TwoByTwo ? QStringLiteral("Phi:") : QStringLiteral("Cramer's Phi:"));
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
            const bool shown = (j < 2 || thirdGroup) && (i < 2 || thirdCondition);
            if (!shown)
                cell_[j][i]->clear();
            cell_[j][i]->setVisible(shown);
        }
    txtGP_[2]->setVisible(thirdGroup);
    lblGP3->setVisible(thirdGroup);
    txtCondN_[2]->setVisible(thirdCondition);
    LblDeteriorated->setVisible(thirdCondition);

    placeTotals();
}

void frmChiSq::placeTotals()
{
    // The totals follow the last shown row and column, at the window's
    // present size (a window scaled to fit the screen moves them scaled).
    const bool thirdGroup = size_ == Size::ThreeByThree;
    const bool thirdCondition = size_ != Size::TwoByTwo;
    const auto scaled = [this](int leftTwips, int topTwips) {
        return shell::Resize::ScaledRect(this, QRect(px(leftTwips), px(topTwips), 0, 0)).topLeft();
    };
    const int totalTop = thirdCondition ? 2520 : 1920;
    lblGPN->move(lblGPN->x(), scaled(0, totalTop + 60).y());
    for (QLineEdit* e : txtGP_)
        e->move(e->x(), scaled(0, totalTop).y());
    const int totalLeft = thirdGroup ? 4110 : 3120;
    for (QLineEdit* e : txtCondN_)
        e->move(scaled(totalLeft, 0).x(), e->y());
    lblCondN->move(scaled(totalLeft + 330, 0).x(), lblCondN->y());
}

void frmChiSq::OpTwo_Click() { chooseSize(Size::TwoByTwo); }
void frmChiSq::OpThree_Click() { chooseSize(Size::TwoByThree); }
void frmChiSq::OpThreeByThree_Click() { chooseSize(Size::ThreeByThree); }

void frmChiSq::cmdDoIt_Click()
{
    emptyResults();
    switch (size_) {
    case Size::TwoByTwo: ChiSquare(2, 2); break;
    case Size::TwoByThree: ChiSquare(2, 3); break;
    case Size::ThreeByThree: ChiSquare(3, 3); break;
    }
}

void frmChiSq::ChiSquare(int groups, int conditions)
{
    try {
        for (int j = 0; j < groups; ++j)
            for (int i = 0; i < conditions; ++i)
                if (cell_[j][i]->text().isEmpty()) {
                    platform::msgBox(
                        QStringLiteral("You must enter data in ALL the white boxes before hitting the 'Do It' button."),
                        platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                        QStringLiteral("Chi Square - Input Error"), this);
                    return;
                }
        CountTable counts(groups, std::vector<double>(conditions, 0.0));
        for (int j = 0; j < groups; ++j)
            for (int i = 0; i < conditions; ++i)
                counts[j][i] = platform::cdbl(cell_[j][i]->text());
        // A table with a negative count has no meaning: nothing is computed.
        for (const auto& group : counts)
            for (double count : group)
                if (count < 0) {
                    platform::msgBox(QStringLiteral("A count cannot be negative. Please enter 0 or more in every "
                                                    "white box before hitting the 'Do It' button."),
                                     platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                                     QStringLiteral("Chi Square - Input Error"), this);
                    return;
                }
        if (hasSmallCount(counts))
            platform::msgBox(
                QStringLiteral("One or more cells has less than 5 observations - interpret results with caution."),
                platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);

        const ContingencyResult r = contingencyChiSquare(counts);
        if (r.defined) {
            txtChiSquared->setText(platform::roundText(r.chiSquare, 5));
            txtDF->setText(r.df);
            txt2P->setText(platform::roundText(r.pTwoTailed, 5));
            txt1P->setText(platform::roundText(r.pOneTailed, 5));
            txtPhi->setText(platform::roundText(r.phi, 5));
            txtESW->setText(platform::roundText(r.w, 5));
            txtESC->setText(platform::roundText(r.c, 5));
        } else {
            txtChiSquared->setText(QStringLiteral("---"));
            txtDF->setText(QStringLiteral("-"));
            txtPhi->setText(QStringLiteral("---"));
        }
        for (int j = 0; j < groups; ++j)
            txtGP_[j]->setText(platform::numText(r.groupTotals[j]));
        for (int i = 0; i < conditions; ++i)
            txtCondN_[i]->setText(platform::numText(r.conditionTotals[i]));
        TotalN->setText(platform::numText(r.n));
    } catch (const platform::RuntimeError& e) {
        platform::msgBox(
            QStringLiteral("Wwwoooow there!!! Something went very wrong and resulted in the following error.\r\n")
                + e.description(),
            platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    }
}

void frmChiSq::cmdReset_Click()
{
    for (auto& group : cell_)
        for (QLineEdit* c : group)
            c->clear();
    emptyResults();
}

void frmChiSq::cmdChiProb_Click() { showChiTable(this); }

void frmChiSq::cmdExit_Click() { close(); }

frmChiSq* showChiSq()
{
    static QPointer<frmChiSq> window;
    return showSingle(window);
}

} // namespace calculators
