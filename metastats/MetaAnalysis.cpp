// The meta-analysis run of the study database window: the summary panel and
// the run that fills it, the study table's result columns and the report.
#include "metastats/MetaAnalysis.h"

#include "metastats/MetaRun.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Recordset.h"

#include <QDate>
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

namespace metastats {

namespace {

// The query could not be run on the study database.
constexpr int kErrQuery = 3078;

constexpr int px(int twips) { return twips / 15; }

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
    auto* e = new QLineEdit(panel);
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
    QPalette p = b->palette();
    p.setColor(QPalette::Button, Qt::white);
    b->setPalette(p);
    b->setAutoFillBackground(true);
    placeAt(b, left, top, width, 375);
    return b;
}

// The one row of the aggregate query.
QSqlRecord aggregateRow(const MetaContext& context, const QString& sql)
{
    if (!context.connection || !context.connection->isOpen())
        throw platform::RuntimeError(platform::ErrDbClosed, QStringLiteral("The study database is not open."));
    QSqlQuery query(context.connection->database());
    query.setForwardOnly(true);
    if (!query.exec(sql) || !query.next())
        throw platform::RuntimeError(kErrQuery, QStringLiteral("The summary of the studies cannot be read: ") +
                                                    query.lastError().text());
    return query.record();
}

void runSteps(MetaRun& run, platform::Recordset& studies)
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
}

void writeReport(const MetaContext& context, const MetaRun& run)
{
    ReportContext rc;
    rc.path = context.path;
    const QLocale locale = QLocale::system();
    rc.date = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
    rc.time = locale.toString(QTime::currentTime(), QStringLiteral("HH:mm:ss"));
    rc.recordCount = context.studies->recordCount();
    const QString text = reportText(run, rc);
    if (!context.txtResults)
        return;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    context.txtResults->setFont(font);
    context.txtResults->setPlainText(text);
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
    auto* measure = new QLineEdit(picMeta);
    measure->setObjectName(QStringLiteral("txtMeasure"));
    QPalette red = measure->palette();
    red.setColor(QPalette::Text, Qt::red);
    measure->setPalette(red);
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

    // Unweighted means with their spread.
    constexpr int right = 7140;
    caption(picMeta, QStringLiteral("Unweighted"), right, headerTop, 1800);
    const int uLeft[5] = {8100, 9090, 10080, 11070, 12060};
    const char* const uHeaders[5] = {"Mean", "SD", "-95%", "+95%", "Studies"};
    for (int c = 0; c < 5; ++c)
        caption(picMeta, QLatin1String(uHeaders[c]), uLeft[c], firstRow, 960);
    const char* const uD[5] = {"txtMeanDSummary", "txtSDCohen", "txtDNeg95Summary", "txtDPlus95Summary",
                               "txtMeanDStatSummary"};
    const char* const uG[5] = {"txtMeanGSummary", "txtSDHedges", "txtGNeg95Summary", "txtGPlus95Summary",
                               "txtMeanGStatSummary"};
    caption(picMeta, QStringLiteral("d"), right, 1200, 900, 285);
    caption(picMeta, QStringLiteral("g"), right, 1500, 900, 285);
    for (int c = 0; c < 5; ++c) {
        summaryBox(picMeta, uD[c], uLeft[c], 1200, 960);
        summaryBox(picMeta, uG[c], uLeft[c], 1500, 960);
    }
    caption(picMeta, QStringLiteral("Studies: d"), right, 1830, 900, 285);
    summaryBox(picMeta, "txtCountDStudies", 8100, 1830, 960);
    caption(picMeta, QStringLiteral("g"), 9120, 1830, 300, 285);
    summaryBox(picMeta, "txtCountGStudies", 9420, 1830, 960);
    caption(picMeta, QStringLiteral("Total N"), 10440, 1830, 600, 285);
    summaryBox(picMeta, "txtTotalNStatSummary", 11070, 1830, 960);

    // Means weighted by total N.
    caption(picMeta, QStringLiteral("Weighted by total N"), right, 2190, 3000);
    const int wLeft[7] = {7740, 8500, 9260, 10020, 10780, 11540, 12300};
    const char* const wHeaders[7] = {"Mean", "SD", "-95%", "+95%", "Studies", "Total N", "Sum"};
    for (int c = 0; c < 7; ++c)
        caption(picMeta, QLatin1String(wHeaders[c]), wLeft[c], 2430, 740);
    const char* const wD[7] = {"txtWeightedD", "txtWeightedSDD", "txtWeightedMinus95D", "txtWeightedPlus95D",
                               "txtStudiesD", "txtTotalND", "txtSumD"};
    const char* const wG[7] = {"txtWeightedG", "txtWeightedSDG", "txtWeightedMinus95G", "txtWeightedPlus95G",
                               "txtStudiesG", "txtTotalNG", "txtSumG"};
    caption(picMeta, QStringLiteral("d"), right, 2670, 540, 285);
    caption(picMeta, QStringLiteral("g"), right, 2970, 540, 285);
    for (int c = 0; c < 7; ++c) {
        summaryBox(picMeta, wD[c], wLeft[c], 2670, 740);
        summaryBox(picMeta, wG[c], wLeft[c], 2970, 740);
    }

    // Fail-safe numbers.
    caption(picMeta, QStringLiteral("Fail-safe N"), right, 3330, 1000, 285);
    summaryBox(picMeta, "txtFSN", 8160, 3330, 960);
    caption(picMeta, QStringLiteral("5K+10: d"), 9240, 3330, 780, 285);
    summaryBox(picMeta, "txtNFSRosen", 10020, 3330, 960);
    caption(picMeta, QStringLiteral("g"), 11100, 3330, 300, 285);
    summaryBox(picMeta, "txtNFSRosenG", 11400, 3330, 960);
    caption(picMeta, QStringLiteral("Orwin"), right, 3660, 960);
    const int oLeft[3] = {8160, 9600, 11040};
    const char* const oHeaders[3] = {"to 0.2", "to 0.5", "to 0.8"};
    const char* const oD[3] = {"txtDc2", "txtDc5", "txtDc8"};
    const char* const oG[3] = {"txtGc2", "txtGc5", "txtGc8"};
    for (int c = 0; c < 3; ++c) {
        caption(picMeta, QLatin1String(oHeaders[c]), oLeft[c], 3660, 1320);
        summaryBox(picMeta, oD[c], oLeft[c], 3900, 1320);
        summaryBox(picMeta, oG[c], oLeft[c], 4200, 1320);
    }
    caption(picMeta, QStringLiteral("d"), right, 3900, 900, 285);
    caption(picMeta, QStringLiteral("g"), right, 4200, 900, 285);

    whiteButton(picMeta, "cmdRecalculate", QStringLiteral("Recalc&ulate"), right, 4800, 1900);
    whiteButton(picMeta, "cmdFailSafe", QStringLiteral("&FailSafe N Stats"), 9120, 4800, 1900);
    whiteButton(picMeta, "cmdHeterogeneity", QStringLiteral("&Heterogeneity"), 11100, 4800, 1900);
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
    if (panel) {
        if (auto* measure = panel->findChild<QLineEdit*>(QStringLiteral("txtMeasure")))
            run.measure = measure->text();
        run.onBoxWritten = [panel](const QString& name, const QString& text) {
            if (auto* box = panel->findChild<QLineEdit*>(name))
                box->setText(text);
        };
    }
    try {
        const QSqlRecord row = aggregateRow(context, summarySql(run.measure));
        bindSummary(run, row);
        if (!context.studies || !context.studies->isOpen())
            throw platform::RuntimeError(platform::ErrDbClosed, QStringLiteral("The study table is not open."));
        runSteps(run, *context.studies);
        keepRosenthal(run.rosenthal, context.rosenthal);
        writeReport(context, run);
    } catch (const platform::RuntimeError& e) {
        platform::msgBox(QStringLiteral("Data error event hit err: ") + e.description(), platform::MsgButtons::OK,
                         platform::MsgIcon::None, {}, context.window);
        platform::msgBox(codeGenErrorText(e.number(), e.description()), platform::MsgButtons::AbortRetryIgnore,
                         platform::MsgIcon::Critical, QStringLiteral("Code Gen Error"), context.window);
    }
    if (context.hideProgress)
        context.hideProgress();
}

} // namespace metastats
