#include "shell/TextInBackground.h"
#include "shell/Trace.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <QThread>
#include <memory>

namespace shell {

namespace {

// The line ends of `text` as a text cursor reads them: CR LF, LF or CR.
qsizetype lineEnds(const QString& text)
{
    qsizetype ends = 0;
    const QChar* p = text.constData();
    const QChar* const end = p + text.size();
    for (; p != end; ++p) {
        const char16_t c = p->unicode();
        if (c == u'\n' || (c == u'\r' && (p + 1 == end || p[1].unicode() != u'\n')))
            ++ends;
    }
    return ends;
}

// Gathers the lines of `text` in paragraphs of `perParagraph` lines: a line
// end inside a paragraph becomes a line separator, the others and the text's
// last one a paragraph end. In place: the text only gets shorter.
void gatherInParagraphs(QString& text, qsizetype ends, qsizetype perParagraph)
{
    QChar* const start = text.data();
    QChar* o = start;
    const QChar* p = start;
    const QChar* const end = p + text.size();
    qsizetype seen = 0;
    for (; p != end; ++p) {
        const char16_t c = p->unicode();
        if (c != u'\n' && c != u'\r') {
            *o++ = *p;
            continue;
        }
        if (c == u'\r' && p + 1 != end && p[1].unicode() == u'\n')
            ++p;   // CR LF is one line end
        ++seen;
        *o++ = (seen % perParagraph == 0 || seen == ends) ? QChar(u'\n') : QChar(QChar::LineSeparator);
    }
    text.truncate(o - start);
}

// Keeps the scroll range of a box whose paragraphs hold several lines. The
// box's layout counts a paragraph it has not laid out yet as one line, and
// sets every paragraph back to that whenever its width changes; each such
// paragraph is given back the lines it holds, so the scroll bar spans the
// whole text and a line number finds its line.
class ParagraphLines : public QObject {
public:
    explicit ParagraphLines(QTextDocument* document) : QObject(document), document_(document)
    {
        connect(document->documentLayout(), &QAbstractTextDocumentLayout::update, this, &ParagraphLines::restore);
    }

private:
    void restore()
    {
        for (QTextBlock block = document_->firstBlock(); block.isValid(); block = block.next()) {
            if (!block.isVisible() || (block.layout() && block.layout()->lineCount() > 0))
                continue;   // hidden, or laid out: the layout's count holds
            const int lines = 1 + static_cast<int>(block.text().count(QChar::LineSeparator));
            if (block.lineCount() != lines)
                block.setLineCount(lines);
        }
    }

    QTextDocument* document_;
};

} // namespace

TextInBackground::TextInBackground(const QString& text) : TextInBackground([text] { return text; }) {}

TextInBackground::TextInBackground(std::function<QString()> makeText)
{
    // A text document and its cursor may be used on any thread, one thread
    // at a time; the document moves to the window thread when it is done.
    QThread* const windowThread = QCoreApplication::instance() ? QCoreApplication::instance()->thread()
                                                               : QThread::currentThread();
    document_ = std::async(std::launch::async, [makeText = std::move(makeText), windowThread]() -> Made {
        QString text = makeText();
        const qsizetype ends = lineEnds(text);
        const bool grouped = ends >= GroupedFromLines;
        auto document = std::make_unique<QTextDocument>();
        document->setUndoRedoEnabled(false);
        if (grouped)
            gatherInParagraphs(text, ends, LinesPerParagraph);
        QTextCursor(document.get()).insertText(text);
        document->setUndoRedoEnabled(true);
        document->setModified(false);
        document->moveToThread(windowThread);
        return {document.release(), grouped};
    });
}

TextInBackground::~TextInBackground()
{
    try {
        delete take().document;
    } catch (...) {
        // Never shown: what the worker raised goes with it.
        qCWarning(traceShell) << "a text made for a box that is gone:" << platform::currentErrorText();
    }
}

TextInBackground::Made TextInBackground::take()
{
    if (!document_.valid())
        return {};
    return document_.get();
}

void TextInBackground::showIn(QPlainTextEdit* box)
{
    const Made made = take();
    QTextDocument* const document = made.document;
    if (!box || !document) {
        delete document;
        return;
    }
    // The font and the wrapping first: each change made once a layout is
    // there walks every line again.
    document->setDefaultFont(box->font());
    if (QTextDocument* const shown = box->document()) {
        QTextOption option = document->defaultTextOption();
        option.setWrapMode(shown->defaultTextOption().wrapMode());
        document->setDefaultTextOption(option);
    }
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    if (made.grouped)
        new ParagraphLines(document);
    QTextDocument* const earlier = box->document();
    const bool boxOwnedEarlier = earlier && earlier->parent() == box;
    document->setParent(box);
    box->setDocument(document);
    if (boxOwnedEarlier)
        delete earlier;
}

} // namespace shell
