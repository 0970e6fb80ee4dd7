#include "frame/ReportPainter.h"
#include "frame/DataFileWindow.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <QRegularExpression>
#include <QTextLayout>

#include <algorithm>

namespace frame {

QString ReportLine::text() const
{
    QStringList parts;
    for (const ReportItem& i : items)
        parts << i.text;
    return parts.join(QLatin1Char(' '));
}

ReportLine ReportWriter::make(QList<ReportItem> items) const
{
    ReportLine l;
    l.pointSize = size_;
    l.bold = bold_;
    l.underline = underline_;
    l.items = std::move(items);
    return l;
}

namespace {

// The most characters laid out at once (many rows' worth).
constexpr qsizetype kLayoutPiece = 1024;

} // namespace

qreal layOutReport(const QList<ReportLine>& lines, const QFont& typeface, QPagedPaintDevice& device, QPainter* painter,
                   qreal pageWidth, qreal pageHeight, ReportRows rows)
{
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    qreal top = 0;   // of the current row
    qreal used = 0;

    for (const ReportLine& line : lines) {
        QFont font = typeface;
        font.setPointSize(line.pointSize);
        font.setBold(line.bold);
        font.setItalic(line.italic);
        font.setUnderline(line.underline);
        const QFontMetricsF metrics(font, &device);
        const qreal rowHeight = rows == ReportRows::LineSpacing ? metrics.lineSpacing() : metrics.height();
        const qreal columnWidth = metrics.averageCharWidth();

        // A row that does not fit under the last one starts a new page.
        auto makeRoom = [&] {
            if (painter && top > 0 && top + rowHeight > pageHeight) {
                device.newPage();
                top = 0;
            }
        };
        auto nextRow = [&] {
            top += rowHeight;
            used += rowHeight;
            makeRoom();
        };

        makeRoom();
        qreal x = 0;   // where the last item ended on the current row
        for (const ReportItem& item : line.items) {
            const qreal left = std::max(0, item.column - 1) * columnWidth;
            if (x > left + 0.5)
                nextRow();
            x = left;
            // CR LF, a CR alone or an LF alone each break the text, as a
            // box shows it (a field keeps the breaks its file was read with).
            static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
            const QStringList paragraphs = item.text.split(lineBreak);
            for (qsizetype p = 0; p < paragraphs.size(); ++p) {
                if (p > 0) {
                    nextRow();
                    x = left;
                }
                if (paragraphs[p].isEmpty())
                    continue;
                // Laid out a piece at a time: the layout looks for a break
                // opportunity through the whole rest of its text for every
                // row, which for a long text without blanks takes time
                // growing with the square of its length.
                const QString& paragraph = paragraphs[p];
                bool firstRow = true;
                for (qsizetype from = 0; from < paragraph.size();) {
                    qsizetype end = std::min(paragraph.size(), from + kLayoutPiece);
                    if (end < paragraph.size() && paragraph.at(end - 1).isHighSurrogate())
                        --end;
                    const bool lastPiece = end == paragraph.size();
                    QTextLayout layout(paragraph.mid(from, end - from), font, &device);
                    layout.setTextOption(wrapping);
                    QList<QTextLine> pieceRows;
                    layout.beginLayout();
                    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
                        row.setLineWidth(std::max(pageWidth - left, columnWidth));
                        row.setPosition(QPointF(0, 0));
                        pieceRows.push_back(row);
                    }
                    layout.endLayout();
                    // The piece's last row may end where the piece was cut,
                    // not where the row is full: it is laid out again with
                    // what follows (unless it is the piece's only row).
                    const qsizetype keep =
                        !lastPiece && pieceRows.size() > 1 ? pieceRows.size() - 1 : pieceRows.size();
                    for (qsizetype r = 0; r < keep; ++r) {
                        if (!firstRow)
                            nextRow();
                        firstRow = false;
                        if (painter)
                            pieceRows[r].draw(painter, QPointF(left, top));
                        x = left + pieceRows[r].naturalTextWidth();
                    }
                    from += keep < pieceRows.size() ? pieceRows[keep].textStart() : end - from;
                }
            }
        }
        top += rowHeight;
        used += rowHeight;
    }
    return used;
}

void paintReport(QPainter& painter, QPagedPaintDevice& device, const QList<ReportLine>& lines)
{
    layOutReport(lines, painter.font(), device, &painter, device.width(), device.height(), ReportRows::LineSpacing);
}

void printReport(QWidget* window, const QList<ReportLine>& lines, const char* failureSentence, ReportCopies copyMode)
{
    try {
        QPrinter printer(QPrinter::HighResolution);
        if (!platform::execPrintDialog(printer, window))
            return;
        int copies = 1;
        if (copyMode == ReportCopies::EachAJob) {
            copies = std::min(printer.copyCount(), 32767);
            if (copies < 1)
                return;
        }
        printer.setCopyCount(1);

        if (!printer.outputFileName().isEmpty()) {
            // One file holds every copy, each starting on a page of its own.
            QPainter painter;
            if (!painter.begin(&printer))
                throw platform::errPrinter(QStringLiteral("the file could not be written"));
            for (int c = 0; c < copies; ++c) {
                if (c > 0)
                    printer.newPage();
                paintReport(painter, printer, lines);
            }
            if (!painter.end() || printer.printerState() == QPrinter::Error)
                throw platform::errPrinter(QStringLiteral("the file could not be written"));
            return;
        }
        for (int c = 0; c < copies; ++c) {
            QPainter painter;
            if (!painter.begin(&printer))
                throw platform::errPrinter(QStringLiteral("the printer could not be started"));
            paintReport(painter, printer, lines);
            if (!painter.end() || printer.printerState() == QPrinter::Error)
                throw platform::errPrinter(QStringLiteral("the printer refused the report"));
        }
    } catch (const platform::RuntimeError& e) {
        showFailure(window, failureSentence, e.description());
    }
}

} // namespace frame
