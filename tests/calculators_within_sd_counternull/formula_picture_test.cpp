// The square roots of the formula pictures as a person sees them: one bar
// over the whole radicand, in one piece, with no letter of the formula
// touching it.
#include "calculators/CalcKit.h"
#include "calculators/frmSDEstimate.h"
#include "calculators/frmWithinES.h"
#include "testkit/QtTestKit.h"

#include <QImage>
#include <QLabel>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>
#include <gtest/gtest.h>

namespace {

bool dark(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 160; }

// Where, in the picture, the radicands stand across: the columns of the
// text under an overline, laid out as the picture lays out its text
// (centred in its frame, no margin, its scripts at the picture's size).
QList<std::pair<int, int>> radicandColumns(QLabel* l)
{
    QTextDocument doc;
    doc.setDefaultFont(l->font());
    doc.setDocumentMargin(0);
    doc.setHtml(l->text());
    doc.setTextWidth(l->contentsRect().width());
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    calculators::calckit::setFormulaScripts(doc, l->font());
    doc.documentLayout();   // lays the document out
    QList<std::pair<int, int>> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        int from = -1, to = -1;
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.charFormat().fontOverline())
                continue;
            const int start = f.position() - b.position();
            if (from < 0)
                from = start;
            to = start + f.length();
        }
        if (from < 0)
            continue;
        const QTextLine line = b.layout()->lineForTextPosition(from);
        const double x = l->contentsRect().left() + b.layout()->position().x();
        out.push_back({int(std::ceil(x + line.cursorToX(from))), int(std::floor(x + line.cursorToX(to))) - 1});
    }
    return out;
}

void expectWholeBars(QWidget* window)
{
    window->show();
    testkit::settle();
    int roots = 0;
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->text().contains(QStringLiteral("&radic;")))
            continue;
        const QImage img = l->grab().toImage();
        const QRect inside = l->contentsRect().adjusted(1, 1, -1, -1);
        for (const auto& [from, to] : radicandColumns(l)) {
            ++roots;
            SCOPED_TRACE(l->text().toStdString());
            ASSERT_LT(from, to);
            // A row dark over all the radicand's columns: the bar.
            int bar = -1;
            for (int y = inside.top(); y <= inside.bottom() && bar < 0; ++y) {
                bool whole = true;
                for (int x = from; x <= to && whole; ++x)
                    whole = dark(img, x, y);
                if (whole)
                    bar = y;
            }
            ASSERT_GE(bar, 0) << "no bar in one piece over columns " << from << " to " << to;
            // Nothing dark in the row under the bar: the bar clears the
            // letters.
            const int under = bar + 1;
            int touching = 0;
            for (int x = from; x <= to; ++x)
                touching += dark(img, x, under) ? 1 : 0;
            EXPECT_EQ(touching, 0) << "letters touch the bar at row " << under;
        }
    }
    EXPECT_GT(roots, 0);
}

} // namespace

TEST(FormulaPictures, EachSquareRootHasOneBarOverItsWholeRadicand)
{
    {
        SCOPED_TRACE("frmSDEstimate");
        auto w = std::make_unique<calculators::frmSDEstimate>();
        expectWholeBars(w.get());
    }
    {
        SCOPED_TRACE("frmWithinES");
        auto w = std::make_unique<calculators::frmWithinES>();
        expectWholeBars(w.get());
    }
}
