// The captions "R²A =" and "f² =" of the two f-squared windows as a person
// reads them: their raised 2 and lowered letters large enough to make out.
#include "calculators/frmHierarchicalR.h"
#include "calculators/frmMultipleR.h"
#include "testkit/QtTestKit.h"

#include <QImage>
#include <QLabel>
#include <algorithm>
#include <gtest/gtest.h>

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
            const QList<QRect> all = testkit::inkMarks(l);
            ASSERT_GE(all.size(), 3);
            const QRect letter = all[0];
            const int after = QFontMetrics(l->font()).horizontalAdvance(l->text().at(0));
            const int equals = all[all.size() - 2].left();
            // The scripts: the marks past the letter's advance and before
            // the "=".
            const QList<QRect> scripts = testkit::inkMarks(l, QRect(after, 0, equals - after, l->height()));
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
