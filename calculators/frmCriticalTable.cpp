#include "calculators/frmCriticalTable.h"

#include "calculators/CalcControls.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/WindowLife.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTreeWidget>
#include <QVariant>

namespace calculators {

namespace {

QStringList tHeaders(const QStringList& levels)
{
    return QStringList{QStringLiteral("DF")} + levels;
}

std::vector<float> tShares()
{
    std::vector<float> s{0.05f, 0.07f, 0.07f};
    s.insert(s.end(), 10, 0.08f);
    return s;
}

QString& folderOverride()
{
    static QString folder;
    return folder;
}

// The largest row number the window's counter holds before it overflows.
constexpr int kMaxRows = 32766;

QString cellText(const QVariant& v)
{
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return platform::numText(v.toDouble());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::QString:
        return v.toString();
    default:
        throw platform::errTypeMismatch();
    }
}

platform::RuntimeError databaseError(const QSqlError& e)
{
    QString text = e.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("The lookup database could not be read.");
    return platform::RuntimeError(3709, text);
}

} // namespace

const CriticalTableKind& tdataKind()
{
    static const CriticalTableKind s{
        QStringLiteral("frmTdata"),
        QStringLiteral("Critical cut-offs for 1-sided t-test (double the derived p-value to get result for a "
                       "two-sided t-test)"),
        QStringLiteral("cutoff.mdb"),
        QStringLiteral("select * from ttable"),
        tHeaders({"p<.25", "p<.20", "p<.15", "p<.10", "p<.05", "p<.025", "p<.02", "p<.01", "p<.005", "p<.0025",
                  "p<.001", "p<.0005"}),
        tShares(),
        11370, 8205, 120, 60, 11175, 8085, false};
    return s;
}

const CriticalTableKind& ciTableKind()
{
    static const CriticalTableKind s{
        QStringLiteral("frmCITable"),
        QStringLiteral("t Values For Confidence Intervals"),
        QStringLiteral("cutoff.mdb"),
        QStringLiteral("select * from ttable"),
        tHeaders({"50%", "60%", "70%", "80%", "90%", "95%", "96%", "98%", "99%", "99.5%", "99.8%", "99.9%"}),
        tShares(),
        11340, 8175, 30, 30, 11265, 7635, true};
    return s;
}

const CriticalTableKind& chiTableKind()
{
    static const CriticalTableKind s{
        QStringLiteral("frmChiTable"),
        QStringLiteral("Critical cut-offs for 2 sided chi square test"),
        QStringLiteral("cutoff.mdb"),
        QStringLiteral("select * from chitable"),
        {"DF", "p<.10", "p<.05", "p<.025", "p<.01", "p<.001"},
        std::vector<float>(6, 0.158f),
        6690, 8580, 0, 0, 6645, 8505, true};
    return s;
}

QString lookupDatabasePath(const QString& folder, const QString& fileName)
{
    const QString trimmed = folder.trimmed();
    QString path = folder;
    if (!trimmed.endsWith(QLatin1Char('/')) && !trimmed.endsWith(QLatin1Char('\\')))
        path += QLatin1Char('/');
    return path + fileName;
}

QString lookupFolder()
{
    return folderOverride().isEmpty() ? platform::appPath() : folderOverride();
}

void setLookupFolder(const QString& folder) { folderOverride() = folder; }

QList<QStringList> readLookupTable(const QString& databasePath, const QString& query, int columns)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw platform::RuntimeError(3706, QStringLiteral("Provider cannot be found. It may not be properly installed."));
    if (!QFileInfo(databasePath).isFile())
        throw platform::RuntimeError(platform::ErrFileNotFound,
                                     QStringLiteral("Could not find file '%1'.").arg(databasePath));

    static int serial = 0;
    const QString connection = QStringLiteral("lookup_table_%1").arg(++serial);
    QList<QStringList> rows;
    QString failure;
    int failureNumber = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databasePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        try {
            if (!db.open())
                throw databaseError(db.lastError());
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.exec(query))
                throw databaseError(q.lastError());
            if (q.record().count() < columns)
                throw platform::RuntimeError(
                    3265, QStringLiteral("Item cannot be found in the collection corresponding to the requested "
                                         "name or ordinal."));
            while (q.next()) {
                if (rows.size() >= kMaxRows)
                    throw platform::errOverflow();
                QStringList cells;
                cells.reserve(columns);
                for (int c = 0; c < columns; ++c)
                    cells << cellText(q.value(c));
                rows << cells;
            }
            if (q.lastError().isValid())
                throw databaseError(q.lastError());
        } catch (const platform::RuntimeError& e) {
            failureNumber = e.number();
            failure = e.description();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (failureNumber)
        throw platform::RuntimeError(failureNumber, failure);
    return rows;
}

CriticalTableWindow::CriticalTableWindow(const CriticalTableKind& kind, QWidget* owner)
    : QDialog(owner), kind_(kind)
{
    setObjectName(kind_.windowName);
    setWindowTitle(kind_.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    resize(px(kind_.innerWidth), px(kind_.innerHeight));
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(px(kind_.listLeft), px(kind_.listTop), px(kind_.listWidth), px(kind_.listHeight));
}

void CriticalTableWindow::Form_Load()
{
    ListView1->clear();
    // Report view: one row per record, one column per field, with headers.
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setHeaderHidden(false);
    // Rows are selected across all their columns.
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);

    const int columns = static_cast<int>(kind_.headers.size());
    ListView1->setColumnCount(columns);
    ListView1->setHeaderLabels(kind_.headers);
    ListView1->header()->setStretchLastSection(false);
    for (int c = 0; c < columns; ++c) {
        const float share = c < static_cast<int>(kind_.widthShares.size()) ? kind_.widthShares[c] : 0.0f;
        ListView1->setColumnWidth(c, static_cast<int>(share * static_cast<float>(ListView1->width())));
    }

    const QString path = lookupDatabasePath(lookupFolder(), kind_.databaseFile);
    const QList<QStringList> rows = readLookupTable(path, kind_.query, columns);
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const QStringList& cells : rows)
        items << new QTreeWidgetItem(cells);
    ListView1->addTopLevelItems(items);
}

void CriticalTableWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void CriticalTableWindow::Form_Resize()
{
    if (ListView1)
        ListView1->resize(ListView1->width(), std::max(0, height() - ListView1->y()));   // its bottom on the window's
}

bool showCriticalTable(CriticalTableWindow& window)
{
    try {
        window.Form_Load();
    } catch (const platform::RuntimeError& e) {
        platform::msgBox(QStringLiteral("The critical-value table could not be read from the lookup database \"%1\". "
                                        "Something went very wrong and resulted in the following error")
                                 .arg(lookupDatabasePath(lookupFolder(), window.kind().databaseFile))
                             + QStringLiteral("\r\n") + e.description(),
                         platform::MsgButtons::OK, platform::MsgIcon::Exclamation, {}, window.parentWidget());
        return false;
    }
    if (window.kind().centred)
        centreOnScreen(&window);
    platform::execDialog(window);
    return true;
}

namespace {
template <class W>
bool showTable(QWidget* owner)
{
    W window(owner);
    return showCriticalTable(window);
}
} // namespace

bool showTdata(QWidget* owner) { return showTable<frmTdata>(owner); }
bool showCITable(QWidget* owner) { return showTable<frmCITable>(owner); }
bool showChiTable(QWidget* owner) { return showTable<frmChiTable>(owner); }

} // namespace calculators
