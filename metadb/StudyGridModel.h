#pragma once
// The study grid: a table model over the window's recordset and the view
// that keeps the recordset's current record and the grid's current row the
// same. Edits go into the recordset's pending edit of that record; moving to
// another row commits it, as leaving a record does.
#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <set>
#include <utility>

namespace platform {
class Recordset;
}

namespace metadb {

class StudyGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StudyGridModel(QObject* parent = nullptr);

    // Binds the grid to a recordset (nullptr: no rows). The model listens to
    // the recordset's changes; unbind before the recordset goes.
    void bind(platform::Recordset* recordset);
    platform::Recordset* recordset() const { return rs_; }
    // The `Include` column shows and takes "YES" and "NO".
    void setBooleanColumn(int column) { boolColumn_ = column; }
    void setCentredColumns(std::set<int> columns);
    // Re-reads every row (after a change of the recordset).
    void refresh();
    // Writes the recordset's pending edit. When it cannot be written (the
    // database refuses it, or another user changed or deleted the record)
    // the edit is dropped, so that no later move or command meets it again;
    // the refusal is reported and the rows show what is stored. False then.
    bool commitEdit();

    // Reports a refused write (the description of the error).
    std::function<void(const QString&)> onError;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The text a grid cell shows for a value of the column.
    QString displayText(int column, const QVariant& value) const;
    // The text a cell's editor starts from: the shown text, but a number
    // with every digit it needs to read back as itself.
    QString editText(int column, const QVariant& value) const;

private:
    // The recordset's own notice of a change: a change of the rows' number
    // shows at once; changed values show once the current command is done,
    // so that a command writing many rows repaints the grid once.
    void recordsetChanged();
    // Rows and columns of the bound recordset (none when it is closed).
    std::pair<int, int> shape() const;

    platform::Recordset* rs_ = nullptr;
    bool valuesPosted_ = false;
    int rows_ = 0;
    int columns_ = 0;
    int boolColumn_ = -1;
    std::set<int> centred_;
};

// The text a grid cell paints for its value's text: the first
// kPaintedCellCharacters characters, then "…" when there were more.
constexpr int kPaintedCellCharacters = 500;
QString paintedCellText(const QString& text);

class StudyGrid : public QTableView {
    Q_OBJECT
public:
    explicit StudyGrid(QWidget* parent = nullptr);

    StudyGridModel* studyModel() const { return model_; }
    // Puts the grid's current row on the recordset's current record.
    void followRecordset();
    // Hands the text of a cell being edited to the recordset and closes the
    // cell's editor.
    void commitEditor();

signals:
    // A click on a column header (the column's position).
    void headClicked(int column);

private:
    void rowChanged(const QModelIndex& current, const QModelIndex& previous);

    StudyGridModel* model_;
    bool following_ = false;
};

} // namespace metadb
