#pragma once
// What each program gives the main-window frame: its menu captions and
// shortcuts, toolbar buttons, menu pictures, status bar panels, help file and
// web pages. Each program gives its own from its main window's library.
#include "frame/MenuDecoration.h"

#include <QKeySequence>
#include <QList>
#include <QString>

namespace frame {

struct MenuItemSpec {
    QString name;            // objectName of the action, e.g. "mnuFileNew"; "mnuMRU" marks the recent files
    QString caption;         // caption set at load, in the caption language; "-" for a separator
    QKeySequence shortcut;   // empty for none
};

struct MenuSpec {
    QString name;            // "mnuFile"
    QString caption;         // "&File"
    QList<MenuItemSpec> items;
};

struct ToolButtonSpec {
    QString key;             // "New", "Open", ...: compared exactly by the dispatch
    QString toolTip;
    QString handler;         // the command it runs, by handler name: "mnuFileNew", "runCalculation", ...
    Picture picture = Picture::None;
    bool groupStart = false; // a gap before the button
};

// A status bar panel: fixed text, or the current date or time.
struct StatusPanelSpec {
    enum Kind { Text, Date, Time } kind = Text;
    QString text;
    int stretch = 0;
};

struct FrameConfig {
    QString helpFile;                 // the help document's file name, next to the program
    QList<MenuSpec> menus;
    QList<ToolButtonSpec> toolbar;
    ImageList menuImages;             // ImgMenu
    QList<StatusPanelSpec> statusPanels;
    int helpPanel = 0;                // 0-based panel that shows the help text of the highlighted menu item
    // Tooltips of the window's own buttons, by objectName (set at load when
    // the button exists and has none).
    QMap<QString, QString> buttonToolTips;
    // First words of the message when the simple calculator cannot be shown.
    QString simpleCalculatorFailure;
};

// The maker's web site (home page) and its forum pages.
QString makerWebsite();
QString makerForumPage();       // menu Help > User Forums

// The toolbar every program shows (keys, tooltips), with the command behind
// "Save" and the tooltip of "Save" given by the program.
QList<ToolButtonSpec> standardToolbar(const QString& saveToolTip, const QString& saveHandler);

// The frame of Quellin and Morvane: one menu design, with the few places
// where the two programs differ.
struct SmallProgramFrame {
    QString helpFile;        // "Quellin.html"
    QString statusText;      // the first status panel
    // File > Save (Overwrite) on Ctrl+S and the toolbar's "Save" (Morvane);
    // Save As then takes Ctrl+A and About Ctrl+B.
    bool saveOverwrite = false;
};
FrameConfig smallProgramFrameConfig(const SmallProgramFrame& program);

} // namespace frame
