#pragma once
// The study database window of Tarvoss: creating, opening and copying a
// study database, the editable study grid, importing the main window's
// study, and the meta-analysis with its report.
#include "metastats/MetaAnalysis.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QPlainTextEdit;
class QLineEdit;
class QPushButton;
class QTimer;

namespace platform {
class Connection;
class Recordset;
}

namespace metadb {

class PrintPanel;
class StudyGrid;

class frmMetData : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMetData(QWidget* parent = nullptr);
    ~frmMetData() override;

    // Loading: menus, the command line's database, the dialog's folder.
    void Form_Load();
    void Form_Resize();

    // Buttons (the menu items run the same handlers).
    void cmdOpenDB_Click();
    void cmdNewDB_Click();
    void cmdRenameFileAs_Click();
    void cmdAddDataAsNew_Click();
    void cmdAdd_Click();
    void cmdNew_Click();
    void cmdDelete_Click();
    void cmdSave_Click();
    void cmdSummary_Click();
    void cmdCopyClipboard_Click();
    void cmdNotepad_Click();
    void cmdPrintDG_Click();
    void cmdExport_Click();
    void cmdClose_Click();
    // Buttons of the summary panel.
    void cmdRecalculate_Click();
    void cmdFailSafe_Click();
    void cmdHeterogeneity_Click();
    // A click on a grid column header.
    void grdDataGrid_HeadClick(int column);

    void ShowRecordCount();
    void SetGridColumnWidths();
    void MakeNotepad();
    void SubClassMenuXP();

    // The window's state, read by its neighbours.
    bool databaseOpen() const;
    platform::Recordset* StudyRecordset() const { return recordset_.get(); }
    QString strPath() const;
    const metastats::RosenthalResults& rosenthal() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    QPushButton* addButton(const char* name, const char* caption, int left, int top, int width, int height,
                           void (frmMetData::*handler)());

    // Opening a database into the window (new connection, recordset, grid).
    void openStudies(const QString& path);
    // Drops the window's connection and recordset.
    void releaseStudies();
    // Commits an edit still pending in the grid, reporting a refusal.
    void commitPendingEdit();
    // Stores an edit still pending before the window closes. When it cannot
    // be stored the user chooses: save again, close without it, or stay.
    // False when the window stays open.
    bool storePendingEditBeforeClosing();
    // Closes the study connection when it is open, ignoring every error.
    void closeConnectionQuietly();
    void showDatabaseLayout();
    void hideGrid();
    // The grid shows the recordset's rows again, on its current record.
    void refreshGrid();
    bool requireDatabase();
    void BrowseOpenDatabase();
    // The save dialog of the create and copy commands; "" when cancelled.
    QString askNewDatabaseName();
    void showFileExists();
    // Runs the steps one after the other; a failure shows the Code Gen Error
    // box (Abort ends, Retry runs the failed step again, Ignore goes on).
    // False when the user chose Abort.
    bool runSteps(const std::vector<std::function<void()>>& steps);
    void commitAndAnalyse();
    void MetaAnalyse();
    void reportError(const QString& description);
    // Runs a command on the open studies; a run-time error ends it with its
    // description in a message. True when it ran to its end.
    bool withStudies(const std::function<void(platform::Recordset&)>& command);
    // An import needs at least the study's authors in the main window;
    // without them `refusal` is shown and the command ends.
    bool authorsGiven(const QString& refusal);
    void tick();

    std::shared_ptr<platform::Connection> connection_;
    std::unique_ptr<platform::Recordset> recordset_;
    QString sortField_;
    QString sortOrder_;
    QString dialogFolder_;

    QWidget* picButtons = nullptr;
    StudyGrid* grdDataGrid = nullptr;
    QWidget* picMeta = nullptr;
    QWidget* picPrint = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPlainTextEdit* txtResults = nullptr;
    QLineEdit* txtstrPath = nullptr;
    QPushButton* cmdRenameFileAs = nullptr;
    QLabel* panels_[3] = {nullptr, nullptr, nullptr};
    QTimer* clock_ = nullptr;
    PrintPanel* printPanel_ = nullptr;
};

// Shows the program's one study database window modeless and without owner;
// a window that is open comes forward as it is, otherwise a new one loads.
frmMetData* showMetData();
// The window while it is loaded, otherwise nullptr.
frmMetData* metDataWindow();

} // namespace metadb
