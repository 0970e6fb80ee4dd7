// The Tarvoss main window with its frame: the study file through the menus,
// the recent-file list, the command line, the closing question and the
// printed report.
#include "meandiff/frmMain.h"
#include "metadb/frmMetData.h"
#include "platform/AppInfo.h"
#include "platform/Settings.h"
#include "testkit/QtTestKit.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>

using platform::MsgResult;

namespace {

const char* const kStudyBoxes[14] = {"TxtID",       "TxtYear", "TxtAssess", "TxtDevice", "txtStudySample",
                                     "txtMean1",    "txtSD1",  "TxtN1",     "txtT1Sample", "txtMean2",
                                     "txtSD2",      "TxtN2",   "txtT2Sample", "txtD"};

class TarvossFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
        platform::deleteSetting(QStringLiteral("MRUFiles"));
        platform::deleteSetting(QStringLiteral("Files"));
        platform::setCommandArguments({});
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { platform::setCommandArguments({}); }

    std::unique_ptr<tarvoss::frmMain> makeWindow()
    {
        auto w = std::make_unique<tarvoss::frmMain>();
        w->show();
        testkit::settle();
        return w;
    }
    QLineEdit* box(QWidget* w, const char* name) { return testkit::find<QLineEdit>(w, QString::fromLatin1(name)); }
    void fillStudy(QWidget* w)
    {
        const char* values[14] = {"Smith, Jones", "2001", "pre to post", "BDI", "adults",
                                  "10", "2", "20", "treated", "8", "2.5", "22", "waiting list", "0.5"};
        for (int i = 0; i < 14; ++i)
            box(w, kStudyBoxes[i])->setText(QString::fromUtf8(values[i]));
    }
    void trigger(QWidget* w, const char* action) { testkit::findAction(w, QString::fromLatin1(action))->trigger(); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(TarvossFiles, SaveAndOpenThroughTheMenusRestoreEveryBox)
{
    const QString path = dir.filePath(QStringLiteral("study.tvq"));
    std::unique_ptr<tarvoss::frmMain> w = makeWindow();
    fillStudy(w.get());
    testkit::click(testkit::find(w.get(), QStringLiteral("cmdDoIt")));
    EXPECT_FALSE(box(w.get(), "TxtTarvoss")->text().isEmpty());
    const QString expectedD = box(w.get(), "txtD")->text();   // the calculation fills it
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript boxes;
        trigger(w.get(), "mnuFileSaveAs");
        EXPECT_EQ(boxes.count(), 0) << boxes.texts().join(QLatin1Char('|')).toStdString();
    }
    EXPECT_FALSE(w->RecordChanged(false));
    EXPECT_EQ(w->mruCaption(0), path);

    w->cmdNew_Click();
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript boxes({MsgResult::No});
        trigger(w.get(), "mnuFileOpen");
        EXPECT_EQ(boxes.count(), 1);   // the frame's question only, asked once
    }
    EXPECT_EQ(box(w.get(), "TxtID")->text(), QStringLiteral("Smith, Jones"));
    EXPECT_EQ(box(w.get(), "txtD")->text(), expectedD);
    EXPECT_TRUE(box(w.get(), "TxtTarvoss")->text().isEmpty());
    EXPECT_FALSE(w->RecordChanged(false));

    // The recent entry reads the file again.
    w->cmdNew_Click();
    w->RecordChanged(true);
    trigger(w.get(), "mnuMRU(0)");
    EXPECT_EQ(box(w.get(), "TxtN2")->text(), QStringLiteral("22"));
}

TEST_F(TarvossFiles, ClosingWithChangesAndACancelledSaveKeepsTheWindow)
{
    std::unique_ptr<tarvoss::frmMain> w = makeWindow();
    fillStudy(w.get());
    {
        testkit::FileDialogScript files;   // the Save dialog is cancelled
        testkit::MsgBoxScript boxes({MsgResult::Yes});
        w->close();
        EXPECT_EQ(boxes.count(), 1);
    }
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->RecordChanged(false));
    EXPECT_EQ(box(w.get(), "TxtID")->text(), QStringLiteral("Smith, Jones"));

    const QString path = dir.filePath(QStringLiteral("kept.tvq"));
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript boxes({MsgResult::Yes});
        w->close();
    }
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(TarvossFiles, APastedDoubleQuoteIsRefusedAtSaveAndNothingIsWritten)
{
    const QString path = dir.filePath(QStringLiteral("quote.tvq"));
    std::unique_ptr<tarvoss::frmMain> w = makeWindow();
    fillStudy(w.get());
    box(w.get(), "TxtDevice")->setText(QStringLiteral("BDI \"short\""));
    testkit::FileDialogScript files({path});
    testkit::MsgBoxScript boxes;
    trigger(w.get(), "mnuFileSaveAs");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(w->RecordChanged(false));
}

TEST_F(TarvossFiles, AFileOnTheCommandLineOpensUnchanged)
{
    const QString path = dir.filePath(QStringLiteral("with blanks.tvq"));
    {
        std::unique_ptr<tarvoss::frmMain> w = makeWindow();
        fillStudy(w.get());
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript boxes;
        trigger(w.get(), "mnuFileSaveAs");
        w->RecordChanged(true);
    }
    // The launcher passed the path unquoted, split at its blank.
    platform::setCommandArguments(path.split(QLatin1Char(' ')));
    std::unique_ptr<tarvoss::frmMain> w = makeWindow();
    EXPECT_EQ(box(w.get(), "TxtAssess")->text(), QStringLiteral("pre to post"));
    testkit::MsgBoxScript boxes;
    w->close();
    EXPECT_EQ(boxes.count(), 0);
}

// A database named on the command line opens its window once the main
// window is up, in front of it, not hidden behind it.
TEST_F(TarvossFiles, ADatabaseOnTheCommandLineOpensInFrontOfTheMainWindow)
{
    const QString met = dir.filePath(QStringLiteral("studies.met"));
    {
        testkit::MsgBoxScript msgs;
        testkit::FileDialogScript dialogs({met});
        metadb::frmMetData* made = metadb::showMetData();
        testkit::settle();
        testkit::find<QPushButton>(made, QStringLiteral("cmdNewDB"))->click();
        made->close();
        testkit::settle();
    }
    ASSERT_TRUE(QFile::exists(met));
    platform::setCommandArguments({met});
    testkit::MsgBoxScript msgs;
    tarvoss::frmMain w;
    // Not while the main window loads, before it is shown ...
    EXPECT_TRUE(!metadb::metDataWindow() || !metadb::metDataWindow()->isVisible());
    w.show();
    testkit::settle(50);
    // ... but once it is: in front, with the keyboard.
    QWidget* db = metadb::metDataWindow();
    ASSERT_TRUE(db);
    EXPECT_TRUE(db->isVisible());
    EXPECT_EQ(QApplication::activeWindow(), db);
    EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
    db->close();
    testkit::settle();
    testkit::MsgBoxScript closing({MsgResult::No});
    w.close();
}

TEST_F(TarvossFiles, PrintReportFromTheMenuWritesThePdf)
{
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    std::unique_ptr<tarvoss::frmMain> w = makeWindow();
    fillStudy(w.get());
    testkit::click(testkit::find(w.get(), QStringLiteral("cmdDoIt")));
    testkit::PrintDialogScript print(pdf);
    testkit::MsgBoxScript boxes;
    trigger(w.get(), "mnuFilePrint");
    EXPECT_EQ(print.count(), 1);
    const QString text = testkit::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Smith, Jones"))) << text.toStdString();
    EXPECT_TRUE(text.contains(box(w.get(), "TxtTarvoss")->text())) << text.toStdString();
    w->RecordChanged(true);
}
