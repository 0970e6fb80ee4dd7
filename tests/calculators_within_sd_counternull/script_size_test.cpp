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

namespace {

// The separate marks of a picture: the boxes of its 8-connected groups of
// dark pixels, in logical pixels, left to right.
QList<QRect> marks(const QImage& img, double px)
{
    const int w = img.width(), h = img.height();
    std::vector<char> seen(size_t(w) * h, 0);
    const auto dark = [&](int x, int y) { return qGray(img.pixel(x, y)) < 160; };
    QList<QRect> out;
    for (int x0 = 0; x0 < w; ++x0)
        for (int y0 = 0; y0 < h; ++y0) {
            if (seen[size_t(y0) * w + x0] || !dark(x0, y0))
                continue;
            QRect box(x0, y0, 1, 1);
            QList<QPoint> todo{{x0, y0}};
            seen[size_t(y0) * w + x0] = 1;
            while (!todo.isEmpty()) {
                const QPoint p = todo.takeLast();
                box |= QRect(p, QSize(1, 1));
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int x = p.x() + dx, y = p.y() + dy;
                        if (x < 0 || y < 0 || x >= w || y >= h || seen[size_t(y) * w + x] || !dark(x, y))
                            continue;
                        seen[size_t(y) * w + x] = 1;
                        todo.append({x, y});
                    }
            }
            out.append(QRect(QPoint(int(box.left() / px), int(box.top() / px)),
                             QPoint(int((box.right() + 1) / px + 0.999) - 1, int((box.bottom() + 1) / px + 0.999) - 1)));
        }
    std::sort(out.begin(), out.end(), [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
    return out;
}

} // namespace

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
    const QList<QRect> all = marks(grab.toImage(), grab.devicePixelRatio());
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
