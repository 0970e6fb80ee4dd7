// Save As, Open, the recent-file entries and the command line, driven on a
// stand-in window as the frame would call them.
#include "outcometable/OutcomeFileCommands.h"
#include "platform/AppInfo.h"
#include "platform/Settings.h"
#include "testkit/QtTestKit.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "OutcomeWindow.h"

using namespace outcome_test;
using platform::MsgResult;

namespace {

// The frame's side: changed flags set by every change of a box, the
// recent-file list.
struct FakeFrame {
    bool changed = false;
    QStringList added;
    QList<QPair<QString, int>> moved;

    explicit FakeFrame(QWidget* w)
    {
        for (auto* e : w->findChildren<QLineEdit*>())
            QObject::connect(e, &QLineEdit::textChanged, [this] { changed = true; });
    }
    quellin::OutcomeFileHooks hooks()
    {
        quellin::OutcomeFileHooks h;
        h.recordChanged = [this](bool reset) {
            const bool was = changed;
            if (reset)
                changed = false;
            return was;
        };
        h.addToMRU = [this](const QString& p) { added << p; };
        h.moveMRUToTop = [this](const QString& p, int i) { moved.push_back({p, i}); };
        return h;
    }
};

const QStringList k3x2 = {"Jones, 1999", "post, 6 months", "HAM-D", "20", "10", "3", "11", "14", "8"};
const QStringList k2x2 = {"Smith (2001)", "pre- to post-tx", "BDI–II", "12", "8", "", "5", "15", ""};

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeRecord(const QString& path, const QStringList& fields)
{
    quellin::writeOutcomeFile(path, quellin::OutcomeRecord::fromList(fields));
}

QString initDirSetting() { return platform::getSetting("Files", "InitDir", "<none>"); }

QString failure(const char* sentence, const char* description)
{
    return QString::fromUtf8(sentence) + "\n" + QString::fromLatin1(description);
}

class OutcomeFileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::deleteSetting("Files"); }
    QWidget* w() { return standIn->window.get(); }
    void showWarnings()
    {
        control<QWidget>(w(), "cmdNNTWarning")->show();
        control<QWidget>(w(), "cmdNNHWarning")->show();
    }
    bool warningsHidden()
    {
        return control<QWidget>(w(), "cmdNNTWarning")->isHidden() && control<QWidget>(w(), "cmdNNHWarning")->isHidden();
    }
    bool fisherQuestionHidden()
    {
        return control<QWidget>(w(), "ChkFishers")->isHidden() && control<QWidget>(w(), "LblFisherWarning")->isHidden();
    }

    QTemporaryDir dir;
    std::unique_ptr<StandIn> standIn = makeOutcomeWindow();
    FakeFrame frame{w()};
    quellin::OutcomeFileCommands cmds{w(), frame.hooks()};
};

} // namespace

TEST_F(OutcomeFileCommandsTest, SaveAsWritesTheNineBoxesAndListsNothing)
{
    const QString path = dir.filePath("trial one.qln");
    fill(w(), recordBoxes(), k3x2);
    fill(w(), resultBoxes(), QStringList(resultBoxes().size(), "9.9"));
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        EXPECT_TRUE(cmds.mnuFileSaveAs_Click());
        EXPECT_EQ(msgs.count(), 0);
        ASSERT_EQ(files.shown().size(), 1);
        EXPECT_EQ(files.shown()[0].kind, platform::FileDialogRequest::Save);
        EXPECT_EQ(files.shown()[0].caption, QStringLiteral("Save File As ..."));
        EXPECT_EQ(files.shown()[0].filter, QStringLiteral("QLN files (*.qln)"));
        EXPECT_TRUE(files.shown()[0].defaultSuffix.isEmpty());
        EXPECT_EQ(files.shown()[0].directory, platform::appPath() + "/");   // the program folder at first
    }
    EXPECT_EQ(readBytes(path),
              QByteArray("\"Jones, 1999\",\"post, 6 months\",\"HAM-D\",\"20\",\"10\",\"3\",\"11\",\"14\",\"8\"\r\n"));
    EXPECT_TRUE(frame.added.isEmpty());             // only Open lists a file
    EXPECT_EQ(initDirSetting(), QStringLiteral("<none>"));
    EXPECT_FALSE(frame.changed);

    // A name typed without an extension is used as typed; the dialog starts
    // on the last file chosen.
    const QString bare = dir.filePath("bare");
    testkit::FileDialogScript files({bare});
    EXPECT_TRUE(cmds.mnuFileSaveAs_Click());
    EXPECT_TRUE(QFile::exists(bare));
    EXPECT_EQ(files.shown()[0].directory, platform::appPath() + "/trial one.qln");
}

TEST_F(OutcomeFileCommandsTest, SaveAsCasesThatWriteNothing)
{
    fill(w(), recordBoxes(), k2x2);
    const QString path = dir.filePath("s.qln");

    // Cancel: silent, nothing written, flags kept.
    {
        testkit::FileDialogScript files({QString()});
        testkit::MsgBoxScript msgs;
        EXPECT_FALSE(cmds.mnuFileSaveAs_Click());
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_TRUE(frame.changed);

    // A double quote in a box: refused before the dialog, the box named.
    box(w(), "TxtDevice")->setText("the \"B\" scale");
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        EXPECT_FALSE(cmds.mnuFileSaveAs_Click());
        EXPECT_TRUE(files.shown().isEmpty());
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.shown()[0].text.contains("\"Device\""));
    }
    EXPECT_FALSE(QFile::exists(path));
    box(w(), "TxtDevice")->setText("BDI");

    // A folder that does not exist: the message, nothing else.
    {
        testkit::FileDialogScript files({dir.filePath("gone/s.qln")});
        testkit::MsgBoxScript msgs;
        EXPECT_FALSE(cmds.mnuFileSaveAs_Click());
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, failure(quellin::kMsgOutcomeSaveFailed, "Path not found"));
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::OK);
    }
    EXPECT_TRUE(frame.changed);
}

TEST_F(OutcomeFileCommandsTest, OpenSelectsTheFilesModeBeforeFillingTheBoxes)
{
    const QString twoPath = dir.filePath("two.qln");
    const QString threePath = dir.filePath("three.qln");
    writeRecord(twoPath, k2x2);
    writeRecord(threePath, k3x2);
    fill(w(), resultBoxes(), QStringList(resultBoxes().size(), "1"));
    fill(w(), levelBoxes(), QStringList(5, "95%"));
    control<QComboBox>(w(), "Combo2")->setCurrentText("90%");
    showWarnings();
    frame.changed = false;

    // A 2 x 2 file in the 3 x 2 window.
    {
        testkit::FileDialogScript files({twoPath});
        testkit::MsgBoxScript msgs;
        cmds.mnuFileOpen_Click();
        EXPECT_EQ(msgs.count(), 0);
        ASSERT_EQ(files.shown().size(), 1);
        EXPECT_EQ(files.shown()[0].kind, platform::FileDialogRequest::Open);
        EXPECT_EQ(files.shown()[0].filter, QStringLiteral("QLN files (*.qln)"));
        EXPECT_EQ(files.shown()[0].directory, platform::appPath() + "/");
    }
    EXPECT_TRUE(isTwoByTwo(w()));
    EXPECT_EQ(texts(w(), recordBoxes()), k2x2);
    EXPECT_EQ(texts(w(), resultBoxes()), QStringList(resultBoxes().size(), QString()));
    EXPECT_EQ(texts(w(), levelBoxes()), QStringList(5, QString()));
    EXPECT_EQ(control<QComboBox>(w(), "Combo2")->currentText(), QStringLiteral("90%"));   // the level stays
    EXPECT_EQ(frame.added, QStringList{twoPath});
    EXPECT_EQ(initDirSetting(), dir.path() + "/");
    EXPECT_FALSE(frame.changed);
    EXPECT_TRUE(warningsHidden());

    // A 3 x 2 file in the 2 x 2 window: the switch runs first, so the
    // deteriorated counts survive it. The dialog starts in the folder kept.
    {
        testkit::FileDialogScript files({threePath});
        cmds.mnuFileOpen_Click();
        EXPECT_EQ(files.shown()[0].directory, dir.path() + "/two.qln");
    }
    EXPECT_FALSE(isTwoByTwo(w()));
    EXPECT_EQ(texts(w(), recordBoxes()), k3x2);
    EXPECT_EQ(frame.added, (QStringList{twoPath, threePath}));

    // The same mode again: no switch runs.
    const int switches = standIn->switches;
    testkit::FileDialogScript files({threePath});
    cmds.mnuFileOpen_Click();
    EXPECT_EQ(standIn->switches, switches);
    EXPECT_EQ(texts(w(), recordBoxes()), k3x2);
}

TEST_F(OutcomeFileCommandsTest, OpenFailuresAndCancel)
{
    const QString shortFile = dir.filePath("short.qln");
    QFile f(shortFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"a\",\"b\",\"c\",\"1\",\"2\",\"3\",\"4\",\"5\"\r\n");
    f.close();
    fill(w(), recordBoxes(), k3x2);
    frame.changed = false;

    // Cancel in the dialog: nothing read, emptied or changed.
    {
        testkit::FileDialogScript files({QString()});
        testkit::MsgBoxScript msgs;
        cmds.mnuFileOpen_Click();
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_EQ(texts(w(), recordBoxes()), k3x2);
    EXPECT_FALSE(frame.changed);

    // Eight fields: the message; boxes emptied, list, folder and mode kept.
    {
        testkit::FileDialogScript files({shortFile});
        testkit::MsgBoxScript msgs;
        cmds.mnuFileOpen_Click();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, failure(quellin::kMsgOutcomeOpenFailed, "Input past end of file"));
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::OK);
    }
    EXPECT_EQ(texts(w(), recordBoxes()), QStringList(9, QString()));
    EXPECT_TRUE(frame.added.isEmpty());
    EXPECT_EQ(initDirSetting(), QStringLiteral("<none>"));
    EXPECT_FALSE(isTwoByTwo(w()));
}

TEST_F(OutcomeFileCommandsTest, QuestionBeforeOpening)
{
    const QString path = dir.filePath("two.qln");
    writeRecord(path, k2x2);
    fill(w(), recordBoxes(), k3x2);   // typed: the window counts as changed

    // Cancel keeps everything.
    {
        testkit::MsgBoxScript msgs({MsgResult::Cancel});
        testkit::FileDialogScript files({path});
        cmds.mnuFileOpen_Click();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, QString::fromUtf8(frame::kMsgUnsavedBeforeOpen));
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::YesNoCancel);
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Question);
        EXPECT_TRUE(files.shown().isEmpty());
    }
    // Yes, then the save is cancelled: the data stays, nothing is opened.
    {
        testkit::MsgBoxScript msgs({MsgResult::Yes});
        testkit::FileDialogScript files({QString()});
        cmds.mnuMRU_Click(1, path);
        EXPECT_EQ(files.shown().size(), 1);
    }
    EXPECT_EQ(texts(w(), recordBoxes()), k3x2);
    EXPECT_TRUE(frame.changed);
    // Yes and saved: the file is written, then the chosen file opened.
    const QString saved = dir.filePath("saved.qln");
    {
        testkit::MsgBoxScript msgs({MsgResult::Yes});
        testkit::FileDialogScript files({saved, path});
        cmds.mnuFileOpen_Click();
    }
    EXPECT_EQ(quellin::readOutcomeFile(saved).toList(), k3x2);
    EXPECT_EQ(texts(w(), recordBoxes()), k2x2);

    // A frame that asked already: no second question.
    box(w(), "TxtID")->setText("typed");
    FakeFrame asked(w());
    asked.changed = true;
    auto hooks = asked.hooks();
    hooks.askBeforeOpening = false;
    quellin::OutcomeFileCommands quiet(w(), hooks);
    testkit::MsgBoxScript msgs;
    quiet.mnuMRU_Click(0, path);
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(texts(w(), recordBoxes()), k2x2);
}

TEST_F(OutcomeFileCommandsTest, RecentFiles)
{
    const QString path = dir.filePath("three.qln");
    writeRecord(path, k3x2);
    control<QRadioButton>(w(), "OpTwo")->setChecked(true);
    platform::saveSetting("Files", "InitDir", "/elsewhere/");
    showWarnings();
    frame.changed = false;

    cmds.mnuMRU_Click(2, path);
    EXPECT_FALSE(isTwoByTwo(w()));
    EXPECT_EQ(texts(w(), recordBoxes()), k3x2);
    EXPECT_EQ(frame.moved, (QList<QPair<QString, int>>{{path, 2}}));
    EXPECT_TRUE(frame.added.isEmpty());
    EXPECT_EQ(initDirSetting(), QStringLiteral("/elsewhere/"));
    EXPECT_FALSE(frame.changed);
    EXPECT_TRUE(warningsHidden());

    // A file that has gone: the message, empty boxes, the entry stays where it is.
    QFile::remove(path);
    frame.changed = false;
    {
        testkit::MsgBoxScript msgs;
        cmds.mnuMRU_Click(1, path);
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, failure(quellin::kMsgOutcomeOpenFailed, "File not found"));
    }
    EXPECT_EQ(texts(w(), recordBoxes()), QStringList(9, QString()));
    EXPECT_EQ(frame.moved.size(), 1);

    // An entry without a path does nothing.
    testkit::MsgBoxScript msgs;
    cmds.mnuMRU_Click(0, QString());
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(OutcomeFileCommandsTest, EmptyRecordOpensIn2x2AndMixedDeterioratedIn3x2)
{
    testkit::MsgBoxScript answers({MsgResult::No, MsgResult::No, MsgResult::No});
    const QString empty = dir.filePath("empty.qln");
    {
        testkit::FileDialogScript files({empty});
        EXPECT_TRUE(cmds.mnuFileSaveAs_Click());
    }
    EXPECT_EQ(readBytes(empty), QByteArray("\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
    cmds.mnuMRU_Click(0, empty);
    EXPECT_TRUE(isTwoByTwo(w()));

    // Only one deteriorated count: the 3 x 2 mode, from each reader.
    const QString mixed = dir.filePath("mixed.qln");
    const QStringList fields = {"a", "b", "c", "1", "2", "", "3", "4", "7"};
    writeRecord(mixed, fields);
    cmds.mnuMRU_Click(0, mixed);
    EXPECT_FALSE(isTwoByTwo(w()));
    EXPECT_EQ(texts(w(), recordBoxes()), fields);

    control<QRadioButton>(w(), "OpTwo")->setChecked(true);
    {
        testkit::FileDialogScript files({mixed});
        cmds.mnuFileOpen_Click();
    }
    EXPECT_FALSE(isTwoByTwo(w()));
    EXPECT_EQ(texts(w(), recordBoxes()), fields);

    control<QRadioButton>(w(), "OpTwo")->setChecked(true);
    EXPECT_TRUE(cmds.loadCommandLine(mixed));
    EXPECT_FALSE(isTwoByTwo(w()));
    EXPECT_EQ(texts(w(), recordBoxes()), fields);
    EXPECT_EQ(answers.count(), 1);   // the window changed by the switch asked before Open
}

TEST_F(OutcomeFileCommandsTest, CommandLine)
{
    const QString blanks = dir.filePath("with blanks.qln");
    const QString second = dir.filePath("second.qln");
    writeRecord(blanks, k2x2);
    writeRecord(second, k3x2);
    struct Case {
        const char* what;
        QString commandLine;
        QStringList expected;
        bool twoByTwo;
    };
    const QList<Case> cases = {
        {"one quoted path with blanks", "\"" + blanks + "\"", k2x2, true},
        {"an unquoted path with blanks, taken whole", blanks, k2x2, true},
        {"two quoted paths: the second", "\"" + blanks + "\" \"" + second + "\"", k3x2, false},
        {"the last that exists", "\"" + second + "\" \"" + dir.filePath("none.qln") + "\"", k3x2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto s = makeOutcomeWindow();
        FakeFrame f(s->window.get());
        quellin::OutcomeFileCommands loader(s->window.get(), f.hooks());
        testkit::MsgBoxScript msgs;
        EXPECT_TRUE(loader.loadCommandLine(c.commandLine));
        EXPECT_EQ(msgs.count(), 0);
        EXPECT_EQ(texts(s->window.get(), recordBoxes()), c.expected);
        EXPECT_EQ(isTwoByTwo(s->window.get()), c.twoByTwo);
        // The Fisher question shows in the 2 x 2 mode only.
        EXPECT_EQ(control<QWidget>(s->window.get(), "ChkFishers")->isHidden(), !c.twoByTwo);
        EXPECT_EQ(control<QWidget>(s->window.get(), "LblFisherWarning")->isHidden(), !c.twoByTwo);
        EXPECT_TRUE(f.added.isEmpty());
        EXPECT_EQ(initDirSetting(), QStringLiteral("<none>"));
    }

    // Empty: the nine boxes empty, the 3 x 2 mode of the design, no switch.
    fill(w(), recordBoxes(), k3x2);
    EXPECT_TRUE(cmds.loadCommandLine(QString()));
    EXPECT_EQ(texts(w(), recordBoxes()), QStringList(9, QString()));
    EXPECT_FALSE(isTwoByTwo(w()));
    EXPECT_EQ(standIn->switches, 0);
    EXPECT_TRUE(fisherQuestionHidden());

    // Nothing that names a file: the command-line message, loading stops.
    testkit::MsgBoxScript msgs;
    EXPECT_FALSE(cmds.loadCommandLine(dir.filePath("none.qln")));
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.shown()[0].text, failure(quellin::kMsgOutcomeCommandLineFailed, "File not found"));
    EXPECT_FALSE(isTwoByTwo(w()));
}
