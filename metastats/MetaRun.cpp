#include "metastats/MetaRun.h"

#include "metastats/FailSafeTable.h"

#include "platform/Arith.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/Recordset.h"
#include "platform/StatComponent.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace metastats {

namespace ar = platform::arith;
using platform::numText;
using platform::roundHalfEven;
using platform::roundText;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kNA = QStringLiteral("N/A");

const QString colCohen = QStringLiteral("Cohen's D");
const QString colHedges = QStringLiteral("Hedges' G");
const QString colTotalN = QStringLiteral("Total N");
const QString colInclude = QStringLiteral("Include");
const QString colMeasure = QStringLiteral("Measure Used");
const QString colName = QStringLiteral("Study Name");
const QString colYear = QStringLiteral("Year of Study");
const QString colUsedSD = QStringLiteral("Used SD");

bool isNA(const QString& text) { return text.compare(kNA, Qt::CaseInsensitive) == 0; }

// Text of a text column; Null adds nothing.
QString textOf(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

// What the unweighted and Z steps of d and g differ in.
struct EffectKind {
    double RunStudy::*value;   // the effect size ...
    bool RunStudy::*has;       // ... and whether the study has one
    QString meanBox;           // its bound mean box
    QString lineText;          // study line after the year
    ResultColumn zColumn;
    QString zMessage;
    QString zTitle;
    ResultColumn weightColumn;
    QString weightedLineText;
};

const EffectKind& cohen()
{
    static const EffectKind k{&RunStudy::d,
                              &RunStudy::hasD,
                              QStringLiteral("txtMeanCohen"),
                              QStringLiteral(") where Cohen's d = "),
                              ZScoreOfD,
                              QStringLiteral("Cannot compute Z Scores for d as there is no variance amongst the "
                                             "studies (leads to a zero divided by zero calculation)."),
                              QStringLiteral("Cohen's D Error"),
                              WeightOfD,
                              QStringLiteral(") where: Cohen's d = ")};
    return k;
}

const EffectKind& hedges()
{
    static const EffectKind k{&RunStudy::g,
                              &RunStudy::hasG,
                              QStringLiteral("txtMeanG"),
                              QStringLiteral(") where Hedges' g = "),
                              ZScoreOfG,
                              QStringLiteral("Cannot compute Z Scores for g as there is no variance amongst the "
                                             "studies (leads to a zero divided by zero calculation)."),
                              QStringLiteral("Hedges' G Error"),
                              WeightOfG,
                              QStringLiteral(") where: Hedges' g = ")};
    return k;
}

// A study of the unweighted set of an effect size: the effect is there, the
// run has a mean of it (`hasMean`), and the study is included.
bool inUnweightedSet(const RunStudy& s, bool hasMean, const EffectKind& kind)
{
    return s.*kind.has && hasMean && s.included;
}

// A study of the N-weighted set: effect and total N are there, the study is
// included.
bool inWeightedSet(const RunStudy& s, const EffectKind& kind) { return s.*kind.has && s.hasN && s.included; }

// The mean box's five-decimal text as a number, read when first needed.
class MeanOfBox {
public:
    explicit MeanOfBox(const QString& text) : text_(text) {}
    double operator()()
    {
        if (!read_) {
            value_ = platform::cdbl(text_);
            read_ = true;
        }
        return value_;
    }

private:
    QString text_;
    double value_ = 0;
    bool read_ = false;
};

double square(double x) { return ar::mul(x, x); }

// Working values of one unweighted effect size.
struct UnweightedValues {
    double& sumSquares;
    double& sd;
    double& count;
    QString& line;
    StudyList& list;
};

// Walks the unweighted set: sum of squares around the five-decimal mean,
// count and study lines; `eachStudy` adds what only d collects.
void unweightedPass(MetaRun& run, const RunStudies& studies, const EffectKind& kind, UnweightedValues w,
                    const std::function<void(const RunStudy&, double)>& eachStudy)
{
    const QString meanText = run.box(kind.meanBox);
    MeanOfBox mean(meanText);
    if (w.list.isEmpty()) {
        w.list = StudyList(studies.table(), kind.lineText, kind.value);
        w.list.reserve(studies.size());
    }
    for (int row = 0; row < studies.size(); ++row) {
        const RunStudy& s = studies[row];
        if (!inUnweightedSet(s, !meanText.isEmpty(), kind))
            continue;
        const double m = mean();
        const double e = s.*kind.value;
        w.sumSquares = ar::add(w.sumSquares, square(ar::sub(e, m)));
        w.count = ar::add(w.count, 1);
        w.list.add(row);
        if (eachStudy)
            eachStudy(s, e);
    }
    if (!w.list.isEmpty())
        w.line = w.list.lastLine();
    // The spread of the values around their mean; none without a deviation.
    if (w.sumSquares != 0)
        w.sd = ar::sqrt(ar::mul(w.sumSquares, ar::div(1, ar::sub(w.count, 1))));
}

void writeZScores(MetaRun& run, RunStudies& studies, const EffectKind& kind, double sd)
{
    studies.clear(kind.zColumn);
    if (sd == 0) {
        run.message(kind.zMessage, platform::MsgButtons::OK, platform::MsgIcon::None, kind.zTitle);
        return;
    }
    const QString meanText = run.box(kind.meanBox);
    MeanOfBox mean(meanText);
    for (int row = 0; row < studies.size(); ++row) {
        const RunStudy& s = studies[row];
        if (inUnweightedSet(s, !meanText.isEmpty(), kind))
            studies.set(row, kind.zColumn, roundHalfEven(ar::div(ar::sub(s.*kind.value, mean()), sd), 5));
    }
}

// Working values of one N-weighted effect size.
struct WeightedValues {
    double& count;
    double& sumN;
    double& sumEffect;
    double& sumNByEffect;
    double& mean;
    double& sumWeightedSquares;
    double& variance;
    double& sd;
    QString& line;
    StudyList& list;
};

struct WeightedBoxes {
    const char* mean;
    const char* sd;
    const char* minus95;
    const char* plus95;
    const char* totalN;
    const char* studies;
    const char* sum;
};

void weighted(MetaRun& run, RunStudies& studies, const EffectKind& kind, WeightedValues w, const WeightedBoxes& b)
{
    const QString meanBox = QLatin1String(b.mean);
    const QString sdBox = QLatin1String(b.sd);
    run.setBox(meanBox, QString());
    studies.clear(kind.weightColumn);

    for (int row = 0; row < studies.size(); ++row) {
        const RunStudy& s = studies[row];
        if (inWeightedSet(s, kind)) {
            const double n = s.n;
            const double e = s.*kind.value;
            w.count = ar::add(w.count, 1);
            w.sumN = ar::add(w.sumN, n);
            w.sumEffect = ar::add(w.sumEffect, e);
            w.sumNByEffect = ar::add(w.sumNByEffect, ar::mul(n, e));
        }
    }

    if (w.list.isEmpty()) {
        w.list = StudyList(studies.table(), kind.weightedLineText, kind.value, true);
        w.list.reserve(studies.size());
    }
    for (int row = 0; row < studies.size(); ++row) {
        const RunStudy& s = studies[row];
        if (inWeightedSet(s, kind)) {
            const double weight = roundHalfEven(ar::mul(ar::div(s.n, w.sumN), 100), 5);
            studies.set(row, kind.weightColumn, weight);
            w.list.add(row, weight);
        }
    }
    if (!w.list.isEmpty())
        w.line = w.list.lastLine();

    if (w.sumN != 0) {
        w.mean = ar::div(w.sumNByEffect, w.sumN);
        run.setBox(meanBox, roundText(w.mean, 5));
    } else {
        run.setBox(meanBox, kNA);
    }

    for (int row = 0; row < studies.size(); ++row) {
        const RunStudy& s = studies[row];
        if (studies.result(row, kind.weightColumn) && s.hasN) {
            const double n = s.n;
            const double e = s.*kind.has ? s.*kind.value : 0.0;
            w.sumWeightedSquares = ar::add(w.sumWeightedSquares, ar::mul(n, square(ar::sub(e, w.mean))));
        }
    }

    if (w.sumN != 0) {
        w.variance = ar::div(w.sumWeightedSquares, ar::sub(w.sumN, 1));
        w.sd = ar::sqrt(w.variance);
        run.setBox(sdBox, roundText(w.sd, 5));
    } else {
        run.setBox(sdBox, kNA);
    }

    if (!isNA(run.box(meanBox)) && !isNA(run.box(sdBox))) {
        run.setBox(QLatin1String(b.minus95), roundText(ar::sub(w.mean, ar::mul(w.sd, 1.96)), 5));
        run.setBox(QLatin1String(b.plus95), roundText(ar::add(ar::mul(w.sd, 1.96), w.mean), 5));
    } else {
        run.setBox(QLatin1String(b.minus95), kNA);
        run.setBox(QLatin1String(b.plus95), kNA);
    }

    run.setBox(QLatin1String(b.totalN), numText(w.sumN));
    run.setBox(QLatin1String(b.studies), numText(w.count));
    run.setBox(QLatin1String(b.sum), roundText(w.sumEffect, 5));
}

// A count box that holds no count.
bool missingCount(const QString& text) { return text.isEmpty() || text == QLatin1String("0"); }

// Orwin's number of zero-effect studies that bring the mean down to each
// criterion.
void orwin(MetaRun& run, double k, double mean, const char* const (&boxes)[3])
{
    static const double criteria[3] = {0.2, 0.5, 0.8};
    for (int i = 0; i < 3; ++i) {
        const double c = criteria[i];
        run.setBox(QLatin1String(boxes[i]), roundText(ar::div(ar::mul(k, ar::sub(mean, c)), c), 5));
    }
}

} // namespace

RunStudies::RunStudies(platform::Recordset& studies, const QString& measure) : studies_(studies)
{
    studies.moveFirst();
    const auto field = [&studies](const QString& name) {
        const int i = studies.fieldIndex(name);
        if (i < 0)
            throw platform::RuntimeError(platform::ErrDbField,
                                         QStringLiteral("Item cannot be found in the collection corresponding to "
                                                        "the requested name or ordinal."));
        return i;
    };
    const int include = field(colInclude);
    const int measureUsed = measure.isEmpty() ? -1 : field(colMeasure);
    const int d = field(colCohen), g = field(colHedges), n = field(colTotalN), usedSD = field(colUsedSD);
    const int name = field(colName), year = field(colYear);
    static const QString resultNames[ResultColumnCount] = {QStringLiteral("Z Score Of d"),
                                                           QStringLiteral("Z Score Of g"),
                                                           QStringLiteral("% Of Weight (d)"),
                                                           QStringLiteral("% Of Weight (g)")};
    for (int c = 0; c < ResultColumnCount; ++c)
        fields_[c] = field(resultNames[c]);

    const int count = studies.recordCount();
    rows_->resize(static_cast<size_t>(count));
    for (auto& column : results_)
        column.resize(static_cast<size_t>(count));
    const auto number = [&studies](int row, int f, bool& has) {
        const QVariant v = studies.valueAt(row, f);
        has = !v.isNull();
        return has ? v.toDouble() : 0.0;
    };
    for (int row = 0; row < count; ++row) {
        RunStudy& s = (*rows_)[static_cast<size_t>(row)];
        // By the summary query's own rule, whatever type the file declares
        // Include with.
        s.included = studies.truthAt(row, include);
        if (s.included && measureUsed >= 0) {
            const QVariant m = studies.valueAt(row, measureUsed);
            s.included = !m.isNull() && sameMeasure(m.toString(), measure);
        }
        s.d = number(row, d, s.hasD);
        s.g = number(row, g, s.hasG);
        s.n = number(row, n, s.hasN);
        s.usedSD = number(row, usedSD, s.hasUsedSD);
        s.name = textOf(studies.valueAt(row, name));
        s.year = textOf(studies.valueAt(row, year));
        for (int c = 0; c < ResultColumnCount; ++c) {
            const QVariant v = studies.valueAt(row, fields_[c]);
            if (!v.isNull())
                results_[c][static_cast<size_t>(row)] = v.toDouble();
        }
    }
}

std::optional<double> RunStudies::result(int row, ResultColumn column) const
{
    return results_[column][static_cast<size_t>(row)];
}

void RunStudies::clear(ResultColumn column)
{
    for (auto& v : results_[column])
        v.reset();
    changed_[column] = true;
}

void RunStudies::set(int row, ResultColumn column, double value)
{
    // A value the column cannot hold fails here, as its write would.
    if (!std::isfinite(value))
        throw platform::RuntimeError(platform::ErrDbValue, QStringLiteral("The value cannot be stored."));
    results_[column][static_cast<size_t>(row)] = value;
    changed_[column] = true;
}

void RunStudies::store()
{
    std::vector<int> columns;
    std::vector<int> fields;
    for (int c = 0; c < ResultColumnCount; ++c)
        if (changed_[c]) {
            columns.push_back(c);
            fields.push_back(fields_[c]);
        }
    if (!fields.empty()) {
        std::vector<int> rows(static_cast<size_t>(size()));
        for (int row = 0; row < size(); ++row)
            rows[static_cast<size_t>(row)] = row;
        studies_.storeFields(fields, rows, [&](int row, int k) {
            const std::optional<double>& v = results_[columns[static_cast<size_t>(k)]][static_cast<size_t>(row)];
            return v ? QVariant(*v) : QVariant();
        });
        for (bool& c : changed_)
            c = false;
    }
    studies_.move(studies_.recordCount() + 1);
}

bool sameMeasure(const QString& stored, const QString& measure)
{
    return stored.compare(measure, Qt::CaseInsensitive) == 0;
}

QStringList matchingMeasures(const QString& measure, const QStringList& stored)
{
    QStringList matches;
    for (const QString& s : stored)
        if (sameMeasure(s, measure) && !matches.contains(s))
            matches << s;
    return matches;
}

bool SummaryColumn::isCount() const { return qstrcmp(aggregate, "COUNT") == 0; }

const std::vector<SummaryColumn>& summaryColumns()
{
    static const std::vector<SummaryColumn> columns = {
        {"Expr1", "AVG", "Cohen's D", "txtMeanCohen"},
        {"Expr2", "MIN", "Cohen's D", "txtDMin"},
        {"Expr3", "MAX", "Cohen's D", "txtDMax"},
        {"Expr4", "AVG", "Total N", "txtNMean"},
        {"Expr5", "MIN", "Total N", "txtNMin"},
        {"Expr6", "MAX", "Total N", "txtNMax"},
        {"Expr7", "AVG", "SD 1", "txtSD1Mean"},
        {"Expr8", "MIN", "SD 1", "txtSD1Min"},
        {"Expr9", "MAX", "SD 1", "txtSD1Max"},
        {"Expr10", "AVG", "SD 2", "txtSD2Mean"},
        {"Expr11", "MIN", "SD 2", "txtSD2Min"},
        {"Expr12", "MAX", "SD 2", "txtSD2Max"},
        {"Expr13", "AVG", "Used SD", "txtSDUsedMean"},
        {"Expr14", "MIN", "Used SD", "txtSDUsedMin"},
        {"Expr15", "MAX", "Used SD", "txtSDUsedMax"},
        {"Expr16", "AVG", "Mean Difference", "txtMeanDiffMean"},
        {"Expr17", "MIN", "Mean Difference", "txtMeanDiffMin"},
        {"Expr18", "MAX", "Mean Difference", "txtMeanDiffMax"},
        {"Expr19", "COUNT", "Cohen's D", "txtDStat"},
        {"Expr53", "SUM", "Cohen's D", "txtTotalD"},
        {"Expr54", "SUM", "Hedges' G", "txtTotalG"},
        {"Expr20", "COUNT", "Total N", "txtNStat"},
        {"Expr21", "COUNT", "SD 1", "txtSD1Stat"},
        {"Expr22", "COUNT", "SD 2", "txtSD2Stat"},
        {"Expr23", "COUNT", "Used SD", "txtSDUsedStat"},
        {"Expr24", "AVG", "Experimental / Group 1 Mean", "txtT1Mean"},
        {"Expr25", "MIN", "Experimental / Group 1 Mean", "txtT1Min"},
        {"Expr26", "MAX", "Experimental / Group 1 Mean", "txtT1Max"},
        {"Expr27", "AVG", "Control / Group 2 Mean", "txtT2Mean"},
        {"Expr28", "MIN", "Control / Group 2 Mean", "txtT2Min"},
        {"Expr29", "MAX", "Control / Group 2 Mean", "txtT2Max"},
        {"Expr30", "COUNT", "Experimental / Group 1 Mean", "txtT1Stat"},
        {"Expr31", "COUNT", "Control / Group 2 Mean", "txtT2Stat"},
        {"Expr32", "COUNT", "Mean Difference", "txtMeanDiffStat"},
        {"Expr33", "AVG", "Cohen -95", "txtMeanNeg95"},
        {"Expr34", "MIN", "Cohen -95", "txtMinNeg95"},
        {"Expr35", "MAX", "Cohen -95", "txtMaxNeg95"},
        {"Expr36", "COUNT", "Cohen -95", "txtNeg95Stat"},
        {"Expr37", "AVG", "Cohen +95", "txtMeanPlus95"},
        {"Expr38", "MIN", "Cohen +95", "txtMinPlus95"},
        {"Expr39", "MAX", "Cohen +95", "txtMaxPlus95"},
        {"Expr40", "COUNT", "Cohen +95", "txtPlus95Stat"},
        {"Expr41", "AVG", "Hedges' G", "txtMeanG"},
        {"Expr42", "COUNT", "Hedges' G", "txtMeanGStat"},
        {"Expr43", "AVG", "Hedges' -95", "txtMeanGNeg95"},
        {"Expr44", "COUNT", "Hedges' -95", "txtGNeg95Stat"},
        {"Expr45", "AVG", "Hedges' +95", "txtMeanGPlus95"},
        {"Expr46", "COUNT", "Hedges' +95", "txtGPlus95Stat"},
        {"Expr47", "AVG", "Hedges' SD", "txtMeanGSD"},
        {"Expr48", "COUNT", "Hedges' SD", "txtGSDStat"},
        {"Expr49", "SUM", "Total N", "txtTotalNSummary"},
        {"Expr50", "AVG", "Z Statistic", "txtMeanZ"},
        {"Expr51", "COUNT", "Z Statistic", "txtMeanZStat"},
        {"Expr52", "SUM", "Z Statistic", "txtSumZ"},
    };
    return columns;
}

QString summarySql(const QString& measure, const QStringList& storedMatches)
{
    QStringList items;
    for (const SummaryColumn& c : summaryColumns())
        items << QStringLiteral("%1(`%2`) AS %3").arg(QLatin1String(c.aggregate), QLatin1String(c.field),
                                                       QLatin1String(c.expr));
    // Include by the one rule the steps read it with (storedTruth): any
    // number other than 0 (this program stores -1, other tools 1), text only
    // as the number it reads as, never a blob, whatever the declared type.
    QString sql = QStringLiteral("SELECT ") + items.join(QStringLiteral(", ")) + QStringLiteral(" FROM data WHERE ") +
                  platform::storedTruthSql(QStringLiteral("`Include`"));
    if (!measure.isEmpty()) {
        // The stored spellings that match the measure, each compared exactly
        // (the column's own collation would fold letters A to Z only).
        QStringList literals;
        for (QString m : storedMatches) {
            m.replace(QLatin1Char('\''), QStringLiteral("''"));
            literals << QLatin1Char('\'') + m + QLatin1Char('\'');
        }
        sql += QStringLiteral(" AND (`Measure Used` COLLATE BINARY) IN (") + literals.join(QStringLiteral(", ")) +
               QLatin1Char(')');
    }
    return sql;
}

QString storedMeasuresSql()
{
    return QStringLiteral("SELECT DISTINCT `Measure Used` COLLATE BINARY FROM data WHERE `Measure Used` IS NOT NULL");
}

QString fixedFive(double v)
{
    const double r = roundHalfEven(v, 5);   // raises for an infinity or a NaN
    char buf[std::numeric_limits<double>::max_exponent10 + 32];
    const auto res = std::to_chars(buf, buf + sizeof buf, r, std::chars_format::fixed, 5);
    return QString::fromLatin1(buf, static_cast<int>(res.ptr - buf));
}

QString summaryText(const SummaryColumn& column, const QVariant& value)
{
    if (value.isNull())
        return QString();
    if (column.isCount())
        return QString::number(value.toLongLong());
    return fixedFive(value.toDouble());
}

void MetaRun::setBox(const QString& name, const QString& text)
{
    boxes.insert(name, text);
    if (onBoxWritten)
        onBoxWritten(name, text);
}

StudyList::StudyList(std::shared_ptr<const RunStudyTable> studies, QString after, double RunStudy::*effect,
                     bool weighted)
    : studies_(std::move(studies)), after_(std::move(after)), effect_(effect), weighted_(weighted)
{
}

void StudyList::add(int row, double weight) { lines_.push_back(Line{row, weight}); }

void StudyList::appendLine(QString& out, const Line& line) const
{
    const RunStudy& s = (*studies_)[static_cast<size_t>(line.row)];
    out += QLatin1String("   ");
    out += s.name;
    out += QLatin1String(" (");
    out += s.year;
    out += after_;
    platform::appendNumText(out, s.*effect_);
    if (weighted_) {
        out += QLatin1String("; N = ");
        platform::appendNumText(out, s.n);
        out += QLatin1String("; Weighting = ");
        platform::appendNumText(out, line.weight);
        out += QLatin1Char('%');
    }
}

void StudyList::appendTo(QString& out) const
{
    for (const Line& line : lines_) {
        appendLine(out, line);
        out += kCrLf;
    }
}

QString StudyList::lastLine() const
{
    QString out;
    if (!lines_.empty())
        appendLine(out, lines_.back());
    return out;
}

QString MetaRun::box(const QString& name) const { return boxes.value(name); }

void MetaRun::message(const QString& text, platform::MsgButtons buttons, platform::MsgIcon icon, const QString& title)
{
    if (!holdMessages) {
        platform::msgBox(text, buttons, icon, title, owner);
        return;
    }
    platform::MsgRequest m;
    m.parent = owner;
    m.text = text;
    m.title = title;
    m.buttons = buttons;
    m.icon = icon;
    held.push_back(std::move(m));
}

void MetaRun::showHeldMessages()
{
    std::vector<platform::MsgRequest> messages;
    messages.swap(held);
    for (const platform::MsgRequest& m : messages)
        platform::msgBox(m.text, m.buttons, m.icon, m.title, m.parent);
}

void bindSummary(MetaRun& run, const QSqlRecord& row)
{
    // Every value is formatted first, so that a value that cannot show
    // leaves every box as it was.
    std::vector<QString> texts;
    for (const SummaryColumn& c : summaryColumns())
        texts.push_back(summaryText(c, row.value(QLatin1String(c.expr))));
    size_t i = 0;
    for (const SummaryColumn& c : summaryColumns())
        run.setBox(QLatin1String(c.box), texts[i++]);
    run.setBox(QStringLiteral("txtCountDStudies"), run.box(QStringLiteral("txtDStat")));
    run.setBox(QStringLiteral("txtCountGStudies"), run.box(QStringLiteral("txtMeanGStat")));
}

void UnweightedCohen(MetaRun& run, RunStudies& studies)
{
    RunValues& v = run.v;
    run.setBox(QStringLiteral("txtSDCohen"), QString());
    unweightedPass(run, studies, cohen(), {v.SumSquaresD, v.UnweightedSDD, v.CountD, v.StudyLineD, v.StudyListD},
                   [&](const RunStudy& s, double d) {
                       if (!s.hasUsedSD)
                           return;
                       const double w = ar::div(1, square(s.usedSD));
                       v.SumOfInverseVarianceWeights = ar::add(v.SumOfInverseVarianceWeights, w);
                       v.SumInverseVarianceWeightsByD = ar::add(v.SumInverseVarianceWeightsByD, ar::mul(w, d));
                       v.SumInverseVarianceWeightsBySquaredD =
                           ar::add(v.SumInverseVarianceWeightsBySquaredD, ar::mul(w, square(d)));
                       v.InverseVarianceCount = ar::add(v.InverseVarianceCount, 1);
                   });
    const QString meanText = run.box(cohen().meanBox);
    run.setBox(QStringLiteral("txtSDCohen"), v.SumSquaresD != 0 ? roundText(v.UnweightedSDD, 5) : kNA);
    if (!isNA(run.box(QStringLiteral("txtSDCohen")))) {
        const double m = platform::cdbl(meanText);
        run.setBox(QStringLiteral("txtDNeg95Summary"), roundText(ar::sub(m, ar::mul(v.UnweightedSDD, 1.96)), 5));
        run.setBox(QStringLiteral("txtDPlus95Summary"), roundText(ar::add(m, ar::mul(v.UnweightedSDD, 1.96)), 5));
    } else {
        run.setBox(QStringLiteral("txtDNeg95Summary"), kNA);
        run.setBox(QStringLiteral("txtDPlus95Summary"), kNA);
    }
    run.setBox(QStringLiteral("txtMeanDSummary"), meanText.isEmpty() ? kNA : roundText(platform::cdbl(meanText), 5));
    run.setBox(QStringLiteral("txtMeanDStatSummary"), numText(v.CountD));
}

void ZCohen(MetaRun& run, RunStudies& studies) { writeZScores(run, studies, cohen(), run.v.UnweightedSDD); }

void UnweightedHedges(MetaRun& run, RunStudies& studies)
{
    RunValues& v = run.v;
    run.setBox(QStringLiteral("txtSDHedges"), QString());
    unweightedPass(run, studies, hedges(), {v.SumSquaresG, v.UnweightedSDG, v.CountG, v.StudyLineG, v.StudyListG},
                   nullptr);
    const QString meanText = run.box(hedges().meanBox);
    run.setBox(QStringLiteral("txtSDHedges"), v.SumSquaresG != 0 ? roundText(v.UnweightedSDG, 5) : kNA);
    run.setBox(QStringLiteral("txtMeanGSummary"), meanText.isEmpty() ? kNA : roundText(platform::cdbl(meanText), 5));
    run.setBox(QStringLiteral("txtMeanGStatSummary"), numText(v.CountG));
    run.setBox(QStringLiteral("txtTotalNStatSummary"), run.box(QStringLiteral("txtNStat")));
    if (!isNA(run.box(QStringLiteral("txtSDHedges")))) {
        const double m = platform::cdbl(meanText);
        run.setBox(QStringLiteral("txtGNeg95Summary"), roundText(ar::sub(m, ar::mul(v.UnweightedSDG, 1.96)), 5));
        run.setBox(QStringLiteral("txtGPlus95Summary"), roundText(ar::add(m, ar::mul(v.UnweightedSDG, 1.96)), 5));
    } else {
        run.setBox(QStringLiteral("txtGNeg95Summary"), kNA);
        run.setBox(QStringLiteral("txtGPlus95Summary"), kNA);
    }
}

void ZHedges(MetaRun& run, RunStudies& studies) { writeZScores(run, studies, hedges(), run.v.UnweightedSDG); }

void WeightedCohen(MetaRun& run, RunStudies& studies)
{
    RunValues& v = run.v;
    weighted(run, studies, cohen(),
             {v.CountWeightedD, v.SumTotalND, v.SumD, v.SumNByD, v.WeightedMeanD, v.SumWeightedSquaresD,
              v.WeightedVarianceD, v.WeightedSDD, v.StudyLineWeightedD, v.StudyListWeightedD},
             {"txtWeightedD", "txtWeightedSDD", "txtWeightedMinus95D", "txtWeightedPlus95D", "txtTotalND",
              "txtStudiesD", "txtSumD"});
}

void WeightedHedges(MetaRun& run, RunStudies& studies)
{
    RunValues& v = run.v;
    weighted(run, studies, hedges(),
             {v.CountWeightedG, v.SumTotalNG, v.SumG, v.SumNByG, v.WeightedMeanG, v.SumWeightedSquaresG,
              v.WeightedVarianceG, v.WeightedSDG, v.StudyLineWeightedG, v.StudyListWeightedG},
             {"txtWeightedG", "txtWeightedSDG", "txtWeightedMinus95G", "txtWeightedPlus95G", "txtTotalNG",
              "txtStudiesG", "txtSumG"});
}

void HedgesQ(MetaRun&) {}

ChiSquareP chiSquareP(double x, double df)
{
    // A single study leaves no degree of freedom and nothing to test: its Q
    // can only be 0, where the lower tail is 0 for every df.
    const double r = df > 0 ? platform::StatDistributions::instance().ChiSquareCumulative(x, df) : 0.0;
    ChiSquareP p;
    p.p2 = roundHalfEven(ar::sub(1, r), 5);
    p.p1 = roundHalfEven(ar::div(ar::sub(1, r), 2), 5);
    return p;
}

void CohenQ(MetaRun& run)
{
    RunValues& v = run.v;
    const double sumW = v.SumOfInverseVarianceWeights;
    const double q = roundHalfEven(
        ar::sub(v.SumInverseVarianceWeightsBySquaredD, ar::div(square(v.SumInverseVarianceWeightsByD), sumW)), 5);
    v.InverseVarianceQ = q;
    v.InverseVarianceDF = ar::sub(v.InverseVarianceCount, 1);
    const ChiSquareP p = chiSquareP(q, v.InverseVarianceDF);
    v.InverseVarianceP2 = p.p2;
    v.InverseVarianceP1 = p.p1;
    v.InverseVarianceISquared =
        q > v.InverseVarianceDF ? roundHalfEven(ar::mul(ar::div(ar::sub(q, v.InverseVarianceDF), q), 100), 5) : 0.0;
    v.VarianceWeightedMeanD = roundHalfEven(ar::div(v.SumInverseVarianceWeightsByD, sumW), 5);
}

void FailSafe(MetaRun& run)
{
    const QString dStat = run.box(QStringLiteral("txtDStat"));
    const QString gStat = run.box(QStringLiteral("txtMeanGStat"));
    const QString zStat = run.box(QStringLiteral("txtMeanZStat"));
    const QString sumZ = run.box(QStringLiteral("txtSumZ"));
    const QString meanD = run.box(QStringLiteral("txtMeanCohen"));
    const QString meanG = run.box(QStringLiteral("txtMeanG"));
    const QString dSummary = run.box(QStringLiteral("txtMeanDStatSummary"));
    const QString gSummary = run.box(QStringLiteral("txtMeanGStatSummary"));

    run.setBox(QStringLiteral("txtNFSRosen"),
               missingCount(dStat) ? kNA : numText(reasonableFailSafeN(platform::cdbl(dStat))));
    run.setBox(QStringLiteral("txtNFSRosenG"),
               missingCount(gStat) ? kNA : numText(reasonableFailSafeN(platform::cdbl(gStat))));
    if (sumZ.isEmpty() || missingCount(zStat)) {
        run.setBox(QStringLiteral("txtFSN"), kNA);
    } else {
        const double z = platform::cdbl(sumZ);
        const double k = platform::cdbl(zStat);
        run.setBox(QStringLiteral("txtFSN"), roundText(derivedFailSafeN(z, k), 2));
    }
    if (dSummary.compare(gSummary, Qt::CaseInsensitive) != 0)
        run.message(QStringLiteral("Interpret the results with care as the number of studies upon which 'd' was "
                                   "based \r\nis different to the number of studies upon which 'g' was based."),
                    platform::MsgButtons::OK, platform::MsgIcon::None,
                    QStringLiteral("Cohen's d & Hedges' g Inconsistency"));
    static const char* const dBoxes[3] = {"txtDc2", "txtDc5", "txtDc8"};
    static const char* const gBoxes[3] = {"txtGc2", "txtGc5", "txtGc8"};
    if (!missingCount(dSummary) && !missingCount(meanD)) {
        orwin(run, platform::cdbl(dStat), platform::cdbl(meanD), dBoxes);
    } else {
        for (const char* b : dBoxes)
            run.setBox(QLatin1String(b), kNA);
    }
    if (!missingCount(gStat) && !missingCount(meanG)) {
        orwin(run, platform::cdbl(gStat), platform::cdbl(meanG), gBoxes);
    } else {
        for (const char* b : gBoxes)
            run.setBox(QLatin1String(b), kNA);
    }
}

QString codeGenErrorText(int number, const QString& description)
{
    return QStringLiteral("    Error No. ") + QString::number(number) + QStringLiteral(" \r\n") + description;
}

void RosenthalQ(MetaRun& run, const RunStudies& studies)
{
    RosenthalState& r = run.rosenthal;
    try {
        r = RosenthalState();
        const auto inSet = [](const RunStudy& s) { return s.hasD && s.hasN && s.included; };
        const auto weight = [&](double n, double d) { return ar::div(n, ar::sub(1, square(d))); };

        for (int row = 0; row < studies.size(); ++row) {
            const RunStudy& s = studies[row];
            if (inSet(s)) {
                r.RosenthalStudyWeight = weight(s.n, s.d);
                r.SumRosenthalStudyWeightsByD =
                    ar::add(r.SumRosenthalStudyWeightsByD, ar::mul(r.RosenthalStudyWeight, s.d));
                r.SumOfRosenthalStudyWeights = ar::add(r.SumOfRosenthalStudyWeights, r.RosenthalStudyWeight);
            }
        }
        if (r.SumRosenthalStudyWeightsByD <= 0 || r.SumOfRosenthalStudyWeights <= 0)
            return;
        r.MeanRosenthalD = ar::div(r.SumRosenthalStudyWeightsByD, r.SumOfRosenthalStudyWeights);

        for (int row = 0; row < studies.size(); ++row) {
            const RunStudy& s = studies[row];
            if (inSet(s)) {
                r.StudyWeight = weight(s.n, s.d);
                r.RosenthalFormula =
                    ar::add(r.RosenthalFormula, ar::mul(r.StudyWeight, square(ar::sub(s.d, r.MeanRosenthalD))));
                if (r.RosenthalN == std::numeric_limits<std::int16_t>::max())
                    throw platform::errOverflow();
                ++r.RosenthalN;
            }
        }
        const ChiSquareP p = chiSquareP(r.RosenthalFormula, static_cast<std::int16_t>(r.RosenthalN - 1));
        r.RosenthalP2 = p.p2;
        r.RosenthalP1 = p.p1;
    } catch (const platform::RuntimeError& e) {
        r.stoppedEarly = true;
        run.message(codeGenErrorText(e.number(), e.description()), platform::MsgButtons::AbortRetryIgnore,
                    platform::MsgIcon::Critical, QStringLiteral("Code Gen Error"));
    }
}

QString reportText(const MetaRun& run, const ReportContext& context)
{
    const RunValues& v = run.v;
    const auto b = [&](const char* name) { return run.box(QLatin1String(name)); };
    QString out;
    // Room for the lines around the study lists; the lists make room as
    // they are written.
    out.reserve(context.path.size() + run.measure.size() + 16384);
    const auto line = [&](const QString& text) {
        out += text;
        out += kCrLf;
    };
    const auto label = [&](const char* text, const QString& value) { line(QLatin1String(text) + value); };
    const auto studiesLine = [&](const char* text, const char* box) {
        line(QLatin1String(text) + b(box) + QStringLiteral(" Studies"));
    };
    const QString qLine = numText(v.InverseVarianceQ) + QStringLiteral(", DF: ") + numText(v.InverseVarianceDF);
    const QString pLine = QStringLiteral("Q Statistic Significance Level (Using Chi Squared Test): Two Tailed p = ") +
                          numText(v.InverseVarianceP2) + QStringLiteral(", One Tailed p = ") +
                          numText(v.InverseVarianceP1);
    const QString iSquared = numText(v.InverseVarianceISquared) +
                             QStringLiteral("% of Total Study Variation Due to Heterogeneity.");

    line(QStringLiteral("Beginning Summary:..."));
    line({});
    line(QStringLiteral("META-ANALYSIS FILE DETAILS"));
    label("Database File: ", context.path);
    line({});
    label("Date of Analysis: ", context.date);
    label("Time of Analysis: ", context.time);
    line({});
    label("Number of Records included in database: ", QString::number(context.recordCount));
    line({});
    label("This Analysis Was Conducted On The Following Assessment Device: ",
          run.measure.isEmpty() ? QStringLiteral("None Specified") : run.measure);
    line({});
    line(QStringLiteral("SAMPLE SIZES"));
    label("Mean Total N: ", b("txtNMean"));
    studiesLine("Mean Total N Based On ", "txtNStat");
    label("Minimum Total N: ", b("txtNMin"));
    label("Maximum Total N: ", b("txtNMax"));
    label("Total N (All Studies Together; Assumes Independent Samples): ", b("txtTotalNSummary"));
    line({});
    line(QStringLiteral("HETEROGENEITY"));
    label("Mean Cohen's d Weighted By Variance: ", numText(v.VarianceWeightedMeanD));
    label("Q Statistic Based On Cohen's d Using Inverse Variance as Weighting: ", qLine);
    line(pLine);
    label("I Squared (Higgins & Thompson, 2002) For Cohen's d Calculations Using Inverse Variance as Weighting: ",
          iSquared);
    line({});
    line(QStringLiteral("EXPERIMENTAL GROUP MEAN & SD"));
    label("Exp Group / Group 1 Mean: ", b("txtT1Mean"));
    studiesLine("Exp Group / Group 1 Mean Based On: ", "txtT1Stat");
    label("Exp Group / Group 1 Minimum: ", b("txtT1Min"));
    label("Exp Group / Group 1 Maximum: ", b("txtT1Max"));
    label("Exp Group / Group 1 Mean Standard Deviation: ", b("txtSD1Mean"));
    studiesLine("Exp Group / Group 1 Mean Standard Deviation Based On: ", "txtSD1Stat");
    label("Exp Group / Group 1 Minimum Standard Deviation: ", b("txtSD1Min"));
    label("Exp Group / Group 1 Maximum Standard Deviation: ", b("txtSD1Max"));
    line({});
    line(QStringLiteral("CONTROL GROUP MEAN & SD"));
    label("Control Group / Group 2 Mean: ", b("txtT2Mean"));
    studiesLine("Control Group / Group 2 Mean Based On: ", "txtT2Stat");
    label("Control Group / Group 2 Minimum: ", b("txtT2Min"));
    label("Control Group / Group 2 Maximum: ", b("txtT2Max"));
    label("Control Group / Group 2 Mean Standard Deviation: ", b("txtSD2Mean"));
    studiesLine("Control Group / Group 2 Mean Standard Deviation Based On: ", "txtSD2Stat");
    label("Control Group / Group 2 Minimum Standard Deviation: ", b("txtSD2Min"));
    label("Control Group / Group 2 Maximum Standard Deviation: ", b("txtSD2Max"));
    line({});
    line(QStringLiteral("SD USED FOR COHEN'S D CALCULATIONS"));
    label("Mean Sigma (SD Used) for Individual Cohen's d Calculations: ", b("txtSDUsedMean"));
    studiesLine("Mean Sigma (SD Used) for Individual Cohen's d Calculations Based On: ", "txtSDUsedStat");
    label("Minimum Sigma (SD Used) for Individual Cohen's d Calculations: ", b("txtSDUsedMin"));
    label("Maximum Sigma (SD Used) for Individual Cohen's d Calculations: ", b("txtSDUsedMax"));
    line({});
    line(QStringLiteral("MEAN DIFFERENCES BETWEEN GROUPS"));
    label("Average Mean Difference: ", b("txtMeanDiffMean"));
    studiesLine("Average Mean Difference Based On: ", "txtMeanDiffStat");
    label("Minimum Mean Difference: ", b("txtMeanDiffMin"));
    label("Maximum Mean Difference: ", b("txtMeanDiffMax"));
    line({});
    line(QStringLiteral("Z STATISTICS (NORMAL PROBABILITY STATISTIC)"));
    label("Mean Z Statistic: ", b("txtMeanZ"));
    label("Sum Of Z Statistics: ", b("txtSumZ"));
    studiesLine("Z Statistics Based On: ", "txtMeanZStat");
    line({});
    line(QStringLiteral("UNWEIGHTED COHEN'S D STATISTICS"));
    label("Mean Cohen's d: ", b("txtMeanCohen"));
    label("Standard Deviation Of Mean Cohen's d: ", b("txtSDCohen"));
    line(QStringLiteral("Mean Cohen's d Based On ") + b("txtDStat") + QStringLiteral(" Studies:"));
    v.StudyListD.appendTo(out);
    label("Minimum Cohen's d: ", b("txtDMin"));
    label("Maximum Cohen's d: ", b("txtDMax"));
    label("Mean Cohen's d -95% Confidence Interval: ", b("txtMeanNeg95"));
    studiesLine("Mean Cohen's d -95% Confidence Interval Based On: ", "txtNeg95Stat");
    label("Minimum Cohen's d -95% Confidence Interval: ", b("txtMinNeg95"));
    label("Maximum Cohen's d -95% Confidence Interval: ", b("txtMaxNeg95"));
    label("Mean Cohen's d +95% Confidence Interval: ", b("txtMeanPlus95"));
    studiesLine("Mean Cohen's d +95% Confidence Interval Based On: ", "txtPlus95Stat");
    label("Minimum Cohen's d +95% Confidence Interval: ", b("txtMinPlus95"));
    label("Maximum Cohen's d +95% Confidence Interval: ", b("txtMaxPlus95"));
    label("Q Statistic Based On Cohen's d But Using Inverse Variance as Weighting: ", qLine);
    line(pLine);
    label("I Squared (Higgins & Thompson, 2002) For Cohen's d Calculations But Using Inverse Variance as "
          "Weighting: ",
          iSquared);
    line({});
    line(QStringLiteral("WEIGHTED (BY TOTAL STUDY N) COHEN'S D STATISTICS"));
    label("Weighted Mean Cohen's d: ", b("txtWeightedD"));
    line(QStringLiteral("Weighted Mean Cohen's d Based On: ") + numText(v.SumTotalND) +
         QStringLiteral(" Participants"));
    line(QStringLiteral("Weighted Mean Cohen's d Based On ") + numText(v.CountWeightedD) + QStringLiteral(" Studies:"));
    v.StudyListWeightedD.appendTo(out);
    label("Sum Of Mean Cohen's d Effect Sizes Used For Weighting: ", numText(v.SumD));
    label("Standard Deviation Of Weighted Mean Cohen's d : ", b("txtWeightedSDD"));
    line(QStringLiteral("Formula For Standard Deviation Of Weighted Mean: (Sum (weighti(di - weighted mean d)^2)) / "
                        "(sum weights - 1)"));
    label("Weighted Mean Cohen's d -95% Confidence Interval: ", b("txtWeightedMinus95D"));
    label("Weighted Mean Cohen's d +95% Confidence Interval: ", b("txtWeightedPlus95D"));
    line({});
    line(QStringLiteral("UNWEIGHTED HEDGES' G STATISTICS"));
    label("Mean Hedges' g: ", b("txtMeanG"));
    label("Standard Deviation Of Mean Hedges' g: ", b("txtSDHedges"));
    line(QStringLiteral("Mean Hedges' g Based On ") + b("txtMeanGStat") + QStringLiteral(" Studies:"));
    v.StudyListG.appendTo(out);
    label("Mean Hedges' g -95% Confidence Interval: ", b("txtMeanGNeg95"));
    studiesLine("Mean Hedges' g -95% Confidence Interval Based On: ", "txtGNeg95Stat");
    label("Mean Hedges' g +95% Confidence Interval: ", b("txtMeanGPlus95"));
    studiesLine("Mean Hedges' g +95% Confidence Interval Based On: ", "txtGPlus95Stat");
    label("Mean Sigma (SD Used) For Individual Hedges' g Calculations: ", b("txtMeanGSD"));
    studiesLine("Mean Sigma (SD Used) For Individual Hedges' g Calculations Based On: ", "txtGSDStat");
    line({});
    line(QStringLiteral("WEIGHTED HEDGES' G STATISTICS (BY TOTAL STUDY N)"));
    label("Weighted Mean Hedges' g: ", b("txtWeightedG"));
    line(QStringLiteral("Weighted Mean Hedges' g Based On: ") + numText(v.SumTotalNG) +
         QStringLiteral(" Participants"));
    line(QStringLiteral("Weighted Mean Hedges' g Based On ") + numText(v.CountWeightedG) + QStringLiteral(" Studies:"));
    v.StudyListWeightedG.appendTo(out);
    label("Sum Of Mean Hedges' g Effect Sizes Used For Weighting: ", numText(v.SumG));
    label("Standard Deviation Of Weighted Mean Hedges' g: ", b("txtWeightedSDG"));
    line(QStringLiteral("Formula For Standard Deviation Of Weighted Mean: (Sum (weighti(gi - weighted mean g)^2)) / "
                        "(sum weights - 1)"));
    label("Weighted Mean Hedges' g -95% Confidence Interval: ", b("txtWeightedMinus95G"));
    label("Weighted Mean Hedges' g +95% Confidence Interval: ", b("txtWeightedPlus95G"));
    line({});
    line(QStringLiteral("FAIL-SAFE N GUIDE (ROSENTHAL, 1984)"));
    label("Derived Fail-Safe N ((Sum Z)^2 / 2.706) - N): ", b("txtFSN"));
    line(QStringLiteral("'Reasonable' Fail-Safe N Rule Of Thumb For Unweighted Cohen's d Calculations (5K+10): ") +
         b("txtNFSRosen") + QStringLiteral(" (See Rosenthall, 1984)"));
    line(QStringLiteral("'Reasonable' Fail-Safe N Rule Of Thumb For Unweighted Hedges' g Calculations (5K+10): ") +
         b("txtNFSRosenG") + QStringLiteral(" (See Rosenthall, 1984)"));
    line({});
    line(QStringLiteral("FAIL-SAFE N - CRITERION D (ORWIN, 1983)"));
    static const char* const criteria[3] = {"0.2", "0.5", "0.8"};
    static const char* const dBoxes[3] = {"txtDc2", "txtDc5", "txtDc8"};
    static const char* const gBoxes[3] = {"txtGc2", "txtGc5", "txtGc8"};
    for (int i = 0; i < 3; ++i)
        line(QStringLiteral("For Unweighted Cohen's D - Number Of Zero Effect Studies Needed To Reduce The Overall "
                            "Effect Size to ") +
             QLatin1String(criteria[i]) + QStringLiteral(": ") + b(dBoxes[i]));
    for (int i = 0; i < 3; ++i)
        line(QStringLiteral("For Unweighted Hedges' G - Number Of Zero Effect Studies Needed To Reduce The Overall "
                            "Effect Size to ") +
             QLatin1String(criteria[i]) + QStringLiteral(": ") + b(gBoxes[i]));
    return out;
}

} // namespace metastats
