#include "meandiff/StudyReport.h"
#include "meandiff/StudyFile.h"
#include "meandiff/StudyFileCommands.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QStringList>

#include <algorithm>

namespace meandiff {


QString ReportLine::text() const
{
    QStringList parts;
    for (const ReportItem& i : items)
        parts << i.text;
    return parts.join(QLatin1Char(' '));
}

namespace {

// Keeps the font in force as the report switches it, and collects lines.
class ReportWriter {
public:
    void size(int points) { size_ = points; }
    void bold(bool on) { bold_ = on; }
    void underline(bool on) { underline_ = on; }
    void blank() { lines_.push_back(make({})); }
    void line(QList<ReportItem> items) { lines_.push_back(make(std::move(items))); }
    void line(int column, const QString& text) { line({ReportItem{column, text}}); }
    QList<ReportLine> take() { return std::move(lines_); }

private:
    ReportLine make(QList<ReportItem> items) const
    {
        ReportLine l;
        l.pointSize = size_;
        l.bold = bold_;
        l.underline = underline_;
        l.items = std::move(items);
        return l;
    }
    int size_ = 12;
    bool bold_ = false;
    bool underline_ = false;
    QList<ReportLine> lines_;
};

const QString kGap = QStringLiteral("  ");

} // namespace

QList<ReportLine> studyReportLines(const std::function<QString(const QString&)>& boxText, const QString& footer)
{
    auto box = [&](const char* name) { return boxText ? boxText(QString::fromLatin1(name)) : QString(); };
    auto labelled = [&](const char* label, const char* name) { return QString::fromUtf8(label) + kGap + box(name); };
    const QString level = box("LblPercent(0)");
    auto interval = [&](const char* lower, const char* upper) {
        return QStringLiteral("Which lies between") + kGap + box(lower) + kGap + QStringLiteral("and") + kGap +
               box(upper) + kGap + QStringLiteral("with ") + level + QStringLiteral("% confidence.");
    };
    auto pValues = [&](const char* label, const char* stat, const char* twoTailed, const char* oneTailed) {
        return QString::fromUtf8(label) + kGap + box(stat) + QStringLiteral(";") + kGap + QStringLiteral("2 tailed p = ") +
               box(twoTailed) + QStringLiteral(";") + kGap + QStringLiteral("1 tailed p = ") + box(oneTailed);
    };

    ReportWriter w;
    w.bold(true);
    w.size(20);
    w.blank();
    w.line(19, QStringLiteral("Effect Size Estimates"));
    w.size(12);
    w.blank();
    w.line(3, QStringLiteral("Study Identifier:") + kGap + box("TxtID") + kGap + box("TxtYear"));
    w.line(3, labelled("Assessment Details:", "TxtAssess"));
    w.line(3, labelled("Measurement Device:", "TxtDevice"));
    w.bold(false);
    w.blank();
    w.line(3, labelled("Mean Group 1:", "txtMean1"));
    w.line(3, labelled("Standard Deviation 1:", "txtSD1"));
    w.line(3, labelled("Subject Numbers 1:", "TxtN1"));
    w.blank();
    w.line(3, labelled("Mean Group 2:", "txtMean2"));
    w.line(3, labelled("Standard Deviation 2:", "txtSD2"));
    w.line(3, labelled("Subject Numbers 2:", "TxtN2"));
    w.blank();
    w.line(3, labelled("Standard deviation used to compute Cohen's d:", "TxtUsedSD"));
    w.line(3, labelled("Cohen's d effect size:", "TxtTarvoss"));
    w.line(3, interval("TxtESNeg95", "TxtESPlus95"));
    w.blank();
    w.line(3, labelled("Cohen's d effect size with Hedges Adjustment:", "TxtHedges"));
    w.line(3, interval("TxtHedgesNeg95", "TxtHedgesPlus95"));
    w.blank();
    w.line(3, labelled("Hedges' Pooled Standard Deviation:", "TxtHedgesS1"));
    w.line(3, labelled("Hedges' g effect size:", "txtHedgesG"));
    w.line(3, interval("TxtHedgesGNeg95", "TxtHedgesGPlus95"));
    w.blank();
    w.bold(true);
    w.size(20);
    w.line(15, QStringLiteral("Statistical Significance Estimates"));
    w.size(12);
    w.bold(false);
    w.blank();
    w.line(3, labelled("Total Number Of Subjects:", "TxtTotalN"));
    w.line(3, labelled("Mean Difference:", "TxtMeanDiff"));
    w.line(3, labelled("Standard Error Of The Difference:", "TxtSED"));
    w.line(3, labelled("Degrees of Freedom:", "txtDF"));
    w.line(3, pValues("t-test Statistic:", "txtT", "txt2PT", "txt1PT"));
    w.line(3, pValues("z-test Statistic:", "txtZStat", "txt2PZ", "txt1PZ"));
    w.blank();
    w.bold(true);
    w.size(20);
    w.line(19, QStringLiteral("A Priori Power Analysis"));
    w.size(12);
    w.blank();
    w.line(3, labelled("Effect Size Entered Into Equation:", "txtD"));
    w.bold(false);
    w.blank();
    w.line(3, QStringLiteral("Number of subjects required PER GROUP:"));
    w.blank();
    auto table = [&](const char* tails, const char* p8_95, const char* p8_99, const char* p9_95, const char* p9_99) {
        w.underline(true);
        w.line({{3, QString::fromUtf8(tails) + QStringLiteral(" Tailed Analysis - Power = 0.8")},
                {50, QString::fromUtf8(tails) + QStringLiteral(" Tailed Analysis - Power = 0.9")}});
        w.underline(false);
        w.line({{3, labelled("95% Confidence:", p8_95)}, {50, labelled("95% Confidence:", p9_95)}});
        w.line({{3, labelled("99% Confidence:", p8_99)}, {50, labelled("99% Confidence:", p9_99)}});
    };
    table("One", "txtP5", "TxtP6", "txtP7", "txtP8");
    w.blank();
    table("Two", "txtP1", "txtP2", "txtP3", "txtP4");
    if (!footer.isEmpty()) {
        w.blank();
        w.size(8);
        w.line(3, footer);
    }
    return w.take();
}

void paintReport(QPainter& painter, QPagedPaintDevice& device, const QList<ReportLine>& lines)
{
    const qreal pageWidth = device.width();
    const qreal pageHeight = device.height();
    qreal y = 0;

    for (const ReportLine& line : lines) {
        QFont font = painter.font();
        font.setPointSize(line.pointSize);
        font.setBold(line.bold);
        font.setUnderline(line.underline);
        painter.setFont(font);
        const QFontMetricsF fm(font, &device);
        const qreal lineHeight = fm.lineSpacing();
        const qreal columnWidth = fm.averageCharWidth();

        auto ensureRoom = [&] {
            if (y > 0 && y + lineHeight > pageHeight) {
                device.newPage();
                y = 0;
            }
        };
        auto newLine = [&] {
            y += lineHeight;
            ensureRoom();
        };

        ensureRoom();
        qreal x = 0;
        for (const ReportItem& item : line.items) {
            const qreal columnX = std::max(0, item.column - 1) * columnWidth;
            // An item whose column lies behind what was printed goes to that
            // column on the next line.
            if (x > columnX + 0.5)
                newLine();
            x = columnX;
            QString rest = item.text;
            while (!rest.isEmpty()) {
                const qreal room = pageWidth - x;
                if (fm.horizontalAdvance(rest) <= room) {
                    painter.drawText(QPointF(x, y + fm.ascent()), rest);
                    x += fm.horizontalAdvance(rest);
                    break;
                }
                // The longest start that fits, cut after a blank when there is one.
                qsizetype fit = 0;
                while (fit < rest.size() && fm.horizontalAdvance(rest.left(fit + 1)) <= room)
                    ++fit;
                fit = std::max<qsizetype>(fit, 1);
                const qsizetype blank = rest.left(fit).lastIndexOf(QLatin1Char(' '));
                const qsizetype cut = blank > 0 ? blank + 1 : fit;
                painter.drawText(QPointF(x, y + fm.ascent()), rest.left(cut));
                rest = rest.mid(cut);
                newLine();
                x = columnX;
            }
        }
        y += lineHeight;
    }
}

void printStudyReport(QWidget* window, const QString& webAddress)
{
    try {
        QPrinter printer(QPrinter::HighResolution);
        if (!platform::execPrintDialog(printer, window))
            return;
        const int copies = std::min(printer.copyCount(), 32767);
        if (copies < 1)
            return;
        printer.setCopyCount(1);
        const QList<ReportLine> lines =
            studyReportLines([window](const QString& name) { return windowBoxText(window, name); }, webAddress);

        if (!printer.outputFileName().isEmpty()) {
            // One file holds every copy, each starting on a page of its own.
            QPainter painter;
            if (!painter.begin(&printer))
                throw platform::errPrinter(QStringLiteral("the file could not be written"));
            for (int c = 0; c < copies; ++c) {
                if (c > 0)
                    printer.newPage();
                paintReport(painter, printer, lines);
            }
            if (!painter.end() || printer.printerState() == QPrinter::Error)
                throw platform::errPrinter(QStringLiteral("the file could not be written"));
            return;
        }
        for (int c = 0; c < copies; ++c) {
            QPainter painter;
            if (!painter.begin(&printer))
                throw platform::errPrinter(QStringLiteral("the printer could not be started"));
            paintReport(painter, printer, lines);
            if (!painter.end() || printer.printerState() == QPrinter::Error)
                throw platform::errPrinter(QStringLiteral("the printer refused the report"));
        }
    } catch (const platform::RuntimeError& e) {
        platform::msgBox(failureMessage(kMsgSaveFailed, e.description()), platform::MsgButtons::OK,
                         platform::MsgIcon::None, {}, window);
    }
}

} // namespace meandiff
