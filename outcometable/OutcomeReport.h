#pragma once
// The printed report of the outcome-table main window: the study details,
// the outcome table as entered, the chi-square statistics and every group of
// results, as labelled lines under bold headings on one page.
#include "frame/ReportPainter.h"
#include "platform/Maker.h"

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace quellin {

// The report's lines. boxText gives the text of a box by objectName (also
// the caption of the label "lblPhi" and the level box "txtConf(0)");
// optionSelected tells whether the option button "OpTwo" or "OpThree" is
// selected. The first line names the page and ends with the web address.
QList<frame::ReportLine> outcomeReportLines(const std::function<QString(const QString&)>& boxText,
                                               const std::function<bool(const QString&)>& optionSelected,
                                               const QString& webAddress = platform::makerWebHost());

// The lines of the window's boxes and option buttons as they stand (found by
// objectName; a missing box reads as "", a missing option as not selected).
QList<frame::ReportLine> outcomeReportLines(QWidget* window);

// File > Print Report: asks for a printer and prints one copy of the
// report. Cancelling the dialog ends silently; a printer failure is
// reported in an OK box.
void printOutcomeReport(QWidget* window);

} // namespace quellin
