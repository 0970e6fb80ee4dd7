// The frame's commands: copy and paste of the active box, the toolbar's
// dispatch, the calculator commands, web pages and the help document.
#include "FrameTestSupport.h"

#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "testkit/QtTestKit.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <functional>

using namespace frametest;
using platform::DesktopRequest;

class Commands : public FrameTest {};

TEST_F(Commands, CopyTakesTheSelectedTextOfTheActiveTextBoxOnly)
{
    TestFrame w;
    w.show();
    w.txtA->setText(QStringLiteral("12.345"));
    w.txtA->setFocus();
    w.txtA->setSelection(3, 3);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    testkit::findAction(&w, QStringLiteral("mnuEditCopy"))->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("345"));

    // A button or a combo box as the active control leaves the clipboard alone.
    for (QWidget* other : {static_cast<QWidget*>(w.cmdGo), static_cast<QWidget*>(w.Combo1)}) {
        QApplication::clipboard()->setText(QStringLiteral("before"));
        other->setFocus();
        w.Toolbar1_ButtonClick(QStringLiteral("Copy"));
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before")) << other->objectName().toStdString();
    }
}

TEST_F(Commands, PasteReplacesTheSelectionOrInsertsAtTheCaret)
{
    TestFrame w;
    w.show();
    QApplication::clipboard()->setText(QStringLiteral("-7x"));
    w.txtA->setText(QStringLiteral("12345"));
    w.txtA->setFocus();
    w.txtA->setSelection(1, 2);
    testkit::findAction(&w, QStringLiteral("mnuEditPaste"))->trigger();
    EXPECT_EQ(w.txtA->text(), QStringLiteral("1-7x45")) << "no key filter sees pasted text";

    w.txtB->setText(QStringLiteral("ab"));
    w.txtB->setFocus();
    w.txtB->setCursorPosition(1);
    w.Toolbar1_ButtonClick(QStringLiteral("Paste"));
    EXPECT_EQ(w.txtB->text(), QStringLiteral("a-7xb"));

    w.Combo1->setFocus();
    w.Toolbar1_ButtonClick(QStringLiteral("Paste"));
    EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("95%")) << "a combo box is no text box";
    w.cmdGo->setFocus();
    w.mnuEditPaste_Click();
    EXPECT_EQ(w.txtA->text(), QStringLiteral("1-7x45"));
}

TEST_F(Commands, ToolbarRunsTheCommandOfExactlyMatchingKeys)
{
    TestFrame w;
    testkit::DesktopScript desktop;
    testkit::MsgBoxScript boxes;
    w.Toolbar1_ButtonClick(QStringLiteral("Save"));
    EXPECT_EQ(w.saves, 1);
    w.Toolbar1_ButtonClick(QStringLiteral("Print"));
    EXPECT_EQ(w.prints, 1);
    w.Toolbar1_ButtonClick(QStringLiteral("Calculate"));
    EXPECT_EQ(w.calculations, 1);
    w.Toolbar1_ButtonClick(QStringLiteral("Website"));
    w.Toolbar1_ButtonClick(QStringLiteral("Help"));
    ASSERT_EQ(desktop.requests().size(), 2);
    EXPECT_EQ(desktop.requests()[0].target, frame::makerWebsite());
    EXPECT_TRUE(desktop.requests()[1].target.endsWith(QStringLiteral("/Tarvoss.html")));

    // Keys that differ in letter case, or are not in the table, do nothing.
    w.txtA->setText(QStringLiteral("kept"));
    for (const char* key : {"new", "SAVE", "calculate", "Calculate ", "Exit", ""})
        w.Toolbar1_ButtonClick(QString::fromLatin1(key));
    EXPECT_EQ(w.txtA->text(), QStringLiteral("kept"));
    EXPECT_EQ(w.saves, 1);
    EXPECT_EQ(w.calculations, 1);
    EXPECT_EQ(desktop.requests().size(), 2);

    // A failure inside the command is ignored and the window goes on.
    w.calculationThrows = true;
    EXPECT_NO_THROW(w.Toolbar1_ButtonClick(QStringLiteral("Calculate")));
    EXPECT_EQ(w.calculations, 2);
    EXPECT_EQ(boxes.count(), 0);

    // Clicking the toolbar's button runs the same dispatch.
    w.calculationThrows = false;
    testkit::findAction(&w, QStringLiteral("Toolbar1_Calculate"))->trigger();
    EXPECT_EQ(w.calculations, 3);
    testkit::findAction(&w, QStringLiteral("mnuMeta"))->trigger();
    EXPECT_EQ(w.metas, 1);
}

// What the frame's library writes to its trace while `run` runs.
QStringList frameTrace(const std::function<void()>& run)
{
    static QStringList* seen = nullptr;
    QStringList lines;
    seen = &lines;
    const QtMessageHandler before = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& c, const QString& m) {
        if (seen && c.category && QByteArray(c.category) == "suite.frame")
            *seen << m;
    });
    run();
    qInstallMessageHandler(before);
    seen = nullptr;
    return lines;
}

// A failure that a menu command does not report itself is not lost in the
// menu: it reaches the application's net, which shows it. The toolbar, whose
// rule is to ignore such a failure, leaves a trace of it instead.
TEST_F(Commands, AMenuCommandsUnreportedFailureIsShownAndTheToolbarsIsTraced)
{
    TestFrame w;
    w.metaThrows = true;
    {
        testkit::MsgBoxScript boxes;
        EXPECT_NO_THROW(testkit::findAction(&w, QStringLiteral("mnuMeta"))->trigger());
        EXPECT_EQ(w.metas, 1);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.shown()[0].text.endsWith(QStringLiteral("\nmeta-analysis failed")))
            << boxes.shown()[0].text.toStdString();
    }
    w.calculationThrows = true;
    testkit::MsgBoxScript boxes;
    const QStringList trace = frameTrace([&] { w.Toolbar1_ButtonClick(QStringLiteral("Calculate")); });
    EXPECT_EQ(w.calculations, 1);
    EXPECT_EQ(boxes.count(), 0);
    ASSERT_EQ(trace.size(), 1);
    EXPECT_TRUE(trace[0].contains(QStringLiteral("calculation failed"))) << trace[0].toStdString();
}

TEST_F(Commands, WebPagesAndHelpOfTheThreePrograms)
{
    struct Case {
        const char* program;
        const char* help;
    } cases[] = {{"Tarvoss", "Tarvoss.html"}, {"Quellin", "Quellin.html"}, {"Morvane", "Morvane.html"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        const QString title = QString::fromLatin1(c.program);
        useProgram(title, title + QStringLiteral("5"));
        std::unique_ptr<frame::MainFrame> w;
        if (title == QLatin1String("Quellin"))
            w = std::make_unique<quellin::frmMain>();
        else if (title == QLatin1String("Morvane"))
            w = std::make_unique<morvane::frmMain>();
        else
            w = std::make_unique<TestFrame>();
        testkit::DesktopScript desktop;
        for (const char* a : {"mnuHelpContents", "mnuHelpSearchForHelpOn", "mnuWebsite", "mnuForums"})
            testkit::findAction(w.get(), QString::fromLatin1(a))->trigger();
        ASSERT_EQ(desktop.requests().size(), 4);
        const QString helpPath = QDir(platform::appPath()).filePath(QString::fromLatin1(c.help));
        EXPECT_EQ(desktop.requests()[0].kind, DesktopRequest::OpenUrl);
        EXPECT_EQ(desktop.requests()[0].target, helpPath);
        EXPECT_EQ(desktop.requests()[1].target, helpPath) << "Search Help starts the same command";
        EXPECT_EQ(desktop.requests()[2].target, frame::makerWebsite());
        EXPECT_TRUE(desktop.requests()[3].target.endsWith(QStringLiteral("/forums/index.php")));
        // The help document ships next to the program.
        EXPECT_TRUE(QFileInfo::exists(helpPath)) << helpPath.toStdString();
    }
    useProgram(QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"));
}

TEST_F(Commands, DesktopCalculatorIsStartedWhenOneIsInstalled)
{
    const QByteArray oldPath = qgetenv("PATH");
    QTemporaryDir bin;
    TestFrame w;
    {
        // No calculator program: nothing happens.
        qputenv("PATH", bin.path().toLocal8Bit());
        testkit::DesktopScript desktop;
        testkit::MsgBoxScript boxes;
        testkit::findAction(&w, QStringLiteral("mnuToolsWCalc"))->trigger();
        EXPECT_TRUE(desktop.requests().isEmpty());
        EXPECT_EQ(boxes.count(), 0);
    }
    QFile fake(bin.filePath(QStringLiteral("galculator")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\nexit 0\n");
    fake.close();
    fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    {
        testkit::DesktopScript desktop;
        testkit::MsgBoxScript boxes;
        testkit::findAction(&w, QStringLiteral("mnuToolsWCalc"))->trigger();
        ASSERT_EQ(desktop.requests().size(), 1);
        EXPECT_EQ(desktop.requests()[0].kind, DesktopRequest::StartProgram);
        EXPECT_EQ(desktop.requests()[0].target, fake.fileName());
        EXPECT_EQ(boxes.count(), 0);
    }
    {
        // It cannot be started: its message, and the window goes on.
        testkit::DesktopScript desktop(false);
        testkit::MsgBoxScript boxes;
        w.mnuToolsWCalc_Click();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.texts()[0].startsWith(
            QStringLiteral("Maybe you should use the simple calculator as something went very wrong and resulted "
                           "in the following error\n")));
        EXPECT_EQ(boxes.shown()[0].buttons, platform::MsgButtons::OK);
    }
    qputenv("PATH", oldPath);
}

TEST_F(Commands, ShellWindowsOpenWithoutDisturbingTheWindow)
{
    TestFrame w;
    w.txtA->setText(QStringLiteral("1"));
    w.RecordChanged(true);
    for (const char* a : {"mnuToolsSCalc", "mnuToolsCapture"})
        testkit::findAction(&w, QString::fromLatin1(a))->trigger();
    // Options and About are modal: each is closed as soon as it shows.
    for (const char* a : {"mnuOptions", "mnuHelpAbout"}) {
        QString shown;
        QTimer::singleShot(50, [&shown] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                shown = m->objectName();
                m->close();
            }
        });
        testkit::findAction(&w, QString::fromLatin1(a))->trigger();
        // Options needs the running program's file-type table, which a test window has not got.
        if (QString::fromLatin1(a) == QLatin1String("mnuHelpAbout")) {
            EXPECT_EQ(shown, QStringLiteral("frmAbout"));
        }
    }
    for (const char* key : {"Calculator", "Capture"})
        w.Toolbar1_ButtonClick(QString::fromLatin1(key));
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &w && top->isVisible() && top->isWindow() && !qobject_cast<QMenu*>(top))
            top->close();
    EXPECT_EQ(w.txtA->text(), QStringLiteral("1"));
    EXPECT_FALSE(w.RecordChanged(false));
}
