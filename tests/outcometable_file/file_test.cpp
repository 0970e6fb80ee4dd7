// The outcome record in its file: bytes written, what reads back, the mode a
// record implies and the failures of damaged, short and missing files.
#include "outcometable/OutcomeFile.h"
#include "platform/Errors.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "OutcomeWindow.h"

using quellin::OutcomeMode;
using quellin::OutcomeRecord;

namespace {

OutcomeRecord record(const QStringList& fields) { return OutcomeRecord::fromList(fields); }

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The error a read of these bytes raises ("" when it reads).
QString readError(const QString& path)
{
    try {
        quellin::readOutcomeFile(path);
    } catch (const platform::RuntimeError& e) {
        return e.description();
    }
    return {};
}

} // namespace

TEST(OutcomeFile, RoundTripsByteForByte)
{
    QTemporaryDir dir;
    struct Case {
        const char* what;
        QStringList fields;
        QByteArray bytes;
    };
    const QList<Case> cases = {
        {"2 x 2 data",
         {"Smith (2001)", "pre- to post-tx", "BDI", "12", "8", "", "5", "15", ""},
         "\"Smith (2001)\",\"pre- to post-tx\",\"BDI\",\"12\",\"8\",\"\",\"5\",\"15\",\"\"\r\n"},
        {"3 x 2 data",
         {"Jones, 1999", "post, 6 months", "HAM-D", "20", "10", "3", "11", "14", "8"},
         "\"Jones, 1999\",\"post, 6 months\",\"HAM-D\",\"20\",\"10\",\"3\",\"11\",\"14\",\"8\"\r\n"},
        {"every box empty", QStringList(9, QString()), "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"},
        {"non-ASCII, blanks kept",
         {"  Müller & Ørsted  ", "prä–post", "日本語 🙂", "1.5", "2", "", "3", "4", ""},
         QByteArray("\"  M\xC3\xBCller & \xC3\x98rsted  \",\"pr\xC3\xA4\xE2\x80\x93post\",\"\xE6\x97\xA5\xE6\x9C\xAC"
                    "\xE8\xAA\x9E \xF0\x9F\x99\x82\",\"1.5\",\"2\",\"\",\"3\",\"4\",\"\"\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QString::fromLatin1(c.what) + ".qln");
        quellin::writeOutcomeFile(path, record(c.fields));
        EXPECT_EQ(readBytes(path), c.bytes);
        EXPECT_EQ(quellin::readOutcomeFile(path), record(c.fields));
        // Writing what was read gives the same bytes again.
        quellin::writeOutcomeFile(path, quellin::readOutcomeFile(path));
        EXPECT_EQ(readBytes(path), c.bytes);
    }
}

TEST(OutcomeFile, ModeOfARecord)
{
    struct Case {
        QString txWorse, ctrlWorse;
        OutcomeMode mode;
    };
    for (const Case& c : QList<Case>{{"", "", OutcomeMode::Two},
                                     {"3", "", OutcomeMode::Three},
                                     {"", "0", OutcomeMode::Three},
                                     {"2", "5", OutcomeMode::Three},
                                     {" ", "", OutcomeMode::Three}}) {
        SCOPED_TRACE(c.txWorse.toStdString() + "|" + c.ctrlWorse.toStdString());
        EXPECT_EQ(quellin::outcomeModeOf(record({"a", "b", "c", "1", "2", c.txWorse, "3", "4", c.ctrlWorse})), c.mode);
    }
}

TEST(OutcomeFile, WhatOlderAndOddFilesReadAs)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QStringList fields;
    };
    const QStringList nine = {"a", "b", "c", "1", "2", "3", "4", "5", "6"};
    const QList<Case> cases = {
        {"a tenth field and a second line are ignored",
         "\"a\",\"b\",\"c\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"extra\"\r\n\"x\"\r\n", nine},
        {"unquoted fields, blanks and LF only", "a, b ,c,1,2,3,4,5,6\n", nine},
        {"fields on separate lines", "\"a\"\r\n\"b\"\r\n\"c\"\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6", nine},
        {"Windows-1252 text", "\"Gro\xDF \x96 \x80\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n",
         {QString::fromUtf8("Groß – €"), "", "", "", "", "", "", "", ""}},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF\"\xC3\xA9\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n",
         {QString::fromUtf8("é"), "", "", "", "", "", "", "", ""}},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath("f.qln");
        writeBytes(path, c.bytes);
        EXPECT_EQ(quellin::readOutcomeFile(path), record(c.fields));
    }
}

TEST(OutcomeFile, DamagedShortAndMissingFilesFail)
{
    QTemporaryDir dir;
    struct Case {
        const char* what;
        QByteArray bytes;
        QString error;
    };
    const QList<Case> cases = {
        {"eight fields", "\"a\",\"b\",\"c\",\"1\",\"2\",\"3\",\"4\",\"5\"\r\n", "Input past end of file"},
        {"an empty file", "", "Input past end of file"},
        {"a quote never closed", "\"a\",\"b\",\"c\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\r\n", "Input past end of file"},
        {"a tenth field only (nine read)", "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath("bad.qln");
        writeBytes(path, c.bytes);
        EXPECT_EQ(readError(path), c.error);
    }
    EXPECT_EQ(readError(dir.filePath("missing.qln")), "File not found");
    EXPECT_EQ(readError(dir.path()), "Path/File access error");
    EXPECT_EQ(readError(QString()), "File not found");
}

TEST(OutcomeFile, DoubleQuoteRefusalNamesTheBox)
{
    EXPECT_EQ(quellin::outcomeFieldWithDoubleQuote(record({"a", "b", "c", "1", "2", "", "3", "4", ""})), -1);
    const OutcomeRecord quoted = record({"a", "the \"B\" scale", "c", "1", "2", "", "3", "4", ""});
    EXPECT_EQ(quellin::outcomeFieldWithDoubleQuote(quoted), 1);
    EXPECT_TRUE(quellin::outcomeDoubleQuoteRefusal(1).contains("\"Assessment Details\""));
    EXPECT_TRUE(quellin::outcomeDoubleQuoteRefusal(1).contains("an outcome file"));
}
