// The optimistic writer of one record: an edit of the current record, its
// update, cancel and delete, each judged against what the file holds now.
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

QVariant Recordset::convert(int field, const QVariant& v) const
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    const FieldInfo& f = fields_[field];
    const auto bad = [&f, &v]() {
        return RuntimeError(ErrDbValue,
                            QStringLiteral("The value '%1' cannot be stored in the field '%2'.").arg(v.toString(), f.name));
    };
    switch (f.type) {
    case FieldType::Text: {
        // A yes/no as the number it is stored as elsewhere, which reads back
        // as the same yes/no (storedTruth); "true" would read as no.
        QString s = v.typeId() == QMetaType::Bool     ? QString::number(v.toBool() ? -1 : 0)
                    : v.typeId() == QMetaType::Double ? numText(v.toDouble())
                                                      : v.toString();
        if (s.isNull())
            s = QLatin1String("");   // empty text, which is not Null
        if (f.size > 0 && s.size() > f.size)
            throw RuntimeError(ErrDbValue, QStringLiteral("The field '%1' is too small to accept the amount of data "
                                                          "you attempted to add. Try inserting or pasting less data.")
                                               .arg(f.name));
        return s;
    }
    case FieldType::Double:
    case FieldType::Long: {
        double d = 0;
        if (v.typeId() == QMetaType::Bool)
            d = v.toBool() ? -1 : 0;
        else if (isNumber(v))
            d = v.toDouble();
        else if (!tryCdbl(v.toString().trimmed(), d))
            throw bad();
        if (!std::isfinite(d))
            throw bad();
        if (f.type == FieldType::Double)
            return d;
        if (d != std::floor(d) || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max())
            throw bad();
        return int(d);
    }
    case FieldType::Boolean: {
        if (v.typeId() == QMetaType::Bool)
            return v.toBool();
        if (isNumber(v))
            return v.toDouble() != 0;
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true") || s == QLatin1String("yes") || s == QLatin1String("on"))
            return true;
        if (s == QLatin1String("false") || s == QLatin1String("no") || s == QLatin1String("off"))
            return false;
        double d = 0;
        if (tryCdbl(s, d) && std::isfinite(d))
            return d != 0;
        throw bad();
    }
    case FieldType::Other:
        break;
    }
    return v;
}

void Recordset::setValue(int field, const QVariant& value)
{
    requireCurrent();
    if (field < 0 || field >= int(fields_.size()))
        throw noSuchField();
    const QVariant stored = convert(field, value);
    Row& r = rows_[pos_];
    if (!r.dirty) {
        r.pending.assign(fields_.size(), QVariant());
        r.changed.assign(fields_.size(), false);
        r.dirty = true;
    }
    r.pending[field] = stored;
    r.changed[field] = true;
}

void Recordset::setValue(const QString& field, const QVariant& value)
{
    requireCurrent();
    const int i = fieldIndex(field);
    if (i < 0)
        throw noSuchField();
    setValue(i, value);
}

void Recordset::addNew()
{
    requireOpen();
    if (table_.isEmpty())
        throw RuntimeError(ErrDbRefused, QStringLiteral("The recordset cannot be changed."));
    commitIfPending();
    Row r;
    r.isNew = true;
    r.dirty = true;
    r.stored.assign(fields_.size(), QVariant());
    r.pending.assign(fields_.size(), QVariant());
    r.changed.assign(fields_.size(), false);
    rows_.push_back(std::move(r));
    pos_ = int(rows_.size()) - 1;
    notify();
}

bool Recordset::editPending() const
{
    return open_ && pos_ >= 0 && pos_ < int(rows_.size()) && rows_[pos_].dirty;
}

QString Recordset::unchangedCondition(const Row& row, QVariantList& values) const
{
    QString condition = QStringLiteral("rowid = ?");
    values << row.rowid;
    // Text compares exactly, also in a column that ignores case.
    if (key_ >= 0) {
        condition += QStringLiteral(" AND %1 IS ? COLLATE BINARY").arg(quoted(fields_[key_].name));
        values << row.stored[key_];
    }
    if (!row.dirty)
        return condition;
    for (int i = 0; i < int(fields_.size()); ++i) {
        if (!inTable_[i] || i == key_ || !row.changed[i])
            continue;
        condition += QStringLiteral(" AND %1 IS ? COLLATE BINARY").arg(quoted(fields_[i].name));
        values << row.stored[i];
    }
    return condition;
}

std::vector<std::pair<int, QVariant>> Recordset::pendingValues() const
{
    std::vector<std::pair<int, QVariant>> values;
    if (!editPending())
        return values;
    const Row& r = rows_[size_t(pos_)];
    for (int i = 0; i < int(fields_.size()); ++i)
        if (r.changed[i])
            values.emplace_back(i, r.pending[i]);
    return values;
}

namespace {
QString notSavedText(const QStringList& typedTexts)
{
    return QStringLiteral("Not saved: %1.").arg(typedTexts.join(QLatin1String("; ")));
}
} // namespace

QString Recordset::refusedEditText(const RuntimeError& refusal, const QStringList& typedTexts)
{
    QString text = refusal.description();
    if (refusal.number() != ErrDbChanged && !typedTexts.isEmpty())
        text += QStringLiteral("\r\n") + notSavedText(typedTexts);
    return text;
}

QStringList Recordset::pendingTexts() const
{
    QStringList texts;
    if (!editPending())
        return texts;
    const Row& r = rows_[size_t(pos_)];
    for (int i = 0; i < int(fields_.size()); ++i) {
        if (!r.changed[i])
            continue;
        const QVariant& v = r.pending[i];
        QString text;
        if (!v.isValid() || v.isNull())
            text = QStringLiteral("(empty)");
        else if (v.typeId() == QMetaType::Bool)
            text = v.toBool() ? QStringLiteral("YES") : QStringLiteral("NO");
        else if (v.typeId() == QMetaType::Double)
            text = numText(v.toDouble());
        else
            text = v.toString();
        texts << fields_[size_t(i)].name + QStringLiteral(" = ") + text;
    }
    return texts;
}

Recordset::Reread Recordset::reread(Row& row, bool sameKey) const
{
    QStringList columns;
    for (int i = 0; i < int(fields_.size()); ++i)
        if (inTable_[i])
            columns << quoted(fields_[i].name);
    if (columns.isEmpty() || !connection_ || !connection_->isOpen())
        return Reread::Failed;
    QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(columns.join(QLatin1String(", ")), quoted(table_));
    QSqlQuery q(connection_->database());
    const bool byKey = sameKey && key_ >= 0;
    if (byKey)
        sql += QStringLiteral(" AND %1 IS ?").arg(quoted(fields_[key_].name));
    q.prepare(sql);
    q.addBindValue(row.rowid);
    if (byKey)
        q.addBindValue(row.stored[key_]);
    if (!q.exec())
        return Reread::Failed;
    if (!q.next())
        return Reread::Gone;
    for (int i = 0, c = 0; i < int(fields_.size()); ++i) {
        if (!inTable_[i])
            continue;
        row.stored[i] = q.value(c++);
    }
    return Reread::Found;
}

void Recordset::refuseChanged(int index, const QString& description)
{
    Row& r = rows_[index];
    r.dirty = false;
    r.pending.clear();
    r.changed.clear();
    if (reread(r, true) == Reread::Gone) {
        rows_.erase(rows_.begin() + index);
        // The record that followed is current, or the last one when the
        // row that went was the last.
        if (pos_ > index || pos_ >= int(rows_.size()))
            pos_ = std::max(0, std::min(pos_ - (pos_ > index ? 1 : 0), int(rows_.size()) - 1));
    }
    notify();
    throw RuntimeError(ErrDbChanged, description);
}

void Recordset::update()
{
    requireOpen();
    if (!editPending())
        return;
    if (table_.isEmpty())
        throw RuntimeError(ErrDbRefused, QStringLiteral("The recordset cannot be changed."));
    if (!connection_ || !connection_->isOpen())
        throw closedError();
    Row& r = rows_[pos_];
    QSqlDatabase db = connection_->database();
    QStringList names;
    QVariantList values;
    for (int i = 0; i < int(fields_.size()); ++i) {
        if (r.changed[i]) {
            names << quoted(fields_[i].name);
            values << toStore(r.pending[i]);
        }
    }
    QSqlQuery q(db);
    if (r.isNew) {
        if (names.isEmpty()) {
            q.prepare(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table_)));
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(quoted(table_), names.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
        }
    } else if (!names.isEmpty()) {
        QStringList sets;
        for (const QString& n : names)
            sets << n + QStringLiteral(" = ?");
        // Only the record read is written, and only over the values read of
        // the columns it changes.
        const QString condition = unchangedCondition(r, values);
        q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(quoted(table_), sets.join(QLatin1String(", ")), condition));
    } else {
        r.dirty = false;
        return;
    }
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw refused(q.lastError());
    if (!r.isNew && q.numRowsAffected() == 0) {
        q.finish();
        refuseChanged(pos_, QStringLiteral("The record was not saved: another user has changed or deleted it since "
                                           "it was read. It now shows what the database holds. ")
                                + notSavedText(pendingTexts()));
    }
    if (r.isNew)
        r.rowid = q.lastInsertId().toLongLong();
    q.finish();

    // The row shows what it now holds: defaults and numbering of a new row,
    // and each value as stored, which the next write compares against.
    if (reread(r, false) != Reread::Found) {
        for (int i = 0; i < int(fields_.size()); ++i)
            if (r.changed[i]) {
                r.stored[i] = toStore(r.pending[i]);
            }
    }
    r.isNew = false;
    r.dirty = false;
    r.pending.clear();
    r.changed.clear();
    notify();
}

void Recordset::cancelUpdate()
{
    if (!editPending())
        return;
    Row& r = rows_[pos_];
    if (r.isNew) {
        rows_.erase(rows_.begin() + pos_);
        pos_ = rows_.empty() ? 0 : int(rows_.size()) - 1;
    } else {
        r.dirty = false;
        r.pending.clear();
        r.changed.clear();
    }
    notify();
}

void Recordset::deleteCurrent()
{
    requireCurrent();
    if (table_.isEmpty())
        throw RuntimeError(ErrDbRefused, QStringLiteral("The recordset cannot be changed."));
    Row& r = rows_[pos_];
    if (!r.isNew) {
        if (!connection_ || !connection_->isOpen())
            throw closedError();
        QSqlQuery q(connection_->database());
        QVariantList values;
        // Only the record read is deleted, whatever another user changed
        // in it since.
        Row identity;
        identity.rowid = r.rowid;
        identity.stored = r.stored;
        const QString condition = unchangedCondition(identity, values);
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE %2").arg(quoted(table_), condition));
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec())
            throw refused(q.lastError());
        if (q.numRowsAffected() == 0) {
            q.finish();
            refuseChanged(pos_, QStringLiteral("The record was not deleted: another user has deleted it since it was "
                                               "read. The records now show what the database holds."));
        }
    }
    rows_.erase(rows_.begin() + pos_);
    notify();
}
} // namespace platform
