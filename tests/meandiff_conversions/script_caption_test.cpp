// The option "f² to R²A" of the second conversion tab as a person reads it
// in the main window, at the window's designed size and dragged smaller and
// larger: each raised 2 stands right after its letter, as print sets it.
#include "meandiff/frmMain.h"
#include "platform/AppInfo.h"
#include "shell/Resize.h"
#include "testkit/QtTestKit.h"

#include <QImage>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

// Where a control's letters are inked, in its parent's coordinates (in
// logical pixels, rounded outwards); the control drawn alone, without its
// neighbours. An option button's letters only: from where the style puts its
// caption (after its round indicator) on.
QRect inkIn(QWidget* c)
{
    int from = 0;
    if (auto* o = qobject_cast<QRadioButton*>(c)) {
        QStyleOptionButton opt;
        opt.initFrom(o);
        opt.text = o->text();
        from = o->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, o).left();
    }
    const QPixmap grab = c->grab(QRect(from, 0, c->width() - from, c->height()));
    const QImage img = grab.toImage();
    const double px = grab.devicePixelRatio();
    int left = img.width(), right = -1, top = img.height(), bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return QRect(QPoint(int(std::floor(left / px)), int(std::floor(top / px))),
                 QPoint(int(std::ceil((right + 1) / px)) - 1, int(std::ceil((bottom + 1) / px)) - 1))
        .translated(c->pos() + QPoint(from, 0));
}

} // namespace

TEST(ConversionCaption, EachRaisedTwoStandsRightAfterItsLetterAtEverySize)
{
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
    shell::Resize::ForgetRecords();
    tarvoss::frmMain w;
    w.show();
    testkit::settle();
    auto* tabs = testkit::find<QTabWidget>(&w, QStringLiteral("SSTab1"));
    tabs->setCurrentIndex(tabs->count() - 1);
    testkit::settle();
    QWidget* inner = w.centralWidget();
    const QSize designed = inner->size();
    const QSize chrome = w.size() - designed;
    for (const double factor : {0.8, 1.0, 1.3}) {
        SCOPED_TRACE(factor);
        w.resize(QSize(qRound(designed.width() * factor), qRound(designed.height() * factor)) + chrome);
        testkit::settle();
        auto* option = testkit::find<QRadioButton>(&w, QStringLiteral("opFSQtoRSQ"));
        ASSERT_TRUE(option);
        QWidget* page = option->parentWidget();
        const auto ink = [page](const char* name) {
            auto* c = testkit::find<QWidget>(page, QString::fromLatin1(name));
            return c ? inkIn(c) : QRect();
        };
        const QRect f = ink("opFSQtoRSQ"), fTwo = ink("Label47"), r = ink("Label49"), rTwo = ink("Label50"),
                    a = ink("Label51");
        for (const QRect& i : {f, fTwo, r, rTwo, a})
            ASSERT_FALSE(i.isEmpty());
        // Ink to ink, as close as letters of one word.
        EXPECT_LE(fTwo.left() - f.right() - 1, 2) << "the 2 after f";
        EXPECT_LE(rTwo.left() - r.right() - 1, 2) << "the 2 after R";
        EXPECT_LE(a.left() - r.right() - 1, 2) << "the A after R";
        // The 2s raised: each ends above the baseline (the foot of the R)
        // and reaches to about the top of its letter; the A under the 2 of
        // the R reaches below the baseline.
        EXPECT_LT(fTwo.bottom(), r.bottom() - 1);
        EXPECT_LE(fTwo.top(), f.top() + 1);
        EXPECT_GE(fTwo.top(), f.top() - 4);
        EXPECT_LT(rTwo.bottom(), a.top());
        EXPECT_LE(rTwo.top(), r.top() + 1);
        EXPECT_GT(a.bottom(), r.bottom());
    }
}
