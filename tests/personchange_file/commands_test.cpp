// Save (Overwrite), Save As, Open, the recent-file entries and the command
// line, driven on a stand-in window as the frame would call them.
#include "personchange/ChangeFileCommands.h"
#include "meandiff/StudyFile.h"
#include "platform/AppInfo.h"
#include "platform/Settings.h"
#include "testkit/QtTestKit.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "ChangeTestWindow.h"

using namespace changefile_test;
using platform::MsgResult;

namespace {

// The frame's side: changed flags set by every change of a box, the
// recent-file list, and a clear-all that counts its calls.
struct FakeFrame {
    bool changed = false;
    int clears = 0;
    QStringList added;
    QList<QPair<QString, int>> moved;
    QWidget* window;

    explicit FakeFrame(QWidget* w) : window(w)
    {
        for (auto* e : w->findChildren<QLineEdit*>())
            QObject::connect(e, &QLineEdit::textChanged, [this] { changed = true; });
        for (auto* p : w->findChildren<QPlainTextEdit*>())
            QObject::connect(p, &QPlainTextEdit::textChanged, [this] { changed = true; });
    }
    morvane::ChangeFileHooks hooks()
    {
        morvane::ChangeFileHooks h;
        h.recordChanged = [this](bool reset) {
            const bool was = changed;
            if (reset)
                changed = false;
            return was;
        };
        h.addToMRU = [this](const QString& p) { added << p; };
        h.moveMRUToTop = [this](const QString& p, int i) { moved.push_back({p, i}); };
        h.clearAll = [this] {
            ++clears;
            fill(window, recordBoxes() + resultBoxes(), {});
        };
        return h;
    }
};

QString initDirSetting() { return platform::getSetting("Files", "InitDir", "<none>"); }

const QByteArray kElevenFields = "\"Old\",\"a\",\"b\",\"1\",\"2\",\"0.5\",\"3\",\"4\",\"5\",\"6\",\"7\"\r\n";
const QStringList kElevenTexts = {"Old", "a", "b", "1", "2", "0.5", "3", "4", "5", "6", "7", ""};

class ChangeFileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::deleteSetting("Files"); }
    QTemporaryDir dir;
    std::unique_ptr<QWidget> window = makeChangeWindow();
    FakeFrame frame{window.get()};
    morvane::ChangeFileCommands cmds{window.get(), frame.hooks()};

    void fillResults() { fill(window.get(), resultBoxes(), QStringList(resultBoxes().size(), "9.99")); }
};

} // namespace

TEST_F(ChangeFileCommandsTest, SaveAsThenSaveOverwriteThenOpenRestoreEveryBox)
{
    const QString path = dir.filePath("client one");   // typed without extension: used as typed
    fill(window.get(), recordBoxes(), sampleRecord());
    fillResults();

    // Save (Overwrite) without a current file is Save As.
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        EXPECT_TRUE(cmds.mnuSave_Click());
        EXPECT_EQ(msgs.count(), 0);
        ASSERT_EQ(files.shown().size(), 1);
        EXPECT_EQ(files.shown()[0].kind, platform::FileDialogRequest::Save);
        EXPECT_EQ(files.shown()[0].caption, "Save File As ...");
        EXPECT_EQ(files.shown()[0].filter, "MRV files (*.mrv)");
        EXPECT_EQ(files.shown()[0].defaultSuffix, "");
        EXPECT_EQ(files.shown()[0].directory, platform::appPath() + "/");
    }
    EXPECT_EQ(readBytes(path), sampleBytes());
    EXPECT_EQ(cmds.currentFile(), path);
    EXPECT_FALSE(frame.changed);
    // Saving adds nothing to the recent files and leaves the open folder alone.
    EXPECT_TRUE(frame.added.isEmpty());
    EXPECT_EQ(initDirSetting(), "<none>");

    // Save (Overwrite) now writes the same file without a dialog.
    setBox(window.get(), "TxtTime2Answer", "10");
    {
        testkit::FileDialogScript files;
        testkit::MsgBoxScript msgs;
        EXPECT_TRUE(cmds.mnuSave_Click());
        EXPECT_TRUE(files.shown().isEmpty());
        EXPECT_EQ(msgs.count(), 0);
    }
    QStringList expected = sampleRecord();
    expected[4] = "10";
    EXPECT_FALSE(frame.changed);

    // Save As again starts at the current file.
    {
        testkit::FileDialogScript files({QString()});
        EXPECT_FALSE(cmds.mnuFileSaveAs_Click());
        ASSERT_EQ(files.shown().size(), 1);
        EXPECT_EQ(files.shown()[0].directory, path);
    }

    // Open: the window is cleared first (results too), then the boxes get
    // the file's fields, line breaks of the free text included.
    fill(window.get(), recordBoxes(), QStringList(12, "other"));
    frame.changed = false;
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        cmds.mnuFileOpen_Click();
        EXPECT_EQ(msgs.count(), 0);
        ASSERT_EQ(files.shown().size(), 1);
        EXPECT_EQ(files.shown()[0].kind, platform::FileDialogRequest::Open);
        EXPECT_EQ(files.shown()[0].filter, "MRV files (*.mrv)");
        EXPECT_EQ(files.shown()[0].directory, platform::appPath() + "/");
    }
    EXPECT_EQ(texts(window.get(), recordBoxes()), expected);
    EXPECT_EQ(texts(window.get(), resultBoxes()), QStringList(resultBoxes().size(), QString()));
    EXPECT_EQ(frame.clears, 1);
    EXPECT_EQ(frame.added, QStringList{path});
    EXPECT_EQ(initDirSetting(), dir.path() + "/");
    EXPECT_EQ(cmds.currentFile(), path);
    EXPECT_FALSE(frame.changed);

    // The next Open dialog starts in that folder; an eleven-field file opens
    // with the free text empty.
    const QString old = dir.filePath("old.mrv");
    writeBytes(old, kElevenFields);
    {
        testkit::FileDialogScript files({old});
        cmds.mnuFileOpen_Click();
        ASSERT_EQ(files.shown().size(), 1);
        EXPECT_EQ(files.shown()[0].directory, dir.path() + "/");
    }
    EXPECT_EQ(texts(window.get(), recordBoxes()), kElevenTexts);
    EXPECT_EQ(frame.added, (QStringList{path, old}));
    EXPECT_EQ(cmds.currentFile(), old);
}

TEST_F(ChangeFileCommandsTest, ADoubleQuoteIsRefusedAtSaveNamingTheBox)
{
    const QString path = dir.filePath("q.mrv");
    writeBytes(path, "before");
    fill(window.get(), recordBoxes(), sampleRecord());
    setBox(window.get(), "TxtExtraInfo", "line one\nshe said \"no\"");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "Save As" : "Save (Overwrite)");
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        EXPECT_FALSE(round == 0 ? cmds.mnuFileSaveAs_Click() : cmds.mnuSave_Click());
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.texts()[0].contains("\"Extra Information\"")) << msgs.texts()[0].toStdString();
        EXPECT_TRUE(files.shown().isEmpty());
        EXPECT_EQ(readBytes(path), QByteArray("before"));
    }

    // Once the quote is gone the same window saves.
    setBox(window.get(), "TxtExtraInfo", "line one\nshe said no");
    testkit::FileDialogScript files({path});
    testkit::MsgBoxScript msgs;
    EXPECT_TRUE(cmds.mnuFileSaveAs_Click());
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_TRUE(readBytes(path).endsWith("\"line one\r\nshe said no\"\r\n"));

    // A quote pasted into a number box is named too, also at Save (Overwrite).
    setBox(window.get(), "TxtClinSD", "7\"");
    EXPECT_FALSE(cmds.mnuSave_Click());
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_TRUE(msgs.texts()[0].contains("\"Clinical Sample S.D\""));
}

TEST_F(ChangeFileCommandsTest, AFailedWriteIsReportedAndKeepsTheChangedFlags)
{
    const QString path = dir.filePath("gone/x.mrv");
    fill(window.get(), recordBoxes(), sampleRecord());
    testkit::FileDialogScript files({path});
    testkit::MsgBoxScript msgs;
    EXPECT_FALSE(cmds.mnuFileSaveAs_Click());
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.texts()[0], QString::fromUtf8(morvane::kMsgChangeSaveFailed) + "\nPath not found");
    EXPECT_EQ(msgs.shown()[0].title, platform::appInfo().title);
    EXPECT_TRUE(frame.changed);
    // The chosen name is the current file: Save (Overwrite) tries it again.
    EXPECT_EQ(cmds.currentFile(), path);
    EXPECT_FALSE(cmds.mnuSave_Click());
    EXPECT_EQ(msgs.count(), 2);
    EXPECT_TRUE(files.shown().size() == 1);
    EXPECT_TRUE(frame.changed);
}

TEST_F(ChangeFileCommandsTest, TheQuestionBeforeOpeningKeepsUnsavedData)
{
    const QString path = dir.filePath("p.mrv");
    writeBytes(path, sampleBytes());
    const QStringList mine = QStringList(12, "mine");
    fill(window.get(), recordBoxes(), mine);
    ASSERT_TRUE(frame.changed);

    // Cancel, and Yes with the Save As dialog cancelled: nothing is opened.
    for (MsgResult answer : {MsgResult::Cancel, MsgResult::Yes}) {
        testkit::MsgBoxScript msgs({answer});
        testkit::FileDialogScript files({QString(), path});
        cmds.mnuFileOpen_Click();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.texts()[0], QString::fromUtf8(frame::kMsgUnsavedBeforeOpen));
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::YesNoCancel);
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Question);
        EXPECT_EQ(files.shown().size(), answer == MsgResult::Yes ? 1 : 0);
        EXPECT_EQ(texts(window.get(), recordBoxes()), mine);
        EXPECT_TRUE(frame.changed);
    }
    // The same for a recent file.
    {
        testkit::MsgBoxScript msgs({MsgResult::Cancel});
        cmds.mnuMRU_Click(0, path);
        EXPECT_EQ(texts(window.get(), recordBoxes()), mine);
        EXPECT_TRUE(frame.moved.isEmpty());
    }
    // Cancelling the Open dialog after No changes nothing either.
    {
        testkit::MsgBoxScript msgs({MsgResult::No});
        testkit::FileDialogScript files({QString()});
        cmds.mnuFileOpen_Click();
        EXPECT_EQ(texts(window.get(), recordBoxes()), mine);
        EXPECT_EQ(frame.clears, 0);
        EXPECT_EQ(cmds.currentFile(), "");
    }
    // Yes with a Save As that writes: the data is saved, then the file opens.
    const QString saved = dir.filePath("mine.mrv");
    {
        testkit::MsgBoxScript msgs({MsgResult::Yes});
        testkit::FileDialogScript files({saved, path});
        cmds.mnuFileOpen_Click();
        EXPECT_EQ(msgs.count(), 1);
    }
    EXPECT_TRUE(readBytes(saved).startsWith("\"mine\",\"mine\""));
    EXPECT_EQ(texts(window.get(), recordBoxes()), sampleRecord());
    EXPECT_EQ(cmds.currentFile(), path);

    // When the frame has asked already, nothing is asked again.
    morvane::ChangeFileHooks hooks = frame.hooks();
    hooks.askBeforeOpening = false;
    morvane::ChangeFileCommands framed(window.get(), hooks);
    fill(window.get(), recordBoxes(), mine);
    {
        testkit::MsgBoxScript msgs;
        testkit::FileDialogScript files({path});
        framed.mnuFileOpen_Click();
        framed.mnuMRU_Click(1, path);
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_EQ(texts(window.get(), recordBoxes()), sampleRecord());
}

TEST_F(ChangeFileCommandsTest, OpenOfADamagedFileLeavesTheWindowClearedAndReportsIt)
{
    const QString bad = dir.filePath("bad.mrv");
    writeBytes(bad, "\"only\",\"three\",\"fields\"\r\n");
    fill(window.get(), recordBoxes(), sampleRecord());
    fillResults();
    frame.changed = false;
    testkit::MsgBoxScript msgs;
    testkit::FileDialogScript files({bad});
    cmds.mnuFileOpen_Click();
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.texts()[0], QString::fromUtf8(frame::kMsgOpenFailed) + "\nInput past end of file");
    EXPECT_EQ(texts(window.get(), recordBoxes() + resultBoxes()),
              QStringList(recordBoxes().size() + resultBoxes().size(), QString()));
    EXPECT_TRUE(frame.added.isEmpty());
    EXPECT_EQ(initDirSetting(), "<none>");
    EXPECT_EQ(cmds.currentFile(), "");
}

TEST_F(ChangeFileCommandsTest, RecentEntriesNeedAllTwelveFields)
{
    const QString good = dir.filePath("good.mrv");
    const QString old = dir.filePath("old.mrv");
    writeBytes(good, sampleBytes());
    writeBytes(old, kElevenFields);
    platform::saveSetting("Files", "InitDir", "/elsewhere/");
    fillResults();
    frame.changed = false;

    // A file dialog nobody answers is cancelled at once.
    testkit::FileDialogScript noDialogs;
    testkit::MsgBoxScript msgs;
    cmds.mnuMRU_Click(2, good);
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(texts(window.get(), recordBoxes()), sampleRecord());
    EXPECT_EQ(texts(window.get(), resultBoxes()), QStringList(resultBoxes().size(), QString()));
    ASSERT_EQ(frame.moved.size(), 1);
    EXPECT_EQ(frame.moved[0], qMakePair(good, 2));
    EXPECT_EQ(cmds.currentFile(), good);
    EXPECT_TRUE(frame.added.isEmpty());
    EXPECT_EQ(initDirSetting(), "/elsewhere/");
    EXPECT_FALSE(frame.changed);

    // Save (Overwrite) now writes back to the recent file.
    setBox(window.get(), "TxtID", "renamed");
    EXPECT_TRUE(cmds.mnuSave_Click());
    EXPECT_TRUE(readBytes(good).startsWith("\"renamed\","));

    // An eleven-field file and a file that is gone: the message, the window
    // cleared, the list and the current file as they were.
    struct Case {
        QString path;
        QString error;
    };
    for (const Case& c : {Case{old, "Input past end of file"}, Case{dir.filePath("gone.mrv"), "File not found"}}) {
        SCOPED_TRACE(c.path.toStdString());
        msgs.clear();
        fill(window.get(), recordBoxes(), sampleRecord());
        frame.changed = false;
        cmds.mnuMRU_Click(1, c.path);
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.texts()[0], QString::fromUtf8(frame::kMsgRecentFailed) + "\n" + c.error);
        EXPECT_EQ(texts(window.get(), recordBoxes()), QStringList(12, QString()));
        EXPECT_EQ(frame.moved.size(), 1);
        EXPECT_EQ(cmds.currentFile(), good);
    }
    // An entry without a path does nothing.
    msgs.clear();
    cmds.mnuMRU_Click(0, QString());
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(ChangeFileCommandsTest, TheCommandLineOpensTheLastExistingFileWithoutItsQuotes)
{
    const QString spaced = dir.filePath("my client.mrv");
    const QString old = dir.filePath("old.mrv");
    writeBytes(spaced, sampleBytes());
    writeBytes(old, kElevenFields);
    const QString shortFile = dir.filePath("short.mrv");
    writeBytes(shortFile, "\"1\",\"2\"\r\n");

    struct Case {
        const char* what;
        QString commandLine;
        QStringList boxes;   // expected record boxes
        QString error;       // "" when it loads
    };
    const QString none = dir.filePath("none.mrv");
    const QList<Case> cases = {
        {"empty command line", "", QStringList(12, QString()), ""},
        {"one quoted path with a blank", "\"" + spaced + "\"", sampleRecord(), ""},
        {"the path as it is", spaced, sampleRecord(), ""},
        {"two quoted existing names: the last", "\"" + spaced + "\" \"" + old + "\"", kElevenTexts, ""},
        {"an existing name, then one that is not", "\"" + old + "\" \"" + none + "\"", kElevenTexts, ""},
        {"no existing file", "\"" + none + "\"", {}, "File not found"},
        {"a short file", shortFile, {}, "Input past end of file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto w = makeChangeWindow();
        FakeFrame f(w.get());
        morvane::ChangeFileCommands loader(w.get(), f.hooks());
        fill(w.get(), resultBoxes(), QStringList(resultBoxes().size(), "kept"));
        testkit::MsgBoxScript msgs;
        EXPECT_EQ(loader.loadCommandLine(c.commandLine), c.error.isEmpty());
        if (c.error.isEmpty()) {
            EXPECT_EQ(msgs.count(), 0);
            EXPECT_EQ(texts(w.get(), recordBoxes()), c.boxes);
        } else {
            ASSERT_EQ(msgs.count(), 1);
            EXPECT_EQ(msgs.texts()[0], QString::fromUtf8(morvane::kMsgChangeLoadFailed) + "\n" + c.error);
            EXPECT_EQ(texts(w.get(), recordBoxes()), QStringList(12, QString()));
        }
        // No clearing, no recent file, no folder, no current file, no flags.
        EXPECT_EQ(texts(w.get(), resultBoxes()), QStringList(resultBoxes().size(), "kept"));
        EXPECT_EQ(f.clears, 0);
        EXPECT_TRUE(f.added.isEmpty());
        EXPECT_EQ(loader.currentFile(), "");
        EXPECT_EQ(initDirSetting(), "<none>");
        if (c.error.isEmpty()) {
            EXPECT_FALSE(f.changed);
        }
    }
}
