#pragma once
// Shared set-up of the study database window tests: a private folder, the
// program's identity, the window driven by objectName, and plain SQL reads
// of the database file.
#include "metadb/frmMetData.h"
#include "metadb/StudyGridModel.h"
#include "platform/AppInfo.h"
#include "platform/Recordset.h"
#include "testkit/QtTestKit.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUuid>
#include <QVariant>

namespace metdatatest {

// Rows of a plain SQL query on a database file, each row its values.
inline QList<QVariantList> query(const QString& file, const QString& sql)
{
    QList<QVariantList> rows;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql))
                while (q.next()) {
                    QVariantList row;
                    for (int i = 0; i < q.record().count(); ++i)
                        row << q.value(i);
                    rows << row;
                }
            else
                ADD_FAILURE() << "query failed: " << sql.toStdString();
        } else {
            ADD_FAILURE() << "cannot open " << file.toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

// The window's own connection to `file`: the open one that is not `other`.
inline QSqlDatabase windowConnection(const QString& file, const platform::Connection& other)
{
    const QString others = other.database().connectionName();
    for (const QString& name : testkit::openConnectionsTo(file))
        if (name != others)
            return QSqlDatabase::database(name, false);
    ADD_FAILURE() << "the window has no connection to " << file.toStdString();
    return {};
}

inline QByteArray bytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class MetDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
        platform::setCommandArguments({});
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override
    {
        closeWindow();
        platform::setCommandArguments({});
    }

    metadb::frmMetData* openWindow()
    {
        w = metadb::showMetData();
        testkit::settle();
        return w;
    }
    void closeWindow()
    {
        if (metadb::metDataWindow())
            metadb::metDataWindow()->close();
        testkit::settle();
        w = nullptr;
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    void click(const char* button) { testkit::find<QPushButton>(w, QString::fromLatin1(button))->click(); }
    void trigger(const char* action) { testkit::findAction(w, QString::fromLatin1(action))->trigger(); }

    // Creates a database through the window's command.
    void createThroughWindow(const QString& file)
    {
        testkit::FileDialogScript dialogs({file});
        testkit::MsgBoxScript msgs;
        click("cmdNewDB");
        ASSERT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }
    // Opens a database through the Open command.
    void openThroughWindow(const QString& file)
    {
        testkit::FileDialogScript dialogs({file});
        testkit::MsgBoxScript msgs;
        click("cmdOpenDB");
        ASSERT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }

    metadb::StudyGrid* grid() { return testkit::find<metadb::StudyGrid>(w, QStringLiteral("grdDataGrid")); }
    bool gridShown() { return !grid()->isHidden(); }
    QString panel(int n) { return testkit::text(w, QStringLiteral("Panels(%1)").arg(n)); }
    // The text a grid cell shows, by row and column position.
    QString cell(int row, int column)
    {
        auto* m = grid()->model();
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    }
    int gridRows() { return grid()->model()->rowCount(); }
    // Types a value into a grid cell as an edit of that record.
    bool edit(int row, int column, const QString& value)
    {
        grid()->setCurrentIndex(grid()->model()->index(row, column));
        return grid()->model()->setData(grid()->model()->index(row, column), value, Qt::EditRole);
    }
    int column(const char* field) { return w->StudyRecordset()->fieldIndex(QString::fromLatin1(field)); }

    QTemporaryDir dir;
    metadb::frmMetData* w = nullptr;
};

} // namespace metdatatest
