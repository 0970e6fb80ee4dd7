// Calculator windows' colours: white input boxes, result boxes on the
// button-face colour with red or blue text, left out of the tab order.
#include "CalcHarness.h"
#include "calculators/frmDiffBetGs.h"
#include "calculators/frmDiffBetRsDependent.h"
#include "calculators/frmDiffBetweenRs.h"
#include "calculators/frmSignificance.h"
#include "calculators/frmZDifferences.h"

#include <QLineEdit>
#include <functional>

namespace {

enum Kind { Input, InputBlue, Red, Blue };

struct WindowBoxes {
    std::function<QWidget*()> show;
    QList<QPair<const char*, Kind>> boxes;
};

} // namespace

TEST(CalculatorColours, InputBoxesWhiteResultBoxesButtonFace)
{
    const WindowBoxes windows[] = {
        {[] { return calculators::showZDifferences(); },
         {{"txtP1", Input}, {"txtP2", Input}, {"txtZ1", Blue}, {"txtZ2", Blue}, {"txtAnswerZ", Blue},
          {"txt1PZ", Red}, {"txt2PZ", Red}}},
        {[] { return calculators::showDiffBetweenRs(); },
         {{"txtR1", Input}, {"txtN1r", Input}, {"txtR2", Input}, {"txtN2r", Input}, {"txtZ1", Blue}, {"txtZ2", Blue},
          {"txtSEdr", Blue}, {"txtZD", Red}, {"txt1PZ", Red}, {"txt2PZ", Red}, {"txtDF", Red}, {"txt1PT", Red},
          {"txt2PT", Red}}},
        {[] { return calculators::showDiffBetRsDependent(); },
         {{"txtR1", Input}, {"txtR2", Input}, {"txtR3", Input}, {"txtN1r", Input}, {"txtRValue", Blue},
          {"txtTValue", Blue}, {"txtDF", Blue}, {"txt1PT", Red}, {"txt2PT", Red}}},
        {[] { return calculators::showSignificance(); },
         {{"txtT", InputBlue}, {"txtTDF", InputBlue}, {"txtZStat", InputBlue}, {"txtR", InputBlue},
          {"txtRN", InputBlue}, {"txtChi", InputBlue}, {"txtChiDF", InputBlue}, {"txt2PT", Red}, {"txt1PT", Red},
          {"txt2PZ", Red}, {"txt1PZ", Red}, {"txt2PR", Red}, {"txt1PR", Red}, {"txt2PChi", Red}, {"txt1PChi", Red}}},
        {[] { return calculators::showDiffBetGs(); },
         {{"txtGA", Input}, {"txtN1GA", Input}, {"txtN2GA", Input}, {"txtTA", Input}, {"txtGB", Input},
          {"txtN1GB", Input}, {"txtN2GB", Input}, {"txtTB", Input}, {"txt2PZ", Red}, {"txt1PZ", Red}}},
    };
    for (const WindowBoxes& wb : windows) {
        QWidget* w = wb.show();
        EXPECT_EQ(w->parentWidget(), nullptr);
        for (const auto& [name, kind] : wb.boxes) {
            auto* e = testkit::find<QLineEdit>(w, QString::fromLatin1(name));
            ASSERT_TRUE(e);
            const QPalette p = e->palette();
            const std::string where = w->objectName().toStdString() + "." + name;
            if (kind == Input || kind == InputBlue) {
                EXPECT_EQ(p.color(QPalette::Base), QColor(Qt::white)) << where;
                EXPECT_EQ(p.color(QPalette::Text), kind == Input ? QColor(Qt::black) : QColor(0, 0, 255)) << where;
                EXPECT_TRUE(e->focusPolicy() & Qt::TabFocus) << where;
            } else {
                EXPECT_EQ(p.color(QPalette::Base), p.color(QPalette::Button)) << where;
                EXPECT_EQ(p.color(QPalette::Text), kind == Red ? QColor(255, 0, 0) : QColor(0, 0, 255)) << where;
                EXPECT_FALSE(e->focusPolicy() & Qt::TabFocus) << where;
            }
        }
        calctest::closeWindow(w);
    }
}
