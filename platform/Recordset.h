#pragma once
// The database provider: a connection to one database file (Connection.h)
// and a recordset over a query, with a current record, a pending
// edit that moving off the record commits, and the column rules of the
// table (types, sizes, required values) enforced on every write.
#include "platform/Connection.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace platform {

// Whether a stored value of a yes/no column counts as true, by one rule for
// every type SQLite stores: a number is true when it is not 0; a text is
// true when SQLite reads it as a number that is not 0 (its longest leading
// part that is a number, after blanks); any other text, and every blob, is
// false. Null is false.
bool storedTruth(const QVariant& stored);
// The same rule as an SQL expression over `column` (a quoted column name),
// for a connection this file opened: it calls storedTruth itself, so that a
// query and the values read can never count differently.
QString storedTruthSql(const QString& column);

// Field types as the table declares them.
enum class FieldType { Text, Double, Long, Boolean, Other };

struct FieldInfo {
    QString name;
    FieldType type = FieldType::Other;
    int size = 0;          // maximum characters of a text field, 0 = no limit
    bool required = false; // NOT NULL
};

// A static snapshot of a query's rows. When `table` is given the rows can be
// changed, added and deleted, each change written to that table at once on
// update(). Values are QVariant: an invalid (null) QVariant is Null; text
// fields give QString, Double fields double, Long fields int, Boolean
// fields bool.
//
// Writes are optimistic: a row is written only while its slot still holds
// the record read (same rowid and, with a key field, the same key) and every
// column the write changes still holds the value read (or last written by
// this recordset); a row is deleted only while its slot still holds the
// record read. When another user deleted the record or changed one of those
// columns meanwhile, nothing is written, the pending change is dropped, the
// row is read again (or leaves the snapshot when it is gone) and
// ErrDbChanged is raised, its description naming each value that was not
// written.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Runs `sql` (a SELECT; "[name]" and `name` quoting both work) and keeps
    // its rows; the first row becomes current. With `table`, the SELECT
    // must read that one table so that each row can be written back.
    // `keyField`, when given, is a column of the query whose values are never
    // handed out twice: a row whose slot in the table now holds another key
    // is a row that was deleted, not one that was changed.
    void open(std::shared_ptr<Connection> connection, const QString& sql, const QString& table = {},
              const QString& keyField = {});
    // Reads the rows again with the same query, in the order of the last
    // sortBy when there was one, staying on the record that was current when
    // it is still there. A pending edit is committed first.
    void requery();
    void close();
    bool isOpen() const;

    int recordCount() const;
    int fieldCount() const;
    QString fieldName(int index) const;
    FieldInfo fieldInfo(int index) const;
    int fieldIndex(const QString& name) const;   // case-insensitive; -1 when absent

    // Position: 0 .. recordCount()-1 on a record; bof()/eof() before the
    // first / after the last. Every move first commits a pending edit; when
    // that commit fails it raises and the position stays.
    bool bof() const;
    bool eof() const;
    int position() const;
    void moveFirst();
    void moveLast();
    void moveNext();
    void move(int count);     // relative to the current record
    void moveTo(int row);

    // The current record's values, a pending change included.
    QVariant value(const QString& field) const;
    QVariant value(int field) const;
    // Any record's committed or pending value, without moving.
    QVariant valueAt(int row, int field) const;
    // Any record's value as a yes/no by storedTruth, whatever type the table
    // declares the field with (Null is false).
    bool truthAt(int row, int field) const;

    // Fields that hold yes/no values whatever type the table declares them
    // with (a file made by another tool may declare them TEXT, or give no
    // type): they read as Booleans by storedTruth, show, sort and take values
    // as a Boolean field does, and a Boolean is stored as -1 / 0. Names
    // without regard to case; kept for every later open and requery.
    void setYesNoFields(const QStringList& names);

    // Starts (or continues) an edit of the current record. The value is
    // converted to the field's type as the database would: text into a
    // number field must read as a number ("." decimal), "-1"/"0",
    // "True"/"False", "Yes"/"No" into a Boolean; a text longer than the
    // field raises. Null is taken here and refused on update() for a
    // required field.
    void setValue(const QString& field, const QVariant& value);
    void setValue(int field, const QVariant& value);

    // Appends a new record and makes it current; it is written on update()
    // (or when moving off it). Fields not set take the table's defaults.
    void addNew();
    // Writes the pending change of the current record; nothing when there is
    // none. When the database refuses it, the change stays pending and
    // RuntimeError is raised; when another user changed or deleted the row,
    // see above (ErrDbChanged, the change is dropped).
    void update();
    // Drops the pending change (a new record that was never written goes).
    void cancelUpdate();
    bool editPending() const;

    // Deletes the current record from the table at once; the record that
    // followed becomes current (eof() when it was the last). A row that
    // another user changed or deleted is not deleted (ErrDbChanged).
    void deleteCurrent();

    // Reorders the rows by one field (Nulls first, text without regard to
    // case, ties in their present order) and moves to the first record.
    void sortBy(const QString& field, bool descending);

    // Writes new values of some fields into many existing records at once,
    // for a command that computes columns of a whole table: the values go
    // into a scratch table and one UPDATE writes them all, and the records
    // keep the values as their own (inside beginWrite .. commitWrite, once
    // the commit has succeeded). `value(row, k)` is the new value of fields[k] for
    // the record at position `row`, converted as setValue converts it. A
    // pending edit is committed first. On a refusal the records written
    // before it keep their new values and RuntimeError is raised. A record
    // whose slot another user emptied or gave to a new record since it was
    // read is not written; ErrDbChanged says how many. Views are told once,
    // at the end.
    void storeFields(const std::vector<int>& fields, const std::vector<int>& rows,
                     const std::function<QVariant(int row, int k)>& value);

    // One write transaction of the file for a command that reads and writes
    // many records: beginWrite commits a pending edit, then takes the
    // file's write lock at once (BEGIN IMMEDIATE), waiting for another
    // user's lock as long as a single write does; it raises when the lock
    // cannot be had. Until the commit, what storeFields writes is in the
    // transaction only: the records take their new values when commitWrite
    // has committed them. A commit the database refuses is rolled back and
    // raised (ErrDbRefused); rollbackWrite ends the transaction without
    // writing. Either way the records keep the values read, which are then
    // again what the file holds.
    void beginWrite();
    void commitWrite();
    void rollbackWrite();
    bool inWrite() const { return inWrite_; }

    // The values of the current record's pending edit, as "field = value"
    // texts in field order (empty when none is pending).
    QStringList pendingTexts() const;
    // The same as (field, value) pairs, each value as setValue took it.
    std::vector<std::pair<int, QVariant>> pendingValues() const;
    // What to tell the user of an edit the update refused: the refusal's
    // description, followed by the values typed (pendingTexts taken before
    // the update) unless the refusal already names them, as the refusal of
    // a record another user changed does.
    static QString refusedEditText(const RuntimeError& refusal, const QStringList& typedTexts);

    // Called after every change of the rows that a view must show again
    // (open, close, a written update, an added, deleted or dropped record, a
    // sort); not on setValue, whose caller knows what it changed. It can come
    // while a view is editing, so a view should refresh without resetting.
    void setChangeListener(std::function<void()> listener);

private:
    struct Row {
        qint64 rowid = -1;
        // As the table held them when read or last written; a value shows as
        // its field's type gives it (fromStore).
        std::vector<QVariant> stored;
        std::vector<QVariant> pending;
        std::vector<bool> changed;
        bool isNew = false;
        bool dirty = false;
    };
    void requireOpen() const;
    void requireCurrent() const;
    void commitIfPending();
    QVariant convert(int field, const QVariant& value) const;
    // "rowid = ? [AND <key> IS ?] [AND <each changed column> IS ?]" with
    // its values: the record read is still in its slot, and each column the
    // write changes (none for a delete) holds what was read.
    QString unchangedCondition(const Row& row, QVariantList& values) const;
    // Runs the query and reads its rows into the recordset.
    void readRows(const std::shared_ptr<Connection>& connection, const QString& sql, const QString& table,
                  const QString& keyField);
    // Values storeFields wrote inside a write transaction, for the records
    // to take once it commits.
    struct Deferred {
        std::vector<int> fields;
        std::vector<qint64> rowids;
        std::vector<int> rows;
        std::vector<QVariant> values;   // rows.size() times fields.size()
    };
    // The last entry when it holds these fields, otherwise a new one.
    Deferred& deferredFor(const std::vector<int>& fields);
    void keepOrDefer(const std::vector<int>& fields, int row, const QVariant* values);
    void endWrite();
    enum class Reread { Found, Gone, Failed };
    // Reads the row's table columns as they are stored now; with `sameKey`
    // only while its slot still holds the key it was read with.
    Reread reread(Row& row, bool sameKey) const;
    // Another user changed or deleted the row at `index`: drops its pending
    // change, shows it as stored (or drops it when it is gone) and raises.
    [[noreturn]] void refuseChanged(int index, const QString& description);
    // What a write of many records did.
    struct StoreResult {
        bool changed = false;
        int replaced = 0;
    };
    // The first `count` listed records with their converted values (`count`
    // times fields.size(), record by record): all with one UPDATE, false
    // (nothing written) when the database refuses it; or one UPDATE run
    // per record, raising the database's refusal.
    bool storeAsSet(const std::vector<int>& fields, const std::vector<int>& rows, size_t count,
                    const std::vector<QVariant>& values, StoreResult& result);
    void storeRowByRow(const std::vector<int>& fields, const std::vector<int>& rows, size_t count,
                       const std::vector<QVariant>& values, StoreResult& result);
    // The record holds these values of the fields, as written.
    static void keepStored(Row& r, const std::vector<int>& fields, const QVariant* values);
    void notify();

    std::shared_ptr<Connection> connection_;
    QString table_;
    std::vector<FieldInfo> fields_;
    std::vector<bool> inTable_;   // the field is a column of table_
    int key_ = -1;
    QString sql_;
    QString keyField_;
    int sortField_ = -1;
    bool sortDescending_ = false;
    bool inWrite_ = false;
    std::vector<Deferred> deferred_;
    std::vector<Row> rows_;
    std::vector<Row> spare_;   // the records of the read before, to read into
    int pos_ = -1;
    bool open_ = false;
    std::function<void()> listener_;
    QStringList yesNoFields_;
};

} // namespace platform
