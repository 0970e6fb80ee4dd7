#pragma once
#include "platform/Maker.h"
// The printed report of the effect-size main window: its study details,
// group data and results as labelled lines under three bold headings.
#include "frame/ReportPainter.h"

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace meandiff {

// The web address printed in the report's footer unless the caller gives
// another.

// The report's lines. boxText gives the Text of a box by objectName (and the
// caption of the level label "LblPercent(0)"). The footer is printed at
// 8 points under the last line; an empty footer leaves it out.
QList<frame::ReportLine> studyReportLines(const std::function<QString(const QString&)>& boxText,
                                   const QString& footer = platform::makerWebHost());

// File > Print Report: asks for a printer, then prints the report of the
// window's boxes (found by objectName; a missing box reads as "") once per
// copy requested, each copy a print job of its own (into one PDF file, one
// copy after the other, when printing to a file). Cancelling the dialog ends
// silently; a printer failure is reported in a message box. The footer
// carries the given web address.
void printStudyReport(QWidget* window, const QString& webAddress = platform::makerWebHost());

} // namespace meandiff
