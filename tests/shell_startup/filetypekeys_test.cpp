// The desktop's file-type keys: desktop entries, MIME packages and
// mimeapps.list, read back as a file manager reads them.
#include "XdgSandbox.h"
#include "platform/FileTypeKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

namespace ft = platform::filetypes;

namespace {

QString entryText(const XdgSandbox& box, const QString& cls)
{
    return XdgSandbox::read(box.dataHome + QStringLiteral("/applications/") + cls + QStringLiteral(".desktop"));
}

// Polls the condition for up to ten seconds.
bool waitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10000)
            return false;
        QThread::msleep(20);
    }
    return true;
}

// The children of this process that ended and were never waited for.
int zombieChildren()
{
    int zombies = 0;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...: the name may hold blanks, so read after its ')'.
        const QString text = QString::fromLatin1(stat.readAll());
        const QStringList rest = text.mid(text.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
        if (rest.size() > 1 && rest[1] == self && rest[0] == QLatin1String("Z"))
            ++zombies;
    }
    return zombies;
}

} // namespace

// The desktop's cache tools run without holding up the window: a tool that
// takes its time does not delay the caller, it still runs, and it leaves no
// zombie behind.
TEST(FileTypeKeys, CacheToolsRunWithoutHoldingUpTheWindow)
{
    XdgSandbox box;
    const QString bin = box.dir.filePath(QStringLiteral("slow-bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(box.dataHome + QStringLiteral("/mime")));
    ASSERT_TRUE(QDir().mkpath(box.dataHome + QStringLiteral("/applications")));
    for (const char* tool : {"update-mime-database", "update-desktop-database"}) {
        const QString path = bin + QLatin1Char('/') + QLatin1String(tool);
        XdgSandbox::write(path, QStringLiteral("#!/bin/sh\nsleep 3\ntouch \"$1/ran-%1\"\n").arg(QLatin1String(tool)));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", QFile::encodeName(bin) + ":/usr/bin:/bin");

    QElapsedTimer clock;
    clock.start();
    ft::notifyAssociationsChanged();
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_TRUE(waitFor([&] {
        return QFileInfo::exists(box.dataHome + QStringLiteral("/mime/ran-update-mime-database")) &&
               QFileInfo::exists(box.dataHome + QStringLiteral("/applications/ran-update-desktop-database"));
    }));
    EXPECT_EQ(zombieChildren(), 0);
}

TEST(FileTypeKeys, ExecQuotingRoundTripsAwkwardPaths)
{
    struct Case {
        const char* path;
        const char* exec;
    };
    const Case cases[] = {
        {"/opt/tarvoss/Tarvoss5", "/opt/tarvoss/Tarvoss5"},
        {"/opt/Tarvoss 5/Tarvoss5", "\"/opt/Tarvoss 5/Tarvoss5\""},
        {"/opt/100%/Tarvoss5", "/opt/100%%/Tarvoss5"},
        {"/home/a$b/x\"y/z\\w", "\"/home/a\\$b/x\\\"y/z\\\\w\""},
        {"/opt/it's/Tarvoss5", "\"/opt/it's/Tarvoss5\""},
    };
    for (const Case& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(ft::quoteExecArgument(path), QString::fromUtf8(c.exec)) << c.path;
        const QStringList args = ft::splitExec(ft::quoteExecArgument(path) + QStringLiteral(" %f"));
        ASSERT_EQ(args.size(), 2) << c.path;
        EXPECT_EQ(QString(args.at(0)).replace(QStringLiteral("%%"), QStringLiteral("%")), path);
        EXPECT_EQ(args.at(1), QStringLiteral("%f"));
    }
    EXPECT_TRUE(ft::splitExec(QStringLiteral("\"/opt/unclosed %f")).isEmpty());
}

TEST(FileTypeKeys, ClassEntryKeepsWhatItDoesNotOwnAndReadsBack)
{
    XdgSandbox box;
    XdgSandbox::write(box.dataHome + QStringLiteral("/applications/Tarvoss.desktop"),
                      QStringLiteral("# kept\n[Desktop Entry]\nType=Application\nName=Old\nComment=kept too\n"
                                     "[Desktop Action extra]\nName=Other group\n"));
    const QString program = box.dir.filePath(QStringLiteral("my progs/Tarvoss5"));
    EXPECT_TRUE(ft::setClassDescription(QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss")));
    EXPECT_TRUE(ft::setClassOpenCommand(QStringLiteral("Tarvoss"), program));
    EXPECT_TRUE(ft::setClassIcon(QStringLiteral("Tarvoss"), QStringLiteral("/opt/x/TVQ.ico")));

    const QString text = entryText(box, QStringLiteral("Tarvoss"));
    EXPECT_TRUE(text.contains(QStringLiteral("# kept\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Comment=kept too\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[Desktop Action extra]\nName=Other group")));
    EXPECT_TRUE(text.contains(QStringLiteral("Name=Tarvoss\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("Name=Old")));
    EXPECT_TRUE(text.contains(QStringLiteral("Exec=\"") + program + QStringLiteral("\" %f\n"))) << text.toStdString();
    EXPECT_EQ(ft::classOpenCommand(QStringLiteral("Tarvoss")), program + QStringLiteral(" %f"));
    EXPECT_EQ(XdgSandbox::classEntryIcon(QStringLiteral("Tarvoss")), QStringLiteral("/opt/x/TVQ.ico"));
    EXPECT_EQ(ft::classDescription(QStringLiteral("Tarvoss")), QStringLiteral("Tarvoss"));

    // A key that still has subkeys is not deleted; leaves first, then it goes.
    EXPECT_FALSE(ft::deleteClass(QStringLiteral("Tarvoss")));
    EXPECT_TRUE(XdgSandbox::classEntryExists(QStringLiteral("Tarvoss")));
    EXPECT_TRUE(ft::deleteClassIcon(QStringLiteral("Tarvoss")));
    EXPECT_TRUE(ft::deleteClassOpenCommand(QStringLiteral("Tarvoss")));
    EXPECT_TRUE(ft::deleteClass(QStringLiteral("Tarvoss")));
    EXPECT_FALSE(XdgSandbox::classEntryExists(QStringLiteral("Tarvoss")));
    EXPECT_EQ(ft::classOpenCommand(QStringLiteral("Tarvoss")), QString());
}

TEST(FileTypeKeys, ExtensionKeyIsOneKeyInAnyCaseAndNamesOneClass)
{
    XdgSandbox box;
    XdgSandbox::write(box.configHome + QStringLiteral("/mimeapps.list"),
                      QStringLiteral("[Default Applications]\ntext/plain=editor.desktop;\n"
                                     "[Added Associations]\napplication/x-tvq=other.desktop;\n"));
    EXPECT_TRUE(ft::setExtensionClass(QStringLiteral(".TVQ"), QStringLiteral("Tarvoss")));
    EXPECT_EQ(ft::extensionClass(QStringLiteral("tvq")), QStringLiteral("Tarvoss"));
    EXPECT_TRUE(ft::setExtensionClass(QStringLiteral("tvq"), QStringLiteral("TvqFile")));
    EXPECT_EQ(ft::extensionClass(QStringLiteral(".TVQ")), QStringLiteral("TvqFile"));
    EXPECT_EQ(ft::classMimeTypes(QStringLiteral("TvqFile")), QStringList{QStringLiteral("application/x-tvq")});

    const QString apps = XdgSandbox::read(box.configHome + QStringLiteral("/mimeapps.list"));
    EXPECT_EQ(apps.count(QStringLiteral("application/x-tvq=TvqFile.desktop;")), 1) << apps.toStdString();
    EXPECT_FALSE(apps.contains(QStringLiteral("Tarvoss.desktop")));
    EXPECT_TRUE(apps.contains(QStringLiteral("text/plain=editor.desktop;")));
    EXPECT_TRUE(apps.contains(QStringLiteral("[Added Associations]\napplication/x-tvq=other.desktop;")));
    const QString pkg = XdgSandbox::read(ft::extensionPackagePath(QStringLiteral("TVQ")));
    EXPECT_TRUE(pkg.contains(QStringLiteral("<mime-type type=\"application/x-tvq\">")));
    EXPECT_TRUE(pkg.contains(QStringLiteral("<glob pattern=\"*.tvq\"/>")));

    EXPECT_TRUE(ft::deleteExtension(QStringLiteral(".tvq")));
    EXPECT_FALSE(XdgSandbox::extensionPackageExists(QStringLiteral("TVQ")));
    EXPECT_EQ(ft::extensionClass(QStringLiteral("tvq")), QString());
    EXPECT_FALSE(ft::deleteExtension(QStringLiteral("tvq"))); // nothing left to delete
    EXPECT_TRUE(XdgSandbox::read(box.configHome + QStringLiteral("/mimeapps.list"))
                    .contains(QStringLiteral("text/plain=editor.desktop;")));
}

// The MIME lookup works from the compiled globs when update-mime-database
// ran, and from the package files when it is not installed.
TEST(FileTypeKeys, GlobLookupIgnoresLetterCaseWithAndWithoutTheCacheTools)
{
    for (bool tools : {true, false}) {
        XdgSandbox box;
        if (!tools)
            qputenv("PATH", QFile::encodeName(box.dir.filePath(QStringLiteral("empty-bin"))));
        ASSERT_TRUE(ft::setClassDescription(QStringLiteral("Quellin"), QStringLiteral("Quellin")));
        ASSERT_TRUE(ft::setExtensionClass(QStringLiteral(".qln"), QStringLiteral("Quellin")));
        ASSERT_TRUE(ft::setClassOpenCommand(QStringLiteral("Quellin"), box.programDir + QStringLiteral("/Quellin5")));
        ft::notifyAssociationsChanged(); // the tools' absence is not an error
        // The tools run on their own; when installed, the compiled globs
        // follow shortly.
        const QString globs = box.dataHome + QStringLiteral("/mime/globs2");
        if (tools && !QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
            EXPECT_TRUE(waitFor([&] { return QFileInfo::exists(globs); }));
        }
        if (!tools) {
            EXPECT_FALSE(QFileInfo::exists(globs));
        }

        for (const char* name : {"study.qln", "STUDY.QLN", "a.b.Qln"})
            EXPECT_EQ(ft::mimeTypeForFileName(QString::fromLatin1(name)), QStringLiteral("application/x-qln"))
                << name << " tools " << tools;
        EXPECT_EQ(ft::mimeTypeForFileName(QStringLiteral("study.qlnx")), QString());
        EXPECT_EQ(ft::mimeTypeForFileName(QStringLiteral("page.html")), QStringLiteral("text/html"));
        EXPECT_EQ(ft::associatedProgram(QStringLiteral("QLN")), box.programDir + QStringLiteral("/Quellin5"));
    }
}

// The compiled globs file as update-mime-database writes it: weights,
// letter case, wildcards, whole names, flags and lines to pass over.
TEST(FileTypeKeys, CompiledGlobsAreReadFieldByField)
{
    XdgSandbox box;
    XdgSandbox::write(box.dataHome + QStringLiteral("/mime/globs2"),
                      QStringLiteral("# glob weights\n"
                                     "50:application/x-tst-a:*.tsta\n"
                                     "40:application/x-tst-lo:*.tstw\n"
                                     "80:application/x-tst-hi:*.tstw\n"
                                     "50:application/x-tst-cs:*.TstC:cs\n"
                                     "50:application/x-tst-cs2:*.tstd:foo,cs\n"
                                     "50:application/x-tst-wild:*.ts[xy]z\n"
                                     "50:application/x-tst-name:TstMakefile\n"
                                     "50:application/x-tst-crlf:*.tste\r\n"
                                     "50:application/x-tst-l1:*.tstl\n"
                                     "50:application/x-tst-l2:*x.tstl\n"
                                     "a line without fields\n"
                                     "50:__NOGLOBS__:*.tstn\n"
                                     "\n"));
    const struct {
        const char* name;
        const char* type;
    } rows[] = {
        {"a.tsta", "application/x-tst-a"},    {"A.TSTA", "application/x-tst-a"},
        {"b.tstw", "application/x-tst-hi"},   {"c.TstC", "application/x-tst-cs"},
        {"c.tstc", ""},                       {"d.tstd", "application/x-tst-cs2"},
        {"d.TSTD", ""},                       {"e.tsxz", "application/x-tst-wild"},
        {"e.TSYZ", "application/x-tst-wild"}, {"e.tsqz", ""},
        {"TstMakefile", "application/x-tst-name"}, {"tstmakefile", "application/x-tst-name"},
        {"f.tste", "application/x-tst-crlf"}, {"a.tstl", "application/x-tst-l1"},
        {"ax.tstl", "application/x-tst-l2"},  {"g.tstn", ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ft::mimeTypeForFileName(QString::fromLatin1(r.name)), QString::fromLatin1(r.type)) << r.name;
}

TEST(FileTypeKeys, DefaultApplicationFollowsTheStandardOrderAndSkipsMissingPrograms)
{
    XdgSandbox box;
    const QString type = QStringLiteral("application/x-mrv");
    XdgSandbox::write(box.dataHome + QStringLiteral("/applications/Gone.desktop"),
                      QStringLiteral("[Desktop Entry]\nType=Application\nName=Gone\nExec=/nonexistent/Morvane5 %f\n"));
    XdgSandbox::write(box.dataHome + QStringLiteral("/applications/Here.desktop"),
                      QStringLiteral("[Desktop Entry]\nType=Application\nName=Here\nExec=") + box.programDir +
                          QStringLiteral("/Morvane5 %f\n"));
    XdgSandbox::write(box.dataHome + QStringLiteral("/applications/Shell.desktop"),
                      QStringLiteral("[Desktop Entry]\nType=Application\nName=Shell\nExec=sh %f\n"));

    // A missing program is passed over for the next one in the list.
    XdgSandbox::write(box.configHome + QStringLiteral("/mimeapps.list"),
                      QStringLiteral("[Default Applications]\n") + type + QStringLiteral("=Gone.desktop;Here.desktop;\n"));
    EXPECT_EQ(ft::defaultApplication(type), QStringLiteral("Here.desktop"));

    // The user's config folder comes before the user's applications folder.
    XdgSandbox::write(box.dataHome + QStringLiteral("/applications/mimeapps.list"),
                      QStringLiteral("[Default Applications]\n") + type + QStringLiteral("=Shell.desktop;\n"));
    EXPECT_EQ(ft::defaultApplication(type), QStringLiteral("Here.desktop"));
    QFile::remove(box.configHome + QStringLiteral("/mimeapps.list"));
    EXPECT_EQ(ft::defaultApplication(type), QStringLiteral("Shell.desktop"));
    EXPECT_EQ(XdgSandbox::xdgMimeDefault(type), QStringLiteral("Shell.desktop"));
    // A bare program name is found on PATH.
    EXPECT_EQ(ft::desktopEntryProgram(QStringLiteral("Shell.desktop")), QStandardPaths::findExecutable(QStringLiteral("sh")));
    EXPECT_EQ(ft::desktopEntryProgram(QStringLiteral("Gone.desktop")), QString());
    EXPECT_EQ(ft::desktopEntryProgram(QStringLiteral("Absent.desktop")), QString());
}

TEST(FileTypeKeys, WritesThatCannotBeMadeFailWithoutTouchingAnything)
{
    XdgSandbox box;
    // The data folder lies below a plain file: nothing can be created there.
    const QString blocker = box.dir.filePath(QStringLiteral("blocker"));
    XdgSandbox::write(blocker, QStringLiteral("not a folder"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker + QStringLiteral("/data")));
    EXPECT_FALSE(ft::setClassDescription(QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss")));
    EXPECT_FALSE(ft::setClassOpenCommand(QStringLiteral("Tarvoss"), QStringLiteral("/opt/Tarvoss5")));
    // The package cannot be written, the default application can.
    EXPECT_FALSE(ft::setExtensionClass(QStringLiteral("TVQ"), QStringLiteral("Tarvoss")));
    ft::notifyAssociationsChanged();
    EXPECT_EQ(XdgSandbox::read(blocker), QStringLiteral("not a folder"));
    EXPECT_EQ(ft::associatedProgram(QStringLiteral("TVQ")), QString());
    // Nothing half-written is left beside the files that were written.
    const QStringList left = QDir(box.configHome).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList{QStringLiteral("mimeapps.list")});
    // Names that cannot be keys are refused.
    EXPECT_FALSE(ft::setExtensionClass(QStringLiteral("t/q"), QStringLiteral("Tarvoss")));
    EXPECT_FALSE(ft::setClassDescription(QStringLiteral("../x"), QStringLiteral("x")));
}
