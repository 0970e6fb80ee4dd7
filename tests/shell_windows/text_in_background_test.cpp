// A long text made into a box's document on a worker thread: the box ends as
// setPlainText leaves it.
#include "shell/TextInBackground.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QPointer>
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

} // namespace
