// The export windows driven as a person would: the chooser and its two
// windows, the workbook window's dialogs, refusals, log and messages, and the
// copy window's block size, panels, copy and refusals.
#include "export_fixtures.h"
#include "metadb/frmAccess.h"
#include "metadb/frmExcel.h"
#include "metadb/frmExport.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

using namespace exportfixtures;
using platform::MsgIcon;
using platform::MsgResult;
using testkit::click;
using testkit::find;

namespace {

// Runs fn with the first modal window other than notThis once it is shown.
void onNextModal(QObject* owner, QWidget* notThis, std::function<void(QWidget*)> fn)
{
    auto* t = new QTimer(owner);
    t->setInterval(10);
    QObject::connect(t, &QTimer::timeout, owner, [t, notThis, fn] {
        QWidget* m = QApplication::activeModalWidget();
        if (m && m != notThis) {
            t->stop();
            fn(m);
        }
    });
    t->start();
}

TEST(ExportChooser, OpensEachExportModalOverItself)
{
    QObject owner;
    QString caption, excelCaption, accessName;
    QStringList buttons;
    QWidget* excelParent = nullptr;
    QWidget* chooserWidget = nullptr;
    bool chooserActiveAgain = false;
    onNextModal(&owner, nullptr, [&](QWidget* chooser) {
        chooserWidget = chooser;
        caption = chooser->windowTitle();
        buttons << testkit::text(chooser, QStringLiteral("cmdExcel"))
                << testkit::text(chooser, QStringLiteral("cmdAccess"));
        onNextModal(&owner, chooser, [&](QWidget* excel) {
            excelCaption = excel->windowTitle();
            excelParent = excel->parentWidget();
            excel->close();
        });
        click(find(chooser, QStringLiteral("cmdExcel")));
        chooserActiveAgain = QApplication::activeModalWidget() == chooser;
        onNextModal(&owner, chooser, [&](QWidget* access) {
            accessName = access->objectName();
            access->close();
        });
        click(find(chooser, QStringLiteral("cmdAccess")));
        chooser->close();
    });
    metadb::showExport(nullptr);
    EXPECT_EQ(caption, QStringLiteral("Export Options"));
    EXPECT_EQ(buttons, QStringList({"Export .MET File To &Excel", "Export .MET File To &Access"}));
    EXPECT_EQ(excelCaption, QStringLiteral("Export Meta-Analysis Database To Microsoft Excel Spreadsheet"));
    EXPECT_EQ(excelParent, chooserWidget);
    EXPECT_TRUE(chooserActiveAgain);
    EXPECT_EQ(accessName, QStringLiteral("frmAccess"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

class ExcelWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    metadb::frmExcel w;
    void SetUp() override { w.show(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString log() { return find<QPlainTextEdit>(&w, QStringLiteral("txtResults"))->toPlainText(); }
    void chooseDatabase(const QString& p)
    {
        testkit::FileDialogScript files({p});
        click(find(&w, QStringLiteral("cmdDB")));
    }
    QString studyDatabase()
    {
        const QString db = path(QStringLiteral("studies.met"));
        makeDatabase(db, {createStudyTable(), insertStudy({{"Study Name", "'A'"}, {"Cohen +95", "0.5"}})});
        return db;
    }
};

TEST_F(ExcelWindowTest, OpensWithItsControlsAndATrueNote)
{
    EXPECT_EQ(log(), QStringLiteral("This will convert the database into a Microsoft Excel workbook (.xlsx). Microsoft "
                                    "Excel does not need to be installed on your computer."));
    const std::pair<const char*, const char*> captions[] = {
        {"Frame1", "Select database to convert."}, {"Frame3", "New Excel spreadsheet name"}, {"Frame2", "Results"},
        {"cmdDB", "..."}, {"cmdEXL", "..."}, {"cmdConvert", "&Export File"}, {"cmdClose", "&Close"},
        {"txtDB", ""}, {"txtEXL", ""},
    };
    for (const auto& [name, caption] : captions) {
        QWidget* c = find(&w, QString::fromLatin1(name));
        ASSERT_NE(c, nullptr);
        const QString shown = c->property("title").isValid() ? c->property("title").toString() : testkit::text(c);
        EXPECT_EQ(shown, QString::fromLatin1(caption)) << name;
    }
}

TEST_F(ExcelWindowTest, InputRefusals)
{
    testkit::MsgBoxScript boxes;
    // A path typed into the database box is not a chosen database.
    testkit::type(find(&w, QStringLiteral("txtDB")), studyDatabase());
    testkit::type(find(&w, QStringLiteral("txtEXL")), path(QStringLiteral("x.xlsx")));
    click(find(&w, QStringLiteral("cmdConvert")));
    chooseDatabase(studyDatabase());
    testkit::retype(find(&w, QStringLiteral("txtEXL")), QString());
    click(find(&w, QStringLiteral("cmdConvert")));
    EXPECT_EQ(boxes.texts(),
              QStringList({"Please select a database", "Please select a name for the new spreadsheet."}));
    for (const auto& r : boxes.shown()) {
        EXPECT_EQ(r.icon, MsgIcon::None);
        EXPECT_EQ(r.buttons, platform::MsgButtons::OK);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.xlsx"))));
}

TEST_F(ExcelWindowTest, DialogsShareOneFileName)
{
    QLineEdit* txtDB = find<QLineEdit>(&w, QStringLiteral("txtDB"));
    QLineEdit* txtEXL = find<QLineEdit>(&w, QStringLiteral("txtEXL"));
    const QString book = path(QStringLiteral("book.xlsx"));
    testkit::FileDialogScript files({QString(), book, QString(), QString()});
    click(find(&w, QStringLiteral("cmdDB")));   // cancelled before any choice
    EXPECT_EQ(txtDB->text(), QString());
    EXPECT_EQ(w.databasePath(), QString());
    click(find(&w, QStringLiteral("cmdEXL")));
    EXPECT_EQ(txtEXL->text(), book);
    click(find(&w, QStringLiteral("cmdDB")));   // cancelled: the dialog still holds the workbook name
    EXPECT_EQ(txtDB->text(), book);
    EXPECT_EQ(w.databasePath(), book);
    click(find(&w, QStringLiteral("cmdEXL")));  // cancelled: the name was emptied first
    EXPECT_EQ(txtEXL->text(), QString());

    ASSERT_EQ(files.shown().size(), 4);
    const auto& db = files.shown()[0];
    EXPECT_EQ(db.kind, platform::FileDialogRequest::Open);
    EXPECT_EQ(db.filter, QStringLiteral("Meta-analysis Database (*.met)"));
    const auto& wb = files.shown()[1];
    EXPECT_EQ(wb.kind, platform::FileDialogRequest::Save);
    EXPECT_EQ(wb.filter, QStringLiteral("MS Excel Spreadsheet (*.xlsx)"));
    EXPECT_EQ(wb.defaultSuffix, QStringLiteral("xlsx"));
    EXPECT_EQ(files.shown()[2].directory, book);
}

// Fields no cell can hold are named in one message after the save.
TEST_F(ExcelWindowTest, FieldsLeftEmptyAreNamedAtTheEnd)
{
    const QString db = path(QStringLiteral("long.met"));
    makeDatabase(db, {QStringLiteral("create table [t] (id integer, notes text, picture blob)"),
                      QStringLiteral("insert into [t] values (1, '%1', x'00ff')").arg(QString(40000, QLatin1Char('n')))});
    testkit::MsgBoxScript boxes;
    chooseDatabase(db);
    const QString xlsx = path(QStringLiteral("long.xlsx"));
    testkit::type(find(&w, QStringLiteral("txtEXL")), xlsx);
    click(find(&w, QStringLiteral("cmdConvert")));
    ASSERT_EQ(boxes.count(), 1);
    const QString text = boxes.texts()[0];
    EXPECT_TRUE(text.startsWith(QStringLiteral("The workbook was saved, but 2 field(s) could not go into a cell")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("t, row 2, field notes: a text of 40000 characters")));
    EXPECT_TRUE(text.contains(QStringLiteral("t, row 2, field picture: binary data of 2 bytes")));
    EXPECT_TRUE(QFile::exists(xlsx));
    EXPECT_TRUE(log().endsWith(QStringLiteral("Done!!!!")));
}

TEST_F(ExcelWindowTest, ExportLogsSixLinesAndSavesTheTypedName)
{
    testkit::MsgBoxScript boxes;
    chooseDatabase(studyDatabase());
    const QString xlsx = path(QStringLiteral("typed.xlsx"));
    testkit::type(find(&w, QStringLiteral("txtEXL")), xlsx);
    click(find(&w, QStringLiteral("cmdConvert")));
    EXPECT_EQ(boxes.count(), 0) << boxes.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(log().split(QLatin1Char('\n')),
              QStringList({"Opening Database...", "Creating Workbook...", "Creating Worksheet data...",
                           "Adding Column Headers...", "Adding Data from Database Table data...", "Done!!!!"}));
    Workbook book(xlsx);
    EXPECT_EQ(book.sheetNames(), QStringList({"data"}));
    EXPECT_EQ(book.cells(QStringLiteral("data"))[QStringLiteral("B2")].value, QStringLiteral("0.5"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A second export onto it asks first; No keeps the file and says nothing more.
    const QByteArray before = readAll(xlsx);
    boxes.push(MsgResult::No);
    click(find(&w, QStringLiteral("cmdConvert")));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_TRUE(boxes.texts()[0].contains(xlsx));
    EXPECT_TRUE(log().endsWith(QStringLiteral("Done!!!!")));
    EXPECT_EQ(readAll(xlsx), before);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ExcelWindowTest, ErrorIsShownAndTheLogKept)
{
    testkit::MsgBoxScript boxes;
    const QString notDb = path(QStringLiteral("notes.met"));
    writeFile(notDb, QByteArray(4096, 'n'));
    chooseDatabase(notDb);
    const QString xlsx = path(QStringLiteral("never.xlsx"));
    testkit::type(find(&w, QStringLiteral("txtEXL")), xlsx);
    click(find(&w, QStringLiteral("cmdConvert")));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith(QStringLiteral("3051\r\n"))) << boxes.texts()[0].toStdString();
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::None);
    EXPECT_EQ(log(), QStringLiteral("Opening Database...\n"));
    EXPECT_FALSE(QFile::exists(xlsx));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(w.isVisible());
}

class AccessWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    metadb::frmAccess w;
    void SetUp() override { w.show(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString panel(int i) { return testkit::text(&w, QStringLiteral("Panel(%1)").arg(i)); }
    QSlider* slider() { return find<QSlider>(&w, QStringLiteral("Slider1")); }
    QString label2() { return testkit::text(&w, QStringLiteral("Label2")); }
    QByteArray source(const QString& name, qint64 size)
    {
        const QByteArray b = pattern(size);
        writeFile(path(name), b);
        return b;
    }
};

TEST_F(AccessWindowTest, OpensWithTheDefaultBlockAndEmptyPanels)
{
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Export Meta-Analysis Database To Microsoft Access Database"));
    EXPECT_TRUE(find<QRadioButton>(&w, QStringLiteral("Option2"))->isChecked());
    EXPECT_FALSE(find<QRadioButton>(&w, QStringLiteral("Option1"))->isChecked());
    EXPECT_EQ(slider()->minimum(), 1);
    EXPECT_EQ(slider()->maximum(), 5);
    EXPECT_EQ(slider()->value(), 2);
    EXPECT_EQ(label2(), QStringLiteral("2 Mb"));
    EXPECT_EQ(w.blockSize(), 2 * 1048576);
    EXPECT_FALSE(find<QCheckBox>(&w, QStringLiteral("Check1"))->isChecked());
    const std::pair<const char*, const char*> texts[] = {
        {"Label3", "Source file:"}, {"Label4", "Destination file:"}, {"Label1", "Buffer:"},
        {"cmdOpen", "Browse"}, {"cmdSave", "Browse"}, {"cmdExport", "&Export File"}, {"cmdExit", "&Close"},
        {"Check1", "Let operating system process other events while copying? (Slower if box is checked)"},
        {"Text1", ""}, {"Text2", ""},
    };
    for (const auto& [name, text] : texts)
        EXPECT_EQ(testkit::text(&w, QString::fromLatin1(name)), QString::fromLatin1(text)) << name;
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(panel(i), QString()) << i;
    testkit::settle(1150);   // the timer's first tick
    EXPECT_EQ(panel(2), QStringLiteral(" Transfer rate: 0.0 / KBps "));
    EXPECT_EQ(panel(1), QString());
}

TEST_F(AccessWindowTest, UnitChangesOnlyTheSliderRange)
{
    click(find(&w, QStringLiteral("Option1")));
    EXPECT_EQ(slider()->maximum(), 1023);
    EXPECT_EQ(slider()->value(), 2);
    EXPECT_EQ(label2(), QStringLiteral("2 Mb"));
    EXPECT_EQ(w.blockSize(), 2 * 1024);
    slider()->setValue(512);
    EXPECT_EQ(label2(), QStringLiteral("512 Kb"));
    EXPECT_EQ(slider()->toolTip(), QStringLiteral("512 Kb"));
    slider()->setValue(500);
    click(find(&w, QStringLiteral("Option2")));
    EXPECT_EQ(slider()->maximum(), 5);
    EXPECT_EQ(slider()->value(), 5);
    EXPECT_EQ(label2(), QStringLiteral("500 Kb"));
    EXPECT_EQ(w.blockSize(), 5 * 1048576);
}

TEST_F(AccessWindowTest, Refusals)
{
    testkit::MsgBoxScript boxes;
    testkit::FileDialogScript files;
    click(find(&w, QStringLiteral("cmdSave")));
    EXPECT_TRUE(files.shown().isEmpty());
    click(find(&w, QStringLiteral("cmdExport")));
    testkit::type(find(&w, QStringLiteral("Text1")), path(QStringLiteral("a.met")));
    click(find(&w, QStringLiteral("cmdExport")));
    const QString twoBoxes =
        QStringLiteral("Please select a source file in the first box and a destination and file name in the second box.");
    EXPECT_EQ(boxes.texts(), QStringList({"Select source file first!", twoBoxes, twoBoxes}));
    for (const auto& r : boxes.shown())
        EXPECT_EQ(r.icon, MsgIcon::None);
    EXPECT_EQ(panel(1), QString());
}

TEST_F(AccessWindowTest, BrowseButtons)
{
    const QString src = path(QStringLiteral("s.met"));
    const QString dst = path(QStringLiteral("d.mdb"));
    testkit::FileDialogScript files({src, dst, QString(), QString()});
    click(find(&w, QStringLiteral("cmdOpen")));
    click(find(&w, QStringLiteral("cmdSave")));
    EXPECT_EQ(testkit::text(&w, QStringLiteral("Text1")), src);
    EXPECT_EQ(testkit::text(&w, QStringLiteral("Text2")), dst);
    click(find(&w, QStringLiteral("cmdSave")));   // cancelled: Text2 stays
    EXPECT_EQ(testkit::text(&w, QStringLiteral("Text2")), dst);
    ASSERT_EQ(files.shown().size(), 3);
    EXPECT_EQ(files.shown()[0].filter, QStringLiteral("MET files (*.met)"));
    EXPECT_EQ(files.shown()[1].filter, QStringLiteral("MS Access Database (*.mdb)"));
    EXPECT_EQ(files.shown()[1].defaultSuffix, QStringLiteral("mdb"));
    EXPECT_EQ(files.shown()[1].kind, platform::FileDialogRequest::Save);
}

TEST_F(AccessWindowTest, CopyReplacesALongerFileAndFillsThePanels)
{
    w.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    const QByteArray bytes = source(QStringLiteral("three.met"), 3 * 1048576);
    const QString dst = path(QStringLiteral("copy.mdb"));
    writeFile(dst, QByteArray(5 * 1048576, 'o'));
    testkit::type(find(&w, QStringLiteral("Text1")), path(QStringLiteral("three.met")));
    testkit::type(find(&w, QStringLiteral("Text2")), dst);
    testkit::MsgBoxScript boxes;
    click(find(&w, QStringLiteral("cmdExport")));
    ASSERT_EQ(boxes.texts(), QStringList({"File export successfully completed."}));
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Information);
    EXPECT_EQ(readAll(dst), bytes);
    EXPECT_EQ(panel(1), QStringLiteral("Complete: 100 %"));
    EXPECT_TRUE(panel(3).startsWith(QStringLiteral("Time: 0:0"))) << panel(3).toStdString();
    EXPECT_EQ(panel(4), QStringLiteral("Estimated Time Remaining : 00:00:00 "));
    auto* bar = find<QProgressBar>(&w, QStringLiteral("prg1"));
    EXPECT_EQ(bar->maximum(), 3 * 1048576);
    EXPECT_EQ(bar->value(), 3 * 1048576);
    w.Timer1_Timer();   // no tick ran during the copy: the rate shows all of it
    EXPECT_EQ(panel(2), QStringLiteral(" Transfer rate: 3072.0 / KBps "));
    w.Timer1_Timer();
    EXPECT_EQ(panel(2), QStringLiteral(" Transfer rate: 0.0 / KBps "));
    EXPECT_EQ(w.TimeRemaining(QStringLiteral("0")), QString());
}

TEST_F(AccessWindowTest, CopyLettingEventsRunIgnoresCloseAndSecondPress)
{
    const QByteArray bytes = source(QStringLiteral("s.met"), 300 * 1024 + 5);
    const QString dst = path(QStringLiteral("d.mdb"));
    click(find(&w, QStringLiteral("Option1")));
    slider()->setValue(1);
    click(find(&w, QStringLiteral("Check1")));
    testkit::type(find(&w, QStringLiteral("Text1")), path(QStringLiteral("s.met")));
    testkit::type(find(&w, QStringLiteral("Text2")), dst);
    testkit::MsgBoxScript boxes;
    bool sawCopying = false;
    QTimer::singleShot(0, &w, [&] {
        sawCopying = w.copying();
        w.close();
        w.cmdExport_Click();
    });
    click(find(&w, QStringLiteral("cmdExport")));
    EXPECT_TRUE(sawCopying);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(boxes.texts(), QStringList({"File export successfully completed."}));
    EXPECT_EQ(readAll(dst), bytes);
    EXPECT_FALSE(w.copying());
}

TEST_F(AccessWindowTest, FailedCopiesAreReportedAndChangeNothing)
{
    const QByteArray bytes = source(QStringLiteral("s.met"), 1000);
    testkit::MsgBoxScript boxes;
    testkit::type(find(&w, QStringLiteral("Text1")), path(QStringLiteral("s.met")));
    testkit::type(find(&w, QStringLiteral("Text2")), path(QStringLiteral("s.met")));
    click(find(&w, QStringLiteral("cmdExport")));
    testkit::retype(find(&w, QStringLiteral("Text1")), path(QStringLiteral("missing.met")));
    testkit::retype(find(&w, QStringLiteral("Text2")), path(QStringLiteral("new.mdb")));
    click(find(&w, QStringLiteral("cmdExport")));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_TRUE(boxes.texts()[0].contains(QStringLiteral("onto itself"))) << boxes.texts()[0].toStdString();
    EXPECT_TRUE(boxes.texts()[1].contains(QStringLiteral("File not found"))) << boxes.texts()[1].toStdString();
    for (const auto& r : boxes.shown())
        EXPECT_EQ(r.icon, MsgIcon::Exclamation);
    EXPECT_EQ(readAll(path(QStringLiteral("s.met"))), bytes);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("new.mdb"))));
    EXPECT_FALSE(w.copying());
    EXPECT_TRUE(w.isVisible());
}

} // namespace
