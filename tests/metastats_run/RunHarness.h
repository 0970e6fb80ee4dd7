#pragma once
// A study database in a temporary folder with the database window's pieces a
// meta-analysis run works on: the connection, the grid's recordset over
// `data`, the summary panel, the report box and the Rosenthal results.
#include "metadb/StudyTable.h"
#include "metastats/MetaAnalysis.h"
#include "platform/Numbers.h"
#include "platform/Recordset.h"
#include "testkit/QtTestKit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

namespace runharness {

// One study: column name to value ("NULL" or a missing column: Null).
using Study = QHash<QString, QString>;

class RunHarness {
public:
    RunHarness()
    {
        path = dir.filePath(QStringLiteral("studies.met"));
        // A new study database, without its placeholder row.
        metadb::createStudyDatabase(path);
        connection = std::make_shared<platform::Connection>();
        connection->open(path);
        connection->execute(QStringLiteral("DELETE FROM data"));
        window.setObjectName(QStringLiteral("frmMetData"));
        picMeta = new QWidget(&window);
        picMeta->setObjectName(QStringLiteral("picMeta"));
        picMeta->setGeometry(0, 0, 875, 383);
        picMeta->hide();
        metastats::buildMetaPanel(picMeta);
        txtResults = new QPlainTextEdit(&window);
        txtResults->setObjectName(QStringLiteral("txtResults"));
        txtResults->setPlainText(QStringLiteral("Meta-analysis reports will appear here.\n"));
        context.window = &window;
        context.connection = connection;
        context.studies = &studies;
        context.path = path;
        context.databaseOpen = true;
        context.picMeta = picMeta;
        context.txtResults = txtResults;
        context.rosenthal = &rosenthal;
        context.showProgress = [this] { ++progressShown; progressVisible = true; };
        context.hideProgress = [this] { progressVisible = false; };
    }

    // Adds studies to `data` with plain SQL; Include is 1/0 or true/false.
    void add(const QList<Study>& rows)
    {
        for (const Study& s : rows) {
            QStringList names, marks;
            QVariantList values;
            for (auto it = s.begin(); it != s.end(); ++it) {
                names << QLatin1Char('"') + it.key() + QLatin1Char('"');
                marks << QStringLiteral("?");
                values << valueOf(it.key(), it.value());
            }
            QSqlQuery q(connection->database());
            q.prepare(QStringLiteral("INSERT INTO data (%1) VALUES (%2)")
                          .arg(names.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
            for (const QVariant& v : values)
                q.addBindValue(v);
            EXPECT_TRUE(q.exec()) << q.lastQuery().toStdString();
        }
    }

    // Opens the grid's recordset, as the window does once a file is open.
    void open() { studies.open(connection, metadb::studySql(), QStringLiteral("data")); }

    // One run, as the window's commands start it: first row, pending edit
    // committed, then the run.
    void run(const QString& measure = {})
    {
        box(QStringLiteral("txtMeasure"))->setText(measure);
        if (studies.isOpen() && studies.recordCount() > 0) {
            studies.moveFirst();
            studies.update();
        }
        metastats::MetaAnalyse(context);
    }

    QLineEdit* box(const QString& name) { return testkit::find<QLineEdit>(picMeta, name); }
    QString text(const QString& name) { return box(name)->text(); }

    // A result column of the study with this name, as the file holds it
    // (read through a connection of its own; "NULL" when empty), as general
    // number text.
    QString stored(const QString& column, const QString& study)
    {
        platform::Connection reader;
        reader.open(path);
        QSqlQuery q(reader.database());
        q.prepare(study.isEmpty() ? QStringLiteral("SELECT \"%1\" FROM data WHERE \"Study Name\" IS NULL").arg(column)
                                  : QStringLiteral("SELECT \"%1\" FROM data WHERE \"Study Name\" = ?").arg(column));
        if (!study.isEmpty())
            q.addBindValue(study);
        EXPECT_TRUE(q.exec() && q.next()) << column.toStdString() << " of " << study.toStdString();
        const QVariant v = q.value(0);
        q.finish();
        return v.isNull() ? QStringLiteral("NULL") : platform::numText(v.toDouble());
    }

    static QVariant valueOf(const QString& column, const QString& text)
    {
        if (text == QLatin1String("NULL"))
            return QVariant();
        if (column == QLatin1String("Include"))
            return (text == QLatin1String("1") || text == QLatin1String("true")) ? -1 : 0;
        static const QStringList textColumns = {QStringLiteral("Study Name"), QStringLiteral("Year of Study"),
                                                QStringLiteral("Measure Used")};
        if (textColumns.contains(column))
            return text;
        return platform::cdbl(text);
    }

    QTemporaryDir dir;
    QString path;
    std::shared_ptr<platform::Connection> connection;
    platform::Recordset studies;
    QWidget window;
    QWidget* picMeta = nullptr;
    QPlainTextEdit* txtResults = nullptr;
    metastats::RosenthalResults rosenthal;
    metastats::MetaContext context;
    int progressShown = 0;
    bool progressVisible = false;
};

} // namespace runharness
