#include "metadb/StudyGridModel.h"
#include "metadb/Trace.h"

#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/Recordset.h"
#include "shell/TextBox.h"

#include <QApplication>
#include <QStyledItemDelegate>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTimer>
#include <tuple>

namespace metadb {

StudyGridModel::StudyGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void StudyGridModel::bind(platform::Recordset* recordset)
{
    beginResetModel();
    if (rs_)
        rs_->setChangeListener({});
    rs_ = recordset;
    std::tie(rows_, columns_) = shape();
    if (rs_)
        rs_->setChangeListener([this] { recordsetChanged(); });
    endResetModel();
}

void StudyGridModel::setCentredColumns(std::set<int> columns)
{
    centred_ = std::move(columns);
    if (rows_ > 0 && columns_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::TextAlignmentRole});
}

std::pair<int, int> StudyGridModel::shape() const
{
    if (rs_ && rs_->isOpen())
        return {rs_->recordCount(), rs_->fieldCount()};
    return {0, 0};
}

void StudyGridModel::refresh()
{
    valuesPosted_ = false;   // a change still to show is shown now
    const auto [rows, columns] = shape();
    if (rows != rows_ || columns != columns_) {
        beginResetModel();
        rows_ = rows;
        columns_ = columns;
        endResetModel();
    } else if (rows_ > 0 && columns_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    }
}

bool StudyGridModel::commitEdit()
{
    if (!rs_)
        return true;
    QString refusal;
    QStringList typed;
    try {
        if (!rs_->isOpen() || !rs_->editPending())
            return true;
        typed = rs_->pendingTexts();
        rs_->update();
        return true;
    } catch (const platform::RuntimeError& e) {
        // The values typed are named before they go.
        refusal = platform::Recordset::refusedEditText(e, typed);
    } catch (const std::exception& e) {
        refusal = QString::fromLocal8Bit(e.what());
    }
    try {
        rs_->cancelUpdate();
    } catch (...) {
        // The refusal is what the user is told, below, whether or not the
        // refused edit could be dropped.
        qCWarning(traceMetadb) << "dropping a refused edit:" << platform::currentErrorText();
    }
    refresh();
    if (onError)
        onError(refusal);
    return false;
}

void StudyGridModel::recordsetChanged()
{
    const auto [rows, columns] = shape();
    if (rows != rows_ || columns != columns_) {
        refresh();
        return;
    }
    if (valuesPosted_)
        return;
    valuesPosted_ = true;
    QTimer::singleShot(0, this, [this] {
        if (valuesPosted_)
            refresh();
    });
}

int StudyGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int StudyGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QString StudyGridModel::displayText(int column, const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return {};
    if (column == boolColumn_)
        return value.toBool() ? QStringLiteral("YES") : QStringLiteral("NO");
    switch (value.typeId()) {
    case QMetaType::Double:
        try {
            return platform::numText(value.toDouble());
        } catch (const platform::RuntimeError&) {
            return {};
        }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

QVariant StudyGridModel::data(const QModelIndex& index, int role) const
{
    if (!rs_ || !index.isValid() || index.row() >= rows_ || index.column() >= columns_)
        return {};
    if (role == Qt::TextAlignmentRole)
        return centred_.count(index.column()) ? QVariant(Qt::AlignCenter) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    try {
        const QVariant value = rs_->valueAt(index.row(), index.column());
        if (role == Qt::EditRole)
            return editText(index.column(), value);
        return displayText(index.column(), value);
    } catch (const std::exception&) {
        return {};
    }
}

QString StudyGridModel::editText(int column, const QVariant& value) const
{
    // A number is edited whole: the cell shows 15 digits, the editor all
    // the digits that make it this number.
    if (column != boolColumn_ && value.typeId() == QMetaType::Double) {
        try {
            return platform::roundTripText(value.toDouble());
        } catch (const platform::RuntimeError&) {
            return {};
        }
    }
    return displayText(column, value);
}

QVariant StudyGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !rs_ || section < 0 || section >= columns_)
        return {};
    try {
        return rs_->fieldName(section);
    } catch (const std::exception&) {
        return {};
    }
}

Qt::ItemFlags StudyGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!rs_ || !index.isValid())
        return f;
    // The study number is handed out by the database.
    try {
        if (rs_->fieldName(index.column()).compare(QLatin1String("Study ID"), Qt::CaseInsensitive) == 0)
            return f;
    } catch (const std::exception&) {
        return f;
    }
    return f | Qt::ItemIsEditable;
}

bool StudyGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!rs_ || !index.isValid() || role != Qt::EditRole)
        return false;
    try {
        if (rs_->position() != index.row()) {
            // The record that is left is written first.
            if (!commitEdit())
                return false;
            rs_->moveTo(index.row());
        }
        const QString text = value.toString();
        // An editor closed as it opened changes nothing, so nothing is
        // written: no write of a value the cell merely showed, and no
        // conflict with another user's change of the record.
        if (text == data(index, Qt::EditRole).toString())
            return true;
        QVariant stored;   // an emptied cell holds Null
        if (index.column() == boolColumn_) {
            const QString word = text.trimmed().toUpper();
            if (word == QLatin1String("YES"))
                stored = true;
            else if (word == QLatin1String("NO"))
                stored = false;
            else
                throw platform::errTypeMismatch();
            // The same yes/no in other words is no change either.
            const QVariant now = rs_->valueAt(index.row(), index.column());
            if (!now.isNull() && rs_->truthAt(index.row(), index.column()) == stored.toBool())
                return true;
        } else if (!text.isEmpty()) {
            // The same number in other digits is no change either.
            const QVariant now = rs_->valueAt(index.row(), index.column());
            double typed = 0;
            if ((now.typeId() == QMetaType::Double || now.typeId() == QMetaType::Int) &&
                platform::tryCdbl(text, typed) && typed == now.toDouble())
                return true;
            stored = text;
        }
        rs_->setValue(index.column(), stored);
        emit dataChanged(index, index);
        return true;
    } catch (const platform::RuntimeError& e) {
        if (onError)
            onError(e.description());
    } catch (const std::exception& e) {
        if (onError)
            onError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

// ------------------------------------------------------------------ the view

namespace {

// A cell shows no more than its first few hundred characters: a text of a
// million characters (another tool may store one) would otherwise be laid
// out and elided whole at every paint. The value itself stays whole in the
// model, for editing, export and print.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = paintedCellText(option->text);
    }

public:
    // The editor takes the whole text, not Qt's 32,767 characters.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* box = qobject_cast<QLineEdit*>(editor))
            shell::keepWholeText(box);
        return editor;
    }
};

} // namespace

QString paintedCellText(const QString& text)
{
    if (text.size() <= kPaintedCellCharacters)
        return text;
    qsizetype n = kPaintedCellCharacters;
    if (text.at(n - 1).isHighSurrogate())
        --n;   // a character is not cut in two
    return text.left(n) + QChar(0x2026);
}

StudyGrid::StudyGrid(QWidget* parent) : QTableView(parent), model_(new StudyGridModel(this))
{
    setModel(model_);
    setItemDelegate(new CellDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(18);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) { emit headClicked(column); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &StudyGrid::rowChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, &StudyGrid::followRecordset);
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] {
        if (!following_)
            followRecordset();
    });
}

void StudyGrid::followRecordset()
{
    platform::Recordset* rs = model_->recordset();
    if (!rs || following_)
        return;
    following_ = true;
    try {
        const int row = rs->isOpen() ? rs->position() : -1;
        if (row >= 0 && row < model_->rowCount()) {
            const int column = currentIndex().isValid() ? currentIndex().column() : 0;
            if (currentIndex().row() != row)
                setCurrentIndex(model_->index(row, column));
        }
    } catch (...) {
        following_ = false;
        throw;
    }
    following_ = false;
}

void StudyGrid::commitEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = QApplication::focusWidget();
    if (!editor || !viewport()->isAncestorOf(editor)) {
        // The editor is the cell widget of the current index.
        editor = nullptr;
        for (QWidget* w : viewport()->findChildren<QWidget*>())
            if (w->isVisible() && w->parentWidget() == viewport()) {
                editor = w;
                break;
            }
    }
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void StudyGrid::rowChanged(const QModelIndex& current, const QModelIndex& previous)
{
    platform::Recordset* rs = model_->recordset();
    if (following_ || !rs || !current.isValid() || current.row() == previous.row())
        return;
    if (!rs->isOpen() || rs->position() == current.row())
        return;
    // Leaving a record writes its edit; one that cannot be written is
    // dropped and the record that was left stays current.
    if (!model_->commitEdit()) {
        followRecordset();
        return;
    }
    try {
        rs->moveTo(current.row());
    } catch (const platform::RuntimeError& e) {
        if (model_->onError)
            model_->onError(e.description());
        followRecordset();
    } catch (const std::exception& e) {
        if (model_->onError)
            model_->onError(QString::fromLocal8Bit(e.what()));
        followRecordset();
    }
}

} // namespace metadb
