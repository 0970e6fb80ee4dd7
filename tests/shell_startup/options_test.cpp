// The Options dialog: the association check box, its keys, and Morvane's
// start tab.
#include "XdgSandbox.h"
#include "platform/AppInfo.h"
#include "platform/FileTypeKeys.h"
#include "platform/Settings.h"
#include "programs/ProgramTables.h"
#include "shell/ShellWindows.h"
#include "shell/associateExtension.h"
#include "shell/frmOptions.h"
#include "shell/frmSplash.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace ft = platform::filetypes;
using shell::frmOptions;
using testkit::MsgBoxScript;

namespace {

QString runningProgram() { return QCoreApplication::applicationFilePath(); }

// Every file below the sandbox's XDG folders with its identity.
QMap<QString, quint64> allKeyFiles(const XdgSandbox& box)
{
    QMap<QString, quint64> out;
    for (const QString& root : {box.dataHome, box.configHome}) {
        QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            out[f] = XdgSandbox::inode(f);
        }
    }
    return out;
}

void startTarvoss(const XdgSandbox& box)
{
    std::unique_ptr<QWidget> main;
    QPointer<shell::frmSplash> splash = new shell::frmSplash(
        programs::tarvossShell(),
        [&] {
            main = std::make_unique<QWidget>();
            return main.get();
        },
        box.programDir);
    splash->Form_Load();
    delete splash.data();
}

bool iconShown(frmOptions& dlg) { return !testkit::find<QLabel>(&dlg, QStringLiteral("picIcon"))->isHidden(); }

} // namespace

TEST(Options, EachProgramsCaptionsAndMorvanesStartTabFrame)
{
    XdgSandbox box;
    struct Case {
        shell::ProgramShell table;
        const char* caption;
        const char* check;
    };
    const Case cases[] = {
        {programs::tarvossShell(), "Tarvoss Options", "Re-associate .tvq files with this programme"},
        {programs::quellinShell(), "Quellin Options", "Re-associate .qln files with this programme"},
        {programs::morvaneShell(), "", "Re-associate .mrv files with this programme?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.check);
        frmOptions dlg(c.table.options, nullptr, SUITE_BIN_DIR);
        EXPECT_EQ(dlg.windowTitle(), QString::fromLatin1(c.caption));
        EXPECT_EQ(testkit::text(&dlg, QStringLiteral("chkAssoc")), QString::fromLatin1(c.check));
        EXPECT_FALSE(testkit::find<QCheckBox>(&dlg, QStringLiteral("chkAssoc"))->isChecked());
        EXPECT_FALSE(iconShown(dlg));
        const bool morvane = c.table.options.className == QLatin1String("MrvFile");
        EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("cmdApply")) != nullptr, morvane);
        if (morvane) {
            EXPECT_EQ(testkit::find<QGroupBox>(&dlg, QStringLiteral("Frame1"))->title(),
                      QStringLiteral("Which Tab should automatically open when the programme is run?"));
            const char* const captions[] = {"Reliable Change Tab", "Clinical Change Tab", "Exact Confidence Rates Tab",
                                            "Extra Info Tab"};
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(testkit::text(&dlg, QStringLiteral("op%1").arg(i)), QString::fromLatin1(captions[i]));
            EXPECT_EQ(testkit::text(&dlg, QStringLiteral("cmdApply")), QStringLiteral("Apply"));
        }
    }
    // The icon of the file type ships next to the program.
    frmOptions dlg(programs::tarvossShell().options, nullptr, SUITE_BIN_DIR);
    EXPECT_FALSE(testkit::find<QLabel>(&dlg, QStringLiteral("picIcon"))->pixmap().isNull());
}

TEST(Options, OpeningReadsOnlyItsOwnClassAndWritesNothing)
{
    XdgSandbox box;
    const shell::OptionsTexts texts = programs::tarvossShell().options;
    const QString exe = runningProgram();
    struct Case {
        const char* what;
        QString tvqFileExec; // "" = no TvqFile class
        QString tarvossExec; // the splash's class
        bool ticked;
    };
    const Case cases[] = {
        {"no class at all", {}, {}, false},
        {"the splash's class opens this program", {}, exe, false},
        {"its own class opens this program", exe, {}, true},
        {"its own class opens another program", box.programDir + QStringLiteral("/Tarvoss5"), exe, false},
        {"its own command is too long to read", exe + QStringLiteral(" --") + QString(260, QLatin1Char('x')), {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(box.dataHome).removeRecursively();
        QDir(box.configHome).removeRecursively();
        if (!c.tvqFileExec.isEmpty())
            XdgSandbox::write(ft::classEntryPath(QStringLiteral("TvqFile")),
                              QStringLiteral("[Desktop Entry]\nType=Application\nName=TvqFile\nExec=") + c.tvqFileExec +
                                  QStringLiteral(" %f\n"));
        if (!c.tarvossExec.isEmpty()) {
            ft::setClassOpenCommand(QStringLiteral("Tarvoss"), c.tarvossExec);
            ft::setExtensionClass(QStringLiteral("TVQ"), QStringLiteral("Tarvoss"));
        }
        const auto before = allKeyFiles(box);
        frmOptions dlg(texts, nullptr, SUITE_BIN_DIR);
        EXPECT_EQ(dlg.ExePath, exe);
        EXPECT_TRUE(dlg.Loaded);
        EXPECT_EQ(testkit::find<QCheckBox>(&dlg, QStringLiteral("chkAssoc"))->isChecked(), c.ticked);
        EXPECT_EQ(iconShown(dlg), c.ticked);
        EXPECT_EQ(allKeyFiles(box), before);
    }
}

TEST(Options, TickingAssociatesUntickingRemovesAndTheSplashTakesTheTypeBack)
{
    XdgSandbox box;
    const QString exe = runningProgram();
    startTarvoss(box);
    ASSERT_EQ(ft::associatedProgram(QStringLiteral("TVQ")), box.programDir + QStringLiteral("/Tarvoss5"));

    frmOptions dlg(programs::tarvossShell().options, nullptr, SUITE_BIN_DIR);
    auto* chk = testkit::find<QCheckBox>(&dlg, QStringLiteral("chkAssoc"));
    ASSERT_FALSE(chk->isChecked());

    // Ticking: the type now opens with the running program through TvqFile.
    MsgBoxScript boxes;
    testkit::click(chk);
    ASSERT_TRUE(chk->isChecked());
    EXPECT_TRUE(iconShown(dlg));
    EXPECT_EQ(ft::classDescription(QStringLiteral("TvqFile")), QStringLiteral("TvqFile"));
    EXPECT_EQ(ft::classOpenCommand(QStringLiteral("TvqFile")), exe + QStringLiteral(" %f"));
    EXPECT_EQ(XdgSandbox::classEntryIcon(QStringLiteral("TvqFile")), QStringLiteral(SUITE_BIN_DIR "/TVQ.ico"));
    EXPECT_EQ(ft::extensionClass(QStringLiteral("tvq")), QStringLiteral("TvqFile"));
    EXPECT_EQ(ft::associatedProgram(QStringLiteral("tvq")), exe);
    EXPECT_EQ(XdgSandbox::xdgMimeDefault(QStringLiteral("application/x-tvq")), QStringLiteral("TvqFile.desktop"));
    // The splash's class is still there; the extension no longer names it.
    EXPECT_TRUE(XdgSandbox::classEntryExists(QStringLiteral("Tarvoss")));

    // A dialog opened now finds the box ticked.
    {
        frmOptions again(programs::tarvossShell().options, nullptr, SUITE_BIN_DIR);
        EXPECT_TRUE(testkit::find<QCheckBox>(&again, QStringLiteral("chkAssoc"))->isChecked());
    }

    // The next start sees a program whose name is not its own and points
    // the extension back at its class.
    startTarvoss(box);
    EXPECT_EQ(ft::extensionClass(QStringLiteral("tvq")), QStringLiteral("Tarvoss"));
    EXPECT_EQ(ft::associatedProgram(QStringLiteral("TVQ")), box.programDir + QStringLiteral("/Tarvoss5"));
    EXPECT_TRUE(XdgSandbox::classEntryExists(QStringLiteral("TvqFile")));

    // Unticking deletes the class and the extension key, whichever class it
    // names: the splash's association is gone too until the next start.
    testkit::click(chk);
    ASSERT_FALSE(chk->isChecked());
    EXPECT_FALSE(iconShown(dlg));
    EXPECT_FALSE(XdgSandbox::classEntryExists(QStringLiteral("TvqFile")));
    EXPECT_FALSE(QFileInfo::exists(ft::classEntryPath(QStringLiteral("TvqFile"))));
    EXPECT_FALSE(XdgSandbox::extensionPackageExists(QStringLiteral("TVQ")));
    EXPECT_EQ(ft::extensionClass(QStringLiteral("TVQ")), QString());
    EXPECT_EQ(ft::associatedProgram(QStringLiteral("TVQ")), QString());
    EXPECT_EQ(ft::associatedProgram(QStringLiteral("MET")), box.programDir + QStringLiteral("/Tarvoss5"));
    startTarvoss(box);
    EXPECT_EQ(ft::associatedProgram(QStringLiteral("TVQ")), box.programDir + QStringLiteral("/Tarvoss5"));
    EXPECT_EQ(boxes.count(), 0);
}

// A program that finds its own file name in the command of the Options
// dialog's class keeps that association at its next start.
TEST(Options, TheNextStartKeepsTheDialogsAssociationWhenItNamesThisProgram)
{
    XdgSandbox box;
    shell::ProgramShell table = programs::tarvossShell();
    for (shell::FileTypeRow& row : table.rows)
        row.programFile = QFileInfo(runningProgram()).fileName();
    {
        frmOptions dlg(table.options, nullptr, SUITE_BIN_DIR);
        testkit::click(testkit::find<QCheckBox>(&dlg, QStringLiteral("chkAssoc")));
    }
    ASSERT_EQ(ft::extensionClass(QStringLiteral("TVQ")), QStringLiteral("TvqFile"));
    std::unique_ptr<QWidget> main;
    QPointer<shell::frmSplash> splash = new shell::frmSplash(
        table,
        [&] {
            main = std::make_unique<QWidget>();
            return main.get();
        },
        SUITE_BIN_DIR);
    splash->Form_Load();
    delete splash.data();
    EXPECT_EQ(ft::extensionClass(QStringLiteral("TVQ")), QStringLiteral("TvqFile"));
    EXPECT_EQ(ft::extensionClass(QStringLiteral("MET")), QStringLiteral("MetaAnalysis"));
}

TEST(Options, AnExtensionWithADotIsRefusedWithAMessage)
{
    XdgSandbox box;
    MsgBoxScript boxes;
    shell::associateExtension::AssociateFileType(QStringLiteral(".tvq"), runningProgram(), QStringLiteral("TvqFile"),
                                                 QStringLiteral("/x/TVQ.ico"));
    shell::associateExtension::RemoveFileType(QStringLiteral("t.vq"), QStringLiteral("TvqFile"));
    ASSERT_EQ(boxes.count(), 2);
    for (const platform::MsgRequest& r : boxes.shown()) {
        EXPECT_EQ(r.text, QStringLiteral("Extension has . in it. Remove and try again."));
        EXPECT_EQ(r.buttons, platform::MsgButtons::OK);
        EXPECT_EQ(r.icon, platform::MsgIcon::None);
        EXPECT_TRUE(r.title.isEmpty() || r.title == platform::appInfo().title);
    }
    EXPECT_TRUE(allKeyFiles(box).isEmpty());
}

TEST(Options, MorvaneSavesTheChosenStartTab)
{
    XdgSandbox box;
    const platform::AppInfo saved = platform::appInfo();
    platform::setAppInfo({QStringLiteral("Morvane"), QStringLiteral("Morvane5"), 5, 0, 0});
    platform::deleteSetting(QStringLiteral("Settings"), QStringLiteral("Tab"));

    {
        frmOptions dlg(programs::morvaneShell().options, nullptr, SUITE_BIN_DIR);
        dlg.show();
        for (int i = 0; i < 4; ++i)
            EXPECT_FALSE(testkit::find<QRadioButton>(&dlg, QStringLiteral("op%1").arg(i))->isChecked());
        testkit::click(testkit::find<QWidget>(&dlg, QStringLiteral("cmdApply")));
        EXPECT_EQ(platform::getSetting(QStringLiteral("Settings"), QStringLiteral("Tab"), QStringLiteral("<none>")),
                  QStringLiteral("<none>"));
        testkit::click(testkit::find<QWidget>(&dlg, QStringLiteral("op2")));
        testkit::click(testkit::find<QWidget>(&dlg, QStringLiteral("cmdApply")));
        EXPECT_EQ(platform::getSetting(QStringLiteral("Settings"), QStringLiteral("Tab")), QStringLiteral("op2"));
        EXPECT_TRUE(dlg.isVisible());
        testkit::click(testkit::find<QWidget>(&dlg, QStringLiteral("op0")));
        testkit::click(testkit::find<QWidget>(&dlg, QStringLiteral("cmdApply")));
        EXPECT_EQ(platform::getSetting(QStringLiteral("Settings"), QStringLiteral("Tab")), QStringLiteral("op0"));
    }
    // The buttons do not show the stored choice when the dialog opens again.
    {
        frmOptions dlg(programs::morvaneShell().options, nullptr, SUITE_BIN_DIR);
        EXPECT_FALSE(testkit::find<QRadioButton>(&dlg, QStringLiteral("op0"))->isChecked());
    }
    EXPECT_TRUE(allKeyFiles(box).isEmpty()); // the start tab has nothing to do with the association
    platform::deleteSetting(QStringLiteral("Settings"), QStringLiteral("Tab"));
    platform::setAppInfo(saved);
}

TEST(Options, ShowOptionsOpensTheProgramsDialogModalOverItsOwner)
{
    XdgSandbox box;
    QWidget owner;
    owner.show();

    // Before a program registered its table there is nothing to show.
    shell::showOptions(&owner);

    std::optional<shell::ProgramShellRegistration> quellin(std::in_place, programs::quellinShell());
    QString seenTitle;
    QWidget* seenParent = nullptr;
    bool seenModal = false;
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w)
            return;
        seenTitle = w->windowTitle();
        seenParent = w->parentWidget();
        seenModal = w->isModal();
        w->close();
    });
    shell::showOptions(&owner);
    quellin.reset();
    EXPECT_EQ(seenTitle, QStringLiteral("Quellin Options"));
    EXPECT_EQ(seenParent, &owner);
    EXPECT_TRUE(seenModal);
}
