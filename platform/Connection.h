#pragma once
// A connection to one database file (SQLite through Qt SQL), and the
// provider's error numbers.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace platform {

class RuntimeError;

// Error numbers of the provider (raised as RuntimeError).
enum DbErrorNumber {
    ErrDbClosed = 3704,        // the connection or recordset is not open
    ErrDbNoCurrentRecord = 3021,
    ErrDbOpen = 3051,          // the file cannot be opened as a database
    ErrDbField = 3265,         // no such field
    ErrDbValue = 3421,         // a value the field's type cannot take
    ErrDbRefused = 3315,       // the database refused the write (required value, empty text, ...)
    ErrDbChanged = 3197,       // another user changed or deleted the record since it was read
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    enum class Mode { ReadWrite, ReadOnly };
    // Opens an existing database file. Never creates one: a missing file, a
    // folder or a file that is not a database raises RuntimeError.
    void open(const QString& path, Mode mode = Mode::ReadWrite);
    // Creates a new, empty database file and opens it; an existing file is
    // refused (RuntimeError).
    void create(const QString& path);
    void close();
    bool isOpen() const;
    QString path() const { return path_; }

    // Runs one statement that returns no rows (RuntimeError on failure).
    void execute(const QString& sql);
    // The names of the file's tables, system tables of the engine excluded,
    // in the order the database lists them.
    QStringList tables() const;

    QSqlDatabase database() const;

private:
    // Registers and opens a Qt connection to `path` and runs the statements;
    // on failure nothing stays registered and `error` says why.
    bool attach(const QString& path, const QStringList& firstStatements, bool readOnly, QString* error = nullptr);

    QString name_;
    QString path_;
};

} // namespace platform
