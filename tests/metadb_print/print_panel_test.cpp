// The print panel driven as a person would: its controls, the margin checks,
// and whole prints of a small study grid to PDF.
#include "PrintFixture.h"
#include "metadb/PrintDG.h"
#include "metadb/PrintPanel.h"
#include "platform/Dialogs.h"
#include "testkit/QtTestKit.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

// Answers the printer dialog with a PDF file on A4 paper without printer
// margins, in the given orientation (an empty path cancels).
class PdfDialog {
public:
    PdfDialog(const QString& path, QPageLayout::Orientation orientation = QPageLayout::Portrait)
    {
        platform::setPrintDialogHandler([this, path, orientation](QPrinter& p) {
            ++count;
            if (path.isEmpty())
                return false;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(path);
            p.setPageSize(QPageSize(QPageSize::A4));
            p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
            p.setPageOrientation(orientation);
            return true;
        });
    }
    ~PdfDialog() { platform::setPrintDialogHandler({}); }
    int count = 0;
};

// The pages of a PDF's text, blanks squeezed.
QStringList pagesOf(const QString& pdf)
{
    QStringList pages = testkit::pdfText(pdf).split(QLatin1Char('\f'));
    while (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString& p : pages)
        p = p.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    return pages;
}

// The button panel of the study window with the report box, the print panel
// over it and the grid below, as the window lays them out.
class PrintPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(875, 330);
        auto* buttons = new QWidget(&window);
        buttons->setGeometry(0, 0, 875, 124);
        txtResults = new QPlainTextEdit(buttons);
        txtResults->setObjectName(QStringLiteral("txtResults"));
        txtResults->setGeometry(8550 / 15, 180 / 15, 4575 / 15, 1635 / 15);
        picPrint = new QWidget(buttons);
        picPrint->setObjectName(QStringLiteral("picPrint"));
        picPrint->setGeometry(8550 / 15, 180 / 15, 4365 / 15, 1365 / 15);
        grid = new QTableView(&window);
        grid->setObjectName(QStringLiteral("grdDataGrid"));
        grid->setGeometry(0, 124, 875, 189);
        // 300 px = 4500 twips a column, 100 px = 1500 twips a row.
        printtest::setUpGrid(*grid, model, printtest::kFields, 300, 100);
        panel = new metadb::PrintPanel(
            picPrint, txtResults, grid, [this] { return &table.recordset; }, [this] { ++busyShown; },
            [this] { ++busyHidden; });
        window.show();
        txtResults->hide();
    }

    QLineEdit* box(const char* name) { return testkit::find<QLineEdit>(&window, QString::fromLatin1(name)); }
    void setMargins(const QString& top, const QString& bottom, const QString& left, const QString& right)
    {
        testkit::retype(box("txtMarginTop"), top);
        testkit::retype(box("txtMarginBottom"), bottom);
        testkit::retype(box("txtMarginLeft"), left);
        testkit::retype(box("txtMarginRight"), right);
    }
    void print() { testkit::click(testkit::find<QPushButton>(&window, QStringLiteral("cmdPrint"))); }
    QString pdfPath() const { return table.dir.filePath(QStringLiteral("grid.pdf")); }

    printtest::StudyTable table{12};
    QStandardItemModel model;
    QWidget window;
    QPlainTextEdit* txtResults = nullptr;
    QWidget* picPrint = nullptr;
    QTableView* grid = nullptr;
    metadb::PrintPanel* panel = nullptr;
    int busyShown = 0;
    int busyHidden = 0;
};

TEST_F(PrintPanelTest, ControlsStartAsDesigned)
{
    for (const char* name : {"chkGrid", "chkHeader", "chkCaption"})
        EXPECT_TRUE(testkit::find<QCheckBox>(&window, QString::fromLatin1(name))->isChecked()) << name;
    EXPECT_EQ(testkit::text(&window, "chkGrid"), "Grid Lines");
    EXPECT_EQ(testkit::text(&window, "chkHeader"), "Print Header");
    EXPECT_EQ(testkit::text(&window, "chkCaption"), "Print Caption");
    const QStringList labels{"Top", "Bottom", "Left", "Right", "Margins:"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(testkit::text(&window, QStringLiteral("lblMargins(%1)").arg(i)), labels[i]);
    for (const char* name : {"txtMarginTop", "txtMarginLeft", "txtMarginRight", "txtMarginBottom"})
        EXPECT_EQ(box(name)->text(), "0.75") << name;
    EXPECT_EQ(box("txtMarginTop")->parentWidget(), picPrint);
    // Top above, left and right side by side, bottom below.
    EXPECT_EQ(box("txtMarginTop")->geometry(), QRect(130, 13, 37, 19));
    EXPECT_EQ(box("txtMarginLeft")->geometry(), QRect(110, 34, 37, 19));
    EXPECT_EQ(box("txtMarginRight")->geometry(), QRect(152, 34, 37, 19));
    EXPECT_EQ(box("txtMarginBottom")->geometry(), QRect(130, 56, 37, 19));
    EXPECT_EQ(testkit::find<QPushButton>(&window, "cmdPrint")->geometry(), QRect(228, 22, 49, 21));
    EXPECT_EQ(testkit::text(&window, "cmdFinished"), "Finished");

    testkit::click(testkit::find<QPushButton>(&window, "cmdFinished"));
    EXPECT_FALSE(picPrint->isVisible());
    EXPECT_TRUE(txtResults->isVisible());
}

TEST_F(PrintPanelTest, MarginChecksOnLeavingEachBox)
{
    struct Case {
        const char* typed;
        const char* kept;
    };
    // Each box starts from "0.75"; unreadable text gives way to the last good margin.
    const Case cases[] = {{"-1", "0.00"}, {"3.5", "3.00"}, {"0", "0"},        {"3", "3"},
                          {"1.5", "1.5"}, {"abc", "1.5"},  {"", "1.5"},       {"-0.001", "0.00"},
                          {"3.0001", "3.00"}, {" 2 ", " 2 "}, {"1,5", " 2 "}, {"1e400", " 2 "}};
    auto* elsewhere = testkit::find<QPushButton>(&window, "cmdFinished");
    for (const char* name : {"txtMarginTop", "txtMarginBottom", "txtMarginLeft", "txtMarginRight"}) {
        for (const Case& c : cases) {
            testkit::retype(box(name), QString::fromLatin1(c.typed));
            elsewhere->setFocus(Qt::TabFocusReason);
            testkit::settle();
            EXPECT_EQ(box(name)->text(), QString::fromLatin1(c.kept)) << name << " typed " << c.typed;
        }
    }
}

TEST_F(PrintPanelTest, PrintsDownTheRecordsThenAcrossWithFooters)
{
    // A long name without blanks, so that the PDF's text keeps it whole.
    const QString longName = QStringLiteral("Metaanalysisofexercisetherapyforchroniclowbackpaininadults");
    table.connection->execute(QStringLiteral("UPDATE data SET [Study Name] = '%1' WHERE [Study ID] = 102")
                                  .arg(longName));
    table.open();
    // Top and bottom 3 inches leave 8197 twips: the heading row and five rows
    // of 1500. Left and right 0.75 leave 9745 twips: two columns of 4500.
    setMargins(QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("0.75"), QStringLiteral("0.75"));
    PdfDialog dialog(pdfPath());
    testkit::MsgBoxScript msgs;
    print();
    EXPECT_EQ(dialog.count, 1);
    EXPECT_EQ(msgs.count(), 0) << msgs.texts().join('|').toStdString();
    EXPECT_EQ(busyShown, 1);
    EXPECT_EQ(busyHidden, 1);
    EXPECT_TRUE(table.recordset.eof());
    EXPECT_TRUE(picPrint->isVisible());

    const QStringList pages = pagesOf(pdfPath());
    ASSERT_EQ(pages.size(), 6);
    for (int p = 0; p < 6; ++p) {
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Page %1 of 6").arg(p + 1))) << pages[p].toStdString();
        const bool first = p < 3;
        EXPECT_EQ(pages[p].contains("Study ID"), first) << p;
        EXPECT_EQ(pages[p].contains("Include"), first) << p;
        EXPECT_EQ(pages[p].contains("Study Name"), !first) << p;
        EXPECT_EQ(pages[p].contains("Cohen's D"), !first) << p;
    }
    // Records 1-5, 6-10 and 11-12 on each column page.
    EXPECT_TRUE(pages[0].contains("101 True") && pages[0].contains("105 True"));
    EXPECT_TRUE(pages[0].contains("102 False"));
    EXPECT_FALSE(pages[0].contains("106"));
    EXPECT_TRUE(pages[1].contains("106 False") && pages[1].contains("110 False"));
    EXPECT_TRUE(pages[2].contains("111 True") && pages[2].contains("112 False"));
    EXPECT_FALSE(pages[2].contains("110"));
    EXPECT_TRUE(pages[3].contains("Study 01 0.25"));
    EXPECT_TRUE(pages[3].contains("Study 05 1.25"));
    EXPECT_TRUE(pages[4].contains("Study 06"));
    EXPECT_TRUE(pages[5].contains("Study 11 2.75"));
    EXPECT_TRUE(pages[5].contains("Study 12"));

    // The long name loses characters at its end until it fits its 4500 twips.
    QPrinter same(QPrinter::HighResolution);
    same.setOutputFormat(QPrinter::PdfFormat);
    same.setPageSize(QPageSize(QPageSize::A4));
    metadb::PrintDG::PrinterSurface measure(same);
    measure.setFont(QStringLiteral("DejaVu Sans"), 10, false);
    const QString fitted = metadb::PrintDG::FitTextToWidth(measure, longName, 4500);
    ASSERT_GT(fitted.size(), 10);
    ASSERT_LT(fitted.size(), longName.size());
    EXPECT_TRUE(pages[3].contains(fitted)) << pages[3].toStdString();
    EXPECT_FALSE(pages[3].contains(longName.left(fitted.size() + 1)));
}

TEST_F(PrintPanelTest, LandscapeChosenInTheDialogPrintsLandscape)
{
    // Landscape A4 leaves 14677 twips across (three columns) and 3265 down
    // (two rows): 2 column pages by 6 row pages.
    setMargins(QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("0.75"), QStringLiteral("0.75"));
    PdfDialog dialog(pdfPath(), QPageLayout::Landscape);
    testkit::MsgBoxScript msgs;
    print();
    EXPECT_EQ(msgs.count(), 0);
    const QStringList pages = pagesOf(pdfPath());
    ASSERT_EQ(pages.size(), 12);
    EXPECT_TRUE(pages[0].contains("Page 1 of 12"));
    EXPECT_TRUE(pages[0].contains("Study Name"));
    EXPECT_FALSE(pages[0].contains("Cohen's D"));
    EXPECT_TRUE(pages[6].contains("Cohen's D"));
    EXPECT_TRUE(pages[11].contains("Page 12 of 12"));
}

TEST_F(PrintPanelTest, CancelPrintsNothingAndSaysNothing)
{
    PdfDialog dialog{QString()};
    testkit::MsgBoxScript msgs;
    print();
    EXPECT_EQ(dialog.count, 1);
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(busyShown, 1);
    EXPECT_EQ(busyHidden, 1);
    EXPECT_FALSE(QFile::exists(pdfPath()));
    EXPECT_FALSE(table.recordset.eof());
}

TEST_F(PrintPanelTest, GridTooWideForSixteenPagesPrintsNothingAndSaysWhy)
{
    QStringList captions;
    for (int i = 1; i <= 17; ++i)
        captions << QStringLiteral("C%1").arg(i);
    printtest::setUpGrid(*grid, model, captions, 700, 20);
    PdfDialog dialog(pdfPath());
    testkit::MsgBoxScript msgs;
    print();
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_TRUE(msgs.texts()[0].startsWith("The study grid could not be printed."));
    EXPECT_TRUE(msgs.texts()[0].contains("more than 16 pages across"));
    EXPECT_FALSE(QFile::exists(pdfPath()));
    EXPECT_EQ(grid->columnWidth(0), 700);   // nothing narrowed when nothing is printed
    EXPECT_EQ(busyHidden, 1);
}

TEST_F(PrintPanelTest, FailurePartWayLeavesNoHalfPrintedJob)
{
    // The last record holds a value that has no text: the sixth page fails.
    table.connection->execute(QStringLiteral("UPDATE data SET [Cohen's D] = 1e999 WHERE [Study ID] = 112"));
    table.open();
    setMargins(QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("0.75"), QStringLiteral("0.75"));
    PdfDialog dialog(pdfPath());
    testkit::MsgBoxScript msgs;
    print();
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.texts()[0], "The study grid could not be printed. Something went very wrong and resulted in the "
                               "following error:\nOverflow");
    EXPECT_FALSE(QFile::exists(pdfPath()));
    EXPECT_EQ(busyHidden, 1);
}

TEST_F(PrintPanelTest, PrinterFailureIsReportedAndTheNextPrintWorks)
{
    {
        PdfDialog dialog(table.dir.filePath(QStringLiteral("no such folder/grid.pdf")), QPageLayout::Landscape);
        testkit::MsgBoxScript msgs;
        print();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.texts()[0].startsWith("The study grid could not be printed."));
        EXPECT_EQ(busyHidden, 1);
    }
    PdfDialog dialog(pdfPath());
    testkit::MsgBoxScript msgs;
    print();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_FALSE(pagesOf(pdfPath()).isEmpty());
}

} // namespace

// A cell text of a million characters is measured as it is (not overflowed
// into something that seems to fit) and cut to the cell like a short one.
TEST(PrinterSurfaceText, AMillionCharacterTextIsCutToItsCell)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    metadb::PrintDG::PrinterSurface surface(printer);
    surface.setFont(QStringLiteral("DejaVu Sans"), 10, false);
    const QString unit = QStringLiteral("Study name ");
    const QString longText = unit.repeated((1 << 20) / unit.size() + 1).left(1 << 20);
    const double unitWidth = surface.textWidth(unit.repeated(64));
    EXPECT_NEAR(surface.textWidth(longText) / unitWidth, double(longText.size()) / (64 * unit.size()), 0.01);
    const QString fitted = metadb::PrintDG::FitTextToWidth(surface, longText, 4500);
    EXPECT_TRUE(fitted == metadb::PrintDG::FitTextToWidth(surface, longText.left(1000), 4500));
    EXPECT_LT(fitted.size(), 200);
}
