#pragma once
// The critical-value table windows: read-only lists of the t and chi-square
// tables held in the lookup database next to the program. One implementation
// serves the three windows; each is shown modal, owned by its opener, and
// reads the database afresh each time it opens.
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class QTreeWidget;

namespace calculators {

// What tells the members of the family apart. Geometry in twips.
struct CriticalTableKind {
    QString windowName;
    QString caption;
    QString databaseFile;   // "cutoff.mdb"
    QString query;
    QStringList headers;    // one per column read
    std::vector<float> widthShares;
    int innerWidth = 0, innerHeight = 0;
    int listLeft = 0, listTop = 0, listWidth = 0, listHeight = 0;
    bool centred = false;
};

const CriticalTableKind& tdataKind();
const CriticalTableKind& ciTableKind();
const CriticalTableKind& chiTableKind();

// Path of a lookup database in a folder: a separator is added only when the
// folder (blanks around it ignored for the test) does not end in one.
QString lookupDatabasePath(const QString& folder, const QString& fileName);
// The folder the windows read their database from: the program's folder
// unless one was set (an empty folder sets the program's folder back).
QString lookupFolder();
void setLookupFolder(const QString& folder);

// Rows of one query, each with the texts of its first `columns` columns in
// column order, in the order the database returns them. Raises a
// RuntimeError when the database, the table or a column cannot be read.
QList<QStringList> readLookupTable(const QString& databasePath, const QString& query, int columns);

class CriticalTableWindow : public QDialog {
    Q_OBJECT
public:
    CriticalTableWindow(const CriticalTableKind& kind, QWidget* owner);
    // Fills the list from the database; raises a RuntimeError on failure.
    virtual void Form_Load();
    const CriticalTableKind& kind() const { return kind_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void Form_Resize();

    CriticalTableKind kind_;
    QTreeWidget* ListView1 = nullptr;
};

class frmTdata : public CriticalTableWindow {
    Q_OBJECT
public:
    explicit frmTdata(QWidget* owner = nullptr) : CriticalTableWindow(tdataKind(), owner) {}
};

class frmCITable : public CriticalTableWindow {
    Q_OBJECT
public:
    explicit frmCITable(QWidget* owner = nullptr) : CriticalTableWindow(ciTableKind(), owner) {}
};

class frmChiTable : public CriticalTableWindow {
    Q_OBJECT
public:
    explicit frmChiTable(QWidget* owner = nullptr) : CriticalTableWindow(chiTableKind(), owner) {}
};

// Loads the window and shows it modal, owned by owner. When the database
// cannot be read the person is told so, the window is not shown, and the
// result is false.
bool showCriticalTable(CriticalTableWindow& window);
bool showTdata(QWidget* owner);
bool showCITable(QWidget* owner);
bool showChiTable(QWidget* owner);

} // namespace calculators
