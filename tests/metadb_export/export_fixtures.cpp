#include "export_fixtures.h"
#include "testkit/QtTestKit.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace exportfixtures {

const std::vector<Column>& studyColumns()
{
    static const std::vector<Column> columns = {
        {"Assessment Details", "varchar(100)"},
        {"Cohen +95", "double"},
        {"Cohen -95", "double"},
        {"Cohen's D", "double"},
        {"Hedges' -95", "double"},
        {"Hedges' +95", "double"},
        {"Hedges' G", "double"},
        {"Hedges' SD", "double"},
        {"Include", "boolean not null default -1"},
        {"Mean Difference", "double"},
        {"Measure Used", "varchar(100)"},
        {"N 1", "double"},
        {"N 2", "double"},
        {"SD 1", "double"},
        {"SD 2", "double"},
        {"Study ID", "integer"},
        {"Study Name", "varchar(100)"},
        {"Study Sample", "varchar(100)"},
        {"Experimental / Group 1 Mean", "double"},
        {"Experimental / Group 1 Sample", "varchar(100)"},
        {"Control / Group 2 Mean", "double"},
        {"Control / Group 2 Sample", "varchar(100)"},
        {"Total N", "double"},
        {"Used SD", "double"},
        {"Year of Study", "varchar(50)"},
        {"Z Score Of d", "double"},
        {"Z Statistic", "double"},
        {"Z Score Of g", "double"},
        {"% Of Weight (d)", "double"},
        {"% Of Weight (g)", "double"},
        {"Xtra1", "double"},
        {"Xtra2", "double"},
        {"Xtra3", "varchar(100)"},
        {"Xtra4", "varchar(100)"},
        {"Xtra5", "boolean not null default -1"},
        {"Xtra6", "boolean not null default -1"},
    };
    return columns;
}

QString createStudyTable()
{
    QStringList defs;
    for (const Column& c : studyColumns())
        defs << QStringLiteral("[%1] %2").arg(QString::fromUtf8(c.name), QString::fromUtf8(c.type));
    return QStringLiteral("create table [data] (") + defs.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString insertStudy(const QHash<QString, QString>& sqlValues)
{
    QStringList names, values;
    for (auto it = sqlValues.cbegin(); it != sqlValues.cend(); ++it) {
        names << QLatin1Char('[') + it.key() + QLatin1Char(']');
        values << it.value();
    }
    return QStringLiteral("insert into [data] (") + names.join(QStringLiteral(", ")) + QStringLiteral(") values (")
        + values.join(QStringLiteral(", ")) + QLatin1Char(')');
}

namespace {
template <class F>
void withDatabase(const QString& path, F f)
{
    static int serial = 0;
    const QString name = QStringLiteral("export-fixture-%1").arg(++serial);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}
} // namespace

void makeDatabase(const QString& path, const QStringList& statements)
{
    QFile::remove(path);
    withDatabase(path, [&](QSqlDatabase& db) {
        for (const QString& sql : statements) {
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
        }
    });
}

void fillTable(const QString& path, const QString& table, int rows, const std::function<QString(int)>& rowValues)
{
    withDatabase(path, [&](QSqlDatabase& db) {
        db.transaction();
        QSqlQuery q(db);
        for (int i = 0; i < rows; ++i)
            ASSERT_TRUE(q.exec(QStringLiteral("insert into [") + table + QStringLiteral("] values (") + rowValues(i)
                               + QLatin1Char(')')))
                << q.lastError().text().toStdString();
        db.commit();
    });
}

void makeTornDatabase(const QString& path, int rows)
{
    makeDatabase(path, {QStringLiteral("create table t (id integer primary key, v text)")});
    fillTable(path, QStringLiteral("t"), rows,
              [](int i) { return QStringLiteral("%1, 'old %1 %2'").arg(i).arg(QString(200, QLatin1Char('.'))); });
    ASSERT_TRUE(testkit::leaveHotJournal(path, QStringLiteral("UPDATE t SET v = 'new' || substr(v, 4)")));
}

std::pair<int, int> oldAndNew(const QString& path)
{
    std::pair<int, int> counts{-1, -1};
    static int serial = 0;
    const QString name = QStringLiteral("old-and-new-%1").arg(++serial);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("select sum(v like 'old%'), sum(v like 'new%') from t")) && q.next())
                counts = {q.value(0).toInt(), q.value(1).toInt()};
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return counts;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray pattern(qint64 size)
{
    QByteArray b(static_cast<qsizetype>(size), Qt::Uninitialized);
    for (qsizetype i = 0; i < b.size(); ++i)
        b[i] = static_cast<char>((i * 131 + i / 977) & 0xff);
    return b;
}

QString columnName(int column)
{
    QString name;
    while (column > 0) {
        const int r = (column - 1) % 26;
        name.prepend(QChar(QLatin1Char('A').unicode() + r));
        column = (column - 1) / 26;
    }
    return name;
}

namespace {
QByteArray member(const QString& zip, const QString& name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, name});
    if (!unzip.waitForFinished(60000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}
} // namespace

Workbook::Workbook(const QString& path) : path_(path)
{
    const QByteArray workbook = member(path, QStringLiteral("xl/workbook.xml"));
    if (workbook.isEmpty())
        return;
    QXmlStreamReader wb(workbook);
    while (!wb.atEnd()) {
        wb.readNext();
        if (wb.isStartElement() && wb.name() == QLatin1String("sheet")) {
            sheets_ << wb.attributes().value(QLatin1String("name")).toString();
            sheetFiles_ << QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheets_.size());
        }
    }

    QXmlStreamReader ss(member(path, QStringLiteral("xl/sharedStrings.xml")));
    while (!ss.atEnd()) {
        ss.readNext();
        if (ss.isStartElement() && ss.name() == QLatin1String("t"))
            shared_ << ss.readElementText();
    }

    // Fonts, then the cell styles naming them.
    QXmlStreamReader st(member(path, QStringLiteral("xl/styles.xml")));
    std::vector<std::pair<bool, bool>> fonts;
    bool inFonts = false, inXfs = false;
    while (!st.atEnd()) {
        st.readNext();
        if (st.isStartElement()) {
            const auto n = st.name();
            if (n == QLatin1String("fonts"))
                inFonts = true;
            else if (n == QLatin1String("cellXfs"))
                inXfs = true;
            else if (inFonts && n == QLatin1String("font"))
                fonts.emplace_back(false, false);
            else if (inFonts && n == QLatin1String("b"))
                fonts.back().first = true;
            else if (inFonts && n == QLatin1String("u"))
                fonts.back().second = true;
            else if (inXfs && n == QLatin1String("xf")) {
                const int font = st.attributes().value(QLatin1String("fontId")).toInt();
                xfFonts_.push_back(font < static_cast<int>(fonts.size()) ? fonts[static_cast<size_t>(font)]
                                                                         : std::make_pair(false, false));
            }
        } else if (st.isEndElement()) {
            if (st.name() == QLatin1String("fonts"))
                inFonts = false;
            else if (st.name() == QLatin1String("cellXfs"))
                inXfs = false;
        }
    }
    ok_ = !sheets_.isEmpty();
}

QHash<QString, Cell> Workbook::cells(const QString& sheet) const
{
    QHash<QString, Cell> out;
    const qsizetype index = sheets_.indexOf(sheet);
    if (index < 0)
        return out;
    QXmlStreamReader x(member(path_, sheetFiles_[index]));
    QString ref;
    Cell cell;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("c")) {
            ref = x.attributes().value(QLatin1String("r")).toString();
            cell = Cell{};
            cell.type = x.attributes().value(QLatin1String("t")).toString();
            cell.style = x.attributes().value(QLatin1String("s")).toInt();
            if (cell.style >= 0 && cell.style < static_cast<int>(xfFonts_.size())) {
                cell.bold = xfFonts_[static_cast<size_t>(cell.style)].first;
                cell.underline = xfFonts_[static_cast<size_t>(cell.style)].second;
            }
        } else if (x.isStartElement() && (x.name() == QLatin1String("v") || x.name() == QLatin1String("t"))) {
            cell.value = x.readElementText();
            if (cell.type == QLatin1String("s"))
                cell.value = shared_.value(cell.value.toInt());
        } else if (x.isEndElement() && x.name() == QLatin1String("c")) {
            out.insert(ref, cell);
        }
    }
    return out;
}

} // namespace exportfixtures
