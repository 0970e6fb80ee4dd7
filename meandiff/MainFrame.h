#pragma once
// The frame shared by the three main windows: loading and closing, window
// position, changed flags, menus, toolbar, status bar, copy and paste,
// clearing, help, calculators, web pages and the recent-file list.
//
// A program's main window derives from MainFrame, builds its own controls in
// its constructor (as children of centralWidget()), and then calls
// Form_Load(). It overrides the hooks below for what is its own.
#include <QMainWindow>
#include <QString>

namespace meandiff {

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);
    ~MainFrame() override;

    // True when a control of the active window has its DataChanged flag set;
    // with reset, every flag is cleared after it was read.
    bool RecordChanged(bool Reset);
    // Selected text of a text box to the clipboard; other controls: nothing.
    void gInitiateCopy(QWidget* Cntl);
    // Clipboard text replaces the text box's selection; other controls: nothing.
    void gInitiatePaste(QWidget* Cntl);

protected:
    // Runs the loading steps; the subclass calls it at the end of its constructor.
    void Form_Load();

    // ---- Hooks of the program's own window -----------------------------
    // Loading steps that belong to the program (colours, command line,
    // start tab); run after the position was restored.
    virtual void loadProgramSteps() {}
    // File > Open.
    virtual void mnuFileOpen_Click() {}
    // File > Save As: true when a file was written.
    virtual bool saveAs() { return false; }
    // File > Print Report.
    virtual void mnuFilePrint_Click() {}
    // A recent-file entry was chosen.
    virtual void openRecentFile(int index, const QString& path) {}
    // Toolbar "Calculate".
    virtual void runCalculation() {}
    // Tools > Go To Meta-analysis Software (Tarvoss).
    virtual void mnuMeta_Click() {}
    // New / Start again: every text box of the window gets the empty text.
    virtual void clearAll();
};

} // namespace meandiff
