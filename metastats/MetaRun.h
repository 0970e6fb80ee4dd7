#pragma once
// The computation of one meta-analysis run, free of widgets: the aggregate
// query and how its values show, the ten statistics steps over the study
// recordset, and the report text. The steps pass their results to each other
// through the texts of the summary boxes (kept here by box name) and the
// working values of the run, exactly as the panel shows them.
#include "platform/Dialogs.h"

#include <QHash>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace platform {
class Recordset;
}

namespace metastats {

// One column of the aggregate query and the summary box that shows it.
struct SummaryColumn {
    const char* expr;      // result column, "Expr1" .. "Expr54"
    const char* aggregate; // AVG, MIN, MAX, SUM or COUNT
    const char* field;     // column of `data`
    const char* box;       // objectName of the box
    bool isCount() const;
};
// The 54 columns in the order of the query's select list.
const std::vector<SummaryColumn>& summaryColumns();

// Whether a stored `Measure Used` is the measure typed: the same text without
// regard to letter case, every letter folded as Unicode folds it. The summary
// query and every step of a run compare this way.
bool sameMeasure(const QString& stored, const QString& measure);
// The stored spellings (distinct values of `Measure Used`) that match the
// measure, in the order given.
QStringList matchingMeasures(const QString& measure, const QStringList& stored);
// The query that lists the distinct stored spellings of `Measure Used`.
QString storedMeasuresSql();

// The aggregate query over the included studies (any non-zero `Include`),
// restricted when `measure` is not empty to the studies whose `Measure Used`
// is one of `storedMatches` (matchingMeasures of the measure), each written
// as one literal with its single quotes doubled; with no match none qualifies.
QString summarySql(const QString& measure, const QStringList& storedMatches);

// A value shown with at least one integer digit and exactly five decimals,
// rounded half to even on the double's value ("0.01562" for 0.015625); a
// zero never shows a minus sign.
QString fixedFive(double v);
// The text a summary box shows for its query value: empty for Null, the whole
// number for a count, otherwise fixedFive.
QString summaryText(const SummaryColumn& column, const QVariant& value);

// One study as the statistics steps read it.
struct RunStudy {
    bool included = false;   // Include true and, with a measure, that measure
    bool hasD = false, hasG = false, hasN = false, hasUsedSD = false;
    double d = 0, g = 0, n = 0, usedSD = 0;   // Cohen's D, Hedges' G, Total N, Used SD
    QString name, year;                       // "" for Null
};

// The studies of one run as read, in the order of the study recordset.
using RunStudyTable = std::vector<RunStudy>;

// The lines of one study list of the report: "   name (year" then what
// follows the year and the effect, and in a weighted list "; N = ", the N,
// "; Weighting = ", the weight and "%"; each ended by CR LF. A list keeps
// which studies it holds and the report writes their lines, so that a run
// of many studies makes its lines where the report is made, not while it
// walks the studies.
class StudyList {
public:
    StudyList() = default;
    // `after` follows the year; `effect` is the study's effect size; a
    // weighted list adds N and the weight.
    StudyList(std::shared_ptr<const RunStudyTable> studies, QString after, double RunStudy::*effect,
              bool weighted = false);

    void reserve(qsizetype lines) { lines_.reserve(static_cast<size_t>(lines)); }
    // The study at `row` of the table; `weight` for a weighted list.
    void add(int row, double weight = 0);
    bool isEmpty() const { return lines_.empty(); }
    // Appends every line, each ended by CR LF.
    void appendTo(QString& out) const;
    // The last line without its line end, "" for none.
    QString lastLine() const;

private:
    struct Line {
        int row;
        double weight;
    };
    void appendLine(QString& out, const Line& line) const;

    std::shared_ptr<const RunStudyTable> studies_;
    QString after_;
    double RunStudy::*effect_ = nullptr;
    bool weighted_ = false;
    std::vector<Line> lines_;
};

// The working values of one run; every number starts at 0 and every text at "".
struct RunValues {
    // Unweighted d and g, and the inverse-variance sums of d.
    double SumSquaresD = 0, UnweightedSDD = 0, CountD = 0;
    QString StudyLineD;
    StudyList StudyListD;
    double SumSquaresG = 0, UnweightedSDG = 0, CountG = 0;
    QString StudyLineG;
    StudyList StudyListG;
    double SumInverseVarianceWeightsBySquaredD = 0, SumInverseVarianceWeightsByD = 0;
    double SumOfInverseVarianceWeights = 0, InverseVarianceCount = 0;
    // Weighted by total N.
    double SumTotalND = 0, SumNByD = 0, WeightedMeanD = 0, SumD = 0, CountWeightedD = 0;
    double SumWeightedSquaresD = 0, WeightedVarianceD = 0, WeightedSDD = 0;
    double SumTotalNG = 0, SumNByG = 0, WeightedMeanG = 0, SumG = 0, CountWeightedG = 0;
    double SumWeightedSquaresG = 0, WeightedVarianceG = 0, WeightedSDG = 0;
    QString StudyLineWeightedD, StudyLineWeightedG;
    StudyList StudyListWeightedD, StudyListWeightedG;
    // Heterogeneity of d with inverse-variance weights.
    double VarianceWeightedMeanD = 0;
    double InverseVarianceQ = 0, InverseVarianceDF = 0, InverseVarianceP2 = 0, InverseVarianceP1 = 0;
    double InverseVarianceISquared = 0;
};

// Rosenthal's Q of d: the values of its step.
struct RosenthalState {
    double RosenthalStudyWeight = 0;
    double SumRosenthalStudyWeightsByD = 0;
    double SumOfRosenthalStudyWeights = 0;
    double MeanRosenthalD = 0;
    double StudyWeight = 0;
    double RosenthalFormula = 0;
    std::int16_t RosenthalN = 0;
    double RosenthalP2 = 0;
    double RosenthalP1 = 0;
    // The step ended on an error before its p values: the other values hold
    // what it reached.
    bool stoppedEarly = false;
};

// The state one run works on.
struct MetaRun {
    QString measure;                      // the measure filter, "" for none
    QWidget* owner = nullptr;             // owner of the messages a step shows
    QHash<QString, QString> boxes;        // box texts written by this run
    RunValues v;
    RosenthalState rosenthal;
    // Called with each box text as it is written (the panel shows it).
    std::function<void(const QString& box, const QString& text)> onBoxWritten;
    // With holdMessages the messages of the steps wait in `held`, in the
    // order the steps give them, instead of showing at once: a run shows
    // them when its write transaction has ended, so that nobody waits for
    // the file while a person reads them.
    bool holdMessages = false;
    std::vector<platform::MsgRequest> held;

    void setBox(const QString& box, const QString& text);
    // The text of a box written by this run, "" when none was.
    QString box(const QString& box) const;
    // A message of a step, owned by `owner`: shown now, or held.
    void message(const QString& text, platform::MsgButtons buttons, platform::MsgIcon icon, const QString& title);
    // Shows the held messages in their order and lets them go.
    void showHeldMessages();
};

// The four result columns of `data` that the steps write.
enum ResultColumn { ZScoreOfD, ZScoreOfG, WeightOfD, WeightOfG, ResultColumnCount };

// The studies of one run: the study recordset read once, in its order, and
// the result columns as the steps write them. What the steps write reaches
// the database file and the recordset in one go (store), the changed columns
// of every study with one statement, so that the file ends as if every value
// had been written as the steps went.
class RunStudies {
public:
    // Moves to the first record (which commits a pending edit) and reads
    // every record.
    RunStudies(platform::Recordset& studies, const QString& measure);

    int size() const { return static_cast<int>(rows_->size()); }
    const RunStudy& operator[](int row) const { return (*rows_)[static_cast<size_t>(row)]; }
    // The studies as read, for the study lists of the report.
    std::shared_ptr<const RunStudyTable> table() const { return rows_; }

    // A result column's value of a study, as written by this run or as the
    // recordset held it; no value for Null.
    std::optional<double> result(int row, ResultColumn column) const;
    // Sets a result column of every study to Null.
    void clear(ResultColumn column);
    void set(int row, ResultColumn column, double value);

    // Writes the result columns the run has set into the study table and the
    // recordset, and leaves the recordset after its last record. Raises the
    // database's refusal.
    void store();

private:
    platform::Recordset& studies_;
    std::shared_ptr<RunStudyTable> rows_ = std::make_shared<RunStudyTable>();
    int fields_[ResultColumnCount] = {};
    bool changed_[ResultColumnCount] = {};
    std::vector<std::optional<double>> results_[ResultColumnCount];
};

// Fills the 54 summary boxes from the query's one row and copies the two
// study counts.
void bindSummary(MetaRun& run, const QSqlRecord& row);

// The statistics steps, in the order the run calls them.
void UnweightedCohen(MetaRun& run, RunStudies& studies);
void ZCohen(MetaRun& run, RunStudies& studies);
void UnweightedHedges(MetaRun& run, RunStudies& studies);
void ZHedges(MetaRun& run, RunStudies& studies);
void WeightedCohen(MetaRun& run, RunStudies& studies);
void WeightedHedges(MetaRun& run, RunStudies& studies);
void HedgesQ(MetaRun& run);
void CohenQ(MetaRun& run);
void FailSafe(MetaRun& run);
// Reports its own failures ("Code Gen Error") and always returns.
void RosenthalQ(MetaRun& run, const RunStudies& studies);

// The system's chi-square p values of a statistic: two-tailed 1 - r and
// one-tailed (1 - r) / 2, each rounded to 5 places, r being the lower-tail
// probability. With no degree of freedom (a single study) r is taken as 0.
struct ChiSquareP {
    double p2 = 0, p1 = 0;
};
ChiSquareP chiSquareP(double x, double df);

// The texts of the "Code Gen Error" box for a run-time error.
QString codeGenErrorText(int number, const QString& description);

// What the report reads besides the run's own state.
struct ReportContext {
    QString path;
    QString date;
    QString time;
    int recordCount = 0;
};
// The report, every line ended by CR LF.
QString reportText(const MetaRun& run, const ReportContext& context);

} // namespace metastats
