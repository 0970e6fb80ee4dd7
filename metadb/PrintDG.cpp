#include "metadb/PrintDG.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/Recordset.h"
#include "shell/Twips.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QPageLayout>
#include <QPen>
#include <QPrinter>
#include <QTableView>

#include <algorithm>
#include <cmath>

namespace metadb::PrintDG {

namespace {

constexpr int kTwipsPerInch = 1440;
using shell::TwipsPerPixel;
constexpr double kCaptionTop = 100;
const QColor kShade(0xE0, 0xE0, 0xE0);
const QColor kWhite(0xFF, 0xFF, 0xFF);

// A whole number held in 16 bits (Overflow beyond).
std::int16_t to16(long long v)
{
    if (v < -32768 || v > 32767)
        throw platform::errOverflow();
    return static_cast<std::int16_t>(v);
}

// The whole part of a length (its fraction dropped).
std::int16_t whole(double v)
{
    if (std::isnan(v))
        throw platform::errInvalidCall();
    return to16(static_cast<long long>(std::max(-1e9, std::min(1e9, std::trunc(v)))));
}

platform::RuntimeError tooManyColumnPages()
{
    return {9, QStringLiteral("The grid needs more than %1 pages across. Narrow some of its columns or make the "
                              "left and right margins smaller.")
                   .arg(kMaxColumnPages)};
}

platform::RuntimeError noRoomOnPage()
{
    return {platform::ErrInvalidCall, QStringLiteral("The margins leave no room to print on the page.")};
}

struct Span {
    int first;
    int last;
};

// Where a text starts so that it stands centred across the page.
double centredLeft(const Surface& surface, const QString& text)
{
    const double textWidth = std::nearbyint(surface.textWidth(text));
    return std::trunc(std::nearbyint(surface.pageWidth() - textWidth) / 2.0);
}

// One print of a grid: the page map, the counters and the pages.
class GridPrint {
public:
    GridPrint(Surface& surface, const GridInfo& grid, platform::Recordset& recordset, const Options& options)
        : s_(surface), grid_(grid), rs_(recordset), o_(options)
    {
    }

    void run(const PageMap& map)
    {
        TotalPages = to16(static_cast<long long>(map.columnPages) * map.rowPages);
        const std::int16_t left = whole(o_.margins.left * kTwipsPerInch);
        const std::int16_t top = whole(o_.margins.top * kTwipsPerInch);
        const double hh = headingHeight(grid_);

        s_.beginDocument();
        for (int c = 1; c <= map.columnPages; ++c) {
            for (int r = 1; r <= map.rowPages; ++r) {
                const PageRange& range = map.at(c, r);
                std::int16_t rowsTop = top;
                if (o_.header) {
                    useFont(grid_.headingFont);
                    PrintHeaderRow(range, left, top);
                    useFont(grid_.font);
                    rowsTop = platform::cint(top + hh);
                } else {
                    useFont(grid_.font);
                }
                PrintDataRows(range, left, rowsTop);
                if (o_.caption)
                    s_.printText(centredLeft(s_, grid_.caption), kCaptionTop, grid_.caption);
                const QString footer = QStringLiteral("Page %1 of %2").arg(CurrentPage).arg(TotalPages);
                s_.printText(centredLeft(s_, footer), s_.pageHeight() - o_.margins.bottom * kTwipsPerInch, footer);
                if (c < map.columnPages || r < map.rowPages)
                    s_.newPage();
            }
        }
        s_.endDocument();
    }

    static double headingHeight(const GridInfo& grid) { return grid.headingFont.points * 20 * grid.headLines; }

private:
    void useFont(const GridFont& f) { s_.setFont(f.name, f.points, f.bold); }

    void PrintHeaderRow(const PageRange& range, std::int16_t left, std::int16_t top)
    {
        const std::int16_t height = platform::cint(headingHeight(grid_));
        long long x = left;
        for (int col = range.FirstCol; col <= range.LastCol; ++col) {
            const std::int16_t width = whole(grid_.columnWidths[std::size_t(col - 1)]);
            PrintCell(s_, to16(x), top, width, height, grid_.columnCaptions.value(col - 1), o_.gridLines, true);
            x += width;
        }
    }

    void PrintDataRows(const PageRange& range, std::int16_t left, std::int16_t top)
    {
        CurrentPage = to16(CurrentPage + 1);
        rs_.moveFirst();
        if (range.FirstRow != 1)
            rs_.move(range.FirstRow - 1);
        if (rs_.eof())
            return;
        const std::int16_t height = whole(grid_.rowHeight);
        long long y = top;
        for (int row = range.FirstRow; row <= range.LastRow && !rs_.eof(); ++row) {
            long long x = left;
            for (int col = range.FirstCol; col <= range.LastCol; ++col) {
                const std::int16_t width = whole(grid_.columnWidths[std::size_t(col - 1)]);
                PrintCell(s_, to16(x), to16(y), width, height, cellText(rs_.value(col - 1)), o_.gridLines,
                          false);
                x += width;
            }
            y += height;
            rs_.moveNext();
        }
    }

    Surface& s_;
    const GridInfo& grid_;
    platform::Recordset& rs_;
    const Options& o_;
    std::int16_t CurrentPage = 0;
    std::int16_t TotalPages = 0;
};

} // namespace

const PageRange& PageMap::at(int columnPage, int rowPage) const
{
    return ranges.at(std::size_t((columnPage - 1) * rowPages + (rowPage - 1)));
}

PageMap computePageMap(const PageMapInput& in)
{
    if (in.recordCount < 0 || in.recordCount > 32767)
        throw platform::errOverflow();
    if (in.width <= 0 || in.height <= 0)
        throw noRoomOnPage();
    if (in.columnWidths.size() > 32767)
        throw platform::errOverflow();

    PageMap map;
    map.columnWidths = in.columnWidths;
    map.rowHeight = in.rowHeight;

    // Column pass: a column goes onto the page when it still fits there
    // (exactly filling it included), else it starts the next one.
    std::vector<Span> columns;
    const int nColumns = int(in.columnWidths.size());
    double s = 0;
    int first = 1;
    for (int i = 0; i < nColumns; ++i) {
        double& w = map.columnWidths[std::size_t(i)];
        if (w >= in.width) {
            w = in.width - 1;
            map.narrowedColumns.push_back(i);
        }
        if (w + s > in.width) {
            columns.push_back({first, i});
            if (int(columns.size()) >= kMaxColumnPages)
                throw tooManyColumnPages();
            first = i + 1;
            s = w;
        } else {
            s += w;
        }
    }
    columns.push_back({first, nColumns});

    // Row pass: the same going down, below the heading row when it is
    // printed. A page always takes at least one record, so that a record
    // that cannot share a page with the heading row still gets one and no
    // page stays empty.
    if (map.rowHeight >= in.height) {
        map.rowHeight = in.height - 1;
        map.rowHeightNarrowed = true;
    }
    const double base = in.header ? in.headingHeight : 0;
    std::vector<Span> rows;
    double h = base;
    first = 1;
    for (int rec = 1; rec <= in.recordCount; ++rec) {
        if (map.rowHeight + h > in.height && rec > first) {
            rows.push_back({first, rec - 1});
            first = rec;
            h = base + map.rowHeight;
        } else {
            h += map.rowHeight;
        }
    }
    rows.push_back({first, in.recordCount});

    if (static_cast<long long>(columns.size()) * static_cast<long long>(rows.size()) > 32767)
        throw platform::errOverflow();
    map.columnPages = int(columns.size());
    map.rowPages = int(rows.size());
    map.ranges.reserve(columns.size() * rows.size());
    for (const Span& c : columns)
        for (const Span& r : rows)
            map.ranges.push_back({to16(c.first), to16(c.last), to16(r.first), to16(r.last)});
    return map;
}

PrintArea printArea(double pageWidth, double pageHeight, const Margins& m)
{
    platform::cint(pageWidth);    // a page beyond 16 bits is an overflow
    platform::cint(pageHeight);
    PrintArea a;
    a.top = platform::cint(m.top * kTwipsPerInch);
    a.bottom = platform::cint(pageHeight - m.bottom * kTwipsPerInch);
    a.left = platform::cint(m.left * kTwipsPerInch);
    a.right = platform::cint(pageWidth - m.right * kTwipsPerInch);
    a.height = to16(static_cast<long long>(a.bottom) - a.top);
    a.width = to16(static_cast<long long>(a.right) - a.left);
    return a;
}

// ---------------------------------------------------------------- printer

PrinterSurface::PrinterSurface(QPrinter& printer) : printer_(printer) {}

PrinterSurface::~PrinterSurface()
{
    if (painter_.isActive())
        painter_.end();
}

double PrinterSurface::unitsPerTwip() const { return printer_.resolution() / double(kTwipsPerInch); }

int PrinterSurface::orientation() const
{
    return printer_.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

void PrinterSurface::setOrientation(int orientation)
{
    printer_.setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

double PrinterSurface::pageWidth() const { return printer_.width() / unitsPerTwip(); }

double PrinterSurface::pageHeight() const { return printer_.height() / unitsPerTwip(); }

void PrinterSurface::setFont(const QString& name, double points, bool bold)
{
    font_ = QFont(name);
    font_.setPointSizeF(points > 0 ? points : 10);
    font_.setBold(bold);
    if (painter_.isActive())
        painter_.setFont(font_);
}

double PrinterSurface::textWidth(const QString& text) const
{
    // Measured a piece at a time: Qt's widths are fixed-point numbers that
    // overflow for a long text (a cell of a million characters would seem to
    // fit and be printed whole across the page).
    constexpr qsizetype kPiece = 1024;
    const QFontMetricsF metrics(font_, &printer_);
    double width = 0;
    for (qsizetype from = 0; from < text.size();) {
        qsizetype end = std::min(text.size(), from + kPiece);
        if (end < text.size() && text.at(end - 1).isHighSurrogate())
            --end;   // never half a character
        width += metrics.horizontalAdvance(text.mid(from, end - from));
        from = end;
    }
    return width / unitsPerTwip();
}

void PrinterSurface::beginDocument()
{
    if (!painter_.begin(&printer_))
        throw platform::errPrinter(QStringLiteral("the printer could not be started"));
    painter_.setFont(font_);
}

void PrinterSurface::printText(double x, double y, const QString& text)
{
    const double u = unitsPerTwip();
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(x * u, y * u + QFontMetricsF(font_, &printer_).ascent()), text);
}

void PrinterSurface::fillRect(double left, double top, double width, double height, const QColor& colour)
{
    const double u = unitsPerTwip();
    painter_.fillRect(QRectF(left * u, top * u, width * u, height * u), colour);
}

void PrinterSurface::drawLine(double x1, double y1, double x2, double y2)
{
    const double u = unitsPerTwip();
    // Lines of about half a point, however fine the printer.
    painter_.setPen(QPen(Qt::black, std::max(1.0, 10 * u)));
    painter_.drawLine(QPointF(x1 * u, y1 * u), QPointF(x2 * u, y2 * u));
}

void PrinterSurface::newPage()
{
    if (!printer_.newPage())
        throw platform::errPrinter(QStringLiteral("a new page could not be started"));
}

void PrinterSurface::endDocument()
{
    if (!painter_.end() || printer_.printerState() == QPrinter::Error)
        throw platform::errPrinter(QStringLiteral("the printer refused the grid"));
}

void PrinterSurface::abortDocument()
{
    const bool started = painter_.isActive() || printer_.printerState() == QPrinter::Error;
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
    }
    // A file that holds part of the grid is no print: take it away.
    if (started && !printer_.outputFileName().isEmpty())
        QFile::remove(printer_.outputFileName());
}

// ---------------------------------------------------------------- grid

GridFont gridFont(const QFont& font)
{
    GridFont f;
    f.name = font.family();
    f.points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    f.bold = font.bold();
    return f;
}

GridInfo readGrid(const QTableView& grid)
{
    GridInfo g;
    g.font = gridFont(grid.font());
    g.headingFont = gridFont(grid.horizontalHeader()->font());
    g.rowHeight = double(grid.verticalHeader()->defaultSectionSize()) * TwipsPerPixel;
    if (const QAbstractItemModel* model = grid.model()) {
        for (int i = 0; i < model->columnCount(); ++i) {
            g.columnWidths.push_back(double(grid.columnWidth(i)) * TwipsPerPixel);
            g.columnCaptions << model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        }
    }
    return g;
}

QString cellText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return platform::numText(value.toDouble());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QString::number(value.toULongLong());
    default:
        return value.toString();
    }
}

QString FitTextToWidth(const Surface& surface, const QString& text, std::int16_t width)
{
    // A long text is measured by its beginning: when that alone is too wide
    // the cut falls inside it, and a text of a million characters is not laid
    // out whole for every cell.
    constexpr qsizetype kProbe = 4096;
    if (text.size() > kProbe) {
        const qsizetype n = text.at(kProbe - 1).isHighSurrogate() ? kProbe - 1 : kProbe;
        const QString head = text.left(n);
        if (surface.textWidth(head) > width)
            return FitTextToWidth(surface, head, width);
    }
    if (surface.textWidth(text) <= width)
        return text;
    for (qsizetype n = 1; n <= text.size(); ++n) {
        if (n < text.size() && text.at(n - 1).isHighSurrogate())
            continue;   // never half a character
        if (surface.textWidth(text.left(n)) > width) {
            qsizetype keep = n - 1;
            if (keep > 0 && text.at(keep - 1).isHighSurrogate())
                --keep;
            return text.left(keep);
        }
    }
    return text;
}

void PrintCell(Surface& surface, std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height,
               const QString& text, bool gridLines, bool shaded)
{
    const double right = double(left) + width;
    const double bottom = double(top) + height;
    surface.fillRect(left, top, width, height, shaded ? kShade : kWhite);
    if (gridLines) {
        surface.drawLine(left, top, right, top);
        surface.drawLine(left, top, left, bottom);
        surface.drawLine(right, top, right, bottom);
        surface.drawLine(left, bottom, right, bottom);
    }
    surface.printText(left, top, FitTextToWidth(surface, text, width));
}

// ---------------------------------------------------------------- the print

void PrintDataGrid(Surface& surface, GridInfo& grid, platform::Recordset& recordset, const Options& options,
                   const std::function<void(const PageMap&)>& narrowed)
{
    const int remembered = surface.orientation();
    surface.setOrientation(options.portrait ? 1 : 2);
    try {
        const PrintArea area = printArea(surface.pageWidth(), surface.pageHeight(), options.margins);
        PageMapInput in;
        in.columnWidths = grid.columnWidths;
        in.rowHeight = grid.rowHeight;
        in.recordCount = recordset.recordCount();
        in.header = options.header;
        in.headingHeight = GridPrint::headingHeight(grid);
        in.width = area.width;
        in.height = area.height;
        const PageMap map = computePageMap(in);

        grid.columnWidths = map.columnWidths;
        grid.rowHeight = map.rowHeight;
        if (narrowed && (!map.narrowedColumns.empty() || map.rowHeightNarrowed))
            narrowed(map);

        // What could stop the print part-way is found before the first page:
        // a pending edit that the database refuses, a column without a field.
        recordset.moveFirst();
        if (int(grid.columnWidths.size()) > recordset.fieldCount())
            throw platform::RuntimeError(platform::ErrDbField,
                                         QStringLiteral("The grid has more columns than its records have fields."));

        GridPrint(surface, grid, recordset, options).run(map);
    } catch (...) {
        surface.abortDocument();
        surface.setOrientation(remembered);
        throw;
    }
    surface.setOrientation(remembered);
}

void PrintDataGrid(Surface& surface, QTableView& view, platform::Recordset& recordset, const Options& options)
{
    GridInfo grid = readGrid(view);
    PrintDataGrid(surface, grid, recordset, options, [&view](const PageMap& map) {
        for (int i : map.narrowedColumns)
            view.setColumnWidth(i, int(map.columnWidths[std::size_t(i)]) / TwipsPerPixel);
        if (map.rowHeightNarrowed)
            view.verticalHeader()->setDefaultSectionSize(int(map.rowHeight) / TwipsPerPixel);
    });
}

} // namespace metadb::PrintDG
