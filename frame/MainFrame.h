#pragma once
// The frame shared by the three main windows: loading and closing, window
// position, changed flags, menus, toolbar, status bar, copy and paste,
// clearing, help, calculators, web pages and the recent-file list.
//
// A program's main window derives from MainFrame, builds its own controls in
// its constructor (as children of centralWidget()), and then calls
// Form_Load(). It overrides the hooks below for what is its own.
//
// Menu actions are children of the window named after their handlers
// ("mnuFileNew", "mnuFileOpen", ..., the recent files "mnuMRU(0)" ..
// "mnuMRU(3)"); the toolbar is "Toolbar1", each of its actions carrying its
// Key in the property "key"; the status bar is "sbStatusBar" with the panels
// "Panel(1)", "Panel(2)", ... Every text box, combo box and multi-line box
// present when Form_Load runs carries the Boolean property "DataChanged",
// set by every change of its content.
#include "frame/FileHooks.h"
#include "frame/FrameConfig.h"

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>

class QLabel;
class QLineEdit;
class QTimer;

namespace frame {

class RecentFileList;

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
    // Sets the menu captions and their pictures and help texts.
    void SubClassMenuXP();

    // ---- Commands (menu handlers, toolbar, frame buttons) ----------------
    void mnuFileNew_Click() { clearAll(); }
    void mnuFileSaveAs_Click() { saveAs(); }
    void mnuFileExit_Click() { close(); }
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuToolsSCalc_Click();
    void mnuToolsWCalc_Click();
    void mnuToolsCapture_Click();
    void mnuOptions_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click() { mnuHelpContents_Click(); }
    void mnuWebsite_Click();
    void mnuForums_Click();
    void mnuHelpAbout_Click();
    // A recent-file entry: asks about unsaved data, then openRecentFile.
    void mnuMRU_Click(int Index);
    // File > Open and the toolbar's "Open": asks about unsaved data, then
    // mnuFileOpen_Click.
    void openFileCommand();
    // Runs the command of a toolbar key ("New", "Open", ...); a key not in the
    // program's table does nothing, and failures inside that the command does
    // not report are ignored (and traced).
    void Toolbar1_ButtonClick(const QString& Key);
    // The buttons "Start again" and "Get me out of here!!": a program's
    // window connects its buttons to these.
    void cmdNew_Click() { clearAll(); }
    void cmdExit_Click() { close(); }

    // The unsaved-data question asked before a file is opened. True when the
    // open may go on: No, or Yes with the data saved. Cancel, or Yes with a
    // Save As that was cancelled or failed, keeps the data and returns false.
    bool askSaveBeforeOpen();

    // ---- Recent-file list ------------------------------------------------
    int MRULastIndex() const;
    void AddToMRU(const QString& path);
    int FindMRUIndex(const QString& path) const;
    void MoveMRUToTop(const QString& path, int index);
    // Caption (full path) of entry i of the list, "" when there is none.
    QString mruCaption(int i) const;

    // The desktop's calculator program found on the PATH, "" when none is.
    static QString findDesktopCalculator();

protected:
    // Runs the loading steps; the subclass calls it at the end of its constructor.
    void Form_Load();
    // The closing steps; sets Cancel to keep the window open.
    void Form_Unload(bool& Cancel);

    // The program's menus, toolbar, pictures and help file.
    virtual const FrameConfig& frameConfig() const = 0;

    // ---- Hooks of the program's own window -----------------------------
    // Loading steps that belong to the program (colours, command line,
    // start tab); run after the position was restored.
    virtual void loadProgramSteps() {}
    // File > Open, after the unsaved-data question was answered (the frame
    // asks it: see askSaveBeforeOpen).
    virtual void mnuFileOpen_Click() {}
    // File > Save As: true when a file was written.
    virtual bool saveAs() { return false; }
    // File > Save (Overwrite) (Morvane).
    virtual void mnuSave_Click() {}
    // File > Print Report.
    virtual void mnuFilePrint_Click() {}
    // A recent-file entry was chosen, after the unsaved-data question was
    // answered; path is the entry's caption (never empty).
    virtual void openRecentFile(int index, const QString& path) {}
    // Toolbar "Calculate".
    virtual void runCalculation() {}
    // Tools > Go To Meta-analysis Software (Tarvoss).
    virtual void mnuMeta_Click() {}
    // New / Start again: every text box of the window gets the empty text.
    virtual void clearAll();

    // Empties every text box and multi-line box of this window except the
    // ones named in keep; combo boxes (their own line edits included) keep
    // their text.
    void clearTextBoxes(const QStringList& keep = {});
    // Gives a control a DataChanged flag set by every change of its content
    // (Form_Load does this for every control present then).
    void trackChanges(QWidget* control);

    // ---- Control makers of the program's window (pixels) ----------------
    // A text box, kept by name for box().
    QLineEdit* addBox(QWidget* parent, const QString& name, const QRect& r);
    QLineEdit* addBox(QWidget* parent, const QString& name, int x, int y, int w, int h = 21);
    // A label, named only when a name is given.
    QLabel* addLabel(QWidget* parent, const QString& text, int x, int y, int w, int h = 21,
                     const QString& name = {});
    // The text box made by addBox under that name (null when none was).
    QLineEdit* box(const QString& name) const;
    const QHash<QString, QLineEdit*>& boxes() const { return boxes_; }
    // Puts the named boxes in the tab order one after the other, following
    // `after` when it is given; returns the last box.
    QWidget* chainBoxes(QWidget* after, std::initializer_list<const char*> names);

    // The hooks through which the window's file commands reach this frame:
    // its change flags and recent-file list, the given Clear All, and no
    // question of their own before Open and a recent file (the frame asks it).
    StudyFileHooks frameFileHooks(std::function<void()> clearAll);

    void closeEvent(QCloseEvent* event) override;
    // Form_Resize: the proportional layout of the window's controls.
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    // A menu or toolbar command: the handler of that name ("mnuFileNew",
    // "runCalculation", ...); null for a name that has none.
    using Command = void (MainFrame::*)();
    static Command commandFor(const QString& name);
    // Runs a menu item's command; a failure it does not report itself
    // reaches the application's net (shell::deliverWithNet), which shows it.
    void runMenuCommand(Command command);

    void buildFrame();
    void unloadOtherWindows();
    void showMenuHelp(const QString& text);
    void tick();

    bool loaded_ = false;
    bool unloaded_ = false;
    bool MenusSubclassed = false;
    std::unique_ptr<RecentFileList> mru_;
    QList<QLabel*> panels_;
    QTimer* clock_ = nullptr;
    QHash<QString, QLineEdit*> boxes_;
};

} // namespace frame
