#pragma once
// Menu decoration: menu captions in the small caption language
// "visible text|@help text|#picture key" are turned into an action's text,
// status tip and icon. The pictures are our own, drawn in code, so that every
// program shows the same consistent set.
#include <QIcon>
#include <QMap>
#include <QString>

class QAction;

namespace frame {

struct MenuCaption {
    QString text;   // visible text, "&" marks the access key
    QString help;   // help text shown in the status bar ("" for none)
    QString key;    // picture key in the window's image list ("" for none)
};

// Splits a caption: the visible text, then optionally "|@" and a help text,
// then optionally "|#" and a picture key.
MenuCaption parseMenuCaption(const QString& caption);

// What a picture shows.
enum class Picture {
    None, New, Open, Save, Print, Exit, Copy, Paste, Meta, Calculator, DesktopCalculator,
    Capture, Options, Contents, Search, Website, Forum, About, Calculate, Help
};

// A picture drawn in code; hot gives the highlighted form used for a toolbar
// button under the mouse.
QPixmap drawPicture(Picture p, int size = 16, bool hot = false);
// Normal picture with its highlighted form as the icon's active mode.
QIcon pictureIcon(Picture p);

// A window's image list: picture keys ("s_Key1" ...) to pictures.
using ImageList = QMap<QString, Picture>;

// Sets the action's text, status tip and icon from a caption; a caption "-"
// makes the action a separator.
void decorateAction(QAction* action, const QString& caption, const ImageList& images);

} // namespace frame
