// Writes of the study grid that cannot land: a study that another program
// changed or deleted since the window read it, and a database that refuses
// every change. Nothing is written over another user's study, and a refused
// edit is dropped once, with its message, instead of coming back on every
// later move or command.
#include "MetDataTestSupport.h"
#include "meandiff/frmMain.h"
#include "metadb/StudyTable.h"

#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <iostream>

using namespace metdatatest;

namespace {

class MetDataSharing : public MetDataTest {
protected:
    void SetUp() override
    {
        MetDataTest::SetUp();
        openWindow();
        start();
    }
    void TearDown() override
    {
        closeWindow();
        other.reset();
        if (!file.isEmpty())
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        MetDataTest::TearDown();
    }

    // A new database with the studies A, B and C (numbers 1 to 3), opened
    // in the window and by another user.
    void start(bool readOnly = false)
    {
        file = path(QStringLiteral("shared%1.met").arg(++files).toLatin1().constData());
        metadb::createStudyDatabase(file);
        other = std::make_shared<platform::Connection>();
        other->open(file);
        for (const char* name : {"A", "B", "C"})
            other->execute(QStringLiteral("INSERT INTO data (\"Study Name\", \"Cohen's D\", \"Total N\") VALUES "
                                          "('%1', %2, 40)")
                               .arg(QLatin1String(name))
                               .arg(0.2 + 0.1 * (name[0] - 'A')));
        if (readOnly)
            QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        openThroughWindow(file);
        ASSERT_EQ(gridRows(), 3);
    }
    QVariant stored(const QString& sql)
    {
        const QList<QVariantList> rows = query(file, sql);
        return rows.isEmpty() ? QVariant() : rows[0][0];
    }
    QString storedStudies()
    {
        return stored(QStringLiteral("SELECT group_concat(\"Study ID\" || ':' || \"Study Name\" || ':' || "
                                     "quote(\"N 1\") || ':' || \"Include\", ' ') FROM "
                                     "(SELECT * FROM data ORDER BY \"Study ID\")"))
            .toString();
    }
    QStringList gridNames()
    {
        QStringList out;
        for (int r = 0; r < gridRows(); ++r)
            out << cell(r, column("Study Name"));
        return out;
    }
    void moveTo(int row) { grid()->setCurrentIndex(grid()->model()->index(row, column("Study Name"))); }

    QString file;
    int files = 0;
    std::shared_ptr<platform::Connection> other;
};

TEST_F(MetDataSharing, AStudyAnotherUserReplacedIsNeitherDeletedNorOverwritten)
{
    enum class Action { DeleteButton, CellEditAndRowMove, CellEditAndSave };
    for (const Action action : {Action::DeleteButton, Action::CellEditAndRowMove, Action::CellEditAndSave}) {
        SCOPED_TRACE(int(action));
        if (action != Action::DeleteButton)
            start();
        const qint64 slotOfC = stored(QStringLiteral("SELECT rowid FROM data WHERE \"Study Name\" = 'C'")).toLongLong();
        // The other program deletes C and adds D, which takes C's row.
        other->execute(QStringLiteral("DELETE FROM data WHERE \"Study Name\" = 'C'"));
        other->execute(QStringLiteral("INSERT INTO data (\"Study Name\", \"N 1\") VALUES ('D', 40)"));
        ASSERT_EQ(stored(QStringLiteral("SELECT rowid FROM data WHERE \"Study Name\" = 'D'")).toLongLong(), slotOfC);

        // This window still shows C.
        moveTo(2);
        ASSERT_EQ(cell(2, column("Study Name")), QStringLiteral("C"));
        testkit::MsgBoxScript msgs;
        switch (action) {
        case Action::DeleteButton:
            click("cmdDelete");
            break;
        case Action::CellEditAndRowMove:
            ASSERT_TRUE(edit(2, column("N 1"), QStringLiteral("12")));
            moveTo(0);
            break;
        case Action::CellEditAndSave:
            ASSERT_TRUE(edit(2, column("Include"), QStringLiteral("NO")));
            click("cmdSave");
            break;
        }
        ASSERT_EQ(msgs.count(), 1) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
        EXPECT_TRUE(msgs.shown()[0].text.contains(QStringLiteral("another user"))) << msgs.shown()[0].text.toStdString();
        EXPECT_EQ(storedStudies(), QStringLiteral("1:A:NULL:-1 2:B:NULL:-1 4:D:40.0:-1"));
        // C is gone from the grid, and nothing is left to write.
        EXPECT_EQ(gridNames(), (QStringList{"A", "B"}));
        EXPECT_FALSE(w->StudyRecordset()->editPending());
        msgs.clear();
        moveTo(0);
        click("cmdSave");
        EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }
}

TEST_F(MetDataSharing, TheOverwriteImportDoesNotLandOnAStudyAnotherUserReplaced)
{
    auto main = std::make_unique<tarvoss::frmMain>();
    main->show();
    testkit::find<QLineEdit>(main.get(), QStringLiteral("TxtID"))->setText(QStringLiteral("Imported"));
    other->execute(QStringLiteral("DELETE FROM data WHERE \"Study Name\" = 'C'"));
    other->execute(QStringLiteral("INSERT INTO data (\"Study Name\", \"N 1\") VALUES ('D', 40)"));
    moveTo(2);
    {
        // Yes to the overwrite question, then the refusal.
        testkit::MsgBoxScript msgs;
        click("cmdAdd");
        ASSERT_EQ(msgs.count(), 2) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
        EXPECT_TRUE(msgs.shown()[1].text.contains(QStringLiteral("another user")));
    }
    EXPECT_EQ(storedStudies(), QStringLiteral("1:A:NULL:-1 2:B:NULL:-1 4:D:40.0:-1"));
    EXPECT_EQ(gridNames(), (QStringList{"A", "B"}));
    EXPECT_FALSE(w->StudyRecordset()->editPending());
    closeWindow();
}

TEST_F(MetDataSharing, AStudyAnotherUserChangedIsRefusedOnceAndShownAsStored)
{
    other->execute(QStringLiteral("UPDATE data SET \"N 1\" = 40 WHERE \"Study Name\" = 'B'"));
    {
        testkit::MsgBoxScript msgs;
        ASSERT_TRUE(edit(1, column("N 1"), QStringLiteral("12")));
        moveTo(2);
        ASSERT_EQ(msgs.count(), 1);
        // What was typed is named, so that nothing typed is lost unseen.
        EXPECT_TRUE(msgs.shown()[0].text.contains(QStringLiteral("N 1 = 12"))) << msgs.shown()[0].text.toStdString();
    }
    EXPECT_EQ(storedStudies(), QStringLiteral("1:A:NULL:-1 2:B:40.0:-1 3:C:NULL:-1"));
    EXPECT_EQ(cell(1, column("N 1")), QStringLiteral("40"));
    EXPECT_EQ(w->StudyRecordset()->position(), 1);

    // Now that the window shows B as stored, the same edit and a delete go through.
    {
        testkit::MsgBoxScript msgs;
        ASSERT_TRUE(edit(1, column("N 1"), QStringLiteral("12")));
        moveTo(2);
        moveTo(0);
        click("cmdDelete");
        EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }
    EXPECT_EQ(storedStudies(), QStringLiteral("2:B:12.0:-1 3:C:NULL:-1"));
}

// Another user's run rewrites only the four result columns of every study:
// this window's edits, Include toggles, imports and deletes of those
// studies go through, each over the other user's results.
TEST_F(MetDataSharing, AnotherUsersRunBlocksNoEditOfTheStudies)
{
    auto main = std::make_unique<tarvoss::frmMain>();
    main->show();
    testkit::find<QLineEdit>(main.get(), QStringLiteral("TxtID"))->setText(QStringLiteral("Imported"));
    other->execute(QStringLiteral("UPDATE data SET \"Z Score Of d\" = 1.5, \"Z Score Of g\" = 1.25, "
                                  "\"% Of Weight (d)\" = 33, \"% Of Weight (g)\" = 33"));
    testkit::MsgBoxScript msgs({platform::MsgResult::Yes});
    ASSERT_TRUE(edit(0, column("N 1"), QStringLiteral("12")));
    moveTo(1);
    ASSERT_TRUE(edit(1, column("Include"), QStringLiteral("NO")));
    click("cmdSave");
    moveTo(2);
    click("cmdAdd");   // Yes to the overwrite question
    moveTo(0);
    click("cmdDelete");
    ASSERT_EQ(msgs.count(), 1) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("Overwriting Record"));
    EXPECT_EQ(storedStudies(), QStringLiteral("2:B:NULL:0 3:Imported:NULL:-1"));
    EXPECT_EQ(stored(QStringLiteral("SELECT group_concat(\"Z Score Of d\", ' ') FROM data")).toString(),
              QStringLiteral("1.5 1.5"));
    closeWindow();
}

// Closing the window with an edit that cannot be stored asks what becomes
// of it: save it again, close without it, or stay with it. Staying keeps
// what was typed as an edit of the study as now stored, which the next
// close stores without a question.
TEST_F(MetDataSharing, ClosingWithAnEditThatCannotBeStoredAsks)
{
    using platform::MsgResult;
    enum class Cause { ChangedByAnother, Locked, Deleted };
    struct Case {
        const char* what;
        Cause cause;
        MsgResult answer;
        bool closed;     // by the answer
        QString n1;      // N 1 of B in the file once the window is closed
    };
    const Case cases[] = {
        {"changed: save again", Cause::ChangedByAnother, MsgResult::Yes, true, QStringLiteral("12.0")},
        {"changed: close without it", Cause::ChangedByAnother, MsgResult::No, true, QStringLiteral("40.0")},
        {"changed: stay", Cause::ChangedByAnother, MsgResult::Cancel, false, QStringLiteral("12.0")},
        {"locked: stay", Cause::Locked, MsgResult::Cancel, false, QStringLiteral("12.0")},
        {"deleted: stay", Cause::Deleted, MsgResult::Cancel, false, QString()},
        {"deleted: close", Cause::Deleted, MsgResult::OK, true, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!metadb::metDataWindow())
            openWindow();
        start();
        QSqlQuery lock(other->database());
        switch (c.cause) {
        case Cause::ChangedByAnother:
            other->execute(QStringLiteral("UPDATE data SET \"N 1\" = 40 WHERE \"Study Name\" = 'B'"));
            break;
        case Cause::Locked:
            ASSERT_TRUE(QSqlQuery(windowConnection(file, *other)).exec(QStringLiteral("PRAGMA busy_timeout = 50")));
            ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
            break;
        case Cause::Deleted:
            other->execute(QStringLiteral("DELETE FROM data WHERE \"Study Name\" = 'B'"));
            break;
        }
        ASSERT_TRUE(edit(1, column("N 1"), QStringLiteral("12")));
        {
            testkit::MsgBoxScript msgs({c.answer});
            w->close();
            testkit::settle();
            ASSERT_EQ(msgs.count(), 1);
            EXPECT_TRUE(msgs.shown()[0].text.contains(QStringLiteral("N 1 = 12"))) << msgs.shown()[0].text.toStdString();
        }
        EXPECT_EQ(metadb::metDataWindow() == nullptr, c.closed);
        if (!c.closed) {
            ASSERT_TRUE(metadb::metDataWindow());
            if (c.cause != Cause::Deleted) {
                EXPECT_TRUE(w->StudyRecordset()->editPending());
                EXPECT_EQ(cell(1, column("N 1")), QStringLiteral("12"));
            }
            if (c.cause == Cause::Locked) {
                ASSERT_TRUE(lock.exec(QStringLiteral("COMMIT")));
            }
            testkit::MsgBoxScript msgs;
            w->close();
            testkit::settle();
            EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
            EXPECT_FALSE(metadb::metDataWindow());
        }
        if (!c.n1.isEmpty()) {
            EXPECT_EQ(stored(QStringLiteral("SELECT quote(\"N 1\") FROM data WHERE \"Study Name\" = 'B'")).toString(),
                      c.n1);
        }
    }
}

// A run whose results the file refuses (another user reads it in a
// transaction) leaves the grid as the file is: the next edit lands.
TEST_F(MetDataSharing, ARunTheFileRefusesLeavesTheGridAsTheFileIs)
{
    ASSERT_TRUE(QSqlQuery(windowConnection(file, *other)).exec(QStringLiteral("PRAGMA busy_timeout = 100")));
    other->execute(QStringLiteral("UPDATE data SET \"Z Score Of d\" = 9"));
    QSqlQuery reader(other->database());
    ASSERT_TRUE(reader.exec(QStringLiteral("BEGIN")));
    ASSERT_TRUE(reader.exec(QStringLiteral("SELECT count(*) FROM data")));
    ASSERT_TRUE(reader.next());
    {
        testkit::MsgBoxScript msgs;
        click("cmdSummary");
        EXPECT_GE(msgs.count(), 1);
    }
    reader.finish();
    ASSERT_TRUE(reader.exec(QStringLiteral("COMMIT")));
    testkit::settle();
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(cell(r, column("Z Score Of d")), QStringLiteral("9")) << r;
    testkit::MsgBoxScript msgs;
    ASSERT_TRUE(edit(0, column("SD 2"), QStringLiteral("3.5")));
    moveTo(1);
    EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(stored(QStringLiteral("SELECT \"SD 2\" FROM data WHERE \"Study Name\" = 'A'")).toDouble(), 3.5);
}

TEST_F(MetDataSharing, AnEditTheDatabaseRefusesIsDroppedWithItsMessage)
{
    enum class Refusal { Trigger, ReadOnlyFile };
    for (const Refusal refusal : {Refusal::Trigger, Refusal::ReadOnlyFile}) {
        SCOPED_TRACE(int(refusal));
        QString why;
        if (refusal == Refusal::Trigger) {
            other->execute(QStringLiteral("CREATE TRIGGER frozen BEFORE UPDATE ON data BEGIN "
                                          "SELECT RAISE(ABORT, 'The studies are frozen.'); END"));
            why = QStringLiteral("The studies are frozen.");
        } else {
            start(true);
            // Permissions do not hold back a superuser.
            QFile probe(file);
            if (probe.open(QIODevice::ReadWrite)) {
                std::cout << "[ SKIPPED  ] the read-only file: permissions do not stop this user's writes\n";
                continue;
            }
            why = QStringLiteral("readonly");
        }
        ASSERT_TRUE(edit(0, column("N 1"), QStringLiteral("5")));
        {
            testkit::MsgBoxScript msgs;
            moveTo(1);
            ASSERT_EQ(msgs.count(), 1);
            EXPECT_TRUE(msgs.shown()[0].text.contains(why)) << msgs.shown()[0].text.toStdString();
            // The value dropped is named.
            EXPECT_TRUE(msgs.shown()[0].text.contains(QStringLiteral("N 1 = 5"))) << msgs.shown()[0].text.toStdString();
        }
        EXPECT_FALSE(w->StudyRecordset()->editPending());
        EXPECT_EQ(cell(0, column("N 1")), QString());
        // Moves, a sort, the save command and the other commands meet no edit.
        {
            testkit::MsgBoxScript msgs;
            moveTo(2);
            w->grdDataGrid_HeadClick(column("Study Name"));
            moveTo(1);
            click("cmdSave");
            moveTo(2);
            EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
        }
        EXPECT_EQ(storedStudies(), QStringLiteral("1:A:NULL:-1 2:B:NULL:-1 3:C:NULL:-1"));
    }
}

// The grid over a database opened read-only, which refuses writes whoever
// runs the program.
TEST_F(MetDataSharing, TheGridDropsAnEditOfAReadOnlyDatabase)
{
    auto readOnly = std::make_shared<platform::Connection>();
    readOnly->open(file, platform::Connection::Mode::ReadOnly);
    platform::Recordset rs;
    rs.open(readOnly, metadb::studySql(), QStringLiteral("data"), QStringLiteral("Study ID"));
    metadb::StudyGrid view;
    QStringList errors;
    view.studyModel()->onError = [&errors](const QString& e) { errors << e; };
    view.studyModel()->bind(&rs);
    view.show();
    const int n1 = rs.fieldIndex(QStringLiteral("N 1"));
    auto at = [&view](int row, int column) { return view.model()->index(row, column); };

    view.setCurrentIndex(at(0, n1));
    ASSERT_TRUE(view.model()->setData(at(0, n1), QStringLiteral("5"), Qt::EditRole));
    view.setCurrentIndex(at(1, n1));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("readonly"))) << errors[0].toStdString();
    EXPECT_FALSE(rs.editPending());
    EXPECT_EQ(rs.position(), 0);
    EXPECT_EQ(view.model()->data(at(0, n1), Qt::DisplayRole).toString(), QString());
    // Nothing comes back on the next moves; an edit of another row that
    // leaves the current one meets nothing either.
    view.setCurrentIndex(at(1, n1));
    view.setCurrentIndex(at(2, n1));
    EXPECT_EQ(errors.size(), 1);
    view.studyModel()->bind(nullptr);
}

TEST_F(MetDataSharing, AResultTheDatabaseRefusesDuringARunIsNotLeftPending)
{
    other->execute(QStringLiteral("CREATE TRIGGER frozen BEFORE UPDATE ON data BEGIN "
                                  "SELECT RAISE(ABORT, 'The studies are frozen.'); END"));
    {
        testkit::MsgBoxScript msgs;
        click("cmdSummary");
        EXPECT_GE(msgs.count(), 1);
    }
    EXPECT_FALSE(w->StudyRecordset()->editPending());
    testkit::MsgBoxScript msgs;
    moveTo(1);
    moveTo(2);
    click("cmdSave");
    EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
}

} // namespace
