// A study database written by another tool with texts of a million
// characters: the grid paints a cell by its first few hundred characters,
// while the value stays whole for editing.
#include "MetDataTestSupport.h"

#include <QAbstractItemDelegate>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlError>

using namespace metdatatest;

TEST_F(MetDataTest, AGridOfLongTextsPaintsTheirBeginningsAndEditsThemWhole)
{
    const QString file = path("long.met");
    openWindow();
    createThroughWindow(file);
    closeWindow();
    const int length = 1 << 20;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("long-texts"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        // As another tool writes it, past this program's own checks.
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA ignore_check_constraints = 1")));
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO data (\"Study Name\", \"Assessment Details\", Include) "
                                              "VALUES ('S%1', %2, -1)")
                                   .arg(i, 2, 10, QLatin1Char('0'))
                                   .arg(i % 2 ? QStringLiteral("'short'")
                                              : QStringLiteral("substr(hex(zeroblob(%1)), 1, %1)").arg(length))))
                << q.lastError().text().toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("long-texts"));
    openWindow();
    openThroughWindow(file);
    const int details = column("Assessment Details");
    int longRow = -1;
    for (int r = 0; r < gridRows() && longRow < 0; ++r)
        if (grid()->model()->data(grid()->model()->index(r, details), Qt::EditRole).toString().size() == length)
            longRow = r;
    ASSERT_GE(longRow, 0);
    const QModelIndex cellIndex = grid()->model()->index(longRow, details);

    // What a cell lays out for painting: a few hundred characters.
    QStyleOptionViewItem option;
    option.initFrom(grid());
    option.font = grid()->font();
    option.fontMetrics = grid()->fontMetrics();
    const QSize hint = grid()->itemDelegate()->sizeHint(option, cellIndex);
    EXPECT_LT(hint.width(), grid()->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 1000);
    EXPECT_EQ(metadb::paintedCellText(QString(length, QLatin1Char('0'))).size(), metadb::kPaintedCellCharacters + 1);

    // Painting the whole grid takes no time worth the name.
    grid()->resize(800, 400);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i)
        (void)grid()->grab();
    EXPECT_LT(clock.elapsed(), 3000);

    // The editor gets the whole text.
    grid()->setCurrentIndex(cellIndex);
    grid()->edit(cellIndex);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : grid()->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            editor = e;
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->text().size(), length);
    grid()->closePersistentEditor(cellIndex);
}
