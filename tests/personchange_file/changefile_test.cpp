// The change record and its file: bytes written, fields read back, the older
// eleven-field form, damaged files and safe replacing.
#include "personchange/ChangeFile.h"
#include "platform/Errors.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "ChangeTestWindow.h"

using namespace changefile_test;
using morvane::ChangeRecord;
using morvane::ChangeRecordForm;

namespace {

ChangeRecord recordOf(const QStringList& fields)
{
    ChangeRecord r;
    for (int i = 0; i < morvane::kChangeFieldCount; ++i)
        r.fields[i] = fields.value(i);
    return r;
}

// The error description a read of these bytes throws, "" when it succeeds.
QString readError(const QString& path, ChangeRecordForm form)
{
    try {
        morvane::readChangeFile(path, form);
    } catch (const platform::RuntimeError& e) {
        return e.description();
    }
    return {};
}

} // namespace

TEST(ChangeFile, RecordsAreWrittenAsOneQuotedLineAndReadBackByteForByte)
{
    QTemporaryDir dir;
    struct Case {
        const char* what;
        QStringList fields;
        QByteArray bytes;
    };
    // The sample as the window gives it: a line break typed is CR LF.
    QStringList windowRecord = sampleRecord();
    windowRecord.last().replace("\n", "\r\n");
    const QList<Case> cases = {
        {"all empty", QStringList(12, QString()), QByteArray("\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n")},
        {"non-ASCII and two-line extra text", windowRecord, sampleBytes()},
        {"commas, blanks and a blank line inside the free text",
         {" a, b ", "x", "", "1", "2", ".5", "3.", "0", "00", "1.25", "9", "first\r\n\r\nthird, with comma\r\n"},
         QByteArray("\" a, b \",\"x\",\"\",\"1\",\"2\",\".5\",\"3.\",\"0\",\"00\",\"1.25\",\"9\","
                    "\"first\r\n\r\nthird, with comma\r\n\"\r\n")},
        {"each line break as it is: LF, CR, CR LF and the rest",
         {"one\ntwo\n\nthree", "one\rtwo\r\rthree", "a\r\n\nb\r", "", "", "", "", "", "", "", "",
          QString::fromUtf8("lf\ncr\rcrlf\r\nls\u2028ps\u2029nel\u0085vt\vff\f")},
         QByteArray("\"one\ntwo\n\nthree\",\"one\rtwo\r\rthree\",\"a\r\n\nb\r\","
                    "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"") +
             QString::fromUtf8("lf\ncr\rcrlf\r\nls\u2028ps\u2029nel\u0085vt\vff\f").toUtf8() + "\"\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ChangeRecord record = recordOf(c.fields);
        EXPECT_EQ(morvane::encodeChangeRecord(record), c.bytes);

        // File written, then read through both readers, then written again.
        const QString path = dir.filePath("person.mrv");
        morvane::writeChangeFile(path, record);
        EXPECT_EQ(readBytes(path), c.bytes);
        EXPECT_EQ(morvane::readChangeFile(path, ChangeRecordForm::Twelve), record);
        EXPECT_EQ(morvane::readChangeFile(path, ChangeRecordForm::ElevenOrTwelve), record);
        const QString again = dir.filePath("again.mrv");
        morvane::writeChangeFile(again, morvane::readChangeFile(path, ChangeRecordForm::Twelve));
        EXPECT_EQ(readBytes(again), c.bytes);
    }
    // Nothing but the two files is left in the folder (no temporary files).
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(ChangeFile, ReadersAcceptTheOlderFormAndOtherWritersLineEnds)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QStringList twelve;        // ElevenOrTwelve result
        QString recentError;       // Twelve: error description, "" = same fields
    };
    const QStringList eleven = {"ID", "Assess", "Dev", "10", "5", "0.9", "2", "20", "4", "8", "3"};
    const QList<Case> cases = {
        {"eleven fields", "\"ID\",\"Assess\",\"Dev\",\"10\",\"5\",\"0.9\",\"2\",\"20\",\"4\",\"8\",\"3\"\r\n",
         eleven + QStringList{""}, "Input past end of file"},
        // A blank line reads as an empty field where one is required.
        {"eleven fields, blank lines after",
         "\"ID\",\"Assess\",\"Dev\",\"10\",\"5\",\"0.9\",\"2\",\"20\",\"4\",\"8\",\"3\"\r\n\r\n  \r\n",
         eleven + QStringList{""}, ""},
        {"eleven fields, no line end", "\"ID\",\"Assess\",\"Dev\",\"10\",\"5\",\"0.9\",\"2\",\"20\",\"4\",\"8\",\"3\"",
         eleven + QStringList{""}, "Input past end of file"},
        {"unquoted numbers, blanks around them, LF line ends",
         "\"ID\", \"Assess\",\"Dev\", 10 ,5,0.9,2,20,4,8,3,\"a\nb\rc\"\n", eleven + QStringList{"a\nb\rc"}, ""},
        {"Windows-1252 text from an older writer", "\"Zo\xeb \x96 caf\xe9\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\x80\"\r\n",
         {QString::fromUtf8("Zoë – café"), "", "", "", "", "", "", "", "", "", "", QString::fromUtf8("€")}, ""},
        {"text after the twelfth field is ignored",
         "\"ID\",\"Assess\",\"Dev\",\"10\",\"5\",\"0.9\",\"2\",\"20\",\"4\",\"8\",\"3\",\"x\",\"13th\"\r\nmore",
         eleven + QStringList{"x"}, ""},
        {"byte-order mark", "\xef\xbb\xbf\"ID\",\"Assess\",\"Dev\",\"10\",\"5\",\"0.9\",\"2\",\"20\",\"4\",\"8\",\"3\",\"\"\r\n",
         eleven + QStringList{""}, ""},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("old.mrv");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path, c.bytes);
        const ChangeRecord r = morvane::readChangeFile(path, ChangeRecordForm::ElevenOrTwelve);
        EXPECT_EQ(QStringList(r.fields.begin(), r.fields.end()), c.twelve);
        EXPECT_EQ(readError(path, ChangeRecordForm::Twelve), c.recentError);
    }

    // An eleven-field file saved again becomes a twelve-field file with an
    // empty last field; nothing else changes.
    const QByteArray old = cases[0].bytes;
    writeBytes(path, old);
    morvane::writeChangeFile(dir.filePath("new.mrv"), morvane::readChangeFile(path, ChangeRecordForm::ElevenOrTwelve));
    EXPECT_EQ(readBytes(dir.filePath("new.mrv")), old.left(old.size() - 2) + ",\"\"\r\n");
}

TEST(ChangeFile, DamagedShortAndMissingFilesFailWithTheirErrors)
{
    QTemporaryDir dir;
    struct Case {
        const char* what;
        QByteArray bytes;
        QString error;   // for both readers
    };
    const QList<Case> cases = {
        {"empty file", "", "Input past end of file"},
        {"ten fields", "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\"\r\n", "Input past end of file"},
        {"cut off inside a quoted field", "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\",\"1", "Input past end of file"},
        {"twelfth field never closed", "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\",\"11\",\"text\r\nmore",
         "Input past end of file"},
    };
    const QString path = dir.filePath("bad.mrv");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path, c.bytes);
        EXPECT_EQ(readError(path, ChangeRecordForm::ElevenOrTwelve), c.error);
        EXPECT_EQ(readError(path, ChangeRecordForm::Twelve), c.error);
    }
    EXPECT_EQ(readError(dir.filePath("none.mrv"), ChangeRecordForm::ElevenOrTwelve), "File not found");
    EXPECT_EQ(readError(QString(), ChangeRecordForm::ElevenOrTwelve), "File not found");
    EXPECT_EQ(readError(dir.path(), ChangeRecordForm::ElevenOrTwelve), "Path/File access error");
}

TEST(ChangeFile, AFailedWriteLeavesTheOldFileAsItWas)
{
    QTemporaryDir dir;
    auto writeError = [](const QString& path) {
        try {
            morvane::writeChangeFile(path, recordOf(sampleRecord()));
        } catch (const platform::RuntimeError& e) {
            return e.description();
        }
        return QString();
    };
    EXPECT_EQ(writeError(dir.filePath("no such folder/x.mrv")), "Path not found");
    EXPECT_EQ(writeError(QString()), "Bad file name or number");

    // A folder in the file's place is not replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.mrv"));
    EXPECT_EQ(writeError(dir.filePath("taken.mrv")), "Path/File access error");
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.mrv")).isDir());

    // A read-only file is refused and keeps its bytes (also for a user whose
    // rights would allow replacing it).
    const QString locked = dir.filePath("locked.mrv");
    writeBytes(locked, "old");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadUser);
    if (!QFileInfo(locked).isWritable()) {
        EXPECT_EQ(writeError(locked), "Permission denied");
        EXPECT_EQ(readBytes(locked), QByteArray("old"));
    }
}

TEST(ChangeFile, DoubleQuotesAreFoundAndTheRefusalNamesTheBox)
{
    ChangeRecord r = recordOf(sampleRecord());
    EXPECT_EQ(morvane::changeFieldWithDoubleQuote(r), -1);
    r.fields[11] = "He said \"fine\"\nand left";
    r.fields[2] = "BDI \"II\"";
    EXPECT_EQ(morvane::changeFieldWithDoubleQuote(r), 2);
    EXPECT_TRUE(morvane::changeDoubleQuoteRefusal(2).contains("\"Device\""));
    r.fields[2] = "BDI";
    EXPECT_EQ(morvane::changeFieldWithDoubleQuote(r), 11);
    EXPECT_TRUE(morvane::changeDoubleQuoteRefusal(11).contains("\"Extra Information\""));
}

TEST(ChangeFile, TheRecordLineServesAnyNumberOfFields)
{
    EXPECT_EQ(morvane::encodeRecordLine({"a", "b\r\nc"}), QByteArray("\"a\",\"b\r\nc\"\r\n"));
    EXPECT_EQ(morvane::parseRecordLine("\"a\",\"b\",\"c\"\r\n", 2), (QStringList{"a", "b"}));
    EXPECT_EQ(morvane::parseRecordLine("\"a\",\"b\",\"c\"\r\n", 2, 5), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(morvane::parseRecordLine("x junk\"q\",\"q\"junk,y", 3), (QStringList{"x junk\"q\"", "q", "y"}));
}
