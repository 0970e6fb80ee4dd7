// The captions "R²A =" and "f² =" of the two f-squared windows as a person
// reads them: their raised 2 and lowered letters large enough to make out.
#include "calculators/frmHierarchicalR.h"
#include "calculators/frmMultipleR.h"
#include "testkit/QtTestKit.h"

#include <QImage>
#include <QLabel>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The separate marks of a control's picture (of the part of it given): the
// boxes of its 8-connected groups of dark pixels, in logical pixels, left to
// right.
QList<QRect> marks(QWidget* c, const QRect& part = {})
{
    const QPixmap grab = c->grab(part.isNull() ? QRect(QPoint(0, 0), c->size()) : part);
    const QImage img = grab.toImage();
    const double px = grab.devicePixelRatio();
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
    std::sort(out.begin(), out.end(),
              [](const QRect& a, const QRect& b) { return a.left() != b.left() ? a.left() < b.left() : a.top() < b.top(); });
    return out;
}

} // namespace

TEST(ScriptCaptions, TheScriptsOfTheFSquaredCaptionsAreLegible)
{
    calculators::frmMultipleR multiple;
    calculators::frmHierarchicalR hierarchical;
    for (QWidget* w : {static_cast<QWidget*>(&multiple), static_cast<QWidget*>(&hierarchical)}) {
        SCOPED_TRACE(w->objectName().toStdString());
        w->show();
        testkit::settle();
        // "f² =" and "R²A =": the letter, its scripts, the two strokes of
        // the "=". The f's hook may touch its 2: the 2 is what lies past
        // the f's advance.
        for (const char* name : {"lblf2", "lblR2"}) {
            SCOPED_TRACE(name);
            auto* l = testkit::find<QLabel>(w, QString::fromLatin1(name));
            ASSERT_TRUE(l);
            const QList<QRect> all = marks(l);
            ASSERT_GE(all.size(), 3);
            const QRect letter = all[0];
            const int after = QFontMetrics(l->font()).horizontalAdvance(l->text().at(0));
            const int equals = all[all.size() - 2].left();
            // The scripts: the marks past the letter's advance and before
            // the "=".
            const QList<QRect> scripts = marks(l, QRect(after, 0, equals - after, l->height()));
            ASSERT_EQ(scripts.size(), QLatin1String(name) == QLatin1String("lblR2") ? 2 : 1);
            const QRect sup = scripts[0];
            EXPECT_GE(sup.height(), 6) << "the raised 2";
            EXPECT_LT(sup.bottom(), letter.bottom() - 1) << "raised";
            if (scripts.size() == 2) {
                const QRect sub = scripts[1];
                EXPECT_GE(sub.height(), 6) << "the lowered A";
                EXPECT_GT(sub.bottom(), letter.bottom()) << "lowered";
            }
        }
    }
}
