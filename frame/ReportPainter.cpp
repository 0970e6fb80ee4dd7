#include "frame/ReportPainter.h"
#include "frame/DataFileWindow.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QStringList>

#include <algorithm>

namespace meandiff {

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

void paintReport(QPainter& painter, QPagedPaintDevice& device, const QList<ReportLine>& lines)
{
    const qreal pageWidth = device.width();
    const qreal pageHeight = device.height();
    qreal y = 0;

    for (const ReportLine& line : lines) {
        QFont font = painter.font();
        font.setPointSize(line.pointSize);
        font.setBold(line.bold);
        font.setUnderline(line.underline);
        painter.setFont(font);
        const QFontMetricsF fm(font, &device);
        const qreal lineHeight = fm.lineSpacing();
        const qreal columnWidth = fm.averageCharWidth();

        auto ensureRoom = [&] {
            if (y > 0 && y + lineHeight > pageHeight) {
                device.newPage();
                y = 0;
            }
        };
        auto newLine = [&] {
            y += lineHeight;
            ensureRoom();
        };

        ensureRoom();
        qreal x = 0;
        for (const ReportItem& item : line.items) {
            const qreal columnX = std::max(0, item.column - 1) * columnWidth;
            // An item whose column lies behind what was printed goes to that
            // column on the next line.
            if (x > columnX + 0.5)
                newLine();
            x = columnX;
            QString rest = item.text;
            while (!rest.isEmpty()) {
                const qreal room = pageWidth - x;
                if (fm.horizontalAdvance(rest) <= room) {
                    painter.drawText(QPointF(x, y + fm.ascent()), rest);
                    x += fm.horizontalAdvance(rest);
                    break;
                }
                // The longest start that fits, cut after a blank when there is one.
                qsizetype fit = 0;
                while (fit < rest.size() && fm.horizontalAdvance(rest.left(fit + 1)) <= room)
                    ++fit;
                fit = std::max<qsizetype>(fit, 1);
                const qsizetype blank = rest.left(fit).lastIndexOf(QLatin1Char(' '));
                const qsizetype cut = blank > 0 ? blank + 1 : fit;
                painter.drawText(QPointF(x, y + fm.ascent()), rest.left(cut));
                rest = rest.mid(cut);
                newLine();
                x = columnX;
            }
        }
        y += lineHeight;
    }
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

} // namespace meandiff
