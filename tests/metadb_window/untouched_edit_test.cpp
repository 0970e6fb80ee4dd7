// A grid cell's editor opened and closed with Enter without a change writes
// nothing: not a number shown with fewer digits than it has, not a value
// another user has changed meanwhile, not a text longer than its column
// allows. An editor starts from every digit of its number, so that a number
// typed is the number stored.
#include "MetDataTestSupport.h"
#include "metadb/StudyTable.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace metdatatest;

namespace {

class MetDataUntouched : public MetDataTest {
protected:
    void SetUp() override
    {
        MetDataTest::SetUp();
        file = path("untouched.met");
        metadb::createStudyDatabase(file);
        other = std::make_shared<platform::Connection>();
        other->open(file);
        // As another tool writes them, past this program's own checks.
        other->execute(QStringLiteral("PRAGMA ignore_check_constraints = 1"));
        other->execute(QStringLiteral(
            "INSERT INTO data (\"Study Name\", \"SD 1\", \"N 1\", \"Assessment Details\") VALUES "
            "('A', 11.905222543052886, 0.1, 'short'), ('B', 0.30000000000000004, 20, 'short'), "
            "('C', 123456789.12345679, 1e-320, substr(hex(zeroblob(%1)), 1, %1))")
                           .arg(longText));
        openWindow();
        openThroughWindow(file);
        ASSERT_EQ(gridRows(), 3);
        w->activateWindow();
    }
    void TearDown() override
    {
        closeWindow();
        other.reset();
        MetDataTest::TearDown();
    }

    // Opens the editor of a cell as a double click does; its text.
    QLineEdit* openEditor(int row, const char* field)
    {
        testkit::settle();   // editors closed before are gone
        const QModelIndex index = grid()->model()->index(row, column(field));
        grid()->setCurrentIndex(index);
        grid()->edit(index);
        testkit::settle();
        if (auto* e = qobject_cast<QLineEdit*>(QApplication::focusWidget()); e && grid()->viewport()->isAncestorOf(e))
            return e;
        ADD_FAILURE() << "no editor on " << field;
        return nullptr;
    }
    void pressEnter(QLineEdit* editor)
    {
        QTest::keyClick(editor, Qt::Key_Return);
        testkit::settle();
    }

    static constexpr int longText = 1 << 20;
    QString file;
    std::shared_ptr<platform::Connection> other;
};

} // namespace

TEST_F(MetDataUntouched, EnterInAnUntouchedEditorWritesNothing)
{
    // Another user changes B's SD 1 after the window read it.
    other->execute(QStringLiteral("UPDATE data SET \"SD 1\" = 1.5 WHERE \"Study Name\" = 'B'"));
    const QByteArray before = bytes(file);
    testkit::MsgBoxScript msgs;
    const struct {
        int row;
        const char* field;
        QString starts;   // the editor's text; null: the whole long text
    } cells[] = {
        {0, "SD 1", QStringLiteral("11.905222543052886")},
        {0, "N 1", QStringLiteral("0.1")},
        {1, "SD 1", QStringLiteral("0.30000000000000004")},
        {1, "Include", QStringLiteral("YES")},
        {2, "SD 1", QStringLiteral("123456789.12345679")},
        {2, "N 1", QStringLiteral("0.") + QString(319, QLatin1Char('0')) + QLatin1Char('1')},
        {2, "Assessment Details", QString()},
        {0, "Study Name", QStringLiteral("A")},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.field);
        QLineEdit* editor = openEditor(c.row, c.field);
        ASSERT_TRUE(editor);
        if (!c.starts.isNull())
            EXPECT_EQ(editor->text(), c.starts);
        else
            EXPECT_EQ(editor->text().size(), longText);
        pressEnter(editor);
        EXPECT_FALSE(w->StudyRecordset()->editPending());
    }
    // Leaving the rows, and a command that commits, write nothing either.
    grid()->setCurrentIndex(grid()->model()->index(1, column("Study Name")));
    click("cmdSave");
    EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(bytes(file) == before) << "the file was written";
}

TEST_F(MetDataUntouched, ANumberTypedIsTheNumberStored)
{
    const struct {
        int row;
        const char* typed;
        double stored;
    } edits[] = {
        {0, "0.30000000000000004", 0.30000000000000004},
        {1, "123456789.12345679", 123456789.12345679},
        {2, "11.905222543052886", 11.905222543052886},
    };
    testkit::MsgBoxScript msgs;
    for (const auto& e : edits) {
        QLineEdit* editor = openEditor(e.row, "SD 1");
        ASSERT_TRUE(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QString::fromLatin1(e.typed));
        pressEnter(editor);

    }
    click("cmdSave");
    EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    const QList<QVariantList> rows = query(file, QStringLiteral("SELECT \"SD 1\" FROM data ORDER BY \"Study Name\""));
    ASSERT_EQ(rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i][0].toDouble(), edits[i].stored) << i;
        // The cell shows 15 digits, the editor starts from them all.
        EXPECT_EQ(grid()->model()->data(grid()->model()->index(i, column("SD 1")), Qt::EditRole).toString(),
                  QString::fromLatin1(edits[i].typed));
    }
    EXPECT_EQ(cell(0, column("SD 1")), QStringLiteral("0.3"));
}
