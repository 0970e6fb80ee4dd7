// The writer of many records at once (one scratch table and one UPDATE)
// and the write transaction of a command that reads and writes many records.
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

namespace {

// Runs one statement of a set write; false when the database refuses it.
bool runStatement(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    return q.exec(sql);
}

} // namespace

void Recordset::storeFields(const std::vector<int>& fields, const std::vector<int>& rows,
                            const std::function<QVariant(int row, int k)>& value)
{
    requireOpen();
    if (fields.empty() || rows.empty())
        return;
    if (table_.isEmpty())
        throw RuntimeError(ErrDbRefused, QStringLiteral("The recordset cannot be changed."));
    for (const int f : fields)
        if (f < 0 || f >= int(fields_.size()))
            throw noSuchField();
    commitIfPending();
    if (!connection_ || !connection_->isOpen())
        throw closedError();

    // Every value converted first: a record whose value the field cannot
    // take ends the list there, and the records before it are written.
    const size_t width = fields.size();
    std::vector<QVariant> values;
    values.reserve(rows.size() * width);
    size_t count = 0;
    std::exception_ptr refusedValue;
    try {
        for (const int row : rows) {
            if (row < 0 || row >= int(rows_.size()))
                throw noCurrentRecord();
            for (size_t k = 0; k < width; ++k)
                values.push_back(convert(fields[k], value(row, int(k))));
            ++count;
        }
    } catch (...) {
        refusedValue = std::current_exception();
        values.resize(count * width);
    }

    StoreResult result;
    try {
        if (count > 0 && !storeAsSet(fields, rows, count, values, result)) {
            // The engine ends a transaction itself on some failures; then
            // the rows would be written one by one outside it.
            if (inWrite_ && !inTransaction(connection_->database()))
                throw RuntimeError(ErrDbRefused, QStringLiteral("The write was refused and its transaction ended."));
            storeRowByRow(fields, rows, count, values, result);
        }
    } catch (...) {
        if (result.changed && !inWrite_)
            notify();
        throw;
    }
    if (!inWrite_ && (result.changed || !refusedValue))
        notify();
    if (refusedValue)
        std::rethrow_exception(refusedValue);
    if (result.replaced > 0)
        throw RuntimeError(ErrDbChanged,
                           QStringLiteral("%1 of the records were deleted or replaced by another user since they were "
                                          "read; their values were not stored.")
                               .arg(result.replaced));
}

Recordset::Deferred& Recordset::deferredFor(const std::vector<int>& fields)
{
    if (deferred_.empty() || deferred_.back().fields != fields)
        deferred_.push_back(Deferred{fields, {}, {}, {}});
    return deferred_.back();
}

void Recordset::keepOrDefer(const std::vector<int>& fields, int row, const QVariant* values)
{
    Row& r = rows_[size_t(row)];
    if (!inWrite_) {
        keepStored(r, fields, values);
        return;
    }
    Deferred& d = deferredFor(fields);
    d.rowids.push_back(r.rowid);
    d.rows.push_back(row);
    d.values.insert(d.values.end(), values, values + fields.size());
}

void Recordset::beginWrite()
{
    requireOpen();
    if (inWrite_)
        throw RuntimeError(ErrDbRefused, QStringLiteral("A write of the records is already under way."));
    commitIfPending();
    if (!connection_ || !connection_->isOpen())
        throw closedError();
    QSqlQuery q(connection_->database());
    // The write lock at once: a transaction that has read cannot wait for
    // it later (SQLite refuses such an upgrade without waiting).
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        throw refused(q.lastError());
    inWrite_ = true;
    deferred_.clear();
}

void Recordset::endWrite()
{
    inWrite_ = false;
    deferred_.clear();
}

void Recordset::commitWrite()
{
    if (!inWrite_)
        return;
    QSqlError error;
    bool committed = false;
    {
        QSqlQuery q(connection_->database());
        committed = q.exec(QStringLiteral("COMMIT"));
        if (!committed)
            error = q.lastError();
    }
    if (!committed) {
        rollbackWrite();
        throw refused(error);
    }
    bool changed = false;
    for (const Deferred& d : deferred_) {
        const size_t width = d.fields.size();
        for (size_t i = 0; i < d.rows.size(); ++i) {
            int row = d.rows[i];
            // The records stay in their places while the write is under way;
            // a record that moved is found by its slot.
            if (row < 0 || row >= int(rows_.size()) || rows_[size_t(row)].rowid != d.rowids[i]) {
                const auto it = std::find_if(rows_.begin(), rows_.end(),
                                             [&d, i](const Row& r) { return r.rowid == d.rowids[i]; });
                if (it == rows_.end())
                    continue;
                row = int(it - rows_.begin());
            }
            keepStored(rows_[size_t(row)], d.fields, &d.values[i * width]);
            changed = true;
        }
    }
    endWrite();
    if (changed)
        notify();
}

void Recordset::rollbackWrite()
{
    if (!inWrite_)
        return;
    endWrite();
    if (connection_ && connection_->isOpen()) {
        QSqlQuery q(connection_->database());
        q.exec(QStringLiteral("ROLLBACK"));
    }
}

void Recordset::keepStored(Row& r, const std::vector<int>& fields, const QVariant* values)
{
    for (size_t k = 0; k < fields.size(); ++k) {
        r.stored[fields[k]] = toStore(values[k]);
    }
}

bool Recordset::storeAsSet(const std::vector<int>& fields, const std::vector<int>& rows, size_t count,
                           const std::vector<QVariant>& values, StoreResult& result)
{
    // A record listed twice is left to the row-by-row write, where its last
    // value wins.
    std::vector<bool> seen(rows_.size());
    for (size_t i = 0; i < count; ++i) {
        if (seen[size_t(rows[i])])
            return false;
        seen[size_t(rows[i])] = true;
    }
    const QSqlDatabase db = connection_->database();
    static QAtomicInt serial;
    const QString scratchName = QStringLiteral("\"stored values %1\"").arg(serial.fetchAndAddRelaxed(1));
    const QString scratch = QStringLiteral("temp.") + scratchName;
    const size_t width = fields.size();
    QStringList columns{QStringLiteral("rid INTEGER"), QStringLiteral("k")};
    QStringList sets;
    for (size_t k = 0; k < width; ++k) {
        columns << QStringLiteral("v%1").arg(k);
        sets << quoted(fields_[fields[k]].name) + QStringLiteral(" = s.v%1").arg(k);
    }
    const QString target = quoted(table_);
    // The slot still holds the record read: same rowid and, with a key, the
    // same key.
    QString match = target + QStringLiteral(".rowid = s.rid");
    if (key_ >= 0)
        match += QStringLiteral(" AND %1.%2 IS s.k COLLATE BINARY").arg(target, quoted(fields_[key_].name));

    // The whole write is one savepoint: it lands whole or not at all.
    if (!runStatement(db, QStringLiteral("SAVEPOINT \"store fields\"")))
        return false;
    const auto undo = [&db, &scratch] {
        runStatement(db, QStringLiteral("ROLLBACK TO \"store fields\""));
        // Only a savepoint that began the transaction can fail to be
        // released (its release is the commit, which another user's lock
        // can refuse): then the transaction it began ends here.
        if (!runStatement(db, QStringLiteral("RELEASE \"store fields\"")))
            runStatement(db, QStringLiteral("ROLLBACK"));
        runStatement(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(scratch));
    };
    if (!runStatement(db, QStringLiteral("CREATE TEMP TABLE %1 (%2)").arg(scratchName, columns.join(QLatin1String(", "))))) {
        undo();
        return false;
    }
    {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        PreparedStatement insert(db, QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(scratch, marks.join(QLatin1Char(','))));
        if (!insert.ok()) {
            undo();
            return false;
        }
        for (size_t i = 0; i < count; ++i) {
            const Row& r = rows_[size_t(rows[i])];
            insert.bind(0, r.rowid);
            insert.bind(1, key_ >= 0 ? r.stored[key_] : QVariant());
            for (size_t k = 0; k < width; ++k)
                insert.bind(int(k) + 2, toStore(values[i * width + k]));
            if (!insert.exec()) {
                undo();
                return false;
            }
        }
    }
    const QString update = QStringLiteral("UPDATE %1 SET %2 FROM %3 AS s WHERE %4")
                               .arg(target, sets.join(QLatin1String(", ")), scratch, match);
    // Refused: the row-by-row write finds the record it refuses and writes
    // the ones before it.
    const auto runUpdate = [&db, &update](int* changed) {
        QSqlQuery q(db);
        if (!q.exec(update))
            return false;
        if (changed)
            *changed = q.numRowsAffected();
        return true;
    };
    // The records whose slot another user has since emptied or given to a
    // new record are not written: their values belong to nobody now. The
    // update says how many records it found; only when that is fewer than
    // it was given are the missing ones looked for, as the slots stood
    // before it.
    std::vector<qint64> gone;
    int changed = -1;
    if (!runStatement(db, QStringLiteral("SAVEPOINT \"store update\"")) || !runUpdate(&changed)) {
        undo();
        return false;
    }
    if (changed != int(count)) {
        if (!runStatement(db, QStringLiteral("ROLLBACK TO \"store update\""))) {
            undo();
            return false;
        }
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT s.rid FROM %1 AS s WHERE NOT EXISTS (SELECT 1 FROM %2 WHERE %3)")
                        .arg(scratch, target, match))) {
            undo();
            return false;
        }
        while (q.next())
            gone.push_back(q.value(0).toLongLong());
        q.finish();
        if (!runUpdate(nullptr)) {
            undo();
            return false;
        }
    }
    if (!runStatement(db, QStringLiteral("RELEASE \"store update\""))) {
        undo();
        return false;
    }
    // Outside a transaction of the caller's the release is the commit.
    runStatement(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(scratch));
    if (!runStatement(db, QStringLiteral("RELEASE \"store fields\""))) {
        undo();
        return false;
    }
    std::sort(gone.begin(), gone.end());
    if (inWrite_) {
        // Room for what the records take at the commit, at once.
        Deferred& d = deferredFor(fields);
        d.rowids.reserve(d.rowids.size() + count);
        d.rows.reserve(d.rows.size() + count);
        d.values.reserve(d.values.size() + count * width);
    }
    for (size_t i = 0; i < count; ++i) {
        Row& r = rows_[size_t(rows[i])];
        if (std::binary_search(gone.begin(), gone.end(), r.rowid)) {
            ++result.replaced;
            continue;
        }
        keepOrDefer(fields, rows[i], &values[i * width]);
        result.changed = true;
    }
    return true;
}

void Recordset::storeRowByRow(const std::vector<int>& fields, const std::vector<int>& rows, size_t count,
                              const std::vector<QVariant>& values, StoreResult& result)
{
    QStringList sets;
    for (const int f : fields)
        sets << quoted(fields_[f].name) + QStringLiteral(" = ?");
    // A row whose slot another user has since given to a new record (its
    // key differs) is not written: its values belong to that record.
    QString where = QStringLiteral("rowid = ?");
    if (key_ >= 0)
        where += QStringLiteral(" AND %1 IS ? COLLATE BINARY").arg(quoted(fields_[key_].name));
    PreparedStatement q(connection_->database(),
                        QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(quoted(table_), sets.join(QLatin1String(", ")), where));
    if (!q.ok())
        throw refused(q.lastError());
    const size_t width = fields.size();
    const int rowidSlot = int(width);
    for (size_t i = 0; i < count; ++i) {
        Row& r = rows_[size_t(rows[i])];
        for (size_t k = 0; k < width; ++k)
            q.bind(int(k), toStore(values[i * width + k]));
        q.bind(rowidSlot, r.rowid);
        if (key_ >= 0)
            q.bind(rowidSlot + 1, r.stored[key_]);
        if (!q.exec())
            throw refused(q.lastError());
        if (q.rowsAffected() == 0) {
            ++result.replaced;
            continue;
        }
        keepOrDefer(fields, rows[i], &values[i * width]);
        result.changed = true;
    }
}
} // namespace platform
