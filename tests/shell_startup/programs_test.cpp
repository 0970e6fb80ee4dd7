// The built programs start through their splash and register their file
// types next to themselves (skipped when the programs were not built).
#include "XdgSandbox.h"
#include "platform/FileTypeKeys.h"
#include "programs/ProgramTables.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QTest>
#include <gtest/gtest.h>

namespace ft = platform::filetypes;

namespace {

struct Running {
    QProcess process;
    explicit Running(const QString& program)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, {});
    }
    ~Running()
    {
        process.kill();
        process.waitForFinished(10000);
    }
};

bool registered(const shell::ProgramShell& table)
{
    for (const shell::FileTypeRow& row : table.rows)
        if (ft::extensionClass(row.extensionKey) != row.classKey || XdgSandbox::classEntryIcon(row.classKey).isEmpty())
            return false;
    return true;
}

} // namespace

TEST(Programs, EachProgramRegistersItsRowsAtItsFirstStartAndKeepsThemAtTheNext)
{
    const struct {
        const char* exe;
        shell::ProgramShell (*table)();
    } cases[] = {{"Tarvoss5", programs::tarvossShell}, {"Quellin5", programs::quellinShell},
                 {"Morvane5", programs::morvaneShell}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exe);
        const QString exe = QStringLiteral(SUITE_BIN_DIR "/") + QLatin1String(c.exe);
        if (!QFileInfo(exe).isExecutable())
            GTEST_SKIP() << "programs not built";
        XdgSandbox box;
        const shell::ProgramShell table = c.table();
        {
            Running run(exe);
            ASSERT_TRUE(run.process.waitForStarted(10000));
            EXPECT_TRUE(QTest::qWaitFor([&] { return registered(table); }, 30000));
            QTest::qWait(200); // the caches are rebuilt after the last key
        }
        QMap<QString, quint64> files;
        for (const shell::FileTypeRow& row : table.rows) {
            const QString type = ft::mimeTypeForExtension(row.extensionKey);
            EXPECT_EQ(ft::classOpenCommand(row.classKey), exe + QStringLiteral(" %f"));
            EXPECT_EQ(XdgSandbox::classEntryIcon(row.classKey), QStringLiteral(SUITE_BIN_DIR "/") + row.iconFile);
            EXPECT_TRUE(QFileInfo::exists(XdgSandbox::classEntryIcon(row.classKey)));
            EXPECT_EQ(ft::associatedProgram(row.extension), exe);
            EXPECT_EQ(XdgSandbox::xdgMimeDefault(type), row.classKey + QStringLiteral(".desktop"));
            files[ft::classEntryPath(row.classKey)] = XdgSandbox::inode(ft::classEntryPath(row.classKey));
            files[ft::extensionPackagePath(row.extensionKey)] = XdgSandbox::inode(ft::extensionPackagePath(row.extensionKey));
        }
        files[ft::mimeAppsListPath()] = XdgSandbox::inode(ft::mimeAppsListPath());

        // Started again, the program finds its types registered: once its
        // splash has gone, nothing has been rewritten.
        {
            Running run(exe);
            ASSERT_TRUE(run.process.waitForStarted(10000));
            QTest::qWait(2500);
            EXPECT_EQ(run.process.state(), QProcess::Running);
        }
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            EXPECT_EQ(XdgSandbox::inode(it.key()), it.value()) << it.key().toStdString();
    }
}
