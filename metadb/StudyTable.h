#pragma once
// The study database file (".met"): its one table `data` of 36 columns, the
// index on `Study ID`, the numbering of new rows, and the query of the study
// grid.
#include <QString>
#include <QStringList>

namespace metadb {

enum class ColumnKind { Text, Double, Long, Boolean };

struct StudyColumn {
    const char* name;
    ColumnKind kind;
    int size;   // characters of a text column, 0 otherwise
};

// The columns of `data` in their physical order.
const StudyColumn* studyColumns();
constexpr int StudyColumnCount = 36;

// The yes/no columns of `data` (Include, Xtra5, Xtra6): read by
// platform::storedTruth whatever type a file declares them with.
QStringList studyYesNoColumns();

// The name of the table that counts the `Study ID` numbers handed out. It
// holds "MSys" so that the workbook export leaves it out.
QString studyIdCounterTable();

// The statements that build an empty study database.
QStringList studyTableDdl();

// Creates a new study database at `path` with the empty table `data`. An
// existing file (or folder) is refused. The file appears complete or not at
// all: it is built under a temporary name in the same folder and then
// renamed, without ever replacing a file that appeared meanwhile. Raises
// platform::RuntimeError.
void createStudyDatabase(const QString& path);

// The study grid's query: 30 columns in the grid's order, sorted by study name.
QString studySql();

// The grid's column widths in twips, in the order of studySql().
const int* gridColumnWidths();
constexpr int GridColumnCount = 30;

} // namespace metadb
