#pragma once
// Placing the controls of the export windows: design geometry in twips (15
// to a pixel), each control named as the window's code knows it.
#include "shell/Twips.h"

#include <QDialog>
#include <QString>

namespace metadb::exportui {

using shell::px;

// Names the control and places it in its parent at twip geometry.
template <class T>
T* place(T* w, const char* name, int left, int top, int width, int height)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(px(left), px(top), px(width), px(height));
    return w;
}

// A fixed-size dialog window with the caption and a title bar holding only
// the close box.
inline void fixedDialog(QDialog* dlg, const char* name, const QString& caption, int widthTwips, int heightTwips)
{
    dlg->setObjectName(QString::fromLatin1(name));
    dlg->setWindowTitle(caption);
    dlg->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                        | Qt::WindowCloseButtonHint);
    dlg->setFixedSize(px(widthTwips), px(heightTwips));
}

} // namespace metadb::exportui
