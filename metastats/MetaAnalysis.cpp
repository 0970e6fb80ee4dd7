// The meta-analysis run of the study database window: the summary panel and
// the run that fills it, the study table's result columns and the report.
#include "metastats/MetaAnalysis.h"

#include "metastats/MetaRun.h"
#include "metastats/Trace.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Recordset.h"
#include "shell/ControlColours.h"
#include "shell/TextBox.h"
#include "shell/TextInBackground.h"
#include "shell/Twips.h"

#include <QDate>
#include <QHash>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <QWidget>
#include <exception>
#include <memory>

namespace metastats {

namespace {

// The query could not be run on the study database.
constexpr int kErrQuery = 3078;

using shell::px;

void placeAt(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

QLabel* caption(QWidget* panel, const QString& text, int left, int top, int width, int height = 240)
{
    auto* l = new QLabel(text, panel);
    placeAt(l, left, top, width, height);
    return l;
}

// A summary box: shows what a run wrote, out of the tab order.
QLineEdit* summaryBox(QWidget* panel, const char* name, int left, int top, int width)
{
    auto* e = shell::newLineBox(panel);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    placeAt(e, left, top, width, 285);
    return e;
}

QPushButton* whiteButton(QWidget* panel, const char* name, const QString& text, int left, int top, int width)
{
    auto* b = new QPushButton(text, panel);
    b->setObjectName(QLatin1String(name));
    shell::ControlColours::SetBackColor(b, shell::ControlColours::ColourValue(Qt::white));
    b->setAutoFillBackground(true);
    placeAt(b, left, top, width, 375);
    return b;
}

// The one row of the aggregate query over the included studies of the
// measure (every included study when it is empty).
QSqlRecord aggregateRow(const MetaContext& context, const QString& measure)
{
    QSqlQuery query(context.connection->database());
    query.setForwardOnly(true);
    const auto failed = [&query] {
        return platform::RuntimeError(kErrQuery, QStringLiteral("The summary of the studies cannot be read: ") +
                                                     query.lastError().text());
    };
    QStringList matches;
    if (!measure.isEmpty()) {
        if (!query.exec(storedMeasuresSql()))
            throw failed();
        QStringList stored;
        while (query.next())
            stored << query.value(0).toString();
        matches = matchingMeasures(measure, stored);
    }
    if (!query.exec(summarySql(measure, matches)) || !query.next())
        throw failed();
    return query.record();
}

// The one write transaction of a run: taken before anything is read, so
// that the run computes from what the file holds and nobody writes between
// its reading and its writing; ended by a commit or, when it is left
// otherwise (an error before the results were stored), by a commit of what
// was stored. It covers reading, computing and writing only: the messages
// of the steps wait until it has ended.
class RunTransaction {
public:
    explicit RunTransaction(platform::Recordset& studies) : studies_(studies) { studies_.beginWrite(); }
    ~RunTransaction()
    {
        // Left by an error, the run reports that error; a commit refused
        // here cannot be raised over it.
        try {
            studies_.commitWrite();
        } catch (...) {
            qCWarning(traceMetastats) << "committing what the run stored:" << platform::currentErrorText();
        }
    }
    RunTransaction(const RunTransaction&) = delete;
    RunTransaction& operator=(const RunTransaction&) = delete;

    // Raises the database's refusal; the records then show what the file
    // holds, which is what they held before the run stored its results.
    void commit() { studies_.commitWrite(); }

private:
    platform::Recordset& studies_;
};

void runSteps(MetaRun& run, RunStudies& studies)
{
    UnweightedCohen(run, studies);
    ZCohen(run, studies);
    UnweightedHedges(run, studies);
    ZHedges(run, studies);
    WeightedCohen(run, studies);
    WeightedHedges(run, studies);
    HedgesQ(run);
    CohenQ(run);
    FailSafe(run);
    RosenthalQ(run, studies);
}

void keepRosenthal(const RosenthalState& r, RosenthalResults* out)
{
    if (!out)
        return;
    out->SumRosenthalStudyWeightsByD = r.SumRosenthalStudyWeightsByD;
    out->SumOfRosenthalStudyWeights = r.SumOfRosenthalStudyWeights;
    out->MeanRosenthalD = r.MeanRosenthalD;
    out->RosenthalFormula = r.RosenthalFormula;
    out->RosenthalN = r.RosenthalN;
    out->RosenthalP2 = r.RosenthalP2;
    out->stoppedEarly = r.stoppedEarly;
}

// The report of a finished run: its text, and the report box's document of
// it, made on a worker thread while the run stores its results; nullptr
// without a box.
std::unique_ptr<shell::TextInBackground> startReport(const MetaContext& context, const MetaRun& run)
{
    if (!context.txtResults)
        return nullptr;
    ReportContext rc;
    rc.path = context.path;
    const QLocale locale = QLocale::system();
    rc.date = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
    rc.time = locale.toString(QTime::currentTime(), QStringLiteral("HH:mm:ss"));
    rc.recordCount = context.studies->recordCount();
    // The run is left as it is until the report is shown.
    return std::make_unique<shell::TextInBackground>([&run, rc] { return reportText(run, rc); });
}

void showReport(const MetaContext& context, shell::TextInBackground& report)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    context.txtResults->setFont(font);
    report.showIn(context.txtResults);
}

// The run's error path: what happened, then the error's number and text.
void reportFailure(const MetaContext& context, int number, const QString& description)
{
    platform::msgBox(QStringLiteral("Data error event hit err: ") + description, platform::MsgButtons::OK,
                     platform::MsgIcon::None, {}, context.window);
    platform::msgBox(codeGenErrorText(number, description), platform::MsgButtons::AbortRetryIgnore,
                     platform::MsgIcon::Critical, QStringLiteral("Code Gen Error"), context.window);
}

} // namespace

void buildMetaPanel(QWidget* picMeta)
{
    // The panel is 13125 x 5745 twips: the measure filter across the top, the
    // aggregates of the included studies on the left, the results of the
    // statistics on the right with the three commands below them.
    auto* instruction = caption(
        picMeta,
        QStringLiteral("Don't forget that the Meta-Analysis will only include those with \"YES\" under the include "
                       "column above. If you want to conduct an analysis for a specific measure within the \"YES\" "
                       "group then type it EXACTLY as it appears in the database:"),
        60, 30, 8760, 630);
    instruction->setObjectName(QStringLiteral("lblMeasure"));
    instruction->setWordWrap(true);
    auto* measure = shell::newLineBox(picMeta);
    measure->setObjectName(QStringLiteral("txtMeasure"));
    shell::ControlColours::SetForeColor(measure, shell::ControlColours::ColourValue(Qt::red));
    placeAt(measure, 8940, 180, 4065, 315);

    // Aggregates: one row per column of the studies.
    constexpr int labelLeft = 60, labelWidth = 1530;
    constexpr int colLeft[5] = {1620, 2730, 3840, 4950, 5760};
    constexpr int colWidth[5] = {1080, 1080, 1080, 780, 1200};
    constexpr int headerTop = 720, firstRow = 960, rowStep = 300;
    const char* const headers[5] = {"Mean", "Minimum", "Maximum", "Studies", "Sum"};
    for (int c = 0; c < 5; ++c)
        caption(picMeta, QLatin1String(headers[c]), colLeft[c], headerTop, colWidth[c]);
    struct Row {
        const char* label;
        const char* boxes[5];   // mean, minimum, maximum, count, sum (null: none)
    };
    const Row rows[] = {
        {"Cohen's d", {"txtMeanCohen", "txtDMin", "txtDMax", "txtDStat", "txtTotalD"}},
        {"Hedges' g", {"txtMeanG", nullptr, nullptr, "txtMeanGStat", "txtTotalG"}},
        {"Total N", {"txtNMean", "txtNMin", "txtNMax", "txtNStat", "txtTotalNSummary"}},
        {"SD 1", {"txtSD1Mean", "txtSD1Min", "txtSD1Max", "txtSD1Stat", nullptr}},
        {"SD 2", {"txtSD2Mean", "txtSD2Min", "txtSD2Max", "txtSD2Stat", nullptr}},
        {"SD used for d", {"txtSDUsedMean", "txtSDUsedMin", "txtSDUsedMax", "txtSDUsedStat", nullptr}},
        {"Mean difference", {"txtMeanDiffMean", "txtMeanDiffMin", "txtMeanDiffMax", "txtMeanDiffStat", nullptr}},
        {"Group 1 mean", {"txtT1Mean", "txtT1Min", "txtT1Max", "txtT1Stat", nullptr}},
        {"Group 2 mean", {"txtT2Mean", "txtT2Min", "txtT2Max", "txtT2Stat", nullptr}},
        {"d -95%", {"txtMeanNeg95", "txtMinNeg95", "txtMaxNeg95", "txtNeg95Stat", nullptr}},
        {"d +95%", {"txtMeanPlus95", "txtMinPlus95", "txtMaxPlus95", "txtPlus95Stat", nullptr}},
        {"g -95%", {"txtMeanGNeg95", nullptr, nullptr, "txtGNeg95Stat", nullptr}},
        {"g +95%", {"txtMeanGPlus95", nullptr, nullptr, "txtGPlus95Stat", nullptr}},
        {"SD used for g", {"txtMeanGSD", nullptr, nullptr, "txtGSDStat", nullptr}},
        {"Z statistic", {"txtMeanZ", nullptr, nullptr, "txtMeanZStat", "txtSumZ"}},
    };
    int top = firstRow;
    for (const Row& r : rows) {
        caption(picMeta, QLatin1String(r.label), labelLeft, top, labelWidth, 285);
        for (int c = 0; c < 5; ++c)
            if (r.boxes[c])
                summaryBox(picMeta, r.boxes[c], colLeft[c], top, colWidth[c]);
        top += rowStep;
    }

    // The unweighted and the N-weighted means: a row of d and a row of g
    // under one heading each, their counts on the line below.
    constexpr int right = 7140;
    const int meanLeft[5] = {7560, 8670, 9780, 10890, 12000};
    constexpr int meanWidth = 1020;
    const auto meansGrid = [&](const QString& title, int top, const char* const (&headers)[5],
                               const char* const (&d)[5], const char* const (&g)[5]) {
        caption(picMeta, title, right, top, 3000);
        for (int c = 0; c < 5; ++c)
            caption(picMeta, QLatin1String(headers[c]), meanLeft[c], top + 240, meanWidth);
        caption(picMeta, QStringLiteral("d"), right, top + 480, 360, 285);
        caption(picMeta, QStringLiteral("g"), right, top + 780, 360, 285);
        for (int c = 0; c < 5; ++c) {
            summaryBox(picMeta, d[c], meanLeft[c], top + 480, meanWidth);
            summaryBox(picMeta, g[c], meanLeft[c], top + 780, meanWidth);
        }
    };
    // A line of labelled boxes, left to right.
    struct Labelled {
        const char* label;
        int labelWidth;
        const char* box;
        int boxWidth;
    };
    const auto boxLine = [&](int top, std::initializer_list<Labelled> items) {
        int left = right;
        for (const Labelled& i : items) {
            caption(picMeta, QLatin1String(i.label), left, top, i.labelWidth, 285);
            left += i.labelWidth + 30;
            summaryBox(picMeta, i.box, left, top, i.boxWidth);
            left += i.boxWidth + 120;
        }
    };
    meansGrid(QStringLiteral("Unweighted"), 720, {"Mean", "SD", "-95%", "+95%", "Studies"},
              {"txtMeanDSummary", "txtSDCohen", "txtDNeg95Summary", "txtDPlus95Summary", "txtMeanDStatSummary"},
              {"txtMeanGSummary", "txtSDHedges", "txtGNeg95Summary", "txtGPlus95Summary", "txtMeanGStatSummary"});
    boxLine(1830, {{"Studies with d", 1380, "txtCountDStudies", 660},
                   {"with g", 600, "txtCountGStudies", 660},
                   {"with total N", 1080, "txtTotalNStatSummary", 660}});
    meansGrid(QStringLiteral("Weighted by total N"), 2160, {"Mean", "SD", "-95%", "+95%", "Sum"},
              {"txtWeightedD", "txtWeightedSDD", "txtWeightedMinus95D", "txtWeightedPlus95D", "txtSumD"},
              {"txtWeightedG", "txtWeightedSDG", "txtWeightedMinus95G", "txtWeightedPlus95G", "txtSumG"});
    boxLine(3270, {{"Studies: d", 900, "txtStudiesD", 600},
                   {"g", 180, "txtStudiesG", 600},
                   {"Total N: d", 900, "txtTotalND", 840},
                   {"g", 180, "txtTotalNG", 840}});

    // Fail-safe numbers.
    boxLine(3660, {{"Fail-safe N", 1020, "txtFSN", 900},
                   {"5K+10: d", 900, "txtNFSRosen", 660},
                   {"g", 180, "txtNFSRosenG", 660}});
    const int orwinLeft[3] = {7560, 9360, 11160};
    const char* const orwinHeaders[3] = {"Orwin: to 0.2", "to 0.5", "to 0.8"};
    const char* const orwinD[3] = {"txtDc2", "txtDc5", "txtDc8"};
    const char* const orwinG[3] = {"txtGc2", "txtGc5", "txtGc8"};
    for (int c = 0; c < 3; ++c) {
        caption(picMeta, QLatin1String(orwinHeaders[c]), orwinLeft[c], 3990, 1680);
        summaryBox(picMeta, orwinD[c], orwinLeft[c], 4230, 1680);
        summaryBox(picMeta, orwinG[c], orwinLeft[c], 4530, 1680);
    }
    caption(picMeta, QStringLiteral("d"), right, 4230, 360, 285);
    caption(picMeta, QStringLiteral("g"), right, 4530, 360, 285);

    whiteButton(picMeta, "cmdRecalculate", QStringLiteral("Recalc&ulate"), right, 5010, 1900);
    whiteButton(picMeta, "cmdFailSafe", QStringLiteral("&FailSafe N Stats"), 9120, 5010, 1900);
    whiteButton(picMeta, "cmdHeterogeneity", QStringLiteral("&Heterogeneity"), 11100, 5010, 1900);
}

void MetaAnalyse(MetaContext& context)
{
    if (!context.databaseOpen) {
        platform::msgBox(QStringLiteral("You cannot meta-analyse data which has not been opened. Please open a "
                                        "database."),
                         platform::MsgButtons::OK, platform::MsgIcon::None, {}, context.window);
        return;
    }
    QWidget* panel = context.picMeta;
    if (panel)
        panel->setVisible(true);
    if (context.showProgress)
        context.showProgress();

    MetaRun run;
    run.owner = context.window;
    run.holdMessages = true;
    if (panel)
        if (auto* measure = panel->findChild<QLineEdit*>(QStringLiteral("txtMeasure")))
            run.measure = measure->text();
    std::unique_ptr<shell::TextInBackground> report;
    std::exception_ptr reportFailed;
    // The texts the panel showed before this run wrote its boxes, for a run
    // whose results the file does not take.
    QHash<QString, QString> shownBefore;
    if (panel)
        run.onBoxWritten = [panel, &shownBefore](const QString& name, const QString& text) {
            if (auto* box = panel->findChild<QLineEdit*>(name)) {
                if (!shownBefore.contains(name))
                    shownBefore.insert(name, box->text());
                box->setText(text);
            }
        };
    try {
        if (!context.connection || !context.connection->isOpen())
            throw platform::RuntimeError(platform::ErrDbClosed, QStringLiteral("The study database is not open."));
        if (!context.studies || !context.studies->isOpen())
            throw platform::RuntimeError(platform::ErrDbClosed, QStringLiteral("The study table is not open."));
        RunTransaction writes(*context.studies);
        // The studies and their aggregates as the file holds them now.
        context.studies->requery();
        const QSqlRecord row = aggregateRow(context, run.measure);
        bindSummary(run, row);
        RunStudies studies(*context.studies, run.measure);
        try {
            runSteps(run, studies);
        } catch (...) {
            // What the steps wrote before the failure stays written.
            try {
                studies.store();
            } catch (const std::exception& e) {
                // The step's own failure is the one reported.
                qCWarning(traceMetastats) << "storing what the steps wrote:" << e.what();
            }
            throw;
        }
        // The report is made while the results are stored; a report
        // that cannot be made fails the run only once they are stored.
        try {
            report = startReport(context, run);
        } catch (...) {
            reportFailed = std::current_exception();
        }
        studies.store();
        try {
            writes.commit();
        } catch (const platform::RuntimeError& e) {
            // Nothing of the run is in the file: the panel shows what it
            // showed before, the grid what the file holds.
            for (auto it = shownBefore.constBegin(); it != shownBefore.constEnd(); ++it)
                if (auto* box = panel->findChild<QLineEdit*>(it.key()))
                    box->setText(it.value());
            throw platform::RuntimeError(platform::ErrDbRefused,
                                         QStringLiteral("The results could not be written to the study database: ") +
                                             e.description());
        }
        keepRosenthal(run.rosenthal, context.rosenthal);
        run.showHeldMessages();
        if (reportFailed)
            std::rethrow_exception(reportFailed);
        if (report)
            showReport(context, *report);
    } catch (const platform::RuntimeError& e) {
        // The transaction has ended: what the steps said, then the failure.
        run.showHeldMessages();
        reportFailure(context, e.number(), e.description());
    } catch (const std::exception& e) {
        run.showHeldMessages();
        reportFailure(context, platform::ErrInvalidCall, QString::fromLocal8Bit(e.what()));
    }
    if (context.hideProgress)
        context.hideProgress();
}

} // namespace metastats
