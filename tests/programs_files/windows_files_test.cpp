// Quellin's and Morvane's main windows with their frames: a record saved
// through File > Save As comes back through File > Open and a recent entry,
// and the report prints to a PDF.
#include "ProgramFiles.h"
#include "outcometable/OutcomeFile.h"
#include "outcometable/frmMain.h"
#include "personchange/ChangeFile.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/Settings.h"
#include "testkit/QtTestKit.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

using platform::MsgResult;

namespace {

using programfiles::trigger;
using programfiles::useProgram;

void setBox(QWidget* w, const QString& name, const QString& text)
{
    QWidget* b = testkit::find(w, name);
    if (auto* le = qobject_cast<QLineEdit*>(b))
        le->setText(text);
    else if (auto* pe = qobject_cast<QPlainTextEdit*>(b))
        pe->setPlainText(text);
}

template <class Window, size_t N>
void roundTrip(const std::array<const char*, N>& boxes, const QString& path, const QStringList& values)
{
    auto w = std::make_unique<Window>();
    w->show();
    testkit::settle();
    for (size_t i = 0; i < N; ++i)
        setBox(w.get(), QString::fromLatin1(boxes[i]), values.value(static_cast<int>(i)));
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        trigger(w.get(), "mnuFileSaveAs");
        EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QLatin1Char('|')).toStdString();
    }
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_FALSE(w->RecordChanged(false));

    trigger(w.get(), "mnuFileNew");
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs({MsgResult::No});   // the frame's question, asked once
        trigger(w.get(), "mnuFileOpen");
        EXPECT_EQ(msgs.count(), 1) << msgs.texts().join(QLatin1Char('|')).toStdString();
    }
    for (size_t i = 0; i < N; ++i)
        EXPECT_EQ(testkit::text(w.get(), QString::fromLatin1(boxes[i])), values.value(static_cast<int>(i)))
            << boxes[i];
    EXPECT_EQ(w->mruCaption(0), path);

    trigger(w.get(), "mnuFileNew");
    w->RecordChanged(true);
    trigger(w.get(), "mnuMRU(0)");
    EXPECT_EQ(testkit::text(w.get(), QString::fromLatin1(boxes[0])), values.value(0));
    w->RecordChanged(true);
}

} // namespace

TEST(QuellinWindowFiles, SaveOpenAndRecentEntryRestoreTheRecordAndItsMode)
{
    useProgram("Quellin", "Quellin5");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trial.qln"));
    roundTrip<quellin::frmMain>(quellin::kOutcomeFieldBoxes, path,
                                {"Café trial", "post", "scale", "12", "5", "3", "7", "6", "9"});

    // A two-outcome file selects the 2 x 2 mode.
    const QString two = dir.filePath(QStringLiteral("two.qln"));
    QFile f(two);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"A\",\"B\",\"C\",\"10\",\"5\",\"\",\"4\",\"11\",\"\"\r\n");
    f.close();
    quellin::frmMain w;
    w.show();
    testkit::FileDialogScript files({two});
    testkit::MsgBoxScript msgs;
    trigger(&w, "mnuFileOpen");
    EXPECT_TRUE(testkit::find<QRadioButton>(&w, QStringLiteral("OpTwo"))->isChecked());
    EXPECT_EQ(testkit::text(&w, QStringLiteral("CtrlSame")), QStringLiteral("11"));
    w.RecordChanged(true);
}

TEST(QuellinWindowFiles, ReportPrintsTheResults)
{
    useProgram("Quellin", "Quellin5");
    QTemporaryDir dir;
    quellin::frmMain w;
    w.show();
    const char* counts[] = {"TxImp", "TxSame", "TxWorse", "CtrlImp", "CtrlSame", "CtrlWorse"};
    const char* values[] = {"20", "10", "5", "10", "12", "13"};
    for (int i = 0; i < 6; ++i)
        setBox(&w, QString::fromLatin1(counts[i]), QString::fromLatin1(values[i]));
    setBox(&w, QStringLiteral("TxtID"), QStringLiteral("Trial 7"));
    testkit::MsgBoxScript msgs;
    testkit::click(testkit::find(&w, QStringLiteral("CmdDoItOdds")));
    const QString pdf = dir.filePath(QStringLiteral("q.pdf"));
    testkit::PrintDialogScript print(pdf);
    trigger(&w, "mnuFilePrint");
    const QString text = testkit::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Trial 7"))) << text.toStdString();
    w.RecordChanged(true);
}

TEST(MorvaneWindowFiles, SaveOpenAndRecentEntryRestoreTheRecord)
{
    useProgram("Morvane", "Morvane5");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("client.mrv"));
    QStringList values;
    for (size_t i = 0; i < morvane::kChangeFieldBoxes.size(); ++i)
        values << QStringLiteral("%1").arg(i + 1);
    values.last() = QStringLiteral("first line\nsecond, with a comma");
    roundTrip<morvane::frmMain>(morvane::kChangeFieldBoxes, path, values);
}

TEST(MorvaneWindowFiles, SaveOverwritesTheCurrentFileAndTheReportPrints)
{
    useProgram("Morvane", "Morvane5");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("client.mrv"));
    morvane::frmMain w;
    w.show();
    setBox(&w, QStringLiteral("TxtID"), QStringLiteral("Client A"));
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        trigger(&w, "mnuSave");   // no current file yet: Save As
    }
    ASSERT_TRUE(QFile::exists(path));
    setBox(&w, QStringLiteral("TxtID"), QStringLiteral("Client B"));
    {
        testkit::FileDialogScript files;   // no dialog expected
        testkit::MsgBoxScript msgs;
        trigger(&w, "mnuSave");
        EXPECT_TRUE(files.shown().isEmpty());
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("\"Client B\""));

    const QString pdf = dir.filePath(QStringLiteral("m.pdf"));
    testkit::PrintDialogScript print(pdf);
    testkit::MsgBoxScript msgs;
    trigger(&w, "mnuFilePrint");
    EXPECT_TRUE(testkit::pdfText(pdf).contains(QStringLiteral("Client B")));
    w.RecordChanged(true);
}
