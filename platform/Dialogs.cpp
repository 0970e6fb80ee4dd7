#include "platform/Dialogs.h"
#include "platform/AppInfo.h"
#include "platform/WindowLife.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

namespace {
MsgHandler& msgHandler()
{
    static MsgHandler h;
    return h;
}
FileDialogHandler& fileHandler()
{
    static FileDialogHandler h;
    return h;
}
PrintDialogHandler& printHandler()
{
    static PrintDialogHandler h;
    return h;
}

MsgResult showRealBox(const MsgRequest& r)
{
    QMessageBox box(r.parent);
    box.setWindowTitle(r.title);
    box.setText(reflowHardBreaks(r.text));
    switch (r.icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (r.buttons) {
    case MsgButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::AbortRetryIgnore:
        box.setStandardButtons(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    }
    const int b = box.exec();
    switch (b) {
    case QMessageBox::Ok: return MsgResult::OK;
    case QMessageBox::Abort: return MsgResult::Abort;
    case QMessageBox::Retry: return MsgResult::Retry;
    case QMessageBox::Ignore: return MsgResult::Ignore;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: break;
    }
    // Escape or the close box: the box's cancelling answer.
    switch (r.buttons) {
    case MsgButtons::OK: return MsgResult::OK;
    case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
    case MsgButtons::YesNo: return MsgResult::No;
    default: return MsgResult::Cancel;
    }
}

// A line break inside a sentence: the line does not end one, and the next
// line goes on with a word in lower case, straight away or after a dash or
// an opening bracket ("- not", "(which"). A next line that starts with a
// capital, a digit or a blank (an indented list) begins something of its
// own, as does the description after "... resulted in the following error".
bool continuesSentence(const QString& line, const QString& next)
{
    const QString here = line.trimmed();
    if (here.isEmpty() || here.endsWith(QLatin1Char('.')) || here.endsWith(QLatin1Char(':')) ||
        here.endsWith(QLatin1Char('!')) || here.endsWith(QLatin1Char('?')))
        return false;
    if (next.isEmpty() || next.front().isSpace())
        return false;
    for (const QChar c : next) {
        if (c.isLetter())
            return c.isLower();
        if (c.isDigit())
            return false;
    }
    return false;
}
} // namespace

QString reflowHardBreaks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    const QStringList lines = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        out += lines[i];
        if (i + 1 == lines.size())
            break;
        if (continuesSentence(lines[i], lines[i + 1])) {
            if (!out.endsWith(QLatin1Char(' ')))
                out += QLatin1Char(' ');
        } else {
            out += QLatin1Char('\n');
        }
    }
    return out;
}

MsgResult msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title, QWidget* parent)
{
    MsgRequest r;
    r.parent = parent;
    r.text = text;
    r.title = title.isEmpty() ? appInfo().title : title;
    r.buttons = buttons;
    r.icon = icon;
    const CommandWait wait;
    if (msgHandler())
        return msgHandler()(r);
    return showRealBox(r);
}

void setMsgHandler(MsgHandler handler) { msgHandler() = std::move(handler); }

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& directory, const QString& filter)
{
    FileDialogRequest r;
    r.kind = FileDialogRequest::Open;
    r.parent = parent;
    r.caption = caption;
    r.directory = directory;
    r.filter = filter;
    const CommandWait wait;
    if (fileHandler())
        return fileHandler()(r);
    return QFileDialog::getOpenFileName(parent, caption, directory, filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& directory, const QString& filter,
                        const QString& defaultSuffix, bool askOverwrite)
{
    FileDialogRequest r;
    r.kind = FileDialogRequest::Save;
    r.parent = parent;
    r.caption = caption;
    r.directory = directory;
    r.filter = filter;
    r.defaultSuffix = defaultSuffix;
    const CommandWait wait;
    if (fileHandler())
        return fileHandler()(r);
    QFileDialog dlg(parent, caption, directory, filter);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!askOverwrite)
        dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (!defaultSuffix.isEmpty())
        dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().constFirst();
}

void setFileDialogHandler(FileDialogHandler handler) { fileHandler() = std::move(handler); }

bool execPrintDialog(QPrinter& printer, QWidget* parent)
{
    const CommandWait wait;
    if (printHandler())
        return printHandler()(printer);
    if (QPrinterInfo::availablePrinters().isEmpty() && printer.outputFileName().isEmpty()) {
        // No printer: the dialog offers its "Print to File (PDF)" choice.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir::home().filePath(appInfo().title + QStringLiteral(".pdf")));
    }
    QPrintDialog dlg(&printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

void setPrintDialogHandler(PrintDialogHandler handler) { printHandler() = std::move(handler); }

} // namespace platform
