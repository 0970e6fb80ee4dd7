// The heterogeneity window's formula pictures laid out smaller than their
// design (the window scaled down to fit a small screen) still show the whole
// formula, smaller, and not its first part cut off at the picture's edge.
#include "metastats/ResultPictures.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// The columns, inside the picture's border, that hold dark ink.
std::pair<int, int> inkColumns(QWidget& picture)
{
    const QImage image = picture.grab().toImage();
    int first = -1, last = -1;
    for (int x = 2; x < image.width() - 2; ++x)
        for (int y = 2; y < image.height() - 2; ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

} // namespace

TEST(FormulaPicture, ASmallerPictureDrawsTheWholeFormula)
{
    const std::vector<metastats::FormulaPicture::Piece> formula5 = {
        {QStringLiteral("<i>I</i><sup>2</sup> = "), {}},
        {QStringLiteral("<i>Q</i> &minus; (<i>K</i> &minus; 1)"), QStringLiteral("<i>Q</i>")},
        {QStringLiteral("&times; 100% &nbsp;for <i>Q</i> &gt; (<i>K</i> &minus; 1)"), {}}};
    QWidget window;
    auto* picture = new metastats::FormulaPicture(&window, QStringLiteral("picISquared"), formula5);
    // The design, then the window at 80 % and 60 %.
    for (const QSize size : {QSize(270, 64), QSize(216, 51), QSize(162, 38)}) {
        SCOPED_TRACE(std::to_string(size.width()));
        picture->resize(size);
        const auto [first, last] = inkColumns(*picture);
        ASSERT_GE(first, 0);
        // A margin of white paper on both sides: nothing runs into the edge.
        EXPECT_LT(last, size.width() - 4) << "ink up to column " << last;
        EXPECT_GT(first, 2);
        // Not drawn smaller than it has to be: it spans most of the box.
        EXPECT_GT(last - first, size.width() * 3 / 4);
    }
}
