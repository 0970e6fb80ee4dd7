#pragma once
// A long plain text for a multi-line text box, made into the box's document
// on a worker thread while the caller goes on with other work. Making the
// document is most of what filling a box with tens of thousands of lines
// costs; putting the finished document in the box is quick.
#include <QString>
#include <future>

class QPlainTextEdit;
class QTextDocument;

namespace shell {

class TextInBackground {
public:
    // Starts making the document of `text`.
    explicit TextInBackground(const QString& text);
    // Waits for the work; a document never shown is dropped.
    ~TextInBackground();
    TextInBackground(const TextInBackground&) = delete;
    TextInBackground& operator=(const TextInBackground&) = delete;

    // Waits for the document and makes it the box's, as setPlainText would
    // leave the box: the whole text in the box's font, the cursor at the
    // start, nothing to undo. The box's earlier document is deleted when
    // the box owned it. Call once, on the window thread.
    void showIn(QPlainTextEdit* box);

private:
    QTextDocument* take();

    QString text_;
    std::future<QTextDocument*> document_;
};

} // namespace shell
