// The study file's line format, its reader and writer.
#include "meandiff/StudyFile.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <functional>
#include <vector>
#include <gtest/gtest.h>
#include "TestWindow.h"

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using meandiff::StudyRecord;

namespace {

StudyRecord record(std::initializer_list<const char*> fields)
{
    StudyRecord r;
    int i = 0;
    for (const char* f : fields)
        r.fields[i++] = QString::fromUtf8(f);
    return r;
}

StudyRecord sampleRecord()
{
    return record({"  Müller, Łukasz & Ørsted  ", "2003", "pre- to post-treatment, 6 weeks", "BDI–II «short»",
                   "outpatients\t(adults)", "10.5", "2", "20", "Experimental: CBT 日本語", "8", "2.25", "21",
                   "Control: waiting list 🙂", "1.2345"});
}

int errorNumber(const std::function<void()>& f)
{
    try {
        f();
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(StudyFileFormat, EmptyRecordIsFourteenPairsOfQuotesAndCrLf)
{
    QByteArray expected;
    for (int i = 0; i < 14; ++i)
        expected += i ? ",\"\"" : "\"\"";
    expected += "\r\n";
    EXPECT_EQ(meandiff::encodeStudyRecord(StudyRecord{}), expected);
    EXPECT_EQ(expected.size(), 43);
}

TEST(StudyFileFormat, RecordIsWrittenQuotedInFieldOrderAsUtf8)
{
    const StudyRecord r = record({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "é"});
    EXPECT_EQ(meandiff::encodeStudyRecord(r),
              QByteArray("\"A\",\"B\",\"C\",\"D\",\"E\",\"F\",\"G\",\"H\",\"I\",\"J\",\"K\",\"L\",\"M\",\"\xC3\xA9\"\r\n"));
}

TEST(StudyFileFormat, RoundTripKeepsEveryCharacter)
{
    const QList<StudyRecord> cases = {
        StudyRecord{},
        sampleRecord(),
        record({" ", "  ", "a,b", ",", ",,,", "", "-0.5", "", "x", "", "", "", "", "   trailing   "}),
        record({"line\r\nbreak", "cr\ronly", "lf\nonly", "'single'", "“curly”", "\\back\\", "tab\t", "", "", "", "",
                "", "", ""}),
    };
    for (const StudyRecord& r : cases) {
        const QByteArray bytes = meandiff::encodeStudyRecord(r);
        EXPECT_EQ(meandiff::parseStudyRecord(meandiff::decodeStudyText(bytes)), r) << bytes.constData();
    }
}

TEST(StudyFileFormat, ReaderRules)
{
    struct Case {
        const char* text;
        std::initializer_list<const char*> fields;
    };
    const Case cases[] = {
        // Line ends separate fields like commas; CR LF counts once.
        {"\"a\"\r\n\"b\"\n\"c\"\r\"d\",\"e\",\"f\",\"g\",\"h\",\"i\",\"j\",\"k\",\"l\",\"m\",\"n\"",
         {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"}},
        // Unquoted fields: leading blanks skipped, trailing blanks removed.
        {"  a  ,b,  c d ,d,e,f,g,h,i,j,k,l,m,n", {"a", "b", "c d", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"}},
        // Text after a closing quote, up to the separator, is dropped.
        {"\"a\"xyz,\"b\" ,\"c\",\"d\",\"e\",\"f\",\"g\",\"h\",\"i\",\"j\",\"k\",\"l\",\"m\",\"n\"",
         {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"}},
        // Everything after the fourteenth field is ignored; no final line end is needed.
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\ngarbage\"", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
                                                                   "12", "13", "14"}},
        // Empty fields between commas.
        {",,,,,,,,,,,,,\r\n", {"", "", "", "", "", "", "", "", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        StudyRecord expected;
        int i = 0;
        for (const char* f : c.fields)
            expected.fields[i++] = QString::fromUtf8(f);
        EXPECT_EQ(meandiff::parseStudyRecord(QString::fromUtf8(c.text)), expected) << c.text;
    }
}

TEST(StudyFileFormat, EveryTruncationOfARecordIsInputPastEnd)
{
    const QByteArray full = meandiff::encodeStudyRecord(sampleRecord());
    for (qsizetype n = 0; n <= full.size(); ++n) {
        const QString text = meandiff::decodeStudyText(full.left(n));
        if (n >= full.size() - 2) {
            EXPECT_EQ(meandiff::parseStudyRecord(text), sampleRecord()) << n;
        } else {
            EXPECT_EQ(errorNumber([&] { meandiff::parseStudyRecord(text); }), platform::ErrInputPastEnd) << n;
        }
    }
    // Thirteen complete fields are too few.
    EXPECT_EQ(errorNumber([] { meandiff::parseStudyRecord("\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"); }),
              platform::ErrInputPastEnd);
}

TEST(StudyFileFormat, TextIsUtf8OrElseWindows1252)
{
    // Windows-1252: ü, é, the euro sign, curly quotes, a dash and the
    // unassigned 0x81 kept as its C1 code.
    const QByteArray cp1252("\"M\xFCller\",\"Caf\xE9\",\"\x80 5\",\"\x93quoted\x94\",\"a\x96z\",\"\x81\"");
    EXPECT_EQ(meandiff::decodeStudyText(cp1252),
              QString::fromUtf8("\"Müller\",\"Café\",\"€ 5\",\"“quoted”\",\"a–z\",\"") + QChar(0x81) + "\"");
    // Valid UTF-8, with and without a byte-order mark.
    EXPECT_EQ(meandiff::decodeStudyText("M\xC3\xBCller"), QString::fromUtf8("Müller"));
    EXPECT_EQ(meandiff::decodeStudyText("\xEF\xBB\xBF\"M\xC3\xBCller\""), QString::fromUtf8("\"Müller\""));
    // Plain ASCII is the same either way.
    EXPECT_EQ(meandiff::decodeStudyText("\"a\",\"b\""), QStringLiteral("\"a\",\"b\""));
}

TEST(StudyFileFiles, WriteThenReadAndReplace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("study.tvq");
    meandiff::writeStudyFile(path, sampleRecord());
    EXPECT_EQ(readBytes(path), meandiff::encodeStudyRecord(sampleRecord()));
    EXPECT_EQ(meandiff::readStudyFile(path), sampleRecord());
    // A second save replaces the file as a whole (the new one is shorter).
    meandiff::writeStudyFile(path, StudyRecord{});
    EXPECT_EQ(readBytes(path), meandiff::encodeStudyRecord(StudyRecord{}));
    // A file from the older programs, in Windows-1252, keeps its accents.
    writeBytes(path, "\"Garc\xED" "a\",\"1999\",\"\",\"\",\"\",\"1\",\"2\",\"3\",\"\",\"4\",\"5\",\"6\",\"\",\"\"\r\n");
    EXPECT_EQ(meandiff::readStudyFile(path).fields[0], QString::fromUtf8("García"));
}

TEST(StudyFileFiles, ReadFailures)
{
    QTemporaryDir dir;
    const QString junk = dir.filePath("junk.tvq");
    writeBytes(junk, QByteArray("\x00\x01\xFF\xFE\x89PNG\r\n\x1A\n\x00\x00", 14));
    const QString short13 = dir.filePath("short.tvq");
    writeBytes(short13, "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\",\"i\",\"j\",\"k\",\"l\",\"m\"\r\n");
    const QString empty = dir.filePath("empty.tvq");
    writeBytes(empty, "");
    const QString folder = dir.filePath("folder.tvq");
    QDir().mkdir(folder);

    EXPECT_EQ(errorNumber([&] { meandiff::readStudyFile(dir.filePath("missing.tvq")); }), platform::ErrFileNotFound);
    EXPECT_EQ(errorNumber([&] { meandiff::readStudyFile(QString()); }), platform::ErrFileNotFound);
    EXPECT_EQ(errorNumber([&] { meandiff::readStudyFile(junk); }), platform::ErrInputPastEnd);
    EXPECT_EQ(errorNumber([&] { meandiff::readStudyFile(short13); }), platform::ErrInputPastEnd);
    EXPECT_EQ(errorNumber([&] { meandiff::readStudyFile(empty); }), platform::ErrInputPastEnd);
    EXPECT_EQ(errorNumber([&] { meandiff::readStudyFile(folder); }), platform::ErrPathFileAccess);
    if (geteuid() != 0) {
        const QString locked = dir.filePath("locked.tvq");
        meandiff::writeStudyFile(locked, sampleRecord());
        QFile::setPermissions(locked, QFileDevice::Permissions());
        EXPECT_EQ(errorNumber([&] { meandiff::readStudyFile(locked); }), 70);
    }
}

TEST(StudyFileFiles, FailedSaveLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("study.tvq");
    meandiff::writeStudyFile(path, sampleRecord());
    const QByteArray before = readBytes(path);

    // A write that is cut off part way (the file-size limit stands in for a
    // full disk) must not touch the old file.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int err = errorNumber([&] { meandiff::writeStudyFile(path, StudyRecord{}); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_NE(err, 0);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"study.tvq"});   // no leftover temporary file

    EXPECT_EQ(errorNumber([&] { meandiff::writeStudyFile(dir.filePath("no/such/folder/x.tvq"), StudyRecord{}); }),
              platform::ErrPathNotFound);
}

// Every file a program writes opens again: a long record is read whole,
// a record too long to be read is not written, and a file beyond the limit
// is refused with its own message.
TEST(StudyFileFiles, LongRecordsReadWholeAndTheSizeLimitHoldsBothWays)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("long.tvq");
    StudyRecord longRecord = sampleRecord();
    // About 6 MB in UTF-8, far past the four megabytes once read.
    longRecord.fields[2] = QString::fromUtf8("pre – post € ").repeated(400000);
    longRecord.fields[13] = QStringLiteral("x").repeated(100000);
    meandiff::writeStudyFile(path, longRecord);
    ASSERT_GT(QFileInfo(path).size(), 5 * 1024 * 1024);
    EXPECT_TRUE(meandiff::readStudyFile(path) == longRecord);

    // Beyond the limit (a sparse file: no disk space taken).
    const QString huge = dir.filePath("huge.tvq");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(frame::kLargestDataFile + 1));
    }
    for (const auto& read : std::vector<std::function<void()>>{[&] { meandiff::readStudyFile(huge); },
                                                              [&] { frame::checkDataFileSize(huge); }}) {
        try {
            read();
            ADD_FAILURE() << "a file beyond the limit was read";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.description(), frame::errDataFileTooLarge(frame::kLargestDataFile + 1).description());
            // The size as it is: never rounded to the limit or past the next megabyte.
            EXPECT_TRUE(e.description().startsWith(QStringLiteral("This file is 134217729 bytes long, more than the "
                                                                   "134217728 bytes (128 MB)")))
                << e.description().toStdString();
        }
    }
    EXPECT_NO_THROW(frame::checkDataFileSize(path));
    EXPECT_NO_THROW(frame::checkDataFileSize(dir.filePath("missing.tvq")));

    // A record whose line would pass the limit is not written (three bytes
    // a character in UTF-8), and the old file stays.
    StudyRecord tooLong;
    tooLong.fields[0] = QString(frame::kLargestDataFile / 3 + 1, QChar(0x20AC));
    try {
        meandiff::writeStudyFile(path, tooLong);
        ADD_FAILURE() << "a record beyond the limit was written";
    } catch (const platform::RuntimeError& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("134217772 bytes, more than the 134217728 bytes (128 MB)")))
            << e.description().toStdString();
    }
    tooLong = StudyRecord{};
    EXPECT_TRUE(meandiff::readStudyFile(path) == longRecord);
}

TEST(StudyFileFiles, DoubleQuoteIsFoundAndTheBoxNamed)
{
    StudyRecord r = sampleRecord();
    EXPECT_EQ(meandiff::fieldWithDoubleQuote(r), -1);
    r.fields[12] = QStringLiteral("said \"hi\"");
    r.fields[13] = QStringLiteral("\"");
    EXPECT_EQ(meandiff::fieldWithDoubleQuote(r), 12);
    EXPECT_TRUE(meandiff::doubleQuoteRefusal(12).contains(QStringLiteral("\"Control Group Sample Type\"")));
    EXPECT_TRUE(meandiff::doubleQuoteRefusal(0).contains(QStringLiteral("\"Authors\"")));
}

// Random bytes and damaged records never do more than throw the reader's
// error; a record that reads has fourteen fields.
TEST(StudyFileFuzz, ParserSurvivesDamagedInput)
{
    QRandomGenerator rng(20261210);
    const QByteArray valid = meandiff::encodeStudyRecord(sampleRecord());
    const char alphabet[] = {'"', ',', '\r', '\n', ' ', '\t', 'a', '\0', char(0xC3), char(0xA9), char(0x80), char(0xFF)};
    QElapsedTimer clock;
    clock.start();
    int runs = 0, parsed = 0;
    while (clock.elapsed() < 3000) {
        QByteArray bytes;
        if (rng.bounded(2)) {
            bytes = valid;
            const int edits = 1 + int(rng.bounded(6));
            for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
                const qsizetype at = rng.bounded(int(bytes.size()));
                switch (rng.bounded(3)) {
                case 0: bytes[at] = alphabet[rng.bounded(int(sizeof alphabet))]; break;
                case 1: bytes.remove(at, 1 + rng.bounded(8)); break;
                default: bytes.insert(at, alphabet[rng.bounded(int(sizeof alphabet))]); break;
                }
            }
        } else {
            bytes.resize(rng.bounded(200));
            for (auto& b : bytes)
                b = alphabet[rng.bounded(int(sizeof alphabet))];
        }
        try {
            const StudyRecord r = meandiff::parseStudyRecord(meandiff::decodeStudyText(bytes));
            ++parsed;
            EXPECT_EQ(r.fields.size(), 14u);
        } catch (const platform::RuntimeError& e) {
            ASSERT_EQ(e.number(), platform::ErrInputPastEnd);
        }
        ++runs;
    }
    EXPECT_GT(runs, 1000);
    EXPECT_GT(parsed, 0);
}
