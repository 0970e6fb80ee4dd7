// A long text made into a box's document on a worker thread: the box ends as
// setPlainText leaves it.
#include "shell/TextInBackground.h"

#include <QApplication>
#include <QFont>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QString manyLines(int lines, const QString& tag)
{
    QString text;
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("   Study %1 (%2) where d = 0.%3\r\n").arg(i).arg(tag).arg(i % 97);
    return text;
}

TEST(TextInBackground, TheBoxEndsAsSetPlainTextLeavesIt)
{
    const QString text = manyLines(5000, QStringLiteral("first")) + QStringLiteral("no line end; \u00e4\u2028x");
    QPlainTextEdit expected;
    expected.setLineWrapMode(QPlainTextEdit::NoWrap);
    expected.setPlainText(QStringLiteral("earlier"));
    expected.setPlainText(text);

    QPlainTextEdit box;
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    box.setPlainText(QStringLiteral("earlier"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    box.setFont(font);
    {
        shell::TextInBackground report(text);
        report.showIn(&box);
    }
    EXPECT_EQ(box.toPlainText(), expected.toPlainText());
    EXPECT_EQ(box.document()->blockCount(), expected.document()->blockCount());
    EXPECT_EQ(box.document()->defaultFont(), box.font());
    EXPECT_EQ(box.textCursor().position(), 0);
    EXPECT_FALSE(box.document()->isUndoAvailable());
    EXPECT_FALSE(box.document()->isModified());
    EXPECT_EQ(box.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(box.document()->defaultTextOption().wrapMode(), QTextOption::NoWrap);

    // The box still edits as a box: a typed line goes in and undoes.
    box.insertPlainText(QStringLiteral("typed"));
    EXPECT_TRUE(box.toPlainText().startsWith(QStringLiteral("typed   Study 0 (first)")));
    box.undo();
    EXPECT_EQ(box.toPlainText(), expected.toPlainText());
}

TEST(TextInBackground, EachNewReportReplacesTheLastAndNoneIsLeftOver)
{
    QPlainTextEdit box;
    QPointer<QTextDocument> first;
    for (int run = 0; run < 3; ++run) {
        shell::TextInBackground report(manyLines(2000, QString::number(run)));
        report.showIn(&box);
        if (run == 0)
            first = box.document();
        EXPECT_TRUE(box.toPlainText().contains(QStringLiteral("(%1)").arg(run)));
    }
    EXPECT_TRUE(first.isNull());   // the box's earlier documents are gone
    // Made and never shown (the run failed after it started): dropped.
    { shell::TextInBackground unused(manyLines(2000, QStringLiteral("unused"))); }
    EXPECT_TRUE(box.toPlainText().contains(QStringLiteral("(2)")));
}

// The line under the top left corner of the box's text.
QString topLine(QPlainTextEdit& box)
{
    QTextCursor c = box.cursorForPosition(QPoint(2, 2));
    c.movePosition(QTextCursor::StartOfLine);
    c.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
    return c.selectedText();
}

// A text of many lines is held in paragraphs of several lines; the box
// shows, scrolls and reads back as if each line were its own paragraph,
// also after its width changes.
TEST(TextInBackground, ATextOfManyLinesScrollsAndReadsBackAsSetPlainTextLeavesIt)
{
    const int lines = int(shell::TextInBackground::GroupedFromLines) + 3001;
    for (const QString& end : {QStringLiteral("\r\n"), QStringLiteral("no line end")}) {
        const QString text = manyLines(lines, QStringLiteral("many")) + QStringLiteral("blank\n\nLF only\rCR only\r\n") + end;
        QWidget window;
        window.resize(900, 700);
        QPlainTextEdit expected(&window);
        QPlainTextEdit box(&window);
        for (QPlainTextEdit* b : {&expected, &box}) {
            b->setLineWrapMode(QPlainTextEdit::NoWrap);
            b->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            b->setPlainText(QStringLiteral("earlier"));
        }
        expected.setGeometry(0, 0, 400, 300);
        box.setGeometry(450, 0, 400, 300);
        window.show();
        QApplication::processEvents();
        expected.setPlainText(text);
        {
            shell::TextInBackground report(text);
            report.showIn(&box);
        }
        QApplication::processEvents();
        EXPECT_LT(box.document()->blockCount(), expected.document()->blockCount() / 8);
        EXPECT_EQ(box.toPlainText(), expected.toPlainText());
        EXPECT_EQ(box.document()->lineCount(), expected.document()->lineCount());
        EXPECT_EQ(box.verticalScrollBar()->maximum(), expected.verticalScrollBar()->maximum());

        // Narrower, then scrolled: the same range and the same line on top.
        for (int width : {320, 380}) {
            expected.resize(width, 300);
            box.resize(width, 300);
            QApplication::processEvents();
            EXPECT_EQ(box.verticalScrollBar()->maximum(), expected.verticalScrollBar()->maximum()) << width;
        }
        for (int value : {1, 17, lines / 2, lines - 5}) {
            expected.verticalScrollBar()->setValue(value);
            box.verticalScrollBar()->setValue(value);
            QApplication::processEvents();
            EXPECT_EQ(topLine(box), topLine(expected)) << value;
        }
        // The end of the text with the keys.
        for (QPlainTextEdit* b : {&expected, &box}) {
            b->setFocus();
            QTest::keyClick(b, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClick(b, Qt::Key_Up);
        }
        QApplication::processEvents();
        EXPECT_EQ(box.verticalScrollBar()->value(), expected.verticalScrollBar()->value());
        EXPECT_EQ(box.textCursor().block().text().section(QChar::LineSeparator, -1),
                  expected.textCursor().block().text());
        EXPECT_EQ(box.toPlainText().left(box.textCursor().position()).count(QLatin1Char('\n')),
                  expected.toPlainText().left(expected.textCursor().position()).count(QLatin1Char('\n')));
    }
}

} // namespace
