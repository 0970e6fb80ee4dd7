#pragma once
#include "platform/FileTypeKeys.h"
#include "testkit/QtTestKit.h"
// A private desktop for one test: XDG data and config folders, a temporary
// folder and a program folder holding stand-in program files, all inside one
// temporary directory; the environment is restored afterwards.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <ostream>
#include <sys/stat.h>


class XdgSandbox {
public:
    XdgSandbox()
    {
        // The settings store fixes its folder at its first use: let that be
        // the test program's own folder, not this sandbox.
        (void)QSettings(QStringLiteral("sandbox"), QStringLiteral("sandbox")).fileName();
        for (const char* v : kVars)
            saved_[v] = qgetenv(v);
        for (const char* v : kDesktopVars) {
            saved_[v] = qgetenv(v);
            qunsetenv(v);
        }
        dataHome = dir.filePath(QStringLiteral("data"));
        configHome = dir.filePath(QStringLiteral("config"));
        tempDir = dir.filePath(QStringLiteral("tmp"));
        programDir = dir.filePath(QStringLiteral("prog"));
        for (const QString& d : {dataHome, configHome, tempDir, programDir})
            QDir().mkpath(d);
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
        qputenv("TMPDIR", QFile::encodeName(tempDir));
        for (const char* name : {"Tarvoss5", "Quellin5", "Morvane5"})
            makeProgram(programDir + QLatin1Char('/') + QLatin1String(name));
    }
    ~XdgSandbox()
    {
        for (auto it = saved_.cbegin(); it != saved_.cend(); ++it) {
            if (it.value().isNull())
                qunsetenv(it.key());
            else
                qputenv(it.key(), it.value());
        }
    }
    XdgSandbox(const XdgSandbox&) = delete;
    XdgSandbox& operator=(const XdgSandbox&) = delete;

    // An executable stand-in for a program.
    static void makeProgram(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\nexit 0\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                         QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    }

    static QString read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    static void write(const QString& path, const QString& text)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text.toUtf8());
    }

    // Identity of a file's current content: a file replaced through a new
    // file gets a new inode. 0 when the file is missing.
    static quint64 inode(const QString& path)
    {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<quint64>(st.st_ino) : 0;
    }

    // Whether the class's desktop entry is there.
    static bool classEntryExists(const QString& className)
    {
        return QFileInfo::exists(platform::filetypes::classEntryPath(className));
    }
    // The icon that the class's desktop entry names (its "Icon" line of the
    // group "Desktop Entry"), "" when it names none.
    static QString classEntryIcon(const QString& className)
    {
        bool inEntry = false;
        const QStringList lines = read(platform::filetypes::classEntryPath(className)).split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1Char('[')))
                inEntry = line.trimmed() == QLatin1String("[Desktop Entry]");
            else if (inEntry && line.startsWith(QLatin1String("Icon=")))
                return line.mid(5)
                    .replace(QLatin1String("\\s"), QLatin1String(" "))
                    .replace(QLatin1String("\\\\"), QLatin1String("\\"));
        }
        return {};
    }
    // Whether the extension's MIME package is there.
    static bool extensionPackageExists(const QString& extension)
    {
        return QFileInfo::exists(platform::filetypes::extensionPackagePath(extension));
    }

    // What xdg-utils says the default application of a type is ("" when none).
    static QString xdgMimeDefault(const QString& mimeType)
    {
        QProcess p;
        p.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
        if (!p.waitForFinished(20000))
            return QStringLiteral("<xdg-mime did not answer>");
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir dir;
    QString dataHome, configHome, tempDir, programDir;

private:
    static constexpr const char* kVars[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "TMPDIR", "PATH"};
    static constexpr const char* kDesktopVars[] = {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "KDE_SESSION_VERSION",
                                                   "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID",
                                                   "DESKTOP_SESSION", "XDG_MENU_PREFIX"};
    QMap<const char*, QByteArray> saved_;
};
