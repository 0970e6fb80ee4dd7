#pragma once
// Printing of a data grid over as many pages as it needs. The columns are
// cut into column pages that fit the printable width and the records into
// row pages that fit the printable height; each page carries the heading row
// of its columns (optional), its records, optional grid lines, the grid's
// caption (optional) and a centred footer "Page n of m".
//
// All positions and sizes on the page are whole twips (1440 to the inch)
// from the top-left corner of the printer's printable area, held as signed
// 16-bit numbers: a page, a record count or a page count beyond 32767 is an
// Overflow error.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <vector>

class QPrinter;
class QTableView;

namespace platform {
class Recordset;
}

namespace metadb::PrintDG {

// One page's part of the grid: columns counted from 1 in the grid's order,
// records counted from 1 in the recordset's order. A page without records
// has LastRow = FirstRow - 1.
struct PageRange {
    std::int16_t FirstCol = 0;
    std::int16_t LastCol = 0;
    std::int16_t FirstRow = 0;
    std::int16_t LastRow = 0;
};

// There is room for this many column pages and no more.
constexpr int kMaxColumnPages = 16;

// What the page map is computed from (twips).
struct PageMapInput {
    std::vector<double> columnWidths;   // in the grid's column order
    double rowHeight = 0;
    int recordCount = 0;
    bool header = true;
    double headingHeight = 0;           // room of the heading row when the header is printed
    int width = 0;                      // printable width W
    int height = 0;                     // printable height H
};

// Every column page has the same row pages; entry (c, r) holds the columns
// of column page c and the records of row page r.
struct PageMap {
    int columnPages = 0;
    int rowPages = 0;
    std::vector<PageRange> ranges;      // column page by column page, row pages in order within each
    const PageRange& at(int columnPage, int rowPage) const;   // both from 1

    // The widths and row height the pages were cut with: a column at least
    // as wide as the printable width is narrowed to that width less one
    // twip, and so is a row at least as high as the printable height.
    std::vector<double> columnWidths;
    double rowHeight = 0;
    std::vector<int> narrowedColumns;   // positions from 0
    bool rowHeightNarrowed = false;
};

// Cuts the grid into pages. Raises a RuntimeError when more than 16 column
// pages are needed, when the printable width or height is not positive, and
// Overflow when the records or the pages are more than 32767.
PageMap computePageMap(const PageMapInput& in);

struct Margins {   // inches
    double top = 0.75;
    double bottom = 0.75;
    double left = 0.75;
    double right = 0.75;
};

// The printable area within the page (twips): T, B, L, R each rounded half
// to even, W = R - L, H = B - T.
struct PrintArea {
    std::int16_t top = 0, bottom = 0, left = 0, right = 0, width = 0, height = 0;
};
PrintArea printArea(double pageWidth, double pageHeight, const Margins& m);

// The printer as the grid print sees it, in twips.
class Surface {
public:
    virtual ~Surface() = default;
    // 1 portrait, 2 landscape.
    virtual int orientation() const = 0;
    virtual void setOrientation(int orientation) = 0;
    // The printer's page (its printable area) in twips.
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
    virtual void setFont(const QString& name, double points, bool bold) = 0;
    // Printed width of the text in the current font.
    virtual double textWidth(const QString& text) const = 0;
    virtual void beginDocument() = 0;
    // The text's top-left corner at (x, y).
    virtual void printText(double x, double y, const QString& text) = 0;
    virtual void fillRect(double left, double top, double width, double height, const QColor& colour) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    // Ends a document that failed part-way so that nothing of it is printed.
    virtual void abortDocument() = 0;
};

// A QPrinter (or its PDF output) as a Surface.
class PrinterSurface : public Surface {
public:
    explicit PrinterSurface(QPrinter& printer);
    ~PrinterSurface() override;
    int orientation() const override;
    void setOrientation(int orientation) override;
    double pageWidth() const override;
    double pageHeight() const override;
    void setFont(const QString& name, double points, bool bold) override;
    double textWidth(const QString& text) const override;
    void beginDocument() override;
    void printText(double x, double y, const QString& text) override;
    void fillRect(double left, double top, double width, double height, const QColor& colour) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;

private:
    double unitsPerTwip() const;
    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
};

// The grid as the print reads it (twips and points).
struct GridFont {
    QString name;
    double points = 10;
    bool bold = false;
};

struct GridInfo {
    GridFont font;
    GridFont headingFont;
    int headLines = 1;
    double rowHeight = 0;
    QString caption;
    std::vector<double> columnWidths;
    QStringList columnCaptions;
};

// Reads a table view: widths and row height in pixels times 15, the
// captions from its model's horizontal header, no caption.
GridInfo readGrid(const QTableView& grid);
GridFont gridFont(const QFont& font);

// What the print shows of a value: Null empty, Booleans "True" / "False",
// numbers in their plain decimal form.
QString cellText(const QVariant& value);

// The text cut at its end until it fits the width in the surface's font.
QString FitTextToWidth(const Surface& surface, const QString& text, std::int16_t width);

// One cell: its box filled (light grey E0E0E0 when shaded, else white), its
// four edges when grid lines are on, its text from the top-left corner.
void PrintCell(Surface& surface, std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height,
               const QString& text, bool gridLines, bool shaded);

struct Options {
    bool portrait = true;
    bool gridLines = true;
    bool header = true;
    bool caption = true;
    Margins margins;
};

// Prints the whole grid with the recordset's values. The page map is
// computed before anything is printed; `narrowed` then hears of the widths
// and row height the map needed (called only when something was narrowed),
// so that the grid on screen can follow. The surface's orientation is set
// for the print and set back afterwards, also when the print fails; a
// failure ends the document without printing it and is raised again.
// Afterwards the recordset stands past its last record.
void PrintDataGrid(Surface& surface, GridInfo& grid, platform::Recordset& recordset, const Options& options,
                   const std::function<void(const PageMap&)>& narrowed = {});

// The same over a table view on the screen, whose column widths and row
// height are narrowed where the page needed it.
void PrintDataGrid(Surface& surface, QTableView& grid, platform::Recordset& recordset, const Options& options);

} // namespace metadb::PrintDG
