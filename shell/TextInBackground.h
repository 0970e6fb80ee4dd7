#pragma once
// A long plain text for a multi-line text box, made into the box's document
// on a worker thread while the caller goes on with other work. Making the
// document is most of what filling a box with tens of thousands of lines
// costs; putting the finished document in the box is quick.
//
// A paragraph of a document costs about the same to make and to lay out
// whatever it holds, so a text of many lines is held in paragraphs of a few
// lines each, parted by line separators: the box shows, scrolls and gives
// back the same text (toPlainText reads each separator as a line end) for a
// fraction of the work.
#include <QString>
#include <functional>
#include <future>

class QPlainTextEdit;
class QTextDocument;

namespace shell {

class TextInBackground {
public:
    // Starts making the document of `text`.
    explicit TextInBackground(const QString& text);
    // Starts making the text and then its document; `makeText` runs on the
    // worker, so what it reads must stay unchanged until showIn returns or
    // this object is gone.
    explicit TextInBackground(std::function<QString()> makeText);
    // Waits for the work; a document never shown is dropped.
    ~TextInBackground();
    TextInBackground(const TextInBackground&) = delete;
    TextInBackground& operator=(const TextInBackground&) = delete;

    // Waits for the document and makes it the box's, as setPlainText would
    // leave the box: the whole text in the box's font, the cursor at the
    // start, nothing to undo. The box's earlier document is deleted when
    // the box owned it. Call once, on the window thread. What the worker
    // raised is raised here, and the box is left as it was.
    void showIn(QPlainTextEdit* box);

    // Texts of at least this many lines are held in paragraphs of
    // `LinesPerParagraph` lines.
    static constexpr qsizetype GroupedFromLines = 8192;
    static constexpr qsizetype LinesPerParagraph = 16;

private:
    struct Made {
        QTextDocument* document = nullptr;
        bool grouped = false;   // held in paragraphs of several lines
    };
    Made take();

    std::future<Made> document_;
};

} // namespace shell
