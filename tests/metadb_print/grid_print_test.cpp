// What the grid print puts on each page, traced on a surface that records
// every call, with the values of a real recordset.
#include "PrintFixture.h"
#include "metadb/PrintDG.h"
#include "platform/Errors.h"

#include <QStandardItemModel>
#include <QTableView>
#include <gtest/gtest.h>

using namespace metadb::PrintDG;

namespace {

struct Op {
    enum Kind { Font, Text, Fill, Line, NewPage } kind;
    double x = 0, y = 0, w = 0, h = 0;
    QString text;
    QColor colour;
    bool bold = false;
    int page = 0;
};

Op op(Op::Kind kind, double x = 0, double y = 0, double w = 0, double h = 0, const QString& text = {},
      const QColor& colour = {}, bool bold = false)
{
    Op o{};
    o.kind = kind;
    o.x = x;
    o.y = y;
    o.w = w;
    o.h = h;
    o.text = text;
    o.colour = colour;
    o.bold = bold;
    return o;
}

// A printer whose every character is 100 twips wide.
class TraceSurface : public Surface {
public:
    int orientation() const override { return orientation_; }
    void setOrientation(int o) override
    {
        orientation_ = o;
        orientations.push_back(o);
    }
    double pageWidth() const override { return width; }
    double pageHeight() const override { return height; }
    void setFont(const QString& name, double points, bool bold) override
    {
        add(op(Op::Font, 0, points, 0, 0, name, {}, bold));
    }
    double textWidth(const QString& text) const override { return 100.0 * text.size(); }
    void beginDocument() override
    {
        ++begun;
        orientationWhilePrinting = orientation_;
    }
    void printText(double x, double y, const QString& text) override
    {
        if (failAtText > 0 && ++texts == failAtText)
            throw platform::errPrinter(QStringLiteral("out of paper"));
        add(op(Op::Text, x, y, 0, 0, text));
    }
    void fillRect(double l, double t, double w, double h, const QColor& c) override
    {
        add(op(Op::Fill, l, t, w, h, {}, c));
    }
    void drawLine(double x1, double y1, double x2, double y2) override { add(op(Op::Line, x1, y1, x2, y2)); }
    void newPage() override
    {
        ++page;
        add(op(Op::NewPage));
    }
    void endDocument() override { ++ended; }
    void abortDocument() override { ++aborted; }

    std::vector<Op> of(Op::Kind k, int onPage) const
    {
        std::vector<Op> out;
        for (const Op& o : ops)
            if (o.kind == k && o.page == onPage)
                out.push_back(o);
        return out;
    }
    // The text printed at (x, y) on a page, or "<none>".
    QString textAt(int onPage, double x, double y) const
    {
        for (const Op& o : of(Op::Text, onPage))
            if (o.x == x && o.y == y)
                return o.text;
        return QStringLiteral("<none>");
    }

    double width = 12000;
    double height = 16000;
    int orientation_ = 2;
    std::vector<int> orientations;
    int orientationWhilePrinting = 0;
    int begun = 0, ended = 0, aborted = 0, page = 1;
    int failAtText = 0, texts = 0;
    std::vector<Op> ops;

private:
    void add(Op o)
    {
        o.page = o.kind == Op::NewPage ? page - 1 : page;
        ops.push_back(o);
    }
};

GridInfo fixtureGrid()
{
    GridInfo g;
    g.font = {QStringLiteral("Grid Face"), 8, false};
    g.headingFont = {QStringLiteral("Heading Face"), 10, true};   // heading row 200 twips
    g.rowHeight = 3000;
    g.columnWidths = {1500, 1500, 3000, 4500};
    g.columnCaptions = printtest::kFields;
    return g;
}

// Margins of 0.75 inch on a 12000 x 16000 page: L = T = 1080, W = 9840,
// H = 13840. Columns 1-3 (6000 twips) then 4; four rows of 3000 under the
// 200 twips heading row: records 1-4, 5-8, 9-10. Six pages.
class GridPrintTrace : public ::testing::Test {
protected:
    printtest::StudyTable table{10};
    TraceSurface surface;
    GridInfo grid = fixtureGrid();
    Options options;
};

TEST_F(GridPrintTrace, PagesGoDownTheRecordsThenAcrossWithTheirFooters)
{
    PrintDataGrid(surface, grid, table.recordset, options);
    EXPECT_EQ(surface.begun, 1);
    EXPECT_EQ(surface.ended, 1);
    EXPECT_EQ(surface.aborted, 0);
    EXPECT_EQ(surface.page, 6);   // five page breaks, none after the last page

    for (int p = 1; p <= 6; ++p) {
        const QString footer = QStringLiteral("Page %1 of 6").arg(p);
        // Centred: (12000 - 1100) / 2 with the fraction dropped; at the page
        // height less the bottom margin.
        EXPECT_EQ(surface.textAt(p, 5450, 16000 - 1080), footer);
    }
    // Headings: shaded cells along the top margin, each page its own columns.
    EXPECT_EQ(surface.textAt(1, 1080, 1080), "Study ID");
    EXPECT_EQ(surface.textAt(1, 2580, 1080), "Include");
    EXPECT_EQ(surface.textAt(1, 4080, 1080), "Study Name");
    EXPECT_EQ(surface.textAt(3, 4080, 1080), "Study Name");
    EXPECT_EQ(surface.textAt(4, 1080, 1080), "Cohen's D");
    EXPECT_EQ(surface.textAt(4, 2580, 1080), "<none>");
    // Rows below the heading row, 3000 twips apart.
    EXPECT_EQ(surface.textAt(1, 1080, 1280), "101");
    EXPECT_EQ(surface.textAt(1, 2580, 1280), "True");
    EXPECT_EQ(surface.textAt(1, 2580, 4280), "False");
    EXPECT_EQ(surface.textAt(1, 1080, 10280), "104");
    EXPECT_EQ(surface.textAt(2, 1080, 1280), "105");
    EXPECT_EQ(surface.textAt(3, 1080, 4280), "110");
    EXPECT_EQ(surface.textAt(3, 1080, 7280), "<none>");
    // Column 4 on pages 4 to 6: 0.25, 0.5, Null for record 3, 1, ...
    EXPECT_EQ(surface.textAt(4, 1080, 1280), "0.25");
    EXPECT_EQ(surface.textAt(4, 1080, 7280), "");
    EXPECT_EQ(surface.textAt(5, 1080, 1280), "1.25");
    EXPECT_EQ(surface.textAt(6, 1080, 4280), "2.5");
    // After the print the recordset stands past its last record.
    EXPECT_TRUE(table.recordset.eof());
}

TEST_F(GridPrintTrace, CellsAreFilledThenLinedThenLettered)
{
    PrintDataGrid(surface, grid, table.recordset, options);
    const auto fills = surface.of(Op::Fill, 1);
    // 3 heading cells and 4 x 3 record cells on page 1.
    ASSERT_EQ(fills.size(), 15u);
    EXPECT_EQ(fills[0].colour, QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(fills[0].w, 1500);
    EXPECT_EQ(fills[0].h, 200);
    EXPECT_EQ(fills[3].colour, QColor(Qt::white));
    EXPECT_EQ(fills[3].y, 1280);
    EXPECT_EQ(fills[3].h, 3000);
    // Four edges per cell: top, left, right, bottom.
    const auto lines = surface.of(Op::Line, 1);
    ASSERT_EQ(lines.size(), 60u);
    auto same = [](const Op& o, double x1, double y1, double x2, double y2) {
        return o.x == x1 && o.y == y1 && o.w == x2 && o.h == y2;
    };
    EXPECT_TRUE(same(lines[0], 1080, 1080, 2580, 1080));
    EXPECT_TRUE(same(lines[1], 1080, 1080, 1080, 1280));
    EXPECT_TRUE(same(lines[2], 2580, 1080, 2580, 1280));
    EXPECT_TRUE(same(lines[3], 1080, 1280, 2580, 1280));
    // Fill, then lines, then text, cell by cell.
    std::vector<Op::Kind> first;
    for (const Op& o : surface.ops)
        if (o.kind != Op::Font && first.size() < 6)
            first.push_back(o.kind);
    EXPECT_EQ(first, (std::vector<Op::Kind>{Op::Fill, Op::Line, Op::Line, Op::Line, Op::Line, Op::Text}));
}

TEST_F(GridPrintTrace, FontsHeadingForTheHeadingRowGridFontForTheRest)
{
    PrintDataGrid(surface, grid, table.recordset, options);
    std::vector<QString> fonts;
    for (const Op& o : surface.ops)
        if (o.kind == Op::Font && o.page == 1)
            fonts.push_back(o.text + (o.bold ? " bold " : " ") + QString::number(o.y));
    EXPECT_EQ(fonts, (std::vector<QString>{"Heading Face bold 10", "Grid Face 8"}));
}

TEST_F(GridPrintTrace, OptionsOffLeaveOutHeadingLinesAndCaption)
{
    grid.caption = QStringLiteral("Studies");
    PrintDataGrid(surface, grid, table.recordset, options);
    EXPECT_EQ(surface.textAt(1, 5650, 100), "Studies");   // (12000 - 700) / 2

    TraceSurface plain;
    options.header = false;
    options.gridLines = false;
    options.caption = false;
    table.open();
    PrintDataGrid(plain, grid, table.recordset, options);
    EXPECT_TRUE(plain.of(Op::Line, 1).empty());
    EXPECT_EQ(plain.textAt(1, 1080, 1080), "101");   // the rows start at the top margin
    EXPECT_EQ(plain.textAt(1, 5650, 100), "<none>");
    for (const Op& o : plain.ops)
        EXPECT_FALSE(o.kind == Op::Fill && o.colour != QColor(Qt::white));
    // Without the heading row four rows still fit (12000 <= 13840), so the pages stay six.
    EXPECT_EQ(plain.page, 6);
}

TEST_F(GridPrintTrace, OrientationIsSetForThePrintAndSetBack)
{
    surface.orientation_ = 2;
    options.portrait = true;
    PrintDataGrid(surface, grid, table.recordset, options);
    EXPECT_EQ(surface.orientationWhilePrinting, 1);
    EXPECT_EQ(surface.orientation_, 2);
}

TEST_F(GridPrintTrace, FailurePartWayAbortsTheDocumentAndSetsTheOrientationBack)
{
    surface.orientation_ = 2;
    surface.failAtText = 40;   // on the third page (17 texts a page)
    try {
        PrintDataGrid(surface, grid, table.recordset, options);
        ADD_FAILURE() << "the printer's failure was swallowed";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrPrinter);
    }
    EXPECT_EQ(surface.aborted, 1);
    EXPECT_EQ(surface.ended, 0);
    EXPECT_EQ(surface.orientation_, 2);
}

TEST_F(GridPrintTrace, TooManyColumnPagesPrintsNothingAndNarrowsNothing)
{
    grid.columnWidths.assign(17, 12000);
    grid.columnCaptions.clear();
    bool told = false;
    EXPECT_THROW(PrintDataGrid(surface, grid, table.recordset, options, [&](const PageMap&) { told = true; }),
                 platform::RuntimeError);
    EXPECT_EQ(surface.begun, 0);
    EXPECT_TRUE(surface.ops.empty());
    EXPECT_FALSE(told);
    EXPECT_EQ(grid.columnWidths[0], 12000);
    EXPECT_EQ(surface.orientation_, 2);
}

TEST_F(GridPrintTrace, MoreColumnsThanFieldsFailsBeforeTheFirstPage)
{
    grid.columnWidths.push_back(1000);
    grid.columnCaptions << QStringLiteral("Extra");
    EXPECT_THROW(PrintDataGrid(surface, grid, table.recordset, options), platform::RuntimeError);
    EXPECT_EQ(surface.begun, 0);
}

TEST_F(GridPrintTrace, PageTallerThanSixteenBitsIsRefused)
{
    surface.height = 40000;
    EXPECT_THROW(PrintDataGrid(surface, grid, table.recordset, options), platform::RuntimeError);
    EXPECT_EQ(surface.begun, 0);
}

TEST_F(GridPrintTrace, OverWideColumnAndRowAreNarrowedOnTheScreenGridToo)
{
    QTableView view;
    QStandardItemModel model;
    // 200 px = 3000 twips; 700 px = 10500 twips is wider than W = 9840.
    printtest::setUpGrid(view, model, printtest::kFields, 200, 20);
    view.setColumnWidth(2, 700);
    PrintDataGrid(surface, view, table.recordset, options);
    EXPECT_EQ(view.columnWidth(2), 9839 / 15);
    EXPECT_EQ(view.columnWidth(1), 200);
    // The narrowed column stands alone: pages 1-2, 3, 4; ten records on one row page.
    EXPECT_EQ(surface.page, 3);
    EXPECT_EQ(surface.textAt(2, 1080, 1080), "Study Name");

    TraceSurface second;
    view.verticalHeader()->setDefaultSectionSize(1000);   // 15000 twips, taller than H = 13840
    table.open();
    PrintDataGrid(second, view, table.recordset, options);
    EXPECT_EQ(view.verticalHeader()->defaultSectionSize(), 13839 / 15);
}

TEST(FitTextToWidth, CutsAtTheEndUntilItFits)
{
    TraceSurface s;   // 100 twips a character
    EXPECT_EQ(FitTextToWidth(s, QStringLiteral("abcdefghij"), 1000), "abcdefghij");   // exactly as wide
    EXPECT_EQ(FitTextToWidth(s, QStringLiteral("abcdefghijk"), 1000), "abcdefghij");
    EXPECT_EQ(FitTextToWidth(s, QStringLiteral("abcdefghijk"), 1099), "abcdefghij");
    EXPECT_EQ(FitTextToWidth(s, QStringLiteral("abc"), 50), "");
    EXPECT_EQ(FitTextToWidth(s, QString(), 0), "");
}

// A text of a million characters is measured by its beginning only, and
// cut where the whole text would be.
TEST(FitTextToWidth, ALongTextIsMeasuredByItsBeginning)
{
    struct Measuring : TraceSurface {
        mutable qsizetype longest = 0;
        double textWidth(const QString& text) const override
        {
            longest = std::max(longest, text.size());
            return TraceSurface::textWidth(text);
        }
    } s;
    const QString text(1 << 20, QLatin1Char('x'));
    EXPECT_EQ(FitTextToWidth(s, text, 1000), QString(10, QLatin1Char('x')));
    EXPECT_LE(s.longest, 4096);
}

TEST(CellText, AsTheRecordsHoldThem)
{
    EXPECT_EQ(cellText(QVariant()), "");
    EXPECT_EQ(cellText(QVariant(true)), "True");
    EXPECT_EQ(cellText(QVariant(false)), "False");
    EXPECT_EQ(cellText(QVariant(0.1 + 0.2)), "0.3");
    EXPECT_EQ(cellText(QVariant(-1234567.125)), "-1234567.125");
    EXPECT_EQ(cellText(QVariant(1e-7)), "0.0000001");
    EXPECT_EQ(cellText(QVariant(42)), "42");
    EXPECT_EQ(cellText(QVariant(QStringLiteral("Smith & Jones"))), "Smith & Jones");
}

} // namespace
