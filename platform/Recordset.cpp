// The recordset as a cursor: its query read into rows, the position,
// the values, the order. Its writers: RecordWriter.cpp (one record) and
// SetWriter.cpp (many records); the connection: Connection.cpp.
#include "platform/Recordset.h"
#include "platform/StoredValues.h"
#include "platform/PreparedStatement.h"

#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace platform {

using namespace store;

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

void Recordset::open(std::shared_ptr<Connection> connection, const QString& sql, const QString& table,
                     const QString& keyField)
{
    close();
    readRows(connection, sql, table, keyField);
    sortField_ = -1;
    sortDescending_ = false;
    pos_ = 0;
    open_ = true;
    notify();
}

void Recordset::requery()
{
    requireOpen();
    commitIfPending();
    const bool onRecord = pos_ >= 0 && pos_ < int(rows_.size());
    const qint64 current = onRecord ? rows_[size_t(pos_)].rowid : -1;
    const int oldPos = pos_;
    readRows(connection_, sql_, table_, keyField_);
    if (sortField_ >= 0 && sortField_ < int(fields_.size())) {
        const int i = sortField_;
        const bool descending = sortDescending_;
        std::stable_sort(rows_.begin(), rows_.end(), [i, descending, type = fields_[size_t(i)].type](const Row& a, const Row& b) {
            const int c = compareValues(fromStore(type, a.stored[i]), fromStore(type, b.stored[i]));
            return descending ? c > 0 : c < 0;
        });
    }
    pos_ = rows_.empty() ? 0 : std::clamp(oldPos, 0, int(rows_.size()) - 1);
    if (onRecord && !table_.isEmpty())
        for (int r = 0; r < int(rows_.size()); ++r)
            if (rows_[size_t(r)].rowid == current) {
                pos_ = r;
                break;
            }
    notify();
}

void Recordset::readRows(const std::shared_ptr<Connection>& connection, const QString& sql, const QString& table,
                         const QString& keyField)
{
    if (!connection || !connection->isOpen())
        throw closedError();
    QString text = sql.trimmed();
    const bool updatable = !table.isEmpty();
    if (updatable) {
        static const QRegularExpression select(QStringLiteral("^SELECT\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = select.match(text);
        if (!m.hasMatch())
            throw RuntimeError(ErrDbRefused, QStringLiteral("Only a SELECT can be opened for changes."));
        text = QStringLiteral("SELECT %1.rowid, ").arg(quoted(table)) + text.mid(m.capturedEnd());
    }
    QSqlDatabase db = connection->database();
    PreparedStatement q(db, text);
    if (!q.ok())
        throw refused(q.lastError());
    // The first row is read before the names: a query runs on its first step.
    bool more = q.next();
    if (!more && q.lastError().isValid())
        throw refused(q.lastError());

    // Declared types of the table's columns, for conversions on write.
    struct Declared {
        FieldType type;
        int size;
        bool required;
    };
    QHash<QString, Declared> declared;
    if (updatable) {
        QSqlQuery info(db);
        if (info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)))) {
            while (info.next()) {
                int size = 0;
                const FieldType t = typeOf(info.value(2).toString(), size);
                declared.insert(info.value(1).toString().toLower(), Declared{t, size, info.value(3).toInt() != 0});
            }
        }
    }

    const int first = updatable ? 1 : 0;
    const int columns = q.columnCount();
    std::vector<FieldInfo> fields;
    std::vector<bool> inTable;
    int key = -1;
    for (int i = first; i < columns; ++i) {
        FieldInfo f;
        f.name = q.columnName(i);
        const auto it = declared.constFind(f.name.toLower());
        if (it != declared.constEnd()) {
            f.type = it->type;
            f.size = it->size;
            f.required = it->required;
            if (yesNoFields_.contains(f.name, Qt::CaseInsensitive)) {
                f.type = FieldType::Boolean;
                f.size = 0;
            }
        }
        if (!keyField.isEmpty() && it != declared.constEnd() && key < 0 &&
            f.name.compare(keyField, Qt::CaseInsensitive) == 0)
            key = int(fields.size());
        inTable.push_back(it != declared.constEnd());
        fields.push_back(f);
    }
    // The records are read into those of the read before last, whose memory
    // is already the program's: a table read again and again does not ask
    // the system for fresh pages each time.
    std::vector<Row> rows = std::move(spare_);
    spare_.clear();
    rows.reserve(rows_.size());
    size_t used = 0;
    try {
        for (; more; more = q.next()) {
            if (used == rows.size())
                rows.emplace_back();
            Row& r = rows[used++];
            r.rowid = updatable ? q.value(0).toLongLong() : -1;
            r.stored.resize(fields.size());
            for (int i = 0; i < int(fields.size()); ++i)
                r.stored[size_t(i)] = q.value(i + first);
            r.pending.clear();
            r.changed.clear();
            r.isNew = false;
            r.dirty = false;
        }
        if (q.lastError().isValid())
            throw refused(q.lastError());
    } catch (...) {
        spare_ = std::move(rows);
        throw;
    }
    rows.resize(used);
    connection_ = connection;
    table_ = table;
    sql_ = sql;
    keyField_ = keyField;
    fields_ = std::move(fields);
    inTable_ = std::move(inTable);
    key_ = key;
    spare_ = std::move(rows_);
    rows_ = std::move(rows);
    deferred_.clear();
}

void Recordset::close()
{
    if (!open_)
        return;
    if (inWrite_)
        rollbackWrite();
    open_ = false;
    rows_.clear();
    spare_.clear();
    sql_.clear();
    keyField_.clear();
    sortField_ = -1;
    fields_.clear();
    inTable_.clear();
    key_ = -1;
    table_.clear();
    connection_.reset();
    pos_ = -1;
    notify();
}

bool Recordset::isOpen() const
{
    return open_;
}

void Recordset::requireOpen() const
{
    if (!open_)
        throw closedError();
}

void Recordset::requireCurrent() const
{
    requireOpen();
    if (pos_ < 0 || pos_ >= int(rows_.size()))
        throw noCurrentRecord();
}

int Recordset::recordCount() const
{
    requireOpen();
    return int(rows_.size());
}

int Recordset::fieldCount() const
{
    requireOpen();
    return int(fields_.size());
}

QString Recordset::fieldName(int index) const
{
    return fieldInfo(index).name;
}

FieldInfo Recordset::fieldInfo(int index) const
{
    requireOpen();
    if (index < 0 || index >= int(fields_.size()))
        throw noSuchField();
    return fields_[index];
}

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < int(fields_.size()); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool Recordset::bof() const
{
    return !open_ || rows_.empty() || pos_ < 0;
}

bool Recordset::eof() const
{
    return !open_ || rows_.empty() || pos_ >= int(rows_.size());
}

int Recordset::position() const
{
    return pos_;
}

void Recordset::commitIfPending()
{
    if (editPending())
        update();
}

void Recordset::moveFirst()
{
    requireOpen();
    commitIfPending();
    pos_ = 0;
}

void Recordset::moveLast()
{
    requireOpen();
    commitIfPending();
    pos_ = rows_.empty() ? 0 : int(rows_.size()) - 1;
}

void Recordset::moveNext()
{
    requireOpen();
    if (eof())
        throw noCurrentRecord();
    commitIfPending();
    ++pos_;
}

void Recordset::move(int count)
{
    requireOpen();
    if (count == 0)
        return;
    commitIfPending();
    const long long target = static_cast<long long>(pos_) + count;
    pos_ = int(std::clamp<long long>(target, -1, static_cast<long long>(rows_.size())));
}

void Recordset::moveTo(int row)
{
    requireOpen();
    if (row < 0 || row >= int(rows_.size()))
        throw noCurrentRecord();
    if (row == pos_)
        return;
    commitIfPending();
    pos_ = row;
}

QVariant Recordset::valueAt(int row, int field) const
{
    requireOpen();
    if (row < 0 || row >= int(rows_.size()))
        throw noCurrentRecord();
    if (field < 0 || field >= int(fields_.size()))
        throw noSuchField();
    const Row& r = rows_[row];
    if (r.dirty && r.changed[field])
        return r.pending[field];
    return fromStore(fields_[size_t(field)].type, r.stored[size_t(field)]);
}

bool Recordset::truthAt(int row, int field) const
{
    requireOpen();
    if (row < 0 || row >= int(rows_.size()))
        throw noCurrentRecord();
    if (field < 0 || field >= int(fields_.size()))
        throw noSuchField();
    const Row& r = rows_[size_t(row)];
    return storedTruth(r.dirty && r.changed[size_t(field)] ? r.pending[size_t(field)] : r.stored[size_t(field)]);
}

void Recordset::setYesNoFields(const QStringList& names)
{
    yesNoFields_ = names;
}

QVariant Recordset::value(int field) const
{
    requireCurrent();
    return valueAt(pos_, field);
}

QVariant Recordset::value(const QString& field) const
{
    requireCurrent();
    const int i = fieldIndex(field);
    if (i < 0)
        throw noSuchField();
    return valueAt(pos_, i);
}
void Recordset::sortBy(const QString& field, bool descending)
{
    requireOpen();
    const int i = fieldIndex(field);
    if (i < 0)
        throw noSuchField();
    commitIfPending();
    sortField_ = i;
    sortDescending_ = descending;
    std::stable_sort(rows_.begin(), rows_.end(), [i, descending, type = fields_[size_t(i)].type](const Row& a, const Row& b) {
        const int c = compareValues(fromStore(type, a.stored[i]), fromStore(type, b.stored[i]));
        return descending ? c > 0 : c < 0;
    });
    pos_ = 0;
    notify();
}

void Recordset::setChangeListener(std::function<void()> listener)
{
    listener_ = std::move(listener);
}

void Recordset::notify()
{
    if (listener_)
        listener_();
}

} // namespace platform
