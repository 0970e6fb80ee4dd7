#pragma once
// The script face of the splash and About windows' captions. Where the face
// is not installed, the desktop's cursive face takes its place, the same in
// both windows.
#include <QFont>

namespace shell {

inline QFont scriptFont(int pointSize, bool italic = false)
{
    QFont f(QStringLiteral("Monotype Corsiva"));
    f.setStyleHint(QFont::Cursive);
    f.setPointSize(pointSize);
    f.setItalic(italic);
    return f;
}

} // namespace shell
