// Quellin5: starts the program.
#include "outcometable/frmMain.h"
#include "platform/AppInfo.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quellin"));
    platform::setAppInfo({QStringLiteral("Quellin"), QStringLiteral("Quellin5"), 5, 0, 0});
    platform::setCommandArguments(app.arguments().mid(1));
    quellin::frmMain w;
    w.show();
    return app.exec();
}
