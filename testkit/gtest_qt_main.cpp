// Test main: a headless QApplication with its own settings and XDG folders,
// so tests never touch the user's.
#include "platform/DesignFont.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        const QString dir = home.filePath(QString::fromLatin1(var));
        QDir().mkpath(dir);
        setenv(var, QFile::encodeName(dir).constData(), 1);
    }
    setenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()).constData(), 1);
    QApplication app(argc, argv);
    platform::applyDesignFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
