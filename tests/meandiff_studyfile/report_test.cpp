// The printed report: its lines and fonts, and what reaches the printer.
#include "meandiff/StudyReport.h"
#include "meandiff/StudyFile.h"
#include "platform/Dialogs.h"
#include "testkit/QtTestKit.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "TestWindow.h"

using namespace studyfile_test;
using frame::ReportLine;

namespace {

QList<ReportLine> linesOf(QWidget* w)
{
    return meandiff::studyReportLines([w](const QString& n) {
        if (auto* e = w->findChild<QLineEdit*>(n))
            return e->text();
        if (auto* l = w->findChild<QLabel*>(n))
            return l->text();
        return QString();
    });
}

// A finished computation at the 95 % level.
void fillFullRun(QWidget* w)
{
    fill(w, studyBoxes(), {"Smith & Jones", "2001", "pre- to post-treatment", "BDI", "outpatients", "10", "2", "20",
                           "CBT", "8", "2", "20", "waiting list", "1"});
    const QStringList names = {"TxtUsedSD", "TxtTarvoss", "TxtESNeg95", "TxtESPlus95", "TxtHedges", "TxtHedgesNeg95",
                               "TxtHedgesPlus95", "TxtHedgesS1", "txtHedgesG", "TxtHedgesGNeg95", "TxtHedgesGPlus95",
                               "TxtTotalN", "TxtMeanDiff", "TxtSED", "txtDF", "txtT", "txt2PT", "txt1PT", "txtZStat",
                               "txt2PZ", "txt1PZ", "txtP5", "TxtP6", "txtP7", "txtP8", "txtP1", "txtP2", "txtP3", "txtP4"};
    const QStringList values = {"2", "1", "0.34164", "1.65836", "0.98", "0.32164", "1.63836", "2.05196", "0.97468",
                                "0.31632", "1.63304", "40", "2", "0.63246", "38", "3.16228", "0.00305", "0.00152",
                                "3.16228", "0.00157", "0.00078", "13", "21", "18", "27", "16", "24", "21", "30"};
    fill(w, names, values);
}

// The report's items in print order, as one text per item.
QStringList itemTexts(const QList<ReportLine>& lines)
{
    QStringList out;
    for (const ReportLine& l : lines)
        for (const frame::ReportItem& i : l.items)
            out << i.text;
    return out;
}

// Blanks and line ends as single blanks; ligature glyphs as their letters.
QString squeeze(QString s)
{
    return s.normalized(QString::NormalizationForm_KC).replace(QRegularExpression("\\s+"), " ").trimmed();
}

// Every item appears in the PDF's text, in order.
void expectInOrder(const QString& pdf, const QStringList& items)
{
    const QString text = squeeze(pdf);
    qsizetype at = 0;
    for (const QString& item : items) {
        const QString want = squeeze(item);
        const qsizetype found = text.indexOf(want, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << want.toStdString();
        at = found + want.size();
    }
}

} // namespace

TEST(StudyReportLines, EmptyWindowGivesEveryLabelInOrderWithItsFont)
{
    auto w = makeTestWindow();
    struct Expected {
        int size;
        bool bold, underline;
        QList<frame::ReportItem> items;
    };
    const QString with95 = QStringLiteral("    and    with 95% confidence.");
    const QList<Expected> expected = {
        {20, true, false, {}},
        {20, true, false, {{19, "Effect Size Estimates"}}},
        {12, true, false, {}},
        {12, true, false, {{3, "Study Identifier:    "}}},
        {12, true, false, {{3, "Assessment Details:  "}}},
        {12, true, false, {{3, "Measurement Device:  "}}},
        {12, false, false, {}},
        {12, false, false, {{3, "Mean Group 1:  "}}},
        {12, false, false, {{3, "Standard Deviation 1:  "}}},
        {12, false, false, {{3, "Subject Numbers 1:  "}}},
        {12, false, false, {}},
        {12, false, false, {{3, "Mean Group 2:  "}}},
        {12, false, false, {{3, "Standard Deviation 2:  "}}},
        {12, false, false, {{3, "Subject Numbers 2:  "}}},
        {12, false, false, {}},
        {12, false, false, {{3, "Standard deviation used to compute Cohen's d:  "}}},
        {12, false, false, {{3, "Cohen's d effect size:  "}}},
        {12, false, false, {{3, "Which lies between" + with95}}},
        {12, false, false, {}},
        {12, false, false, {{3, "Cohen's d effect size with Hedges Adjustment:  "}}},
        {12, false, false, {{3, "Which lies between" + with95}}},
        {12, false, false, {}},
        {12, false, false, {{3, "Hedges' Pooled Standard Deviation:  "}}},
        {12, false, false, {{3, "Hedges' g effect size:  "}}},
        {12, false, false, {{3, "Which lies between" + with95}}},
        {12, false, false, {}},
        {20, true, false, {{15, "Statistical Significance Estimates"}}},
        {12, false, false, {}},
        {12, false, false, {{3, "Total Number Of Subjects:  "}}},
        {12, false, false, {{3, "Mean Difference:  "}}},
        {12, false, false, {{3, "Standard Error Of The Difference:  "}}},
        {12, false, false, {{3, "Degrees of Freedom:  "}}},
        {12, false, false, {{3, "t-test Statistic:  ;  2 tailed p = ;  1 tailed p = "}}},
        {12, false, false, {{3, "z-test Statistic:  ;  2 tailed p = ;  1 tailed p = "}}},
        {12, false, false, {}},
        {20, true, false, {{19, "A Priori Power Analysis"}}},
        {12, true, false, {}},
        {12, true, false, {{3, "Effect Size Entered Into Equation:  "}}},
        {12, false, false, {}},
        {12, false, false, {{3, "Number of subjects required PER GROUP:"}}},
        {12, false, false, {}},
        {12, false, true, {{3, "One Tailed Analysis - Power = 0.8"}, {50, "One Tailed Analysis - Power = 0.9"}}},
        {12, false, false, {{3, "95% Confidence:  "}, {50, "95% Confidence:  "}}},
        {12, false, false, {{3, "99% Confidence:  "}, {50, "99% Confidence:  "}}},
        {12, false, false, {}},
        {12, false, true, {{3, "Two Tailed Analysis - Power = 0.8"}, {50, "Two Tailed Analysis - Power = 0.9"}}},
        {12, false, false, {{3, "95% Confidence:  "}, {50, "95% Confidence:  "}}},
        {12, false, false, {{3, "99% Confidence:  "}, {50, "99% Confidence:  "}}},
        {12, false, false, {}},
        {8, false, false, {{3, platform::makerWebHost()}}},
    };
    const QList<ReportLine> lines = linesOf(w.get());
    ASSERT_EQ(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].pointSize, expected[i].size);
        EXPECT_EQ(lines[i].bold, expected[i].bold);
        EXPECT_EQ(lines[i].underline, expected[i].underline);
        EXPECT_EQ(lines[i].items, expected[i].items) << lines[i].text().toStdString();
    }
}

TEST(StudyReportLines, ValuesFollowTheirLabels)
{
    auto w = makeTestWindow();
    fillFullRun(w.get());
    w->findChild<QLabel*>("LblPercent(0)")->setText("99.9");
    box(w.get(), "TxtYear")->setText("");
    const QStringList items = itemTexts(linesOf(w.get()));
    EXPECT_TRUE(items.contains("Study Identifier:  Smith & Jones  "));   // empty year: two trailing blanks
    EXPECT_TRUE(items.contains("Which lies between  0.34164  and  1.65836  with 99.9% confidence."));
    EXPECT_TRUE(items.contains("Which lies between  0.32164  and  1.63836  with 99.9% confidence."));
    EXPECT_TRUE(items.contains("Which lies between  0.31632  and  1.63304  with 99.9% confidence."));
    EXPECT_TRUE(items.contains("t-test Statistic:  3.16228;  2 tailed p = 0.00305;  1 tailed p = 0.00152"));
    EXPECT_TRUE(items.contains("z-test Statistic:  3.16228;  2 tailed p = 0.00157;  1 tailed p = 0.00078"));
    // Left column power 0.8, right column power 0.9; 95 % above 99 %.
    const QStringList tail = items.mid(items.size() - 13, 10);
    EXPECT_EQ(tail, (QStringList{"One Tailed Analysis - Power = 0.8", "One Tailed Analysis - Power = 0.9",
                                 "95% Confidence:  13", "95% Confidence:  18", "99% Confidence:  21",
                                 "99% Confidence:  27", "Two Tailed Analysis - Power = 0.8",
                                 "Two Tailed Analysis - Power = 0.9", "95% Confidence:  16", "95% Confidence:  21"}));
    EXPECT_EQ(items[items.size() - 3], QStringLiteral("99% Confidence:  24"));
    EXPECT_EQ(items[items.size() - 2], QStringLiteral("99% Confidence:  30"));
}

class StudyReportPrint : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pdf = dir.filePath("report.pdf");
    std::unique_ptr<QWidget> window = makeTestWindow();

    QString print()
    {
        testkit::PrintDialogScript printer(pdf);
        testkit::MsgBoxScript msgs;
        meandiff::printStudyReport(window.get());
        EXPECT_EQ(printer.count(), 1);
        EXPECT_EQ(msgs.count(), 0);
        return testkit::pdfText(pdf);
    }
};

TEST_F(StudyReportPrint, FullRunEmptyWindowAndStoppedRunPrintEveryLine)
{
    fillFullRun(window.get());
    box(window.get(), "TxtID")->setText("Müller & Sánchez");
    QString text = print();
    ASSERT_FALSE(text.isEmpty());
    expectInOrder(text, itemTexts(linesOf(window.get())));
    EXPECT_TRUE(text.contains("Müller & Sánchez"));

    for (const QString& name : studyBoxes() + resultBoxes())
        box(window.get(), name)->clear();
    text = print();
    expectInOrder(text, itemTexts(linesOf(window.get())));
    EXPECT_TRUE(squeeze(text).contains("Which lies between and with 95% confidence."));

    // A run that stopped part way: d and its interval, nothing after them.
    fill(window.get(), {"txtMean1", "txtSD1", "txtMean2", "txtSD2", "TxtUsedSD", "TxtTarvoss", "TxtESNeg95", "TxtESPlus95"},
         {"10", "2", "8", "0", "1.41421", "1.41421", "", ""});
    text = print();
    expectInOrder(text, itemTexts(linesOf(window.get())));
    EXPECT_TRUE(squeeze(text).contains("Cohen's d effect size: 1.41421 Which lies between and with 95% confidence."));
}

TEST_F(StudyReportPrint, LongTextContinuesOnTheNextLineAndPage)
{
    QStringList words;
    for (int i = 0; i < 60; ++i)
        words << QStringLiteral("word%1").arg(i);
    for (const QString& name : studyBoxes() + resultBoxes())
        box(window.get(), name)->setText(name + ": " + words.join(' '));
    const QString raw = print();
    expectInOrder(raw, itemTexts(linesOf(window.get())));
    EXPECT_GT(raw.count('\f'), 1);   // more than one page
}

// A box text of a million characters prints whole, over as many pages as it
// needs, each character once and in order (measured at once, such a line
// overflows the printer's widths and comes out garbled).
TEST_F(StudyReportPrint, ALineOfAMillionCharactersPrintsWhole)
{
    QString longText;
    for (int i = 0; longText.size() < (1 << 20); ++i)
        longText += QStringLiteral("%1,").arg(i, 6, 10, QLatin1Char('0'));
    longText.truncate(1 << 20);
    box(window.get(), "TxtID")->setMaxLength(1 << 20);
    box(window.get(), "TxtID")->setText(longText);
    QString text = print();
    EXPECT_GT(text.count('\f'), 20);   // pages
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(text.contains(longText)) << text.size();
    EXPECT_TRUE(text.contains(QStringLiteral("EffectSizeEstimates")));
}

TEST_F(StudyReportPrint, EachCopyStartsOnItsOwnPage)
{
    platform::setPrintDialogHandler([this](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setCopyCount(3);
        return true;
    });
    testkit::MsgBoxScript msgs;
    meandiff::printStudyReport(window.get());
    platform::setPrintDialogHandler({});
    EXPECT_EQ(msgs.count(), 0);
    const QStringList pages = squeeze(testkit::pdfText(pdf).replace('\f', '|')).split('|');
    int starts = 0;
    for (const QString& page : pages)
        if (page.trimmed().startsWith("Effect Size Estimates"))
            ++starts;
    EXPECT_EQ(starts, 3);
    EXPECT_EQ(squeeze(testkit::pdfText(pdf)).count("Effect Size Estimates"), 3);
}

TEST_F(StudyReportPrint, CancelPrintsNothingAndFailureIsReported)
{
    {
        testkit::PrintDialogScript printer{QString()};
        testkit::MsgBoxScript msgs;
        meandiff::printStudyReport(window.get());
        EXPECT_EQ(printer.count(), 1);
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_FALSE(QFile::exists(pdf));

    testkit::PrintDialogScript printer(dir.filePath("no/such/folder/report.pdf"));
    testkit::MsgBoxScript msgs;
    meandiff::printStudyReport(window.get());
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_TRUE(msgs.shown()[0].text.startsWith(QString::fromUtf8(meandiff::kMsgSaveFailed) + "\nPrinter error"));
    EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::OK);
}

// The rows of text that painting the lines puts on paper (a PDF), blank
// rows left out.
static QStringList paintedRows(const QList<ReportLine>& lines)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("rows.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    {
        QPainter painter(&printer);
        frame::paintReport(painter, printer, lines);
    }
    QStringList rows = testkit::pdfText(pdf).split('\n', Qt::SkipEmptyParts);
    for (QString& r : rows)
        r = r.trimmed();
    rows.removeAll(QString());
    return rows;
}

// An item whose column lies behind what was already printed on its line
// starts at that column on the next line.
TEST(StudyReportPaint, ItemBehindItsColumnGoesToTheNextLine)
{
    ReportLine line;
    line.items = {{3, QStringLiteral("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA")}, {50, "BBB"}};
    ReportLine next;
    next.items = {{3, "CCC"}, {50, "DDD"}};
    const QStringList rows = paintedRows({line, next});
    ASSERT_GE(rows.size(), 3);
    EXPECT_TRUE(rows[0].startsWith("AAAA"));
    EXPECT_EQ(rows[1], QStringLiteral("BBB"));
    EXPECT_TRUE(rows[2].startsWith("CCC") && rows[2].endsWith("DDD")) << rows[2].toStdString();
}

// A field keeps the line breaks its file was read with; each of them starts a
// row of the printout, as it starts a line in the box.
TEST(StudyReportPaint, EachKindOfLineBreakStartsARow)
{
    ReportLine line;
    line.items = {{3, QStringLiteral("one\rtwo\r\nthree\nfour\r\rsix")}};
    const QStringList rows = paintedRows({line});
    EXPECT_EQ(rows, (QStringList{"one", "two", "three", "four", "six"})) << rows.join('|').toStdString();
}
