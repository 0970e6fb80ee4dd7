#include "metadb/WorkbookExport.h"

#include "frame/DataFileLine.h"
#include "metadb/FileCopy.h"
#include "metadb/StudyTable.h"
#include "metadb/WorkbookNumbers.h"
#include "platform/Errors.h"
#include "platform/Recordset.h"
#include "shell/TextBox.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryFile>
#include <QVariant>

#include <xlsxwriter.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace metadb {

namespace exportlog {
QString creatingWorksheet(const QString& table)
{
    return QStringLiteral("Creating Worksheet ") + table + QStringLiteral("...\n");
}
QString addingData(const QString& table)
{
    return QStringLiteral("Adding Data from Database Table ") + table + QStringLiteral("...\n");
}
} // namespace exportlog

QString worksheetName(const QString& table)
{
    QString name = table;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return name;
}

namespace {

constexpr int kHeaderColumns = 26;     // A1 to Z1 carry the header font
constexpr int kMaxColumns = 16384;     // columns of a worksheet
constexpr int kMaxCellText = 32767;    // characters of one cell

platform::RuntimeError dbError(const QString& description)
{
    return {platform::ErrDbOpen, description};
}

platform::RuntimeError saveError(const QString& path, const QString& detail)
{
    return {platform::ErrPathFileAccess,
            QStringLiteral("Path/File access error: the workbook could not be saved as ") + path
                + (detail.isEmpty() ? QString() : QStringLiteral(" (") + detail + QLatin1Char(')'))};
}

// A table or column name as one SQL identifier, whatever characters it holds.
QString quoted(const QString& name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

// The workbook being built; it is freed without writing anything unless it
// is closed (saved) first.
struct WorkbookHandle {
    lxw_workbook* wb = nullptr;
    ~WorkbookHandle()
    {
        if (wb)
            lxw_workbook_free(wb);
    }
    lxw_error close()
    {
        lxw_workbook* w = wb;
        wb = nullptr;
        return workbook_close(w);
    }
};

struct TableField {
    QString name;
    bool boolean = false;   // a yes/no field: TRUE or FALSE by platform::storedTruth
};

// The table's fields as it declares them, in stored order. A field declared
// a Boolean is a yes/no field, and so is a yes/no column of the study table
// whatever its declared type.
std::vector<TableField> tableFields(const QSqlDatabase& db, const QString& table)
{
    std::vector<TableField> fields;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("pragma table_info(") + quoted(table) + QLatin1Char(')')))
        return fields;
    const bool studies = table.compare(QLatin1String("data"), Qt::CaseInsensitive) == 0;
    const QStringList yesNo = studyYesNoColumns();
    while (q.next()) {
        const QString name = q.value(1).toString();
        const QString type = q.value(2).toString().trimmed().toUpper();
        fields.push_back({name, type.contains(QLatin1String("BOOL")) || type == QLatin1String("BIT")
                                    || type == QLatin1String("YESNO") || type == QLatin1String("LOGICAL")
                                    || (studies && yesNo.contains(name, Qt::CaseInsensitive))});
    }
    return fields;
}

// Whether the workbook accepts this sheet name as it stands.
bool sheetNameAccepted(lxw_workbook* wb, const QString& name, const QSet<QString>& used)
{
    if (name.isEmpty() || name.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0)
        return false;
    if (used.contains(name.toLower()))
        return false;
    return workbook_validate_sheet_name(wb, name.toUtf8().constData()) == LXW_NO_ERROR;
}

lxw_worksheet* addWorksheet(lxw_workbook* wb, const QString& wanted, QSet<QString>& used)
{
    QString name = wanted;
    if (!sheetNameAccepted(wb, name, used)) {
        // Refused: the sheet keeps a name the workbook gives it.
        for (int k = static_cast<int>(used.size()) + 1;; ++k) {
            name = QStringLiteral("Sheet%1").arg(k);
            if (sheetNameAccepted(wb, name, used))
                break;
        }
    }
    lxw_worksheet* ws = workbook_add_worksheet(wb, name.toUtf8().constData());
    if (!ws)
        throw platform::RuntimeError(7, QStringLiteral("Out of memory: the worksheet ") + name
                                            + QStringLiteral(" could not be added"));
    used.insert(name.toLower());
    return ws;
}

// What an export gathers besides the sheets: the numbers of each sheet (to
// be written again with all their digits) and the fields left empty.
struct ExportState {
    std::vector<SheetNumbers> numbers;
    bool digitsMissing = false;   // a number needs more than 16 digits
    QStringList leftEmpty;
};

void writeNumber(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, double d, ExportState& state)
{
    worksheet_write_number(ws, row, col, d, nullptr);
    state.numbers.back().values.push_back(d);
    if (!state.digitsMissing && (d != std::trunc(d) || std::fabs(d) >= 1e15) && !sixteenDigitsSuffice(d))
        state.digitsMissing = true;
}

// Writes one value into a cell. A value the cell cannot hold leaves it
// empty, and the reason is returned; Null leaves it empty too.
QString writeValue(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const QVariant& v, bool boolean,
                   ExportState& state)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (boolean || v.typeId() == QMetaType::Bool) {
        // Whatever is stored, as the grid and the meta-analysis read it.
        worksheet_write_boolean(ws, row, col, platform::storedTruth(v) ? 1 : 0, nullptr);
        return {};
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        writeNumber(ws, row, col, v.toDouble(), state);
        return {};
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (!std::isfinite(d))
            return QStringLiteral("a number that is not finite (%1)").arg(d > 0 ? QStringLiteral("+infinity")
                                                                               : d < 0 ? QStringLiteral("-infinity")
                                                                                       : QStringLiteral("NaN"));
        writeNumber(ws, row, col, d, state);
        return {};
    }
    case QMetaType::QByteArray:
        return QStringLiteral("binary data of %1 bytes, which no cell holds").arg(v.toByteArray().size());
    default: {
        const QString s = v.toString();
        if (s.size() > kMaxCellText) {
            // A cell's limit counts a character beyond U+FFFF twice, as the
            // workbook stores text; a person counts it once.
            const qsizetype characters = shell::characterCount(s);
            if (characters == s.size())
                return QStringLiteral("a text of %1 characters; a cell holds at most 32,767").arg(s.size());
            return QStringLiteral("a text of %1 characters, %2 as a cell counts them (a character beyond U+FFFF "
                                  "counts twice); a cell holds at most 32,767")
                .arg(characters)
                .arg(s.size());
        }
        if (!s.isEmpty())   // an empty text leaves the cell empty
            worksheet_write_string(ws, row, col, s.toUtf8().constData(), nullptr);
        return {};
    }
    }
}

void exportTable(const platform::Connection& database, lxw_workbook* wb, lxw_format* headerFont, const QString& table,
                 QSet<QString>& usedNames, const WorkbookExportHooks& hooks, ExportState& state)
{
    lxw_worksheet* ws = addWorksheet(wb, worksheetName(table), usedNames);
    state.numbers.push_back({static_cast<int>(state.numbers.size()) + 1, {}});
    QSqlQuery q(database.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select * from ") + quoted(table)))
        throw dbError(QStringLiteral("The table ") + table + QStringLiteral(" cannot be read: ") + q.lastError().text());
    // Every field of the table, the first in column A.
    const QSqlRecord record = q.record();
    const int n = record.count();
    const int written = std::min(n, kMaxColumns);
    // The names as declared (the query's own names lose their double quotes).
    std::vector<TableField> fields = tableFields(database.database(), table);
    if (static_cast<int>(fields.size()) != n) {
        fields.assign(static_cast<size_t>(n), {});
        for (int i = 0; i < n; ++i)
            fields[static_cast<size_t>(i)].name = record.fieldName(i);
    }

    hooks.log(exportlog::AddingHeaders);
    for (int i = 0; i < written; ++i)
        worksheet_write_string(ws, 0, static_cast<lxw_col_t>(i),
                               fields[static_cast<size_t>(i)].name.toUtf8().constData(),
                               i < kHeaderColumns ? headerFont : nullptr);
    // The header font covers A1 to Z1 whether or not a field name is there.
    for (int i = written; i < kHeaderColumns; ++i)
        worksheet_write_blank(ws, 0, static_cast<lxw_col_t>(i), headerFont);

    hooks.log(exportlog::addingData(table));
    std::int16_t row = 2;
    while (q.next()) {
        for (int i = 0; i < written; ++i) {
            const QString reason = writeValue(ws, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(i),
                                              q.value(i), fields[static_cast<size_t>(i)].boolean, state);
            if (!reason.isEmpty())
                state.leftEmpty << QStringLiteral("%1, row %2, field %3: %4")
                                       .arg(table)
                                       .arg(row)
                                       .arg(fields[static_cast<size_t>(i)].name, reason);
        }
        if (row == std::numeric_limits<std::int16_t>::max())
            throw platform::RuntimeError(
                platform::ErrOverflow,
                QStringLiteral("Overflow: a worksheet of this export holds at most 32,766 rows, the field names "
                               "and 32,765 records; the table %1 has more records. No workbook was saved.")
                    .arg(table));
        ++row;
    }
    if (q.lastError().isValid())
        throw dbError(QStringLiteral("The table ") + table + QStringLiteral(" cannot be read: ") + q.lastError().text());
}

// Writes the finished workbook to a temporary file, then puts its bytes in
// place of `path` in one step. The workbook is consumed either way.
WorkbookSave save(WorkbookHandle& workbook, const QString& tempPath, const QString& path,
                  const WorkbookExportHooks& hooks, const ExportState& state)
{
    const lxw_error err = workbook.close();
    if (err != LXW_NO_ERROR)
        throw saveError(path, QString::fromUtf8(lxw_strerror(err)));
    // The library writes 16 significant digits; a number that needs 17 is
    // written again with the digits that read back as the same double.
    if (state.digitsMissing)
        rewriteNumbers(tempPath, state.numbers);
    QFile built(tempPath);
    if (!built.open(QIODevice::ReadOnly))
        throw saveError(path, built.errorString());
    const QByteArray bytes = built.readAll();
    built.close();

    const QFileInfo target(path);
    if (target.isDir())
        throw saveError(path, QStringLiteral("a folder of that name exists"));
    if (target.exists() && hooks.confirmReplace && !hooks.confirmReplace(path))
        return WorkbookSave::Declined;
    try {
        frame::writeFileAtomically(path, bytes);
    } catch (const platform::RuntimeError& e) {
        throw saveError(path, e.description());
    }
    return WorkbookSave::Saved;
}

} // namespace

WorkbookSave exportWorkbook(const QString& dbPath, const QString& workbookPath, const WorkbookExportHooks& hooks)
{
    WorkbookExportHooks h = hooks;
    if (!h.log)
        h.log = [](const QString&) {};

    h.log(exportlog::OpeningDatabase);
    if (isSameFile(dbPath, workbookPath))
        throw platform::RuntimeError(platform::ErrPathFileAccess,
                                     QStringLiteral("The workbook cannot be saved over the database it is made from. "
                                                    "Please choose a different name for the new spreadsheet."));
    platform::Connection database;
    database.open(dbPath, platform::Connection::Mode::ReadOnly);
    const QStringList tables = database.tables();

    QTemporaryFile temp(QDir(QDir::tempPath()).filePath(QStringLiteral("workbook-XXXXXX.xlsx")));
    if (!temp.open())
        throw saveError(workbookPath, temp.errorString());
    const QString tempPath = temp.fileName();
    temp.close();
    const QByteArray tempName = QFile::encodeName(tempPath);

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    WorkbookHandle workbook;
    workbook.wb = workbook_new_opt(tempName.constData(), &options);
    if (!workbook.wb)
        throw platform::RuntimeError(7, QStringLiteral("Out of memory: the workbook could not be created"));
    lxw_format* headerFont = workbook_add_format(workbook.wb);
    format_set_bold(headerFont);
    format_set_underline(headerFont, LXW_UNDERLINE_SINGLE);
    h.log(exportlog::CreatingWorkbook);

    QSet<QString> usedNames;
    ExportState state;
    for (const QString& table : tables) {
        if (table.contains(QLatin1String("MSys"), Qt::CaseSensitive))
            continue;
        h.log(exportlog::creatingWorksheet(table));
        exportTable(database, workbook.wb, headerFont, table, usedNames, h, state);
    }
    h.log(exportlog::Done);
    const WorkbookSave saved = save(workbook, tempPath, workbookPath, h, state);
    if (saved == WorkbookSave::Saved && !state.leftEmpty.isEmpty() && h.fieldsLeftEmpty)
        h.fieldsLeftEmpty(state.leftEmpty);
    return saved;
}

} // namespace metadb
