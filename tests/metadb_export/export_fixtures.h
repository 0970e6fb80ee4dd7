#pragma once
// Small study database files made with plain SQL, and a reader of the
// worksheets, shared strings and cell styles of a saved .xlsx workbook.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <utility>

namespace exportfixtures {

// The 36 columns of the study table, in order, with their declared types.
struct Column {
    const char* name;
    const char* type;
};
const std::vector<Column>& studyColumns();

// Runs the statements on a new SQLite file at path (fails the test on error).
void makeDatabase(const QString& path, const QStringList& statements);
// The statement creating the study table `data`.
QString createStudyTable();
// An insert of one study row; values by column name, the rest Null.
QString insertStudy(const QHash<QString, QString>& sqlValues);
// Inserts `rows` rows into `table` in one transaction (values from `row`).
void fillTable(const QString& path, const QString& table, int rows, const std::function<QString(int)>& rowValues);

struct Cell {
    QString type;     // t attribute: "" (number), "s", "inlineStr", "str", "b"
    QString value;    // the text, number or 1/0
    int style = 0;    // s attribute
    bool bold = false;
    bool underline = false;
};

class Workbook {
public:
    explicit Workbook(const QString& path);
    bool ok() const { return ok_; }
    QStringList sheetNames() const { return sheets_; }
    // Cells of the named sheet by reference ("A1").
    QHash<QString, Cell> cells(const QString& sheet) const;

private:
    QString path_;
    bool ok_ = false;
    QStringList sheets_;
    QStringList sheetFiles_;
    QStringList shared_;
    std::vector<std::pair<bool, bool>> xfFonts_;   // bold, underline per cell style
};

// A database of `rows` rows in table t (id, v), every v beginning "old",
// left as a crash leaves it: a killed process had rewritten every v to begin
// "new" without committing, its hot journal beside the file.
void makeTornDatabase(const QString& path, int rows);
// How many v of table t in the database file begin "old" and "new"; -1 each
// when the file cannot be read as a database.
std::pair<int, int> oldAndNew(const QString& path);

// Whole contents of a file ("<missing>" when it cannot be read); writes one.
QByteArray readAll(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// `size` bytes of a pattern that does not repeat every block.
QByteArray pattern(qint64 size);

// Column letters of a 1-based column number: 1 -> A, 27 -> AA.
QString columnName(int column);

} // namespace exportfixtures
