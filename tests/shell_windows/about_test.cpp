// The About box: texts in each program, mail and web links, and the
// system-information tool's two look-ups.
#include "platform/Settings.h"
#include "shell/ShellWindows.h"
#include "shell/frmAbout.h"
#include "shell_test_util.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

using shell::frmAbout;
using testkit::DesktopScript;
using testkit::MsgBoxScript;

namespace {

const QString kUnavailable = "System Information Is Unavailable At This Time";
const QString kSection = QString::fromLatin1(frmAbout::SysInfoSection);

TEST(AboutBox, TextsInEachProgram)
{
    {
        shelltest::AsProgram as("Tarvoss");
        frmAbout about;
        EXPECT_EQ(about.windowTitle(), "About The Tarvoss");
        EXPECT_EQ(testkit::text(&about, "lblTitle"), "Tarvoss");
        EXPECT_EQ(testkit::text(&about, "lblVersion"), "Version 5.0");
        EXPECT_EQ(testkit::text(&about, "CmdEmail"), "&Email Varnholt");
        EXPECT_EQ(testkit::text(&about, "CmdVisit"), "&Visit Website");
        EXPECT_EQ(testkit::text(&about, "cmdSysInfo"), "&System Info...");
        EXPECT_EQ(testkit::text(&about, "cmdOK"), "&OK");
        EXPECT_EQ(testkit::find<QLabel>(&about, "lblTitle")->font().family(), "Monotype Corsiva");
        // Where the face is missing, the same stand-in as the splash's.
        EXPECT_EQ(testkit::find<QLabel>(&about, "lblTitle")->font().styleHint(), QFont::Cursive);
        EXPECT_FALSE(testkit::find<QLabel>(&about, "picIcon")->pixmap().isNull());
        EXPECT_EQ(about.findChild<QWidget*>("txtPurpose"), nullptr);
    }
    {
        // Its title and version are set at load from the program's own.
        shelltest::AsProgram as("Quellin", 7);
        frmAbout about;
        EXPECT_EQ(about.windowTitle(), "About The Quellin");
        EXPECT_EQ(testkit::text(&about, "lblTitle"), "Quellin");
        EXPECT_EQ(testkit::text(&about, "lblVersion"), "Version 5.0.7");
    }
    {
        shelltest::AsProgram as("Morvane");
        frmAbout about;
        EXPECT_EQ(about.windowTitle(), "About The Morvane");
        EXPECT_EQ(testkit::text(&about, "lblHeader"), "Morvane");
        EXPECT_EQ(about.findChild<QWidget*>("lblTitle"), nullptr);
        EXPECT_EQ(testkit::text(&about, "lblVersion"), "Version 5.0");
        EXPECT_TRUE(testkit::text(&about, "txtPurpose").contains("reliable change index"));
    }
}

TEST(AboutBox, MailAndWebSite)
{
    for (const char* title : {"Tarvoss", "Quellin", "Morvane"}) {
        shelltest::AsProgram as(title);
        frmAbout about;
        about.show();
        DesktopScript desk;
        MsgBoxScript msgs;
        testkit::click(testkit::find(&about, "CmdEmail"));
        testkit::click(testkit::find(&about, "CmdVisit"));
        ASSERT_EQ(desk.requests().size(), 2);
        EXPECT_EQ(desk.requests()[0].kind, platform::DesktopRequest::OpenUrl);
        EXPECT_EQ(desk.requests()[0].target,
                  "mailto:" + frmAbout::SupportAddress() + "?Subject=" + QString::fromLatin1(title));
        EXPECT_EQ(desk.requests()[1].target, frmAbout::WebAddress());
        EXPECT_EQ(msgs.count(), 0);
    }
    // Without a program for the link nothing is reported either.
    frmAbout about;
    DesktopScript failing(false);
    MsgBoxScript msgs;
    about.CmdEmail_Click();
    about.CmdVisit_Click();
    EXPECT_EQ(msgs.count(), 0);
}

// Makes an executable file.
QString tool(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

TEST(AboutBox, SystemInformationTool)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty");
    const QString withTool = dir.filePath("tools");
    QDir().mkpath(empty);
    QDir().mkpath(withTool);
    const QString inFolder = tool(QDir(withTool).filePath(QString::fromLatin1(frmAbout::SysInfoTool)));
    const QString byPath = tool(dir.filePath("sysinfo-viewer"));

    struct Case {
        const char* what;
        QString path;     // configured path, empty: none
        QString folder;   // configured folder, empty: none
        bool startSucceeds;
        QString started;  // program expected to start; empty: the message
    };
    const Case cases[] = {
        {"configured path", byPath, withTool, true, byPath},
        {"path to a missing program", dir.filePath("gone"), withTool, true, {}},
        {"no path, folder holding the tool", {}, withTool, true, inFolder},
        {"no path, folder without the tool", {}, empty, true, {}},
        {"program that does not start", byPath, {}, false, {}},
        {"no path, folder that does not exist", {}, dir.filePath("nowhere"), true, {}},
    };
    for (const Case& c : cases) {
        platform::deleteSetting(kSection);
        if (!c.path.isEmpty())
            platform::saveSetting(kSection, frmAbout::SysInfoPathKey, c.path);
        if (!c.folder.isEmpty())
            platform::saveSetting(kSection, frmAbout::SysInfoFolderKey, c.folder);
        frmAbout about;
        about.show();
        DesktopScript desk(c.startSucceeds);
        MsgBoxScript msgs;
        testkit::click(testkit::find(&about, "cmdSysInfo"));
        if (c.started.isEmpty()) {
            EXPECT_EQ(msgs.texts(), QStringList{kUnavailable}) << c.what;
            ASSERT_EQ(msgs.count(), 1);
            EXPECT_EQ(msgs.shown().front().title, platform::appInfo().title);
        } else {
            EXPECT_EQ(msgs.count(), 0) << c.what;
            ASSERT_EQ(desk.requests().size(), 1) << c.what;
            EXPECT_EQ(desk.requests()[0].kind, platform::DesktopRequest::StartProgram);
            EXPECT_EQ(desk.requests()[0].target, c.started) << c.what;
        }
    }
    platform::deleteSetting(kSection);
}

TEST(AboutBox, OpensModalAndClosesWithOK)
{
    QWidget owner;
    owner.show();
    bool wasModal = false;
    QString caption;
    QTimer::singleShot(0, [&] {
        QWidget* m = QApplication::activeModalWidget();
        ASSERT_NE(m, nullptr);
        wasModal = m->isModal();
        caption = m->windowTitle();
        EXPECT_EQ(m->parentWidget(), &owner);
        testkit::click(testkit::find(m, "cmdOK"));
    });
    shell::showAbout(&owner);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(caption, "About The " + platform::appInfo().title);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
