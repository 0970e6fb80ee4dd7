#pragma once
// The printed report of Morvane's main window: the study details and inputs,
// the reliable-change results and the clinical cut-offs with their answers,
// as the boxes show them, on one page.
#include "frame/ReportPainter.h"

#include <QList>
#include <QString>
#include <functional>

class QPainter;
class QPagedPaintDevice;
class QWidget;

namespace morvane {

// A report line: items at print columns, size, bold, italic, underline.
using ChangeReportLine = frame::ReportLine;

// The footer line of the report, naming the program.
QString changeReportFooter();

// The report's 54 lines in print order, one entry per printed line (a line
// without items is a blank line at its font). boxText gives the text of a
// box by objectName. Where a question ends without a line break and its
// answer is moved to a column behind it, the answer is its own entry.
QList<ChangeReportLine> changeReportLines(const std::function<QString(const QString&)>& boxText,
                                          const QString& footer = changeReportFooter());

// Draws the lines from the top of the printable area in the painter's
// typeface. When they are taller than the page they are drawn smaller, down
// to half size, so that the report stays on one page; beyond that a new page
// starts when a page is full. An item starts at its
// column (column n: n - 1 average character widths of the line's font from
// the left edge), or at that column on the next line when the line has
// already passed it; text too wide for the page, and a line break inside a
// box's text, continue on the next line at the item's column.
void paintChangeReport(QPainter& painter, QPagedPaintDevice& device, const QList<ChangeReportLine>& lines);

// The failure sentence of the report (before a line break and the error's
// description).
extern const char* const kMsgChangePrintFailed;

// File > Print Report: asks for a printer, then prints the report of the
// window's boxes (found by objectName; a missing box reads as "") once per
// copy requested, each copy a print job of its own (into one PDF file, one
// copy after the other, when printing to a file). Cancelling the dialog ends
// silently; a printer failure is reported in a message box.
void printChangeReport(QWidget* window);

} // namespace morvane
