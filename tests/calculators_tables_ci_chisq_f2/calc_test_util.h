#pragma once
// Helpers of the calculator tests: reference tables and modal windows.
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

namespace calctest {

// Rows of a tab-separated reference table, comment lines (#) left out.
inline QList<QStringList> referenceRows(const QString& fileName)
{
    QList<QStringList> rows;
    QFile f(QStringLiteral(SUITE_TEST_DIR "/") + fileName);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text)) << fileName.toStdString();
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).chopped(1);
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            rows << line.split(QLatin1Char('\t'));
    }
    return rows;
}

// Runs action; the first modal window that opens meanwhile is handed to
// inspect and then closed. Returns whether one opened.
inline bool withModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inspect)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || seen)
            return;
        seen = true;
        poll.stop();
        inspect(modal);
        modal->close();
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}

// The cell texts of a table window's list, row by row.
inline QList<QStringList> listRows(QWidget* window)
{
    QList<QStringList> rows;
    auto* list = testkit::find<QTreeWidget>(window, QStringLiteral("ListView1"));
    if (!list)
        return rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(r)->text(c);
        rows << cells;
    }
    return rows;
}

inline QStringList listHeaders(QWidget* window)
{
    QStringList headers;
    auto* list = testkit::find<QTreeWidget>(window, QStringLiteral("ListView1"));
    if (list)
        for (int c = 0; c < list->columnCount(); ++c)
            headers << list->headerItem()->text(c);
    return headers;
}

} // namespace calctest
