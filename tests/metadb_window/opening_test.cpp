// The window's frame: its controls at load, creating a database, opening one
// from the command line and with Open (cancel, failure), the captions, the
// record count, closing and loading again.
#include "MetDataTestSupport.h"
#include "metadb/frmProgress.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

using namespace metdatatest;
using platform::MsgResult;

namespace {
const QString OpenCaption = QStringLiteral("Effect Size Database Editor. ");
const QString CountText = QStringLiteral("Number Of Records In Database:  ");
} // namespace

TEST_F(MetDataTest, LoadsWithoutDatabaseInItsDesignState)
{
    openWindow();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sorvend"));
    EXPECT_FALSE(gridShown());
    EXPECT_FALSE(testkit::find<QPushButton>(w, QStringLiteral("cmdRenameFileAs"))->isEnabled());
    EXPECT_TRUE(testkit::find<QWidget>(w, QStringLiteral("picMeta"))->isHidden());
    EXPECT_TRUE(testkit::find<QWidget>(w, QStringLiteral("picPrint"))->isHidden());
    EXPECT_TRUE(testkit::find<QWidget>(w, QStringLiteral("txtstrPath"))->isHidden());
    EXPECT_EQ(testkit::text(w, QStringLiteral("txtResults")), QStringLiteral("Meta-analysis reports will appear here.\n"));
    EXPECT_EQ(testkit::text(w, QStringLiteral("Text1")),
              QStringLiteral("Caution: All changes to any database \nare 'live' and permanent.\n"));
    EXPECT_EQ(panel(1), QString());
    EXPECT_EQ(panel(2), QStringLiteral("Tarvoss - Meta-analysis Editor"));
    EXPECT_FALSE(panel(3).isEmpty());
    EXPECT_TRUE(testkit::find<QStatusBar>(w, QStringLiteral("StatusBar1")));
    // Menus carry their pictures' keys and shortcuts.
    QAction* mnuNew = testkit::findAction(w, QStringLiteral("mnuNew"));
    EXPECT_EQ(mnuNew->text(), QStringLiteral("&New Database"));
    EXPECT_EQ(mnuNew->property("imageKey").toString(), QStringLiteral("s_Key1"));
    EXPECT_EQ(mnuNew->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(testkit::findAction(w, QStringLiteral("mnuSave"))->text(), QStringLiteral("Save Manually Emtered Data"));
    EXPECT_EQ(testkit::find<QMenu>(w, QStringLiteral("Menu3"))->title(), QStringLiteral("&Tools"));

    // Every command that needs a database says so and does nothing else.
    for (const char* b : {"cmdAddDataAsNew", "cmdAdd", "cmdNew", "cmdDelete", "cmdSave", "cmdSummary", "cmdPrintDG"}) {
        testkit::MsgBoxScript msgs;
        click(b);
        ASSERT_EQ(msgs.count(), 1) << b;
        EXPECT_EQ(msgs.shown()[0].text, QStringLiteral("You need to open a database before performing this function."));
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("Tarvoss"));
        EXPECT_TRUE(testkit::find<QWidget>(w, QStringLiteral("picPrint"))->isHidden()) << b;
    }
}

TEST_F(MetDataTest, CreatingADatabaseOpensItWithItsPlaceholderRow)
{
    openWindow();
    const QString file = path("new.met");
    {
        testkit::FileDialogScript dialogs({file});
        testkit::MsgBoxScript msgs;
        click("cmdNewDB");
        EXPECT_EQ(msgs.count(), 0);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown()[0].kind, platform::FileDialogRequest::Save);
        EXPECT_EQ(dialogs.shown()[0].defaultSuffix, QStringLiteral("met"));
        EXPECT_EQ(dialogs.shown()[0].filter, QStringLiteral("Database files (*.met)"));
    }
    EXPECT_EQ(w->windowTitle(), OpenCaption + file);
    EXPECT_EQ(panel(1), CountText + QStringLiteral("1"));
    EXPECT_TRUE(gridShown());
    EXPECT_TRUE(testkit::find<QPushButton>(w, QStringLiteral("cmdRenameFileAs"))->isEnabled());
    EXPECT_EQ(testkit::text(w, QStringLiteral("txtstrPath")), file);
    EXPECT_EQ(cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("YES"));
    EXPECT_EQ(grid()->columnWidth(2), 2000 / 15);
    EXPECT_EQ(grid()->model()->headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Experimental / Group 1 Sample"));

    const QList<QVariantList> rows = query(
        file, QStringLiteral("SELECT \"Study ID\", \"Include\", \"Year of Study\", \"Measure Used\", "
                             "\"Study Name\", \"Study Sample\", \"SD 1\", Xtra5 FROM data"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][0].toInt(), 1);
    EXPECT_EQ(rows[0][1].toInt(), -1);
    EXPECT_EQ(rows[0][2].toString(), QStringLiteral("New Record   - "));
    EXPECT_EQ(rows[0][3].toString(), QStringLiteral("Overwrite This Row"));
    EXPECT_TRUE(rows[0][4].isNull());
    EXPECT_TRUE(rows[0][5].isNull());
    EXPECT_TRUE(rows[0][6].isNull());
    EXPECT_EQ(rows[0][7].toInt(), -1);
}

TEST_F(MetDataTest, CreatingNeverOverwritesAndReportsFailuresInItsErrorBox)
{
    openWindow();
    const QString taken = path("taken.met");
    {
        QFile f(taken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious");
    }
    {
        testkit::FileDialogScript dialogs({taken});
        testkit::MsgBoxScript msgs;
        click("cmdNewDB");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("File Already Exists"));
        EXPECT_EQ(msgs.shown()[0].text,
                  QStringLiteral("File exists - you cannot overwrite these files.\r\n\r\nIf you want to delete the "
                                 "original database file please do so manually, using Windows Explorer.\r\n\r\n"
                                 "Please try to create the database again, this time selecting a different name."));
    }
    EXPECT_EQ(bytes(taken), QByteArray("precious"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sorvend"));

    // A cancelled dialog changes nothing and says nothing.
    {
        testkit::FileDialogScript dialogs({QString()});
        testkit::MsgBoxScript msgs;
        click("cmdNewDB");
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sorvend"));

    // A folder that does not exist: the error box, Retry runs the step again,
    // Abort ends the command; nothing is created.
    const QString nowhere = path("missing/folder.met");
    {
        testkit::FileDialogScript dialogs({nowhere});
        testkit::MsgBoxScript msgs({MsgResult::Retry, MsgResult::Abort});
        click("cmdNewDB");
        ASSERT_EQ(msgs.count(), 2);
        EXPECT_EQ(msgs.shown()[0].title, QStringLiteral("Code Gen Error"));
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::AbortRetryIgnore);
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Critical);
        EXPECT_EQ(msgs.shown()[0].text, QStringLiteral("    Error No. 76 \r\nPath not found"));
    }
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    EXPECT_FALSE(gridShown());
    EXPECT_EQ(w->strPath(), nowhere);
}

TEST_F(MetDataTest, TheCommandLineOpensADatabaseItNames)
{
    QTemporaryDir spaced(QDir::tempPath() + QStringLiteral("/with blank XXXXXX"));
    const QString file = spaced.filePath(QStringLiteral("studies.MET"));
    openWindow();
    createThroughWindow(file);
    click("cmdNew");
    closeWindow();

    // A path with a blank arrives in double quotes.
    platform::setCommandArguments({file});
    ASSERT_EQ(platform::commandLine(), QLatin1Char('"') + file + QLatin1Char('"'));
    {
        testkit::MsgBoxScript msgs;
        openWindow();
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_EQ(w->windowTitle(), OpenCaption + file);
    EXPECT_TRUE(gridShown());
    EXPECT_EQ(panel(1), CountText + QStringLiteral("2"));
    EXPECT_TRUE(testkit::find<QPushButton>(w, QStringLiteral("cmdRenameFileAs"))->isEnabled());
    EXPECT_EQ(grid()->columnWidth(2), grid()->horizontalHeader()->defaultSectionSize());
    EXPECT_EQ(metadb::progressWindow(), nullptr);
    closeWindow();

    // A missing database: the message, no database, the design caption.
    const QString missing = path("gone.met");
    platform::setCommandArguments({missing});
    {
        testkit::MsgBoxScript msgs;
        openWindow();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.shown()[0].text.startsWith(
            QStringLiteral("Are you sure you're opening the right file? Something went very wrong and resulted in "
                           "the following error:\r\n")));
    }
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sorvend"));
    EXPECT_FALSE(gridShown());
    EXPECT_EQ(testkit::text(w, QStringLiteral("txtstrPath")), missing);
    EXPECT_EQ(metadb::progressWindow(), nullptr);
    closeWindow();

    // Any other ending opens nothing.
    platform::setCommandArguments({path("study.tvq")});
    {
        testkit::MsgBoxScript msgs;
        openWindow();
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_FALSE(gridShown());
    EXPECT_FALSE(testkit::find<QPushButton>(w, QStringLiteral("cmdRenameFileAs"))->isEnabled());
}

TEST_F(MetDataTest, OpenCancelAndFailureLeaveTheWindowInAClearState)
{
    openWindow();
    // Cancel before anything was opened.
    {
        testkit::FileDialogScript dialogs({QString()});
        testkit::MsgBoxScript msgs;
        click("cmdOpenDB");
        EXPECT_EQ(msgs.count(), 0);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown()[0].kind, platform::FileDialogRequest::Open);
        EXPECT_EQ(dialogs.shown()[0].filter, QStringLiteral("Database files (*.met)"));
    }
    EXPECT_EQ(w->windowTitle(), OpenCaption + w->strPath());
    EXPECT_FALSE(gridShown());

    const QString first = path("first.met");
    createThroughWindow(first);
    click("cmdNew");
    closeWindow();
    openWindow();
    openThroughWindow(first);
    EXPECT_EQ(w->windowTitle(), OpenCaption + first);
    EXPECT_EQ(panel(1), CountText + QStringLiteral("2"));
    EXPECT_EQ(grid()->columnWidth(7), 2500 / 15);
    EXPECT_EQ(grid()->model()->data(grid()->model()->index(0, 0), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignCenter));

    // Cancel while a database is open keeps it and hides the panels.
    testkit::find<QWidget>(w, QStringLiteral("picPrint"))->show();
    testkit::find<QWidget>(w, QStringLiteral("txtResults"))->hide();
    {
        testkit::FileDialogScript dialogs({QString()});
        testkit::MsgBoxScript msgs;
        click("cmdOpenDB");
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_TRUE(gridShown());
    EXPECT_EQ(gridRows(), 2);
    EXPECT_TRUE(testkit::find<QWidget>(w, QStringLiteral("picPrint"))->isHidden());
    EXPECT_FALSE(testkit::find<QWidget>(w, QStringLiteral("txtResults"))->isHidden());

    // A file that is no study database: the message, no database, and
    // nothing of either file stays in use.
    const QString notes = path("notes.met");
    {
        QFile f(notes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("just some text\n");
    }
    {
        testkit::FileDialogScript dialogs({notes});
        testkit::MsgBoxScript msgs;
        click("cmdOpenDB");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.shown()[0].text.startsWith(QStringLiteral("Are you sure you're opening the right file?")));
    }
    EXPECT_FALSE(gridShown());
    EXPECT_EQ(w->windowTitle(), OpenCaption + notes);
    EXPECT_EQ(w->StudyRecordset(), nullptr);
    EXPECT_EQ(testkit::openConnectionsTo(notes), QStringList());
    EXPECT_EQ(testkit::openConnectionsTo(first), QStringList());
    EXPECT_EQ(bytes(notes), QByteArray("just some text\n"));
    {
        testkit::MsgBoxScript msgs;
        click("cmdSave");
        w->cmdRecalculate_Click();
        EXPECT_EQ(msgs.count(), 2);
    }

    // Loaded again without a command line, a cancelled Open names the last path.
    closeWindow();
    openWindow();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sorvend"));
    {
        testkit::FileDialogScript dialogs({QString()});
        click("cmdOpenDB");
    }
    EXPECT_EQ(w->windowTitle(), OpenCaption + notes);
    EXPECT_FALSE(gridShown());
}

TEST_F(MetDataTest, ClosingStoresAnEditStillPending)
{
    const QString file = path("pending.met");
    openWindow();
    createThroughWindow(file);
    ASSERT_TRUE(edit(0, column("Study Name"), QStringLiteral("Unsaved, 1999")));
    EXPECT_TRUE(w->StudyRecordset()->editPending());
    EXPECT_TRUE(query(file, QStringLiteral("SELECT \"Study Name\" FROM data"))[0][0].isNull());
    closeWindow();
    EXPECT_EQ(query(file, QStringLiteral("SELECT \"Study Name\" FROM data"))[0][0].toString(),
              QStringLiteral("Unsaved, 1999"));
    // Closing without a database says nothing.
    openWindow();
    testkit::MsgBoxScript msgs;
    click("cmdClose");
    testkit::settle();
    EXPECT_EQ(metadb::metDataWindow(), nullptr);
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(MetDataTest, TheBusyWindowWorksWithAndWithoutItsPicture)
{
    metadb::showProgress(nullptr);
    metadb::frmProgress* p = metadb::progressWindow();
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(p->windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
    EXPECT_EQ(p->animating(), QFileInfo::exists(platform::appPath() + QStringLiteral("/progbar.gif")));
    metadb::showProgress(nullptr);
    EXPECT_EQ(metadb::progressWindow(), p);
    metadb::unloadProgress();
    metadb::unloadProgress();
    EXPECT_EQ(metadb::progressWindow(), nullptr);
}
