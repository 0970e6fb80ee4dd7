#include "personchange/ChangeReport.h"
#include "frame/DataFileLine.h"
#include "personchange/ChangeFileCommands.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Maker.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace morvane {

const char* const kMsgChangePrintFailed = "Are you sure you've got the correct printer set as the default? "
                                          "Something went very wrong and resulted in the following error";

QString changeReportFooter()
{
    return QStringLiteral("Printed with Morvane - reliable and clinically significant change - ") +
           platform::makerWebHost();
}

QList<ChangeReportLine> changeReportLines(const std::function<QString(const QString&)>& boxText,
                                          const QString& footer)
{
    using Item = frame::ReportItem;
    const QString gap = QStringLiteral("  ");
    auto box = [&](const char* name) { return boxText ? boxText(QString::fromLatin1(name)) : QString(); };

    // The font in force, changed between lines as the report goes.
    int size = 12;
    bool bold = false;
    bool italic = false;
    QList<ChangeReportLine> out;
    auto line = [&](QList<Item> items) {
        ChangeReportLine l;
        l.pointSize = size;
        l.bold = bold;
        l.italic = italic;
        l.items = std::move(items);
        out.push_back(std::move(l));
    };
    auto blank = [&] { line({}); };
    auto at = [&](int column, const QString& text) { line({Item{column, text}}); };
    auto labelled = [&](const char* label, const char* name) {
        at(5, QString::fromUtf8(label) + gap + box(name));
    };
    auto verdict = [&](const char* name, const char* phrase) {
        at(5, box(name) + gap + QString::fromUtf8(phrase));
    };
    auto cutOff = [&](const char* letter, const char* sentence, const char* name) {
        line({Item{5, QString::fromUtf8(letter)}, Item{9, QString::fromUtf8(sentence) + gap + box(name)}});
    };
    const QString question = QStringLiteral("So, has the client reliably changed (with at least 95% confidence) AND "
                                            "changed ");

    bold = true;
    size = 20;
    blank();
    blank();
    blank();
    at(15, QStringLiteral("Morvane"));
    size = 12;
    at(5, QStringLiteral("Study Details"));
    bold = false;
    labelled("Study / Client Identifier:", "TxtID");
    labelled("Assessment Details:", "TxtAssess");
    labelled("Measurement Device:", "TxtDevice");
    labelled("Time 1 Score:", "TxtTime1Answer");
    labelled("Time 2 Score:", "TxtTime2Answer");
    labelled("Test-retest reliability of measurement device:", "TxtReliabilityAnswer");
    labelled("Standard deviation of sample used to estimate reliability of device:", "TxtAnswerSD");
    labelled("Clinical Sample Mean:", "TxtClinMean");
    labelled("Clinical Sample Standard Deviation:", "TxtClinSD");
    labelled("Normal Sample Mean:", "TxtNormMean");
    labelled("Normal Sample Standard Deviation:", "TxtNormSD");
    blank();
    labelled("Standard error of measurement:", "TxtSEM");
    labelled("Standard error of the difference:", "TxtSED");
    blank();
    at(5, QStringLiteral("In order to change with:"));
    labelled("68.26% confidence (1sd), there must be a change of at least:", "Txt1sdConf");
    labelled("95% confidence (1.96 sd), there must be a change of at least:", "Txt95Conf");
    labelled("99% confidence (2.58 sd), there must be a change of at least:", "Txt99Conf");
    blank();
    at(5, QStringLiteral("Your client's score of") + gap + box("TxtChangeScore") + gap +
              QStringLiteral("suggests that he / she:"));
    verdict("TxtClient68", "changed with at least 68.26% confidence.");
    verdict("TxtClient95", "changed with at least 95% confidence.");
    verdict("TxtClient99", "changed with at least 99% confidence.");
    blank();
    bold = true;
    at(5, QStringLiteral("Clinical Cut-Offs"));
    bold = false;
    italic = true;
    size = 10;
    at(5, QStringLiteral("This Programme has computed that:"));
    at(5, box("txtClinStatus"));
    size = 12;
    blank();
    cutOff("A).", "1.96 standard deviations away from the clinical mean is:", "TxtPointA");
    italic = false;
    at(9, question + QStringLiteral("from"));
    at(9, QStringLiteral("being within 1.96 standard deviations of the clinical mean to now being 1.96 standard"));
    at(9, QStringLiteral("deviations away from the clinical mean?"));
    size = 14;
    at(19, box("TxtAAnswer"));
    size = 12;
    blank();
    italic = true;
    cutOff("B).", "1.96 standard deviations away from the normal mean is:", "TxtPointB");
    italic = false;
    at(9, question + QStringLiteral("from"));
    at(9, QStringLiteral("being more than 1.96 standard deviations away the normal mean to now being within 1.96 "
                         "standard"));
    at(9, QStringLiteral("deviations of the normal mean?"));
    size = 14;
    at(19, box("TxtBAnswer"));
    size = 12;
    blank();
    italic = true;
    cutOff("C).", "Mid-way between the clinical and normal distributions is:", "TxtPointC");
    italic = false;
    at(9, question + QStringLiteral("clinical"));
    at(9, QStringLiteral("status according to the intersection of the clinical and normal distributions?"));
    size = 14;
    at(19, box("TxtCAnswer"));
    size = 12;
    blank();
    size = 10;
    bold = true;
    at(5, footer);
    blank();
    bold = false;
    size = 12;
    at(50, QStringLiteral("Page 1 of 1"));
    return out;
}

void paintChangeReport(QPainter& painter, QPagedPaintDevice& device, const QList<ChangeReportLine>& lines)
{
    // Rows follow each other at the font's height, without extra leading,
    // as a printer's text height counts them.
    constexpr auto kRows = frame::ReportRows::FontHeight;
    const QFont typeface = painter.font();
    const qreal width = device.width();
    const qreal height = device.height();
    // The report is one page: when its lines are taller than the page (a
    // large face, a small page, long box texts) it is drawn smaller, down to
    // half size; beyond that it continues on further pages.
    const qreal needed = frame::layOutReport(lines, typeface, device, nullptr, width, height, kRows);
    const qreal scale = needed > height ? std::max(0.5, 0.999 * height / needed) : 1.0;
    painter.save();
    painter.scale(scale, scale);
    frame::layOutReport(lines, typeface, device, &painter, width / scale, height / scale, kRows);
    painter.restore();
}

namespace {

// A plain sans-serif face of the common office metrics, narrower than many
// default faces, so that fewer long lines wrap; the default face when none of
// them is installed.
QFont reportTypeface(const QFont& fallback)
{
    QFont f = fallback;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Helvetica"), QStringLiteral("Nimbus Sans"),
                   QStringLiteral("Liberation Sans"), fallback.family()});
    return f;
}

// Prints the lines once per copy the person asked for; throws
// platform::RuntimeError when the printer fails.
void printCopies(QPrinter& printer, const QList<ChangeReportLine>& lines, int copies)
{
    // Printing to a file puts every copy into that one file, each starting on
    // a page of its own; a printer gets one job per copy.
    const bool toFile = !printer.outputFileName().isEmpty();
    const QString what = toFile ? QStringLiteral("the file could not be written")
                                : QStringLiteral("the printer refused the report");
    QPainter painter;
    for (int copy = 0; copy < copies; ++copy) {
        if (!toFile || copy == 0) {
            if (!painter.begin(&printer))
                throw platform::errPrinter(toFile ? what : QStringLiteral("the printer could not be started"));
            painter.setFont(reportTypeface(painter.font()));
        } else {
            printer.newPage();
        }
        paintChangeReport(painter, printer, lines);
        if (!toFile || copy == copies - 1) {
            if (!painter.end() || printer.printerState() == QPrinter::Error)
                throw platform::errPrinter(what);
        }
    }
}

} // namespace

void printChangeReport(QWidget* window)
{
    try {
        QPrinter printer(QPrinter::HighResolution);
        if (!platform::execPrintDialog(printer, window))
            return;
        // The copy count is a 16-bit number; none means nothing is printed.
        const int copies = std::min(printer.copyCount(), 32767);
        if (copies < 1)
            return;
        printer.setCopyCount(1);
        printCopies(printer,
                    changeReportLines([window](const QString& name) { return changeBoxText(window, name); }),
                    copies);
    } catch (const platform::RuntimeError& e) {
        platform::msgBox(frame::failureMessage(kMsgChangePrintFailed, e.description()),
                         platform::MsgButtons::OK, platform::MsgIcon::None, {}, window);
    }
}

} // namespace morvane
