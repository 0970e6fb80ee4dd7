#pragma once
// A small study table in a fresh database file, its recordset, and a table
// view whose columns stand for the recordset's fields, as the study window
// shows them.
#include "platform/Recordset.h"

#include <QFont>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace printtest {

inline const QStringList kFields{QStringLiteral("Study ID"), QStringLiteral("Include"), QStringLiteral("Study Name"),
                                 QStringLiteral("Cohen's D")};

// Records 1..n: Study ID 100 + i, Include true for odd i, Study Name
// "Study 01".., Cohen's D i / 4 (Null for every third record).
class StudyTable {
public:
    explicit StudyTable(int records = 12)
    {
        EXPECT_TRUE(dir.isValid());
        connection = std::make_shared<platform::Connection>();
        connection->create(dir.filePath(QStringLiteral("studies.met")));
        connection->execute(QStringLiteral("CREATE TABLE data (\"Study ID\" INTEGER, \"Include\" BOOLEAN NOT NULL, "
                                           "\"Study Name\" VARCHAR(255), \"Cohen's D\" DOUBLE)"));
        for (int i = 1; i <= records; ++i) {
            const QString d = i % 3 == 0 ? QStringLiteral("NULL") : QString::number(i / 4.0);
            connection->execute(QStringLiteral("INSERT INTO data VALUES (%1, %2, 'Study %3', %4)")
                                    .arg(100 + i)
                                    .arg(i % 2 == 1 ? -1 : 0)
                                    .arg(i, 2, 10, QLatin1Char('0'))
                                    .arg(d));
        }
        open();
    }

    void open()
    {
        recordset.open(connection,
                       QStringLiteral("SELECT [Study ID],[Include],[Study Name],[Cohen's D] FROM data ORDER BY "
                                      "[Study ID]"),
                       QStringLiteral("data"));
    }

    QTemporaryDir dir;
    std::shared_ptr<platform::Connection> connection;
    platform::Recordset recordset;
};

// A table view with the given column captions, each `widthPixels` wide,
// rows `rowPixels` high, in a 10-point font with a 10-point bold heading.
inline void setUpGrid(QTableView& view, QStandardItemModel& model, const QStringList& captions, int widthPixels,
                      int rowPixels)
{
    model.setColumnCount(int(captions.size()));
    model.setHorizontalHeaderLabels(captions);
    view.setModel(&model);
    view.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    QFont heading(QStringLiteral("DejaVu Sans"), 10);
    heading.setBold(true);
    view.horizontalHeader()->setFont(heading);
    view.verticalHeader()->setMinimumSectionSize(1);
    view.verticalHeader()->setDefaultSectionSize(rowPixels);
    for (int i = 0; i < captions.size(); ++i)
        view.setColumnWidth(i, widthPixels);
}

} // namespace printtest
