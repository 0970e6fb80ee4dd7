#pragma once
// The meta-analysis of an open study database: the summary panel of the
// database window, the run that fills it and writes the report, and the
// fail-safe and heterogeneity windows that show its results.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QWidget;
class QPlainTextEdit;

namespace platform {
class Connection;
class Recordset;
}

namespace metastats {

// The Rosenthal results of the last run, kept by the database window for the
// heterogeneity window.
struct RosenthalResults {
    double SumRosenthalStudyWeightsByD = 0;
    double SumOfRosenthalStudyWeights = 0;
    double MeanRosenthalD = 0;
    double RosenthalFormula = 0;
    std::int16_t RosenthalN = 0;
    double RosenthalP2 = 0;
    // The step ended on an error (a study with d of 1 or -1, more studies
    // than it counts) before its p: no test of heterogeneity was made.
    bool stoppedEarly = false;
};

// What a run works on: all of it belongs to the database window.
struct MetaContext {
    QWidget* window = nullptr;                        // the database window (owner of boxes shown)
    std::shared_ptr<platform::Connection> connection; // the open study database
    platform::Recordset* studies = nullptr;           // the grid's recordset over `data`
    QString path;                                     // the open file's path, for the report
    bool databaseOpen = false;                        // the window's open-database test
    QWidget* picMeta = nullptr;                       // the summary panel, filled by buildMetaPanel
    QPlainTextEdit* txtResults = nullptr;             // the report box
    RosenthalResults* rosenthal = nullptr;            // the window's Rosenthal results
    std::function<void()> showProgress;               // the busy window, shown ...
    std::function<void()> hideProgress;               // ... and unloaded
};

// Creates the children of the summary panel: every summary box (objectNames
// as the window names them), the measure box `txtMeasure`, its instruction
// label and the buttons `cmdRecalculate`, `cmdFailSafe`, `cmdHeterogeneity`
// (the window connects the buttons).
void buildMetaPanel(QWidget* picMeta);

// One run over the open database. Reports its own failures and always
// returns normally.
void MetaAnalyse(MetaContext& context);

// The fail-safe window, modal, owned by the database window; it reads the
// summary boxes of the window's panel when it loads.
void showFailSafe(QWidget* metData);
// The heterogeneity window, modal, owned by the database window.
void showHeterogeneity(QWidget* metData, const RosenthalResults& results);

} // namespace metastats
