// Cutting a grid into column pages and row pages.
#include "metadb/PrintDG.h"
#include "platform/Errors.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

using metadb::PrintDG::computePageMap;
using metadb::PrintDG::PageMap;
using metadb::PrintDG::PageMapInput;
using metadb::PrintDG::printArea;

namespace {

// The column pages of a map as "first-last" joined by commas, and its row pages.
QString columnPages(const PageMap& m)
{
    QStringList out;
    for (int c = 1; c <= m.columnPages; ++c)
        out << QStringLiteral("%1-%2").arg(m.at(c, 1).FirstCol).arg(m.at(c, 1).LastCol);
    return out.join(',');
}

QString rowPages(const PageMap& m)
{
    QStringList out;
    for (int r = 1; r <= m.rowPages; ++r)
        out << QStringLiteral("%1-%2").arg(m.at(1, r).FirstRow).arg(m.at(1, r).LastRow);
    return out.join(',');
}

struct MapCase {
    const char* name;
    std::vector<double> widths;
    double rowHeight;
    int records;
    bool header;
    double headingHeight;
    int width;
    int height;
    const char* columns;            // expected column pages
    const char* rows;               // expected row pages
    std::vector<int> narrowed;      // columns narrowed to width - 1
    bool rowNarrowed;
};

const MapCase kCases[] = {
    {"everything on one page", {1000, 1000}, 200, 3, true, 200, 5000, 1000, "1-2", "1-3", {}, false},
    {"column filling the width exactly stays", {2000, 3000, 1000}, 200, 1, true, 200, 5000, 1000, "1-2,3-3", "1-1",
     {}, false},
    {"column one twip over moves on", {2000, 3001, 1000}, 200, 1, true, 200, 5000, 1000, "1-1,2-3", "1-1", {}, false},
    {"width less one twip and one twip fill the page", {4999, 1}, 200, 1, true, 200, 5000, 1000, "1-2", "1-1", {},
     false},
    {"row filling the height exactly stays", {1000}, 250, 4, true, 250, 5000, 1000, "1-1", "1-3,4-4", {}, false},
    {"row one twip over moves on", {1000}, 251, 4, true, 250, 5000, 1000, "1-1", "1-2,3-4", {}, false},
    {"without header the rows start at the top", {1000}, 250, 5, false, 250, 5000, 1000, "1-1", "1-4,5-5", {}, false},
    {"over-wide column narrowed, on a page of its own", {1000, 6000, 1000}, 200, 1, true, 200, 5000, 1000,
     "1-1,2-2,3-3", "1-1", {1}, false},
    {"column exactly as wide as the page narrowed", {5000}, 200, 1, true, 200, 5000, 1000, "1-1", "1-1", {0}, false},
    {"row as high as the page narrowed", {1000}, 1000, 3, false, 200, 5000, 1000, "1-1", "1-1,2-2,3-3", {}, true},
    {"record too high to share with the heading gets a page", {1000}, 500, 2, true, 600, 5000, 1000, "1-1",
     "1-1,2-2", {}, false},
    {"two column pages by three row pages", {3000, 3000, 3000}, 300, 9, true, 100, 6000, 1000, "1-2,3-3",
     "1-3,4-6,7-9", {}, false},
    {"no records: one page of headings", {1000, 1000}, 200, 0, true, 200, 5000, 1000, "1-2", "1-0", {}, false},
    {"no columns", {}, 200, 2, true, 200, 5000, 1000, "1-0", "1-2", {}, false},
};

class PageMapCases : public ::testing::TestWithParam<MapCase> {};

TEST_P(PageMapCases, CutsAsExpected)
{
    const MapCase& c = GetParam();
    PageMapInput in;
    in.columnWidths = c.widths;
    in.rowHeight = c.rowHeight;
    in.recordCount = c.records;
    in.header = c.header;
    in.headingHeight = c.headingHeight;
    in.width = c.width;
    in.height = c.height;
    const PageMap m = computePageMap(in);
    EXPECT_EQ(columnPages(m), QString::fromLatin1(c.columns));
    EXPECT_EQ(rowPages(m), QString::fromLatin1(c.rows));
    EXPECT_EQ(m.narrowedColumns, c.narrowed);
    for (int i : c.narrowed)
        EXPECT_EQ(m.columnWidths[std::size_t(i)], c.width - 1);
    EXPECT_EQ(m.rowHeightNarrowed, c.rowNarrowed);
    EXPECT_EQ(m.rowHeight, c.rowNarrowed ? c.height - 1 : c.rowHeight);
    // Every column page has every row page, with its own columns.
    ASSERT_EQ(m.ranges.size(), std::size_t(m.columnPages * m.rowPages));
    for (int col = 1; col <= m.columnPages; ++col)
        for (int r = 1; r <= m.rowPages; ++r) {
            EXPECT_EQ(m.at(col, r).FirstCol, m.at(col, 1).FirstCol);
            EXPECT_EQ(m.at(col, r).LastCol, m.at(col, 1).LastCol);
            EXPECT_EQ(m.at(col, r).FirstRow, m.at(1, r).FirstRow);
            EXPECT_EQ(m.at(col, r).LastRow, m.at(1, r).LastRow);
        }
}

INSTANTIATE_TEST_SUITE_P(PrintDG, PageMapCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<MapCase>& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

int errorNumberOf(const PageMapInput& in)
{
    try {
        computePageMap(in);
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST(PageMapLimits, SixteenColumnPagesAndNoMore)
{
    PageMapInput in;
    in.rowHeight = 200;
    in.recordCount = 1;
    in.headingHeight = 200;
    in.width = 5000;
    in.height = 1000;
    in.columnWidths.assign(16, 3000.0);
    EXPECT_EQ(computePageMap(in).columnPages, 16);
    in.columnWidths.assign(17, 3000.0);
    EXPECT_EQ(errorNumberOf(in), 9);
}

TEST(PageMapLimits, SixteenBitCountsOverflow)
{
    PageMapInput in;
    in.columnWidths = {1000};
    in.rowHeight = 10;
    in.header = false;
    in.width = 5000;
    in.height = 32767;
    in.recordCount = 32767;
    EXPECT_EQ(errorNumberOf(in), 0);
    in.recordCount = 32768;
    EXPECT_EQ(errorNumberOf(in), platform::ErrOverflow);

    // 16 column pages by 2048 row pages are 32768 pages.
    in.columnWidths.assign(16, 3000.0);
    in.rowHeight = 1000;
    in.height = 1000;
    in.recordCount = 2047;
    EXPECT_EQ(computePageMap(in).rowPages, 2047);
    in.recordCount = 2048;
    EXPECT_EQ(errorNumberOf(in), platform::ErrOverflow);
}

TEST(PageMapLimits, NoRoomBetweenTheMarginsIsAnError)
{
    PageMapInput in;
    in.columnWidths = {1000};
    in.rowHeight = 200;
    in.recordCount = 1;
    in.width = 0;
    in.height = 1000;
    EXPECT_EQ(errorNumberOf(in), platform::ErrInvalidCall);
    in.width = 1000;
    in.height = -5;
    EXPECT_EQ(errorNumberOf(in), platform::ErrInvalidCall);
}

TEST(PrintArea, MarginsInInchesRoundHalfToEven)
{
    // 0.75 inch is 1080 twips; 11905.5 - 1080 = 10825.5 goes to the even 10826.
    auto a = printArea(11905.5, 16837.5, {0.75, 0.75, 0.75, 0.75});
    EXPECT_EQ(a.top, 1080);
    EXPECT_EQ(a.left, 1080);
    EXPECT_EQ(a.right, 10826);
    EXPECT_EQ(a.bottom, 15758);
    EXPECT_EQ(a.width, 9746);
    EXPECT_EQ(a.height, 14678);
    // Halves go to the even neighbour, down as well as up.
    a = printArea(10000.5, 10001.5, {0, 0, 0, 3});
    EXPECT_EQ(a.bottom, 10002);
    EXPECT_EQ(a.right, 5680);   // 10000.5 - 4320

    EXPECT_THROW(printArea(32768, 10000, {}), platform::RuntimeError);
    EXPECT_THROW(printArea(10000, 40000, {}), platform::RuntimeError);
}

} // namespace
