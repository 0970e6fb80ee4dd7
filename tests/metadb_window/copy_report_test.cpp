// Copying the open database under a new name, and the report's two ways
// out: the clipboard and the text file opened by the desktop.
#include "MetDataTestSupport.h"
#include "metadb/frmProgress.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QApplication>
#include <QSqlError>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(testkit::openConnectionsTo(source), QStringList());
    testkit::MsgBoxScript msgs;
    click("cmdNew");
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.shown()[0].text, QStringLiteral("You need to open a database before performing this function."));
}

namespace {

// Sets environment variables for one test and puts them back afterwards.
class EnvironmentScope {
public:
    ~EnvironmentScope()
    {
        for (auto it = saved_.cbegin(); it != saved_.cend(); ++it) {
            if (it.value().isNull())
                qunsetenv(it.key().constData());
            else
                qputenv(it.key().constData(), it.value());
        }
    }
    void set(const char* name, const QString& value)
    {
        remember(name);
        qputenv(name, QFile::encodeName(value));
    }
    void unset(const char* name)
    {
        remember(name);
        qunsetenv(name);
    }

private:
    void remember(const char* name)
    {
        if (!saved_.contains(name))
            saved_.insert(name, qgetenv(name));
    }
    QHash<QByteArray, QByteArray> saved_;
};

// The folder of this user that the report file goes to when no runtime
// folder is set.
QString userFolderIn(const QString& temp)
{
    return QDir(temp).filePath(QStringLiteral("summarystats-%1").arg(static_cast<qulonglong>(::geteuid())));
}

QFileDevice::Permissions othersAndGroup()
{
    return QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
           QFileDevice::WriteOther | QFileDevice::ExeOther;
}

} // namespace

TEST_F(MetDataTest, TheReportGoesToTheClipboardAndToATextFile)
{
    QTemporaryDir temp;
    EnvironmentScope env;
    env.set("TMPDIR", temp.path());
    env.unset("XDG_RUNTIME_DIR");
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

    // Without a runtime folder the file goes to a folder of this user alone
    // in the temporary folder.
    const QString folder = userFolderIn(temp.path());
    const QString meta = QDir(folder).filePath(QStringLiteral("Meta.txt"));
    {
        testkit::DesktopScript desktop;
        testkit::MsgBoxScript msgs;
        click("cmdNotepad");
        EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
        ASSERT_EQ(desktop.requests().size(), 1);
        EXPECT_EQ(desktop.requests()[0].target, meta);
    }
    EXPECT_EQ(bytes(meta), QByteArray("Meta-analysis reports will appear here.\r\n\r\n"));
    EXPECT_EQ(QFileInfo(folder).permissions() & othersAndGroup(), QFileDevice::Permissions());
    testkit::find<QPlainTextEdit>(w, QStringLiteral("txtResults"))->setPlainText(QStringLiteral("line 1\nline 2"));
    {
        testkit::DesktopScript desktop(false);   // no program for text files: nothing is said
        testkit::MsgBoxScript msgs;
        trigger("mnuNotepad");
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_EQ(bytes(meta), QByteArray("line 1\r\nline 2\r\n"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Meta.txt")});

    // A TMPDIR that names no folder: the message names the folder and the
    // reason, claims no file, and the desktop is not asked.
    env.set("TMPDIR", temp.filePath(QStringLiteral("missing")));
    {
        testkit::DesktopScript desktop;
        testkit::MsgBoxScript msgs;
        click("cmdNotepad");
        ASSERT_EQ(msgs.count(), 1);
        const QString text = msgs.shown()[0].text;
        EXPECT_TRUE(text.startsWith(
            QStringLiteral("The report could not be saved as ") +
            QDir::toNativeSeparators(QDir(userFolderIn(temp.filePath(QStringLiteral("missing"))))
                                         .filePath(QStringLiteral("Meta.txt"))) +
            QStringLiteral(", and no file was created.")))
            << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("the temporary folder ") +
                                  QDir::toNativeSeparators(temp.filePath(QStringLiteral("missing"))) +
                                  QStringLiteral(" does not exist (see TMPDIR).")))
            << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("may have been created")));
        EXPECT_EQ(desktop.requests().size(), 0);
    }
}

// Another user may plant a link of the file's name, or a folder or link of
// the user folder's name, in the shared temporary folder: the report is never
// written through a link, and a folder not ours alone is not used.
TEST_F(MetDataTest, TheReportFileIsNeverWrittenThroughALink)
{
    struct Case {
        const char* what;
        bool runtimeFolder;      // XDG_RUNTIME_DIR set to a private folder
        const char* plant;       // what someone else left first
        bool written;            // the report is written
        const char* reason;      // else the end of the message
    };
    const Case cases[] = {
        {"runtime folder, links of the name in both folders", true, "links", true, ""},
        {"no runtime folder, a link of the name in the temporary folder", false, "links", true, ""},
        {"runtime folder open to others", true, "open runtime", true, ""},
        {"user folder is a link", false, "folder link", false, "it is a link, not a folder."},
        // Ours, with a wrong mode: closed to others and used.
        {"user folder open to others", false, "open folder", true, ""},
        {"user folder of another user", false, "foreign folder", false, "it belongs to another user."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString plant = QString::fromLatin1(c.plant);
        if (plant == QLatin1String("foreign folder") && ::geteuid() != 0)
            continue;   // only the superuser can give a folder away
        QTemporaryDir temp;
        QTemporaryDir runtime;
        QTemporaryDir elsewhere;
        EnvironmentScope env;
        env.set("TMPDIR", temp.path());
        if (c.runtimeFolder)
            env.set("XDG_RUNTIME_DIR", runtime.path());
        else
            env.unset("XDG_RUNTIME_DIR");
        const QString victim = elsewhere.filePath(QStringLiteral("victim.txt"));
        {
            QFile f(victim);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("precious");
        }
        const QString folder = userFolderIn(temp.path());
        QString expected = QDir(c.runtimeFolder ? runtime.path() : folder).filePath(QStringLiteral("Meta.txt"));
        if (plant == QLatin1String("links")) {
            ASSERT_TRUE(QFile::link(victim, temp.filePath(QStringLiteral("Meta.txt"))));
            ASSERT_TRUE(QDir().mkpath(folder));
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            ASSERT_TRUE(QFile::link(victim, QDir(folder).filePath(QStringLiteral("Meta.txt"))));
            ASSERT_TRUE(QFile::link(victim, runtime.filePath(QStringLiteral("Meta.txt"))));
        } else if (plant == QLatin1String("open runtime")) {
            QFile::setPermissions(runtime.path(), QFile::permissions(runtime.path()) | othersAndGroup());
            expected = QDir(folder).filePath(QStringLiteral("Meta.txt"));
        } else if (plant == QLatin1String("folder link")) {
            ASSERT_TRUE(QFile::link(elsewhere.path(), folder));
        } else if (plant == QLatin1String("open folder")) {
            ASSERT_TRUE(QDir().mkpath(folder));
            ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
            expected = QDir(folder).filePath(QStringLiteral("Meta.txt"));
        } else if (plant == QLatin1String("foreign folder")) {
            ASSERT_TRUE(QDir().mkpath(folder));
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
        }

        openWindow();
        testkit::find<QPlainTextEdit>(w, QStringLiteral("txtResults"))->setPlainText(QStringLiteral("the report"));
        testkit::DesktopScript desktop;
        testkit::MsgBoxScript msgs;
        click("cmdNotepad");
        EXPECT_EQ(bytes(victim), QByteArray("precious"));
        EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("victim.txt")});
        if (c.written) {
            EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
            ASSERT_EQ(desktop.requests().size(), 1);
            EXPECT_EQ(desktop.requests()[0].target, expected);
            const QFileInfo file(expected);
            EXPECT_FALSE(file.isSymLink());
            EXPECT_EQ(bytes(expected), QByteArray("the report\r\n"));
            if (!c.runtimeFolder) {
                EXPECT_EQ(QFileInfo(folder).permissions() & othersAndGroup(), QFileDevice::Permissions());
            }
        } else {
            ASSERT_EQ(msgs.count(), 1);
            const QString text = msgs.shown()[0].text;
            EXPECT_TRUE(text.endsWith(QStringLiteral("The folder ") + QDir::toNativeSeparators(folder) +
                                      QStringLiteral(" cannot be used: ") + QString::fromLatin1(c.reason)))
                << text.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("may have been created")));
            EXPECT_EQ(desktop.requests().size(), 0);
        }
        closeWindow();
    }
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

// Another program writing to the open database was killed in the middle of
// its write: the copy under a new name holds the studies as last committed,
// not the torn bytes.
TEST_F(MetDataTest, CopyUnderANewNameAfterACrashHoldsTheLastCommittedStudies)
{
    const QString source = path("crashed.met");
    const QString copy = path("crashed-copy.met");
    openWindow();
    createThroughWindow(source);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill-crashed"));
        db.setDatabaseName(source);
        ASSERT_TRUE(db.open());
        db.transaction();
        QSqlQuery q(db);
        for (int i = 0; i < 3000; ++i)
            ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO data (\"Study Name\", \"Study Sample\", \"Measure Used\", "
                                              "Include) VALUES ('old %1', '%2', '%2', -1)")
                                   .arg(i)
                                   .arg(QString(90, QLatin1Char('.')))))
                << q.lastError().text().toStdString();
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill-crashed"));
    ASSERT_TRUE(testkit::leaveHotJournal(source, QStringLiteral("UPDATE data SET \"Study Name\" = 'new'")));
    {
        testkit::FileDialogScript dialogs({copy});
        testkit::MsgBoxScript msgs;
        click("cmdRenameFileAs");
        EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }
    const auto counts = query(copy, QStringLiteral("SELECT COUNT(*), SUM(\"Study Name\" = 'new') FROM data"));
    ASSERT_EQ(counts.size(), 1);
    EXPECT_EQ(counts[0][0].toInt(), 3001);
    EXPECT_EQ(counts[0][1].toInt(), 0);
    EXPECT_EQ(w->strPath(), copy);
}

// A run over thousands of studies: the report box holds every line of the
// report, scrolls over all of them, and the clipboard and the report file
// get them as lines.
TEST_F(MetDataTest, AReportOfThousandsOfStudiesIsShownCopiedAndSavedLineByLine)
{
    const QString file = path("many.met");
    openWindow();
    createThroughWindow(file);
    constexpr int added = 2100;   // four study lists: over 8,400 lines
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("many-studies"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        db.transaction();
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM data")));   // the placeholder row
        q.prepare(QStringLiteral("INSERT INTO data (\"Study Name\", \"Year of Study\", \"Cohen's D\", \"Hedges' G\", "
                                 "\"Total N\", \"Used SD\", \"Z Statistic\", \"Include\") "
                                 "VALUES (?, '2010', ?, ?, ?, 1.5, ?, -1)"));
        for (int i = 0; i < added; ++i) {
            q.addBindValue(QStringLiteral("Bulk %1").arg(i));
            q.addBindValue(0.1 + (i % 17) * 0.05);
            q.addBindValue(0.1 + (i % 13) * 0.05);
            q.addBindValue(20 + i % 30);
            q.addBindValue(1 + (i % 5) * 0.5);
            ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("many-studies"));
    {
        testkit::MsgBoxScript msgs;
        click("cmdSummary");
        ASSERT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    }
    auto* results = testkit::find<QPlainTextEdit>(w, QStringLiteral("txtResults"));
    const QString shown = results->toPlainText();
    const QStringList lines = shown.split(QLatin1Char('\n'));
    EXPECT_GT(lines.size(), 4 * added);
    EXPECT_FALSE(shown.contains(QChar::LineSeparator));
    EXPECT_FALSE(shown.contains(QLatin1Char('\r')));
    EXPECT_EQ(results->document()->lineCount(), lines.size());
    // Each study once in each list, on a line of its own.
    for (int i : {0, 1, added / 2, added - 1}) {
        const QString start = QStringLiteral("   Bulk %1 (2010)").arg(i);
        EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(start) +
                                                  QStringLiteral("\\)? where")))
                      .size(),
                  4)
            << start.toStdString();
    }
    // The scroll bar reaches the last line.
    results->verticalScrollBar()->setValue(results->verticalScrollBar()->maximum());
    QApplication::processEvents();
    QTextCursor last = results->cursorForPosition(QPoint(2, results->viewport()->height() - 4));
    last.movePosition(QTextCursor::StartOfLine);
    last.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
    EXPECT_EQ(last.selectedText(), lines.last().isEmpty() ? QString() : lines.last());

    {
        testkit::MsgBoxScript msgs;
        click("cmdCopyClipboard");
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    QTemporaryDir temp;
    EnvironmentScope env;
    env.set("TMPDIR", temp.path());
    env.unset("XDG_RUNTIME_DIR");
    {
        testkit::DesktopScript desktop;
        testkit::MsgBoxScript msgs;
        click("cmdNotepad");
        ASSERT_EQ(desktop.requests().size(), 1);
        QString saved = QString::fromUtf8(bytes(desktop.requests()[0].target));
        EXPECT_EQ(saved.count(QStringLiteral("\r\n")), lines.size());
        EXPECT_EQ(saved.replace(QStringLiteral("\r\n"), QStringLiteral("\n")), shown + QLatin1Char('\n'));
    }
}
