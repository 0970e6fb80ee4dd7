// Save As, Open, the recent-file entries and the command line, driven on a
// stand-in window as the frame would call them.
#include "meandiff/StudyFileCommands.h"
#include "platform/AppInfo.h"
#include "platform/Settings.h"
#include "testkit/QtTestKit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "TestWindow.h"

using namespace studyfile_test;
using platform::MsgResult;

namespace {

// The frame's side: changed flags set by every change of a box, the
// recent-file list, the database window.
struct FakeFrame {
    bool changed = false;
    QStringList added;
    QList<QPair<QString, int>> moved;
    QStringList databases;

    explicit FakeFrame(QWidget* w)
    {
        for (auto* e : w->findChildren<QLineEdit*>())
            QObject::connect(e, &QLineEdit::textChanged, [this] { changed = true; });
    }
    frame::StudyFileHooks hooks(bool withDatabase = true)
    {
        frame::StudyFileHooks h;
        h.recordChanged = [this](bool reset) {
            const bool was = changed;
            if (reset)
                changed = false;
            return was;
        };
        h.addToMRU = [this](const QString& p) { added << p; };
        h.moveMRUToTop = [this](const QString& p, int i) { moved.push_back({p, i}); };
        if (withDatabase)
            h.showDatabase = [this](const QString& p) { databases << p; };
        return h;
    }
};

const QStringList kSample = {"  Müller, Ørsted & Łukasz  ", "2003", "pre, post", "BDI–II", "", "10.5", "2", "20",
                             "Exp: 日本語 🙂", "8", "", "21", " waiting list ", "1.2345"};

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

QString initDirSetting() { return platform::getSetting("Files", "InitDir", "<none>"); }

class StudyFileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::deleteSetting("Files"); }
    QTemporaryDir dir;
    std::unique_ptr<QWidget> window = makeTestWindow();
    FakeFrame frame{window.get()};
    meandiff::StudyFileCommands cmds{window.get(), frame.hooks()};
};

} // namespace

TEST_F(StudyFileCommandsTest, SaveOpenRecentAndCommandLineRestoreEveryBox)
{
    const QString path = dir.filePath("study one.tvq");
    fill(window.get(), studyBoxes(), kSample);
    fill(window.get(), resultBoxes(), QStringList(resultBoxes().size(), "9.99"));
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        EXPECT_TRUE(cmds.mnuFileSaveAs_Click());
        EXPECT_EQ(msgs.count(), 0);
        ASSERT_EQ(files.shown().size(), 1);
        EXPECT_EQ(files.shown()[0].kind, platform::FileDialogRequest::Save);
        EXPECT_EQ(files.shown()[0].directory, platform::appPath() + "/");   // the program folder at first
    }
    meandiff::StudyRecord expected;
    for (int i = 0; i < 14; ++i)
        expected.fields[i] = kSample[i];
    EXPECT_EQ(readBytes(path), meandiff::encodeStudyRecord(expected));
    EXPECT_EQ(frame.added, QStringList{path});
    EXPECT_EQ(initDirSetting(), dir.path() + "/");
    EXPECT_FALSE(frame.changed);

    // Open: the changed window asks first; No goes on. Every box is emptied,
    // the study boxes get the file's fields.
    fill(window.get(), studyBoxes(), QStringList(14, "other"));
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs({MsgResult::No});
        cmds.mnuFileOpen_Click();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, QString::fromUtf8(frame::kMsgUnsavedBeforeOpen));
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::YesNoCancel);
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Question);
        ASSERT_EQ(files.shown().size(), 1);
        EXPECT_EQ(files.shown()[0].kind, platform::FileDialogRequest::Open);
        EXPECT_EQ(files.shown()[0].directory, dir.path() + "/study one.tvq");
        EXPECT_EQ(files.shown()[0].filter, QStringLiteral("TVQ files (*.tvq)"));
    }
    EXPECT_EQ(texts(window.get(), studyBoxes()), kSample);
    EXPECT_EQ(texts(window.get(), resultBoxes()), QStringList(resultBoxes().size(), QString()));
    EXPECT_EQ(frame.added, (QStringList{path, path}));
    EXPECT_FALSE(frame.changed);

    // A recent-file entry.
    fill(window.get(), studyBoxes(), QStringList(14, "x"));
    platform::saveSetting("Files", "InitDir", "/elsewhere/");
    {
        testkit::MsgBoxScript msgs({MsgResult::No});
        cmds.mnuMRU_Click(2, path);
    }
    EXPECT_EQ(texts(window.get(), studyBoxes()), kSample);
    EXPECT_EQ(frame.moved, (QList<QPair<QString, int>>{{path, 2}}));
    EXPECT_EQ(frame.added.size(), 2);
    EXPECT_EQ(initDirSetting(), QStringLiteral("/elsewhere/"));
    EXPECT_FALSE(frame.changed);

    // The command line of a fresh window: counts as unchanged, lists nothing.
    auto fresh = makeTestWindow();
    FakeFrame freshFrame(fresh.get());
    meandiff::StudyFileCommands freshCmds(fresh.get(), freshFrame.hooks());
    platform::setCommandArguments(path.split(' '));
    EXPECT_TRUE(freshCmds.loadCommandLine(platform::commandLine()));
    platform::setCommandArguments({});
    EXPECT_EQ(texts(fresh.get(), studyBoxes()), kSample);
    EXPECT_FALSE(freshFrame.changed);
    EXPECT_TRUE(freshFrame.added.isEmpty());
}

TEST_F(StudyFileCommandsTest, SaveAsCasesThatWriteNothing)
{
    fill(window.get(), studyBoxes(), kSample);
    const QString path = dir.filePath("s.tvq");

    // Cancel: silent, nothing written, flags kept.
    {
        testkit::FileDialogScript files({QString()});
        testkit::MsgBoxScript msgs;
        EXPECT_FALSE(cmds.mnuFileSaveAs_Click());
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_TRUE(frame.changed);

    // A double quote pasted into a box: refused before the dialog, the box named.
    box(window.get(), "txtT2Sample")->setText("the \"best\" group");
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        EXPECT_FALSE(cmds.mnuFileSaveAs_Click());
        EXPECT_TRUE(files.shown().isEmpty());
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.shown()[0].text.contains("\"Control Group Sample Type\""));
    }
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(frame.changed);
    box(window.get(), "txtT2Sample")->setText("best");

    // A folder that does not exist: the message, flags and list untouched.
    {
        testkit::FileDialogScript files({dir.filePath("gone/s.tvq")});
        testkit::MsgBoxScript msgs;
        EXPECT_FALSE(cmds.mnuFileSaveAs_Click());
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, QString::fromUtf8(meandiff::kMsgSaveFailed) + "\nPath not found");
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::OK);
    }
    EXPECT_TRUE(frame.changed);
    EXPECT_TRUE(frame.added.isEmpty());
    EXPECT_EQ(initDirSetting(), QStringLiteral("<none>"));
}

TEST_F(StudyFileCommandsTest, EmptyWindowAndNameWithoutExtension)
{
    const QString path = dir.filePath("no extension");
    testkit::FileDialogScript files({path});
    EXPECT_TRUE(cmds.mnuFileSaveAs_Click());
    QByteArray empty;
    for (int i = 0; i < 14; ++i)
        empty += i ? ",\"\"" : "\"\"";
    EXPECT_EQ(readBytes(path), empty + "\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"no extension"});
}

TEST_F(StudyFileCommandsTest, QuestionBeforeOpening)
{
    const QString saved = dir.filePath("saved.tvq");
    const QString other = dir.filePath("other.tvq");
    meandiff::writeStudyFile(other, meandiff::StudyRecord{});
    fill(window.get(), studyBoxes(), kSample);

    // Cancel: no dialog, nothing changes.
    {
        testkit::FileDialogScript files({other});
        testkit::MsgBoxScript msgs({MsgResult::Cancel});
        cmds.mnuFileOpen_Click();
        EXPECT_TRUE(files.shown().isEmpty());
    }
    EXPECT_EQ(texts(window.get(), studyBoxes()), kSample);
    EXPECT_TRUE(frame.changed);

    // Yes: Save As first, then the Open dialog.
    {
        testkit::FileDialogScript files({saved, other});
        testkit::MsgBoxScript msgs({MsgResult::Yes});
        cmds.mnuFileOpen_Click();
        ASSERT_EQ(files.shown().size(), 2);
        EXPECT_EQ(files.shown()[0].kind, platform::FileDialogRequest::Save);
        EXPECT_EQ(files.shown()[1].kind, platform::FileDialogRequest::Open);
    }
    EXPECT_EQ(meandiff::readStudyFile(saved).fields[0], kSample[0]);
    EXPECT_EQ(texts(window.get(), studyBoxes()), QStringList(14, QString()));
    EXPECT_EQ(frame.added, (QStringList{saved, other}));

    // Unchanged window: no question; a cancelled Open dialog changes nothing.
    fill(window.get(), studyBoxes(), kSample);
    frame.changed = false;
    {
        testkit::FileDialogScript files({QString()});
        testkit::MsgBoxScript msgs;
        cmds.mnuFileOpen_Click();
        EXPECT_EQ(msgs.count(), 0);
        ASSERT_EQ(files.shown().size(), 1);
        EXPECT_EQ(files.shown()[0].directory, dir.path() + "/other.tvq");   // InitDir and the last name
    }
    EXPECT_EQ(texts(window.get(), studyBoxes()), kSample);
    EXPECT_FALSE(frame.changed);
}

TEST_F(StudyFileCommandsTest, DamagedFilesAreReportedAndChangeNothingElse)
{
    const QString junk = dir.filePath("junk.tvq");
    writeBytes(junk, QByteArray("\x7F" "ELF\x02\x01\x01\x00\x00\xFF\xFE", 12));
    const QString short13 = dir.filePath("short.tvq");
    writeBytes(short13, "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\",\"i\",\"j\",\"k\",\"l\",\"m\"\r\n");
    const QString cut = dir.filePath("cut.tvq");
    writeBytes(cut, meandiff::encodeStudyRecord(meandiff::StudyRecord{}).left(30));
    const QString folder = dir.filePath("folder.tvq");
    QDir().mkdir(folder);

    struct Case {
        QString path;
        QString description;
    };
    const QList<Case> cases = {
        {dir.filePath("missing.tvq"), "File not found"},
        {junk, "Input past end of file"},
        {short13, "Input past end of file"},
        {cut, "Input past end of file"},
        {folder, "Path/File access error"},
    };
    for (const Case& c : cases) {
        fill(window.get(), studyBoxes() + resultBoxes(), QStringList(45, "keep?"));
        frame.changed = false;
        {
            testkit::FileDialogScript files({c.path});
            testkit::MsgBoxScript msgs;
            cmds.mnuFileOpen_Click();
            ASSERT_EQ(msgs.count(), 1);
            EXPECT_EQ(msgs.shown()[0].text, QString::fromUtf8(frame::kMsgOpenFailed) + "\n" + c.description);
            EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::None);
        }
        EXPECT_EQ(texts(window.get(), studyBoxes() + resultBoxes()), QStringList(45, QString())) << c.path.toStdString();
        EXPECT_TRUE(frame.added.isEmpty());
        EXPECT_EQ(initDirSetting(), QStringLiteral("<none>"));

        // The same file as a recent entry: its own message; the entry stays.
        fill(window.get(), studyBoxes(), QStringList(14, "keep?"));
        frame.changed = false;
        {
            testkit::MsgBoxScript msgs;
            cmds.mnuMRU_Click(1, c.path);
            ASSERT_EQ(msgs.count(), 1);
            EXPECT_EQ(msgs.shown()[0].text, QString::fromUtf8(frame::kMsgRecentFailed) + "\n" + c.description);
        }
        EXPECT_EQ(texts(window.get(), studyBoxes()), QStringList(14, QString()));
        EXPECT_TRUE(frame.moved.isEmpty());

        // And named on the command line.
        auto fresh = makeTestWindow();
        FakeFrame freshFrame(fresh.get());
        meandiff::StudyFileCommands freshCmds(fresh.get(), freshFrame.hooks());
        {
            testkit::MsgBoxScript msgs;
            // A folder is no file: no piece of the command line names one.
            EXPECT_FALSE(freshCmds.loadCommandLine("\"" + c.path + "\""));
            ASSERT_EQ(msgs.count(), 1);
            EXPECT_EQ(msgs.shown()[0].text, QString::fromUtf8(meandiff::kMsgCommandLineFailed) + "\n" +
                                                 (c.path == folder ? QString("File not found") : c.description));
        }
        EXPECT_EQ(texts(fresh.get(), studyBoxes()), QStringList(14, QString()));
    }
    // A recent entry without a path is never opened.
    testkit::MsgBoxScript msgs;
    cmds.mnuMRU_Click(0, QString());
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(StudyFileCommandsTest, AFileBeyondTheSizeLimitIsRefusedBeforeTheWindowChanges)
{
    const QString huge = dir.filePath("huge.tvq");
    {
        QFile f(huge);   // sparse: no disk space taken
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(frame::kLargestDataFile + 1));
    }
    const QString refusal = frame::errDataFileTooLarge(frame::kLargestDataFile + 1).description();
    fill(window.get(), studyBoxes() + resultBoxes(), QStringList(45, "keep"));
    frame.changed = false;
    {
        testkit::FileDialogScript files({huge});
        testkit::MsgBoxScript msgs;
        cmds.mnuFileOpen_Click();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, refusal);
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Exclamation);
    }
    {
        testkit::FileDialogScript files;   // none expected
        testkit::MsgBoxScript msgs;
        cmds.mnuMRU_Click(2, huge);
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, refusal);
    }
    EXPECT_EQ(texts(window.get(), studyBoxes() + resultBoxes()), QStringList(45, "keep"));
    EXPECT_FALSE(frame.changed);
    EXPECT_TRUE(frame.added.isEmpty());
    EXPECT_TRUE(frame.moved.isEmpty());
    EXPECT_EQ(initDirSetting(), QStringLiteral("<none>"));
}

TEST_F(StudyFileCommandsTest, OlderWindowsFileKeepsItsAccents)
{
    const QString path = dir.filePath("old.tvq");
    writeBytes(path, "\"Fran\xE7ois & G\xF6" "del\",\"1998\",\"\x93pre\x94 \x96 post\",\"\",\"\",\"1\",\"2\",\"3\",\"\","
                     "\"4\",\"5\",\"6\",\"\",\"0.5\"\r\n");
    testkit::FileDialogScript files({path});
    cmds.mnuFileOpen_Click();
    EXPECT_EQ(box(window.get(), "TxtID")->text(), QString::fromUtf8("François & Gödel"));
    EXPECT_EQ(box(window.get(), "TxtAssess")->text(), QString::fromUtf8("“pre” – post"));
    EXPECT_EQ(box(window.get(), "txtD")->text(), QStringLiteral("0.5"));
}

TEST_F(StudyFileCommandsTest, CommandLineEndings)
{
    const QString a = dir.filePath("a.tvq");
    const QString b = dir.filePath("b b.tvq");
    fill(window.get(), studyBoxes(), kSample);
    testkit::FileDialogScript files({a, b});
    cmds.mnuFileSaveAs_Click();
    fill(window.get(), studyBoxes(), QStringList(14, "B"));
    cmds.mnuFileSaveAs_Click();

    struct Case {
        QStringList args;
        QString firstBox;
        QStringList databases;
    };
    const QString db = dir.filePath("My Studies.MET");
    writeBytes(db, "database");
    const QList<Case> cases = {
        {{a, b}, "B", {}},                       // the last file that exists
        {{b, dir.filePath("gone.tvq")}, "B", {}},
        {{a}, kSample[0], {}},
        {{"\"" + b + "\""}, "B", {}},             // one argument with its own quotes
        {db.split(' '), QString(), {db}},       // handed to the database window
        {{"\"" + db + "\""}, QString(), {db}},
        {{dir.filePath("x.met")}, QString(), {dir.filePath("x.met")}},
        {{dir.filePath("notes.txt")}, QString(), {}},
        {{}, QString(), {}},
    };
    for (const Case& c : cases) {
        auto w = makeTestWindow();
        FakeFrame f(w.get());
        meandiff::StudyFileCommands commands(w.get(), f.hooks());
        testkit::MsgBoxScript msgs;
        EXPECT_TRUE(commands.loadCommandLine(platform::buildCommandLine(c.args)));
        EXPECT_EQ(msgs.count(), 0);
        EXPECT_EQ(box(w.get(), "TxtID")->text(), c.firstBox);
        EXPECT_EQ(f.databases, c.databases);
        EXPECT_FALSE(f.changed);
        EXPECT_TRUE(f.added.isEmpty());
    }
    // Without a database window a database on the command line does nothing.
    auto w = makeTestWindow();
    FakeFrame f(w.get());
    meandiff::StudyFileCommands commands(w.get(), f.hooks(false));
    testkit::MsgBoxScript msgs;
    EXPECT_TRUE(commands.loadCommandLine(db));
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(texts(w.get(), studyBoxes()), QStringList(14, QString()));
}
