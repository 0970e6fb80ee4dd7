// Writes a picture of each program's main window, as the program shows it
// at its designed size in the application font, for the README:
// Screenshots <folder> writes Tarvoss5.png, Quellin5.png and Morvane5.png.
#include "meandiff/frmMain.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/DesignFont.h"
#include "shell/Resize.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <functional>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::applyDesignFont();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const struct {
        const char* title;
        std::function<QWidget*()> make;
    } programs[] = {
        {"Tarvoss", [] { return static_cast<QWidget*>(new tarvoss::frmMain); }},
        {"Quellin", [] { return static_cast<QWidget*>(new quellin::frmMain); }},
        {"Morvane", [] { return static_cast<QWidget*>(new morvane::frmMain); }},
    };
    int failed = 0;
    for (const auto& p : programs) {
        const QString title = QString::fromLatin1(p.title);
        platform::setAppInfo({title, title + QLatin1Char('5'), 5, 0, 0});
        shell::Resize::ForgetRecords();
        std::unique_ptr<QWidget> w(p.make());
        w->show();
        QApplication::processEvents();
        const QString file = folder.filePath(title + QStringLiteral("5.png"));
        if (!w->grab().save(file)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
            ++failed;
        }
        w->hide();
    }
    return failed ? 1 : 0;
}
