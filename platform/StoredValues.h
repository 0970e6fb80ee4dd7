#pragma once
// What the database layer's parts share: how values are stored and read
// back (types, Booleans, order), the provider's errors, and the function
// that gives every connection the one yes/no rule in SQL.
#include "platform/Recordset.h"
#include "platform/Errors.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>

namespace platform::store {

RuntimeError closedError();
RuntimeError noSuchField();
RuntimeError noCurrentRecord();
// The database's refusal in words a person can act on.
RuntimeError refused(const QSqlError& error);
// A column or table name quoted for SQL.
QString quoted(const QString& name);
// The field type a declared column type gives, and its size for text.
FieldType typeOf(const QString& declared, int& size);
// A stored value as the field's type gives it.
QVariant fromStore(FieldType type, const QVariant& v);
// A value as it is stored: Booleans as -1 / 0.
QVariant toStore(const QVariant& v);
bool isNumber(const QVariant& v);
// Orders two values of one field: Null first, numbers by value, text
// without regard to case, Booleans by their stored value (true is -1).
int compareValues(const QVariant& a, const QVariant& b);
// Makes storedTruthSql's function known to an open connection.
bool addStoredTruthFunction(const QSqlDatabase& db);

} // namespace platform::store
