#pragma once
#include "platform/Maker.h"
// The printed report of the effect-size main window: its study details,
// group data and results as labelled lines under three bold headings.
#include <QList>
#include <QString>
#include <functional>

class QPainter;
class QPagedPaintDevice;
class QWidget;

namespace meandiff {

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
    QString text() const;   // the items' texts joined by single blanks (for tests and logs)
};

// The web address printed in the report's footer unless the caller gives
// another.

// The report's lines. boxText gives the Text of a box by objectName (and the
// caption of the level label "LblPercent(0)"). The footer is printed at
// 8 points under the last line; an empty footer leaves it out.
QList<ReportLine> studyReportLines(const std::function<QString(const QString&)>& boxText,
                                   const QString& footer = platform::makerWebHost());

// Draws the lines on the painter's device from the top of the printable
// area, continuing on a new page when a page is full; text that does not fit
// the width continues on the next line at its column.
void paintReport(QPainter& painter, QPagedPaintDevice& device, const QList<ReportLine>& lines);

// File > Print Report: asks for a printer, then prints the report of the
// window's boxes (found by objectName; a missing box reads as "") once per
// copy requested, each copy a print job of its own (into one PDF file, one
// copy after the other, when printing to a file). Cancelling the dialog ends
// silently; a printer failure is reported in a message box. The footer
// carries the given web address.
void printStudyReport(QWidget* window, const QString& webAddress = platform::makerWebHost());

} // namespace meandiff
