#pragma once
// Printed reports of the main windows: a report is a list of lines, each a
// few texts placed at print columns in one font; this module paints such a
// list on a printer (or PDF) and runs the print command around it.
#include <QList>
#include <QString>

class QFont;
class QPainter;
class QPagedPaintDevice;
class QWidget;

namespace frame {

// One item of a line: text that starts at a column (column 1 is the left
// edge of the printable area; column n starts n - 1 average character widths
// of the line's font to the right of it).
struct ReportItem {
    int column = 1;
    QString text;
    bool operator==(const ReportItem& o) const { return column == o.column && text == o.text; }
};

// One printed line; a line without items is a blank line at its font size.
struct ReportLine {
    int pointSize = 12;
    bool bold = false;
    bool underline = false;
    QList<ReportItem> items;
    bool italic = false;
    QString text() const;   // the items' texts joined by single blanks (for tests and logs)
};

// Keeps the font in force as a report switches it, and collects its lines.
class ReportWriter {
public:
    void size(int points) { size_ = points; }
    void bold(bool on) { bold_ = on; }
    void underline(bool on) { underline_ = on; }
    void blank() { lines_.push_back(make({})); }
    void line(QList<ReportItem> items) { lines_.push_back(make(std::move(items))); }
    void line(int column, const QString& text) { line({ReportItem{column, text}}); }
    QList<ReportLine> take() { return std::move(lines_); }

private:
    ReportLine make(QList<ReportItem> items) const;
    int size_ = 12;
    bool bold_ = false;
    bool underline_ = false;
    QList<ReportLine> lines_;
};

// How the rows of a report follow each other down the page.
enum class ReportRows {
    LineSpacing,   // at the font's line spacing
    FontHeight,    // at the font's height, without extra leading
};

// One pass over the lines in the typeface (its size, bold, italic and
// underline set line by line), from the top of a page pageWidth wide and
// pageHeight high: draws them when a painter is given, starting a new page of
// the device when a row does not fit under the last one, and returns the
// height the lines take when no page breaks them. An item starts at its
// column (column n: n - 1 average character widths of the line's font from
// the left edge), or at that column on the next row when the row has already
// passed it. Its text is laid out whole with QTextLayout, wrapped at word
// boundaries (anywhere in a word wider than the row), and continues on the
// next rows at its column; a line break ("\n") in it starts a new row. So a
// text of any length prints whole: nothing measures more than a row at once.
qreal layOutReport(const QList<ReportLine>& lines, const QFont& typeface, QPagedPaintDevice& device, QPainter* painter,
                   qreal pageWidth, qreal pageHeight, ReportRows rows);

// Draws the lines on the painter's device in the painter's font from the top
// of the printable area, rows at the font's line spacing, continuing on a new
// page when a page is full (layOutReport).
void paintReport(QPainter& painter, QPagedPaintDevice& device, const QList<ReportLine>& lines);

// How a print command treats the copy count chosen in the print dialog.
enum class ReportCopies {
    EachAJob,   // every copy a print job of its own (one after the other in one PDF file)
    One,        // the count is not read: one copy
};

// The print command: asks for a printer, then prints the lines. Cancelling
// the dialog ends silently; a printer failure is reported in an OK box
// titled with the program title: failureSentence, a line break and the
// error's description.
void printReport(QWidget* window, const QList<ReportLine>& lines, const char* failureSentence,
                 ReportCopies copies = ReportCopies::EachAJob);

} // namespace frame
