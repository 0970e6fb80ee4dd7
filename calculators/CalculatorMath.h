#pragma once
// Computations of the confidence-interval, contingency-table chi-square and
// f-squared calculators, free of any window. Each takes the boxes' texts or
// values and returns what the window shows; a run-time error (overflow, a
// text that is not a number where one is required, a failure of the
// statistics component) is raised as a platform::RuntimeError.
#include <QString>
#include <vector>

namespace calculators {

// ---- Confidence interval around a mean --------------------------------------

// The listed levels in option order (op50 .. op999), then "Other ...".
enum class ConfLevel { L50, L60, L70, L80, L90, L95, L99, L999, Other };

struct ConfLevelInfo {
    const char* option;   // objectName of its option button
    const char* caption;
    double z;
    double level;
};
// The eight listed levels (not Other).
const ConfLevelInfo& confLevelInfo(ConfLevel level);
constexpr int kListedConfLevels = 8;

struct ConfInputs {
    QString mean, sd, n, ownValue;
    ConfLevel level = ConfLevel::L95;
};

struct ConfOutcome {
    enum class Note { None, CentralLimit, OwnValue };
    QString message;   // an input-check message; nothing computed when set
    QString se, z, error, lower, upper, mean;   // rounded to 5 places
    QString levelCaption;                        // "95%", "2.2 z/t"
    Note note = Note::None;
};

extern const char* const kConfMsgEnterData;
extern const char* const kConfMsgOneSubject;
extern const char* const kConfMsgOwnValue;
extern const char* const kConfNoteCentralLimit;
extern const char* const kConfNoteOwnValue;

ConfOutcome computeConfidenceInterval(const ConfInputs& in);

// ---- Contingency-table chi-square -------------------------------------------

// counts[j][i]: group j (column), condition i (row).
using CountTable = std::vector<std::vector<double>>;

struct ContingencyResult {
    std::vector<double> groupTotals;      // G(j)
    std::vector<double> conditionTotals;  // K(i)
    double n = 0;
    // False when a group or condition total is 0: no statistic is defined.
    bool defined = false;
    CountTable expected;                  // E(j, i), when defined
    double chiSquare = 0;
    QString df;                           // "1", "2" or "4"
    double pTwoTailed = 0, pOneTailed = 0;
    double phi = 0;   // phi; Cramér's phi for a table larger than 2 x 2 / 2 x 3
    double w = 0, c = 0;
};

// True when any count is below 5.
bool hasSmallCount(const CountTable& counts);
ContingencyResult contingencyChiSquare(const CountTable& counts);

// ---- f squared ----------------------------------------------------------------

struct FSquaredOutcome {
    QString message;   // an input-check message; f2 empty when set
    QString f2;        // rounded to 5 places
};

FSquaredOutcome multipleRFSquared(const QString& r2Text);
FSquaredOutcome hierarchicalRFSquared(const QString& r2aText, const QString& r2abText);

} // namespace calculators
