#include "platform/DesignFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QScreen>

namespace platform {

namespace {

constexpr double kDesignPixels = 11.0;

double logicalDpi()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

QString designFontFamily() { return QStringLiteral("Liberation Sans"); }

QFont designFont()
{
    QFont f(designFontFamily());
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(kDesignPixels * 72.0 / logicalDpi());
    return f;
}

void applyDesignFont()
{
    // Windows that name the design font's face by its old name get the same
    // metric-compatible face.
    for (const char* name : {"MS Sans Serif", "Microsoft Sans Serif", "Arial"})
        QFont::insertSubstitution(QString::fromLatin1(name), designFontFamily());
    QApplication::setFont(designFont());
}

} // namespace platform
