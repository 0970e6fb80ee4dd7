#pragma once
// The workbook export of a study database file: every table (those whose
// name holds "MSys" excepted) becomes one worksheet of a new .xlsx workbook,
// every field of the table in its stored order from column A on, with the
// field names in row 1 and one row per record below.
#include <QString>
#include <QStringList>
#include <functional>

namespace metadb {

struct WorkbookExportHooks {
    // Receives each piece of the export's log as it is written.
    std::function<void(const QString&)> log;
    // Asked before an existing file is replaced; false keeps the file and the
    // workbook is not saved. Unset: the file is replaced.
    std::function<bool(const QString& path)> confirmReplace;
    // Told once, after the workbook was saved, of every field the export
    // left empty because no cell can hold it (a text longer than 32,767
    // characters, binary data, a number that is not finite), each named by
    // table, row and field with the reason.
    std::function<void(const QStringList& fields)> fieldsLeftEmpty;
};

enum class WorkbookSave { Saved, Declined };

// The log texts, each as the export writes it.
namespace exportlog {
inline const QString OpeningDatabase = QStringLiteral("Opening Database...\n");
inline const QString CreatingWorkbook = QStringLiteral("Creating Workbook...\n");
inline const QString AddingHeaders = QStringLiteral("Adding Column Headers...\n");
inline const QString Done = QStringLiteral("Done!!!!");
QString creatingWorksheet(const QString& table);
QString addingData(const QString& table);
} // namespace exportlog

// The name a table's worksheet is given: every "/" becomes "-".
QString worksheetName(const QString& table);

// Exports the database file at `dbPath` (opened read-only, never changed)
// into a workbook saved as `workbookPath`. The workbook is written whole to
// a temporary file first and only then put in place, so a failed export
// leaves no file or the earlier file untouched. A worksheet name the workbook
// cannot take (too long, a character it refuses, a name already used) leaves
// the sheet with a name of the form "SheetN"; a cell value it cannot hold
// (a text longer than 32,767 characters, a number that is not finite, binary
// data) leaves the cell empty and is named to fieldsLeftEmpty. Numbers are
// written so that they read back as the same double. Rows are counted as
// 16-bit numbers: a table of 32,766 records or more raises Overflow (its
// description says how many rows a sheet holds) before anything is saved.
// Any other failure raises RuntimeError.
WorkbookSave exportWorkbook(const QString& dbPath, const QString& workbookPath, const WorkbookExportHooks& hooks);

} // namespace metadb
