// Start-up through the splash: the main window, the splash over it for
// about a second, and the file types registered once and kept.
#include "XdgSandbox.h"
#include "meandiff/frmMain.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "platform/FileTypeKeys.h"
#include "programs/ProgramTables.h"
#include "shell/frmSplash.h"
#include "testkit/QtTestKit.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace ft = platform::filetypes;
using shell::frmSplash;

namespace {

struct ProgramCase {
    const char* name;
    shell::ProgramShell (*table)();
    QWidget* (*makeMain)();
};

const ProgramCase kPrograms[] = {
    {"Tarvoss", programs::tarvossShell, [] { return static_cast<QWidget*>(new tarvoss::frmMain); }},
    {"Quellin", programs::quellinShell, [] { return static_cast<QWidget*>(new quellin::frmMain); }},
    {"Morvane", programs::morvaneShell, [] { return static_cast<QWidget*>(new morvane::frmMain); }},
};

// One start of a program in the sandbox with a plain main window; the
// splash is unloaded at once.
void start(const shell::ProgramShell& program, const XdgSandbox& box)
{
    std::unique_ptr<QWidget> main;
    QPointer<frmSplash> splash = new frmSplash(
        program,
        [&] {
            main = std::make_unique<QWidget>();
            return main.get();
        },
        box.programDir);
    splash->Form_Load();
    delete splash.data();
}

// Every file a row's keys live in, with its identity.
QMap<QString, quint64> keyFiles(const shell::ProgramShell& program)
{
    QMap<QString, quint64> out;
    out[ft::mimeAppsListPath()] = XdgSandbox::inode(ft::mimeAppsListPath());
    for (const shell::FileTypeRow& row : program.rows) {
        out[ft::classEntryPath(row.classKey)] = XdgSandbox::inode(ft::classEntryPath(row.classKey));
        out[ft::extensionPackagePath(row.extensionKey)] = XdgSandbox::inode(ft::extensionPackagePath(row.extensionKey));
    }
    return out;
}

} // namespace

TEST(Splash, EachProgramShowsItsSplashOverItsMainWindowForAboutASecond)
{
    for (const ProgramCase& pc : kPrograms) {
        SCOPED_TRACE(pc.name);
        XdgSandbox box;
        const shell::ProgramShell program = pc.table();
        std::unique_ptr<QWidget> main;
        bool splashShownWhenMainLoaded = true;
        QPointer<frmSplash> splash;
        splash = new frmSplash(
            program,
            [&] {
                splashShownWhenMainLoaded = splash->isVisible();
                main.reset(pc.makeMain());
                return main.get();
            },
            box.programDir);
        QElapsedTimer clock;
        clock.start();
        splash->Form_Load();

        ASSERT_TRUE(main);
        EXPECT_FALSE(splashShownWhenMainLoaded);
        EXPECT_TRUE(main->isVisible());
        ASSERT_TRUE(splash);
        EXPECT_TRUE(splash->isVisible());
        EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(splash->mainWindow(), main.get());
        auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
        ASSERT_TRUE(timer);
        EXPECT_TRUE(timer->isActive());
        EXPECT_EQ(timer->interval(), 1000);

        // The texts of the window.
        const QString version = program.splash.versionLabelName;
        EXPECT_EQ(testkit::text(splash, QStringLiteral("lblProductName")), QString::fromLatin1(pc.name));
        if (QString::fromLatin1(pc.name) == QLatin1String("Tarvoss")) {
            EXPECT_EQ(version, QStringLiteral("Label3"));
            EXPECT_EQ(testkit::text(splash, version), QStringLiteral("Version 5.0"));
            EXPECT_EQ(testkit::text(splash, QStringLiteral("Label1")), QStringLiteral("Varnholt"));
        } else {
            EXPECT_EQ(version, QStringLiteral("lblVersion"));
            EXPECT_EQ(testkit::text(splash, version),
                      QString::fromLatin1(pc.name) == QLatin1String("Quellin") ? QStringLiteral("Version: 4.1")
                                                                               : QStringLiteral("Version: 5.0"));
            EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("Label1")), nullptr);
        }
        for (const char* name : {"lblCompanyName", "lblCopyright", "lblMotto"})
            EXPECT_FALSE(testkit::text(splash, QString::fromLatin1(name)).isEmpty()) << name;
        auto* product = testkit::find<QLabel>(splash, QStringLiteral("lblProductName"));
        ASSERT_TRUE(product);
        EXPECT_EQ(product->font().family(), QStringLiteral("Monotype Corsiva"));
        auto* logo = testkit::find<QLabel>(splash, QStringLiteral("picLogo"));
        ASSERT_TRUE(logo);
        EXPECT_FALSE(logo->pixmap().isNull());
        EXPECT_TRUE(testkit::find<QWidget>(splash, QStringLiteral("fraMainFrame"))->isAncestorOf(product));

        // It unloads itself after a second; the main window stays.
        EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 10000));
        EXPECT_GE(clock.elapsed(), 1000);
        EXPECT_TRUE(main->isVisible());
    }
}

TEST(Splash, FirstStartRegistersEveryRowAndTheNextRewritesNothing)
{
    for (const ProgramCase& pc : kPrograms) {
        SCOPED_TRACE(pc.name);
        XdgSandbox box;
        const shell::ProgramShell program = pc.table();
        start(program, box);

        for (const shell::FileTypeRow& row : program.rows) {
            SCOPED_TRACE(row.extension.toStdString());
            const QString prog = box.programDir + QLatin1Char('/') + row.programFile;
            const QString type = ft::mimeTypeForExtension(row.extensionKey);
            const QString entry = XdgSandbox::read(ft::classEntryPath(row.classKey));
            EXPECT_TRUE(entry.startsWith(QStringLiteral("[Desktop Entry]\n"))) << entry.toStdString();
            EXPECT_TRUE(entry.contains(QStringLiteral("\nName=") + row.classDescription + QLatin1Char('\n')));
            EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=") + prog + QStringLiteral(" %f\n")));
            EXPECT_TRUE(entry.contains(QStringLiteral("\nIcon=") + box.programDir + QLatin1Char('/') + row.iconFile +
                                       QLatin1Char('\n')));
            EXPECT_TRUE(entry.contains(QStringLiteral("\nMimeType=") + type + QStringLiteral(";\n")));
            EXPECT_EQ(ft::extensionClass(row.extensionKey), row.classKey);
            // What the desktop's own tool says agrees with what the program asks.
            EXPECT_EQ(XdgSandbox::xdgMimeDefault(type), row.classKey + QStringLiteral(".desktop"));
            frmSplash probe(program, {}, box.programDir);
            EXPECT_EQ(probe.GetAssociatedProgram(row.extension), prog);
            EXPECT_EQ(probe.GetAssociatedProgram(row.extension.toLower()), prog);
        }
        if (program.rows.size() == 2) {
            EXPECT_EQ(ft::mimeTypeForFileName(QStringLiteral("studies.MET")), QStringLiteral("application/x-met"));
        }

        const auto before = keyFiles(program);
        for (quint64 id : before)
            EXPECT_NE(id, 0u);
        start(program, box);
        EXPECT_EQ(keyFiles(program), before);
        EXPECT_TRUE(QDir(box.tempDir).isEmpty()) << "temporary files left behind";
    }
}

TEST(Splash, BrokenOrForeignAssociationsAreRewrittenRowByRow)
{
    const shell::ProgramShell program = programs::tarvossShell();
    struct Breakage {
        const char* what;
        void (*apply)(const XdgSandbox&);
    };
    const Breakage cases[] = {
        {"command names a missing program",
         [](const XdgSandbox& b) { ft::setClassOpenCommand(QStringLiteral("Tarvoss"), b.dir.filePath("gone/Tarvoss5")); }},
        {"another program is the default",
         [](const XdgSandbox& b) {
             XdgSandbox::write(b.dataHome + QStringLiteral("/applications/Other.desktop"),
                               QStringLiteral("[Desktop Entry]\nType=Application\nName=Other\nExec=sh %f\n"));
             ft::setExtensionClass(QStringLiteral("tvq"), QStringLiteral("Other"));
         }},
        {"program name differs in letter case only",
         [](const XdgSandbox& b) {
             XdgSandbox::makeProgram(b.dir.filePath("other/tarvoss5"));
             ft::setClassOpenCommand(QStringLiteral("Tarvoss"), b.dir.filePath("other/tarvoss5"));
         }},
        {"extension key deleted",
         [](const XdgSandbox&) {
             ft::deleteExtension(QStringLiteral("TVQ"));
             ft::notifyAssociationsChanged();
         }},
        {"class entry deleted",
         [](const XdgSandbox&) { QFile::remove(ft::classEntryPath(QStringLiteral("Tarvoss"))); }},
    };
    for (const Breakage& c : cases) {
        SCOPED_TRACE(c.what);
        XdgSandbox box;
        start(program, box);
        c.apply(box);
        const QString prog = box.programDir + QStringLiteral("/Tarvoss5");
        frmSplash probe(program, {}, box.programDir);
        ASSERT_NE(probe.GetAssociatedProgram(QStringLiteral("TVQ")), prog);
        const quint64 metEntry = XdgSandbox::inode(ft::classEntryPath(QStringLiteral("MetaAnalysis")));
        const quint64 metPackage = XdgSandbox::inode(ft::extensionPackagePath(QStringLiteral("MET")));

        start(program, box);
        EXPECT_EQ(probe.GetAssociatedProgram(QStringLiteral("TVQ")), prog);
        EXPECT_EQ(ft::classOpenCommand(QStringLiteral("Tarvoss")), prog + QStringLiteral(" %f"));
        EXPECT_EQ(ft::extensionClass(QStringLiteral("TVQ")), QStringLiteral("Tarvoss"));
        EXPECT_EQ(XdgSandbox::xdgMimeDefault(QStringLiteral("application/x-tvq")), QStringLiteral("Tarvoss.desktop"));
        // The other row was sound and is left alone.
        EXPECT_EQ(XdgSandbox::inode(ft::classEntryPath(QStringLiteral("MetaAnalysis"))), metEntry);
        EXPECT_EQ(XdgSandbox::inode(ft::extensionPackagePath(QStringLiteral("MET"))), metPackage);
    }
}

TEST(Splash, FailuresToWriteOrToMakeATemporaryFileNeverStopStartUp)
{
    XdgSandbox box;
    const QString blocker = box.dir.filePath(QStringLiteral("blocker"));
    XdgSandbox::write(blocker, QStringLiteral("x"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker + QStringLiteral("/data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker + QStringLiteral("/config")));
    qputenv("TMPDIR", QFile::encodeName(box.dir.filePath(QStringLiteral("no-such-folder"))));

    std::unique_ptr<QWidget> main;
    QPointer<frmSplash> splash = new frmSplash(
        programs::tarvossShell(),
        [&] {
            main = std::make_unique<QWidget>();
            return main.get();
        },
        box.programDir);
    EXPECT_EQ(splash->GetAssociatedProgram(QStringLiteral("TVQ")), QString());
    splash->Form_Load();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 10000));
    EXPECT_EQ(XdgSandbox::read(blocker), QStringLiteral("x"));
}

TEST(Splash, TemporaryFolderWithADotInItsPath)
{
    XdgSandbox box;
    const QString dotted = box.dir.filePath(QStringLiteral("tmp.d/more.dots"));
    QDir().mkpath(dotted);
    qputenv("TMPDIR", QFile::encodeName(dotted));
    start(programs::quellinShell(), box);
    frmSplash probe(programs::quellinShell(), {}, box.programDir);
    EXPECT_EQ(probe.GetAssociatedProgram(QStringLiteral("QLN")), box.programDir + QStringLiteral("/Quellin5"));
    EXPECT_TRUE(QDir(dotted).isEmpty());
}

TEST(Splash, StripPath)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"/opt/tarvoss/Tarvoss5", "Tarvoss5"},
        {"Tarvoss5", "Tarvoss5"},
        {"/opt/tarvoss/", ""},
        {"/opt/with blank/x.y", "x.y"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(frmSplash::StripPath(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
}
