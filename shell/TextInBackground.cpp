#include "shell/TextInBackground.h"

#include <QCoreApplication>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QThread>
#include <memory>

namespace shell {

TextInBackground::TextInBackground(const QString& text) : text_(text)
{
    // A text document and its cursor may be used on any thread, one thread
    // at a time; the document moves to the window thread when it is done.
    QThread* const windowThread = QCoreApplication::instance() ? QCoreApplication::instance()->thread()
                                                               : QThread::currentThread();
    document_ = std::async(std::launch::async, [text, windowThread]() -> QTextDocument* {
        auto document = std::make_unique<QTextDocument>();
        document->setUndoRedoEnabled(false);
        QTextCursor(document.get()).insertText(text);
        document->setUndoRedoEnabled(true);
        document->setModified(false);
        document->moveToThread(windowThread);
        return document.release();
    });
}

TextInBackground::~TextInBackground() { delete take(); }

QTextDocument* TextInBackground::take()
{
    if (!document_.valid())
        return nullptr;
    try {
        return document_.get();
    } catch (...) {
        // Out of memory on the worker.
        return nullptr;
    }
}

void TextInBackground::showIn(QPlainTextEdit* box)
{
    QTextDocument* document = take();
    if (!box) {
        delete document;
        return;
    }
    if (!document) {
        // The worker could not make it: the box makes it here.
        box->setPlainText(text_);
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
    QTextDocument* const earlier = box->document();
    const bool boxOwnedEarlier = earlier && earlier->parent() == box;
    document->setParent(box);
    box->setDocument(document);
    if (boxOwnedEarlier)
        delete earlier;
}

} // namespace shell
