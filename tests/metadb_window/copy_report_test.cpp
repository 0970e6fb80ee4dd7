// Copying the open database under a new name, and the report's two ways
// out: the clipboard and the text file opened by the desktop.
#include "MetDataTestSupport.h"
#include "metadb/frmProgress.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <cstdlib>

using namespace metdatatest;
using platform::MsgResult;

TEST_F(MetDataTest, CopyUnderANewNameContinuesWithTheCopy)
{
    const QString source = path("source.met");
    const QString copy = path("copy.met");
    openWindow();
    createThroughWindow(source);
    ASSERT_TRUE(edit(0, column("Study Name"), QStringLiteral("Typed, not saved")));
    {
        testkit::FileDialogScript dialogs({copy});
        testkit::MsgBoxScript msgs;
        click("cmdRenameFileAs");
        EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown()[0].kind, platform::FileDialogRequest::Save);
    }
    const QByteArray sourceAfterCopy = bytes(source);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Effect Size Database Editor. ") + copy);
    EXPECT_EQ(w->strPath(), copy);
    EXPECT_EQ(testkit::text(w, QStringLiteral("txtstrPath")), copy);
    EXPECT_EQ(panel(1), QStringLiteral("Number Of Records In Database:  1"));
    EXPECT_EQ(grid()->columnWidth(2), 2000 / 15);
    EXPECT_EQ(metadb::progressWindow(), nullptr);
    // The edit typed before the copy went into both files.
    for (const QString& f : {source, copy})
        EXPECT_EQ(query(f, QStringLiteral("SELECT \"Study Name\" FROM data"))[0][0].toString(),
                  QStringLiteral("Typed, not saved"));

    // Edits from now on go to the copy only; a second copy copies the copy.
    click("cmdNew");
    EXPECT_EQ(bytes(source), sourceAfterCopy);
    EXPECT_EQ(query(copy, QStringLiteral("SELECT COUNT(*) FROM data"))[0][0].toInt(), 2);
    const QString second = path("second.met");
    {
        testkit::FileDialogScript dialogs({second});
        trigger("mnuRename");
    }
    EXPECT_EQ(query(second, QStringLiteral("SELECT COUNT(*) FROM data"))[0][0].toInt(), 2);

    // An existing target, the open file's own included, is refused and the
    // database stays open.
    for (const QString& target : {second, source}) {
        const QByteArray before = bytes(target);
        testkit::FileDialogScript dialogs({target});
        testkit::MsgBoxScript msgs;
        click("cmdRenameFileAs");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("File Already Exists"));
        EXPECT_EQ(bytes(target), before);
    }
    EXPECT_TRUE(gridShown());
    EXPECT_EQ(w->strPath(), second);
    click("cmdNew");
    EXPECT_EQ(query(second, QStringLiteral("SELECT COUNT(*) FROM data"))[0][0].toInt(), 3);
}

TEST_F(MetDataTest, CopyWithoutADatabaseFailsInItsErrorBoxAndCreatesNothing)
{
    openWindow();
    const QString target = path("nothing.met");
    {
        testkit::FileDialogScript dialogs({target});
        testkit::MsgBoxScript msgs({MsgResult::Abort});
        trigger("mnuRename");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("Code Gen Error"));
        EXPECT_TRUE(msgs.shown()[0].text.startsWith(QStringLiteral("    Error No. ")));
    }
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(metadb::progressWindow(), nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sorvend"));

    // Ignore goes on step by step: every later step fails too, nothing is made.
    {
        testkit::FileDialogScript dialogs({target});
        testkit::MsgBoxScript msgs({MsgResult::Ignore, MsgResult::Ignore, MsgResult::Ignore, MsgResult::Ignore,
                                    MsgResult::Ignore, MsgResult::Ignore, MsgResult::Ignore});
        trigger("mnuRename");
        EXPECT_GE(msgs.count(), 2);
    }
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(gridShown());
}

TEST_F(MetDataTest, ACopyThatCannotBeWrittenLeavesNoDatabaseHalfOpen)
{
    const QString source = path("source.met");
    openWindow();
    createThroughWindow(source);
    const QByteArray before = bytes(source);
    const QString target = path("no/such/folder/copy.met");
    {
        testkit::FileDialogScript dialogs({target});
        testkit::MsgBoxScript msgs({MsgResult::Abort});
        click("cmdRenameFileAs");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.shown()[0].text.startsWith(QStringLiteral("    Error No. 75 \r\n")));
    }
    EXPECT_EQ(bytes(source), before);
    EXPECT_FALSE(QFileInfo::exists(target));
    // The window no longer writes to a closed connection: it shows no database.
    EXPECT_FALSE(gridShown());
    EXPECT_EQ(w->StudyConnection(), nullptr);
    testkit::MsgBoxScript msgs;
    click("cmdNew");
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.shown()[0].text, QStringLiteral("You need to open a database before performing this function."));
}

TEST_F(MetDataTest, TheReportGoesToTheClipboardAndToATextFile)
{
    QTemporaryDir temp;
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    openWindow();
    {
        testkit::MsgBoxScript msgs;
        click("cmdCopyClipboard");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text,
                  QStringLiteral("Results Summary Copied To Clipboard - You Can Now Paste Into A Word Processor."));
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("Tarvoss"));
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Meta-analysis reports will appear here.\n"));

    const QString meta = QDir(temp.path()).filePath(QStringLiteral("Meta.txt"));
    {
        testkit::DesktopScript desktop;
        testkit::MsgBoxScript msgs;
        click("cmdNotepad");
        EXPECT_EQ(msgs.count(), 0);
        ASSERT_EQ(desktop.requests().size(), 1);
        EXPECT_EQ(desktop.requests()[0].target, meta);
    }
    EXPECT_EQ(bytes(meta), QByteArray("Meta-analysis reports will appear here.\r\n\r\n"));
    testkit::find<QPlainTextEdit>(w, QStringLiteral("txtResults"))->setPlainText(QStringLiteral("line 1\nline 2"));
    {
        testkit::DesktopScript desktop(false);   // no program for text files: nothing is said
        testkit::MsgBoxScript msgs;
        trigger("mnuNotepad");
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_EQ(bytes(meta), QByteArray("line 1\r\nline 2\r\n"));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Meta.txt")});

    // A folder that cannot take the file: the message, and the desktop is not asked.
    qputenv("TMPDIR", QFile::encodeName(temp.filePath(QStringLiteral("missing"))));
    {
        testkit::DesktopScript desktop;
        testkit::MsgBoxScript msgs;
        click("cmdNotepad");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.shown()[0].text.startsWith(QStringLiteral(
            "Do you have a programme on your system to read '.txt' files? You may have to use 'copy and paste'.\r\n")));
        EXPECT_EQ(desktop.requests().size(), 0);
    }
    if (oldTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTemp);
}

TEST_F(MetDataTest, MetaAnalysisNeedsADatabaseAndShowsItsPanel)
{
    openWindow();
    {
        testkit::MsgBoxScript msgs;
        trigger("mnuMetaAnalyse");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, QStringLiteral("You need to open a database before performing this function."));
    }
    EXPECT_TRUE(testkit::find<QWidget>(w, QStringLiteral("picMeta"))->isHidden());

    // With a database an edit still pending is stored before the run.
    const QString file = path("meta.met");
    createThroughWindow(file);
    ASSERT_TRUE(edit(0, column("Study Name"), QStringLiteral("Pending")));
    {
        testkit::MsgBoxScript msgs;
        click("cmdSummary");
    }
    EXPECT_EQ(query(file, QStringLiteral("SELECT \"Study Name\" FROM data"))[0][0].toString(), QStringLiteral("Pending"));
    EXPECT_FALSE(testkit::find<QWidget>(w, QStringLiteral("picMeta"))->isHidden());
    // Opening another database hides the panel again.
    createThroughWindow(path("other.met"));
    EXPECT_TRUE(testkit::find<QWidget>(w, QStringLiteral("picMeta"))->isHidden());

    // The print command shows the print panel in place of the report box.
    click("cmdPrintDG");
    EXPECT_FALSE(testkit::find<QWidget>(w, QStringLiteral("picPrint"))->isHidden());
    EXPECT_TRUE(testkit::find<QWidget>(w, QStringLiteral("txtResults"))->isHidden());
}
