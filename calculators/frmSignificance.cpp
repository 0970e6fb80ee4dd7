#include "calculators/frmSignificance.h"

#include "calculators/CalcKit.h"
#include "calculators/Significance.h"

#include <QPushButton>

namespace calculators {

using namespace calckit;

frmSignificance::frmSignificance(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmSignificance"));
    setWindowTitle(QStringLiteral("Tests Of Significance"));
    resize(840, 330);

    const frame::KeyFilter signedFilter = frame::KeyFilter::Signed;
    const frame::KeyFilter digits = frame::KeyFilter::Digits;

    heading(this, QStringLiteral("Two Tailed p ="), 580, 12, 120);
    heading(this, QStringLiteral("One Tailed p ="), 710, 12, 120);

    struct Row {
        const char* caption;
        const char* statBox;
        const char* dfLabel;   // nullptr: the row has no second input
        const char* dfBox;
        const char* button;
        const char* twoTailed;
        const char* oneTailed;
        void (frmSignificance::*handler)();
    };
    const Row rows[] = {
        {"Independent Samples t-test:", "txtT", "df:", "txtTDF", "cmdT", "txt2PT", "txt1PT", &frmSignificance::cmdT_Click},
        {"Independent Samples z Statistic:", "txtZStat", nullptr, nullptr, "cmdZ", "txt2PZ", "txt1PZ",
         &frmSignificance::cmdZ_Click},
        {"Independent Samples Correlation Coefficient:", "txtR", "n:", "txtRN", "cmdR", "txt2PR", "txt1PR",
         &frmSignificance::cmdR_Click},
        {"Chi Squared Statistic:", "txtChi", "df:", "txtChiDF", "cmdChi", "txt2PChi", "txt1PChi",
         &frmSignificance::cmdChi_Click},
    };
    int y = 40;
    for (const Row& r : rows) {
        // Room for two lines, centred on the row's boxes.
        label(this, QString::fromLatin1(r.caption), 12, y - 7, 250, 36);
        inputBox(this, r.statBox, 266, y, 90, &signedFilter, Blue);
        if (r.dfBox) {
            label(this, QString::fromLatin1(r.dfLabel), 366, y + 2, 26);
            inputBox(this, r.dfBox, 392, y, 70, &digits, Blue);
        }
        auto* b = button(this, r.button, QStringLiteral("Compute"), 474, y - 3, 90);
        const auto handler = r.handler;
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        resultBox(this, r.twoTailed, 580, y, 110, Red);
        resultBox(this, r.oneTailed, 710, y, 110, Red);
        y += 46;
    }

    label(this, QStringLiteral("Working:"), 12, y + 4, 80);
    noteBox(this, "txtWorking", QString(), 96, y, 468, 70, Blue);

    auto* reset = button(this, "cmdReset", QStringLiteral("&Reset All"), 580, y, 110, 32);
    auto* exitButton = button(this, "cmdExit", QStringLiteral("E&xit"), 710, y, 110, 32);
    connect(reset, &QPushButton::clicked, this, [this] { cmdReset_Click(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmSignificance::cmdT_Click()
{
    apply(this, significanceOfT(boxText(this, QStringLiteral("txtT")), boxText(this, QStringLiteral("txtTDF"))));
}

void frmSignificance::cmdZ_Click() { apply(this, significanceOfZ(boxText(this, QStringLiteral("txtZStat")))); }

void frmSignificance::cmdR_Click()
{
    apply(this, significanceOfR(boxText(this, QStringLiteral("txtR")), boxText(this, QStringLiteral("txtRN"))));
}

void frmSignificance::cmdChi_Click()
{
    apply(this,
          significanceOfChi(boxText(this, QStringLiteral("txtChi")), boxText(this, QStringLiteral("txtChiDF"))));
}

void frmSignificance::cmdReset_Click() { clearTextBoxes(this); }

void frmSignificance::cmdExit_Click() { close(); }

frmSignificance* showSignificance()
{
    static QPointer<frmSignificance> window;
    return showSingle(window);
}

} // namespace calculators
