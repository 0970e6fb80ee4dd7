// The printed report: its lines with their fonts and columns, and what
// reaches the printer.
#include "personchange/ChangeReport.h"
#include "meandiff/StudyFile.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "testkit/QtTestKit.h"

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "ChangeTestWindow.h"

using namespace changefile_test;
using morvane::ChangeReportLine;

namespace {

// A finished computation.
void fillFullRun(QWidget* w)
{
    fill(w, recordBoxes(), {"Client 7", "pre- to post-tx", "BDI", "31", "12", "0.84", "7.5", "25.5", "7.1", "6.3",
                            "4.4", "not printed"});
    fill(w, {"TxtSEM", "TxtSED", "Txt1sdConf", "Txt95Conf", "Txt99Conf", "TxtChangeScore", "TxtClient68",
             "TxtClient95", "TxtClient99", "txtClinStatus", "TxtPointA", "TxtPointB", "TxtPointC", "TxtAAnswer",
             "TxtBAnswer", "TxtCAnswer", "txtChange"},
         {"3", "4.24264", "4.24264", "8.31558", "10.94601", "19", "HAS", "HAS", "HAS",
          "A decrease in scores indicates improvement.", "11.584", "14.924", "14.16", "Has NOT", "HAS", "NA",
          "exact: not printed"});
}

QList<ChangeReportLine> linesOf(QWidget* w)
{
    return morvane::changeReportLines([w](const QString& n) { return boxText(w, n); });
}

// A line as "size b/i col:text | col:text".
QString describe(const ChangeReportLine& l)
{
    QStringList items;
    for (const frame::ReportItem& i : l.items)
        items << QStringLiteral("%1:%2").arg(i.column).arg(i.text);
    return QStringLiteral("%1%2%3 %4")
        .arg(l.pointSize)
        .arg(l.bold ? "b" : "")
        .arg(l.italic ? "i" : "")
        .arg(items.join(" | "));
}

// Blanks and line ends as single blanks; ligature glyphs as their letters.
QString squeeze(QString s)
{
    return s.normalized(QString::NormalizationForm_KC).replace(QRegularExpression("\\s+"), " ").trimmed();
}

void expectInOrder(const QString& pdf, const QStringList& items)
{
    const QString text = squeeze(pdf);
    qsizetype at = 0;
    for (const QString& item : items) {
        const QString want = squeeze(item);
        if (want.isEmpty())
            continue;
        const qsizetype found = text.indexOf(want, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << want.toStdString();
        at = found + want.size();
    }
}

// The PDF's lines (pdftotext -layout), blanks at the ends removed, empty
// lines dropped; pages separated by a line "<page>".
QStringList pdfLines(const QString& pdf)
{
    QStringList out;
    for (QString l : testkit::pdfText(pdf).normalized(QString::NormalizationForm_KC).split('\n')) {
        if (l.startsWith('\f')) {
            out << "<page>";
            l = l.mid(1);
        }
        if (!l.trimmed().isEmpty())
            out << l.trimmed();
    }
    // pdftotext ends every page, the last one too, with a form feed.
    if (!out.isEmpty() && out.last() == "<page>")
        out.removeLast();
    return out;
}

QString pdfFonts(const QString& pdf)
{
    QProcess p;
    p.start("pdffonts", {pdf});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST(ChangeReportLines, AFullRunGivesEveryLineWithItsFontAndColumns)
{
    auto w = makeChangeWindow();
    fillFullRun(w.get());
    const QString q = "So, has the client reliably changed (with at least 95% confidence) AND changed ";
    const QStringList expected = {
        "20b ",
        "20b ",
        "20b ",
        "20b 15:Morvane",
        "12b 5:Study Details",
        "12 5:Study / Client Identifier:  Client 7",
        "12 5:Assessment Details:  pre- to post-tx",
        "12 5:Measurement Device:  BDI",
        "12 5:Time 1 Score:  31",
        "12 5:Time 2 Score:  12",
        "12 5:Test-retest reliability of measurement device:  0.84",
        "12 5:Standard deviation of sample used to estimate reliability of device:  7.5",
        "12 5:Clinical Sample Mean:  25.5",
        "12 5:Clinical Sample Standard Deviation:  7.1",
        "12 5:Normal Sample Mean:  6.3",
        "12 5:Normal Sample Standard Deviation:  4.4",
        "12 ",
        "12 5:Standard error of measurement:  3",
        "12 5:Standard error of the difference:  4.24264",
        "12 ",
        "12 5:In order to change with:",
        "12 5:68.26% confidence (1sd), there must be a change of at least:  4.24264",
        "12 5:95% confidence (1.96 sd), there must be a change of at least:  8.31558",
        "12 5:99% confidence (2.58 sd), there must be a change of at least:  10.94601",
        "12 ",
        "12 5:Your client's score of  19  suggests that he / she:",
        "12 5:HAS  changed with at least 68.26% confidence.",
        "12 5:HAS  changed with at least 95% confidence.",
        "12 5:HAS  changed with at least 99% confidence.",
        "12 ",
        "12b 5:Clinical Cut-Offs",
        "10i 5:This Programme has computed that:",
        "10i 5:A decrease in scores indicates improvement.",
        "12i ",
        "12i 5:A). | 9:1.96 standard deviations away from the clinical mean is:  11.584",
        "12 9:" + q + "from",
        "12 9:being within 1.96 standard deviations of the clinical mean to now being 1.96 standard",
        "12 9:deviations away from the clinical mean?",
        "14 19:Has NOT",
        "12 ",
        "12i 5:B). | 9:1.96 standard deviations away from the normal mean is:  14.924",
        "12 9:" + q + "from",
        "12 9:being more than 1.96 standard deviations away the normal mean to now being within 1.96 standard",
        "12 9:deviations of the normal mean?",
        "14 19:HAS",
        "12 ",
        "12i 5:C). | 9:Mid-way between the clinical and normal distributions is:  14.16",
        "12 9:" + q + "clinical",
        "12 9:status according to the intersection of the clinical and normal distributions?",
        "14 19:NA",
        "12 ",
        "10b 5:" + morvane::changeReportFooter(),
        "10b ",
        "12 50:Page 1 of 1",
    };
    const QList<ChangeReportLine> lines = linesOf(w.get());
    ASSERT_EQ(lines.size(), 54);
    for (int i = 0; i < 54; ++i)
        EXPECT_EQ(describe(lines[i]), expected[i]) << "line " << i + 1;
    EXPECT_TRUE(morvane::changeReportFooter().contains("Morvane"));
}

TEST(ChangeReportLines, AnEmptyWindowPrintsTheLabelsWithNothingAfterThem)
{
    auto w = makeChangeWindow();
    const QList<ChangeReportLine> lines = linesOf(w.get());
    ASSERT_EQ(lines.size(), 54);
    EXPECT_EQ(describe(lines[5]), "12 5:Study / Client Identifier:  ");
    EXPECT_EQ(describe(lines[25]), "12 5:Your client's score of    suggests that he / she:");
    EXPECT_EQ(describe(lines[26]), "12 5:  changed with at least 68.26% confidence.");
    EXPECT_EQ(describe(lines[32]), "10i 5:");
    EXPECT_EQ(describe(lines[38]), "14 19:");
}

class ChangeReportPrint : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<QWidget> window = makeChangeWindow();
    QString pdf = dir.filePath("report.pdf");
};

TEST_F(ChangeReportPrint, AFullRunReachesThePrinterOnOnePageInOrder)
{
    fillFullRun(window.get());
    {
        testkit::PrintDialogScript printer(pdf);
        testkit::MsgBoxScript msgs;
        morvane::printChangeReport(window.get());
        EXPECT_EQ(printer.count(), 1);
        EXPECT_EQ(msgs.count(), 0);
    }
    QStringList items;
    for (const ChangeReportLine& l : linesOf(window.get()))
        for (const frame::ReportItem& i : l.items)
            items << i.text;
    expectInOrder(testkit::pdfText(pdf), items);

    const QStringList lines = pdfLines(pdf);
    EXPECT_FALSE(lines.contains("<page>")) << lines.join('\n').toStdString();
    EXPECT_FALSE(testkit::pdfText(pdf).contains("not printed"));
    // The letter and its sentence share a line; each answer stands on the
    // line under its question; the verdict comes before its phrase.
    EXPECT_TRUE(lines.contains(QRegularExpression(
        "^A\\)\\.\\s+1\\.96 standard deviations away from the clinical mean is:\\s+11\\.584$")));
    const qsizetype a = lines.indexOf("deviations away from the clinical mean?");
    ASSERT_GE(a, 0);
    EXPECT_EQ(lines.value(a + 1), "Has NOT");
    EXPECT_EQ(lines.value(lines.indexOf("deviations of the normal mean?") + 1), "HAS");
    EXPECT_EQ(lines.value(lines.indexOf("status according to the intersection of the clinical and normal "
                                        "distributions?") + 1),
              "NA");
    EXPECT_TRUE(lines.contains(QRegularExpression("^HAS\\s+changed with at least 95% confidence\\.$")));
    EXPECT_EQ(lines.last(), "Page 1 of 1");

    // Bold and italic faces were used.
    const QString fonts = pdfFonts(pdf);
    EXPECT_TRUE(fonts.contains("Bold")) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains("Oblique") || fonts.contains("Italic")) << fonts.toStdString();
}

TEST_F(ChangeReportPrint, AnEmptyWindowPrintsEveryLabel)
{
    {
        testkit::PrintDialogScript printer(pdf);
        testkit::MsgBoxScript msgs;
        morvane::printChangeReport(window.get());
        EXPECT_EQ(msgs.count(), 0);
    }
    QStringList items;
    for (const ChangeReportLine& l : linesOf(window.get()))
        for (const frame::ReportItem& i : l.items)
            items << i.text;
    expectInOrder(testkit::pdfText(pdf), items);
    const QStringList lines = pdfLines(pdf);
    EXPECT_FALSE(lines.contains("<page>"));
    EXPECT_TRUE(lines.contains("Study / Client Identifier:"));
    EXPECT_TRUE(lines.contains("changed with at least 68.26% confidence."));
    // The status line prints nothing.
    EXPECT_TRUE(lines.value(lines.indexOf("This Programme has computed that:") + 1).startsWith("A)."));
}

TEST_F(ChangeReportPrint, CopiesCancelAndPrinterFailure)
{
    fillFullRun(window.get());
    // Three copies: three identical pages, one after the other.
    platform::setPrintDialogHandler([this](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setCopyCount(3);
        return true;
    });
    morvane::printChangeReport(window.get());
    platform::setPrintDialogHandler({});
    const QStringList pages = testkit::pdfText(pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[1], pages[0]);
    EXPECT_EQ(pages[2], pages[0]);

    // Cancel: nothing printed, nothing said.
    {
        const QString other = dir.filePath("cancelled.pdf");
        testkit::PrintDialogScript printer{QString()};
        testkit::MsgBoxScript msgs;
        morvane::printChangeReport(window.get());
        EXPECT_EQ(printer.count(), 1);
        EXPECT_EQ(msgs.count(), 0);
        EXPECT_FALSE(QFile::exists(other));
    }
    // A printer that cannot print: the message, and the window goes on.
    {
        testkit::PrintDialogScript printer(dir.filePath("no such folder/r.pdf"));
        testkit::MsgBoxScript msgs;
        morvane::printChangeReport(window.get());
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_TRUE(msgs.texts()[0].startsWith(QString::fromUtf8(morvane::kMsgChangePrintFailed) + "\n"))
            << msgs.texts()[0].toStdString();
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::OK);
        EXPECT_EQ(msgs.shown()[0].title, platform::appInfo().title);
    }
}

TEST_F(ChangeReportPrint, LongBoxTextsStayOnThePageOrContinueOnFurtherPages)
{
    // A status text of several lines and a long identifier: still one page,
    // each line of the status at its column, nothing lost.
    fillFullRun(window.get());
    QStringList status;
    for (int i = 1; i <= 8; ++i)
        status << QStringLiteral("status line %1").arg(i);
    setBox(window.get(), "txtClinStatus", status.join('\n'));
    setBox(window.get(), "TxtID", QString("person ").repeated(40).trimmed());
    {
        testkit::PrintDialogScript printer(pdf);
        morvane::printChangeReport(window.get());
    }
    QStringList lines = pdfLines(pdf);
    EXPECT_FALSE(lines.contains("<page>"));
    for (const QString& s : status)
        EXPECT_TRUE(lines.contains(s)) << s.toStdString();
    EXPECT_EQ(squeeze(testkit::pdfText(pdf)).count("person"), 40);
    EXPECT_EQ(lines.last(), "Page 1 of 1");

    // Far more than a page holds even at half size: further pages follow,
    // none of them empty.
    QList<ChangeReportLine> many;
    for (int i = 1; i <= 250; ++i) {
        ChangeReportLine l;
        l.items = {{5, QStringLiteral("row %1").arg(i)}};
        many << l;
    }
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QPainter painter(&printer);
        morvane::paintChangeReport(painter, printer, many);
    }
    const QStringList pages = testkit::pdfText(pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    for (const QString& p : pages)
        EXPECT_TRUE(p.contains("row ")) << "an empty page";
    expectInOrder(pages.join(' '), {"row 1 ", "row 2 ", "row 125", "row 249", "row 250"});
}
