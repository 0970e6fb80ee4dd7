#pragma once
// The confidence-level box (Combo2) of the effect-size and outcome-table main
// windows: its listed entries and the z value of a listed or typed level.
#include <QString>
#include <QStringList>

namespace frame {

// Entries of the confidence level (Combo2), in list order.
QStringList confidenceLevels();

// A confidence level: its z value and the captions of LblPercent(0..2).
struct ConfidenceLevel {
    double z = 0;
    QString level;   // "95"
    QString lower;   // "-95%"
    QString upper;   // "+95%"
};

// The level for the text of the confidence-level box. Returns false (and
// leaves `out` alone) when a typed level is not above 0 and below 100; raises
// RuntimeError when the statistics component fails.
bool confidenceLevel(const QString& text, ConfidenceLevel& out);

} // namespace frame
