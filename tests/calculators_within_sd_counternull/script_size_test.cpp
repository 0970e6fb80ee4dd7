// The subscripts of the formula pictures as a person reads them: letters
// large enough to make out at the window's designed size, set below the
// line.
#include "calculators/frmSDEstimate.h"
#include "calculators/frmWithinES.h"
#include "testkit/QtTestKit.h"

#include <QImage>
#include <QLabel>
#include <memory>
#include <gtest/gtest.h>

// "(Sd_a + Sd_b) / 2": the subscripts a and b are the marks that reach
// below the line (the foot of the closing 2) and are no taller than that 2
// (the brackets and the slash reach below it too, but are taller).
TEST(FormulaScripts, SubscriptsOfTheSdEstimatesAreLegible)
{
    auto w = std::make_unique<calculators::frmSDEstimate>();
    w->show();
    testkit::settle();
    QLabel* picture = nullptr;
    for (QLabel* l : w->findChildren<QLabel*>())
        if (l->text().startsWith(QStringLiteral("(<i>Sd<sub>a</sub></i> + ")))
            picture = l;
    ASSERT_TRUE(picture);
    const QPixmap grab = picture->grab(picture->contentsRect().adjusted(1, 1, -1, -1));
    const QList<QRect> all = testkit::inkMarks(grab.toImage(), grab.devicePixelRatio());
    ASSERT_GE(all.size(), 8);
    const QRect two = all.last();
    QList<QRect> subscripts;
    for (const QRect& m : all)
        if (m.bottom() > two.bottom() && m.height() <= two.height())
            subscripts << m;
    ASSERT_EQ(subscripts.size(), 2);
    // The a (a small letter) and the b (a tall one).
    EXPECT_GE(subscripts[0].height(), 5);
    EXPECT_GE(subscripts[1].height(), 7);
    // Still smaller than the letters of the line: the b lower than the d.
    EXPECT_LT(subscripts[1].height(), two.height() + 1);
}

// With their larger letters, every formula of both windows is drawn whole
// inside its box: no ink along the box's inner edge (a pixel in from the
// frame, which a screen scaled by a fraction smears over its neighbours).
TEST(FormulaScripts, EveryFormulaIsWholeInsideItsBox)
{
    std::unique_ptr<QWidget> windows[] = {std::make_unique<calculators::frmSDEstimate>(),
                                          std::make_unique<calculators::frmWithinES>()};
    int pictures = 0;
    for (const auto& w : windows) {
        w->show();
        testkit::settle();
        for (QLabel* l : w->findChildren<QLabel*>()) {
            if (l->frameShape() != QFrame::Box || l->textFormat() != Qt::RichText)
                continue;
            ++pictures;
            SCOPED_TRACE(l->text().toStdString());
            const QImage img = l->grab(l->contentsRect().adjusted(1, 1, -1, -1)).toImage();
            int edgeInk = 0;
            for (int x = 0; x < img.width(); ++x)
                edgeInk += (qGray(img.pixel(x, 0)) < 160) + (qGray(img.pixel(x, img.height() - 1)) < 160);
            for (int y = 0; y < img.height(); ++y)
                edgeInk += (qGray(img.pixel(0, y)) < 160) + (qGray(img.pixel(img.width() - 1, y)) < 160);
            EXPECT_EQ(edgeInk, 0);
        }
    }
    EXPECT_EQ(pictures, 11);
}
