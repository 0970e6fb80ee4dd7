// The database copy: blocks, the replaced destination, refusals, and the
// elapsed, remaining and rate texts.
#include "export_fixtures.h"
#include "metadb/FileCopy.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

using namespace metadb;
using exportfixtures::pattern;
using exportfixtures::readAll;
using exportfixtures::writeFile;

namespace {

TEST(FormatElapsed, MinutesAndTwoDigitSeconds)
{
    const std::pair<double, const char*> cases[] = {
        {4.3, "0:04"}, {65.4, "1:05"}, {600, "10:00"}, {0, "0:00"}, {59.99, "0:59"}, {-65.4, "1:05"},
        {3600 * 10 + 7, "600:07"}, {32767.0 * 60 + 59, "32767:59"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(FormatElapsed(seconds), QString::fromLatin1(text)) << seconds;
    EXPECT_THROW(FormatElapsed(32768.0 * 60), platform::RuntimeError);
}

TEST(TimeRemaining, TruncatedMinutesRoundedSeconds)
{
    struct Case {
        const char* percent;
        qint64 elapsed;
        const char* text;
    };
    const Case cases[] = {
        {"25", 30, "00:01:30"},
        {"100", 30, "00:00:00"},
        {"0", 30, ""},
        {"-5", 30, ""},
        {"1", 3600, "99:00:00"},          // 356,400 s
        {"50", 3723, "01:02:03"},
        {"96", 1404, "00:00:58"},         // R = 58.5: halves go to the even second
        {"96", 1476, "00:01:02"},         // R = 61.5 -> 62
        {"75", 178, "00:00:59"},          // R = 59.33
        {"75", 179, "00:00:00"},          // R = 59.67: minutes truncated to 0, seconds rounded to 60, so 0
        {"abc", 30, "Error"},
        {"", 30, "Error"},
        {"0.0000001", 3600, "Error"},     // beyond the range of the minutes
    };
    for (const Case& c : cases)
        EXPECT_EQ(TimeRemaining(QString::fromLatin1(c.percent), c.elapsed), QString::fromLatin1(c.text))
            << c.percent << " " << c.elapsed;
}

TEST(RateText, KilobytesWithOneDecimal)
{
    EXPECT_EQ(rateText(0), QStringLiteral("0.0"));
    EXPECT_EQ(rateText(256), QStringLiteral("0.3"));    // 0.25 rounds up
    EXPECT_EQ(rateText(1024), QStringLiteral("1.0"));
    EXPECT_EQ(rateText(3 * 1048576), QStringLiteral("3072.0"));
    EXPECT_EQ(rateText(10 * 1024 * 1024 + 100), QStringLiteral("10240.1"));
    EXPECT_EQ(percentDone(2097152, 3145728), 66);
    EXPECT_EQ(percentDone(3145728, 3145728), 100);
    EXPECT_EQ(percentDone(0, 0), 0);
}

TEST(CopyFileInBlocks, BlocksAndReplacedDestination)
{
    QTemporaryDir dir;
    const qint64 B = 4096;
    struct Case {
        const char* name;
        qint64 size;
        qint64 existingDestination;   // bytes already there, -1 for none
        std::vector<qint64> blocks;
    };
    const Case cases[] = {
        {"exact multiple", 3 * B, -1, {B, B, B}},
        {"smaller than a block", 100, -1, {100}},
        {"one byte over", B + 1, -1, {B, 1}},
        {"onto a longer file", 2 * B + 7, 10 * B, {B, B, 7}},
        {"onto a shorter file", B / 2, 3, {B / 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString src = dir.filePath(QStringLiteral("src.met"));
        const QString dst = dir.filePath(QStringLiteral("dst.mdb"));
        QFile::remove(dst);
        const QByteArray bytes = pattern(c.size);
        writeFile(src, bytes);
        if (c.existingDestination >= 0)
            writeFile(dst, QByteArray(static_cast<qsizetype>(c.existingDestination), 'x'));
        std::vector<qint64> seen;
        std::vector<qint64> copied;
        std::vector<bool> last;
        copyFileInBlocks(src, dst, B, [&](const CopyBlock& b) {
            seen.push_back(b.length);
            copied.push_back(b.copied);
            last.push_back(b.last);
            EXPECT_EQ(b.total, c.size);
        });
        EXPECT_EQ(seen, c.blocks);
        EXPECT_EQ(copied.back(), c.size);
        EXPECT_TRUE(last.back());
        EXPECT_EQ(std::count(last.begin(), last.end(), true), 1);
        EXPECT_EQ(readAll(dst), bytes);
        EXPECT_EQ(readAll(src), bytes);
    }
}

TEST(CopyFileInBlocks, DefaultBlockOfThreeMegabytesGivesTwoBlocks)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("three.met"));
    writeFile(src, pattern(3 * 1048576));
    std::vector<int> percents;
    copyFileInBlocks(src, dir.filePath(QStringLiteral("three.mdb")), 2 * 1048576,
                     [&](const CopyBlock& b) { percents.push_back(percentDone(b.copied, b.total)); });
    EXPECT_EQ(percents, std::vector<int>({66, 100}));
}

TEST(CopyFileInBlocks, RefusalsLeaveTheDestinationAlone)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("s.met"));
    const QString dst = dir.filePath(QStringLiteral("d.mdb"));
    writeFile(src, pattern(5000));
    writeFile(dst, "keep me");
    auto number = [](const QString& s, const QString& d) {
        try {
            copyFileInBlocks(s, d, 1024, {});
        } catch (const platform::RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(number(dir.filePath(QStringLiteral("missing.met")), dst), platform::ErrFileNotFound);
    EXPECT_EQ(number(dir.path(), dst), platform::ErrFileNotFound);
    EXPECT_EQ(number(src, src), platform::ErrPathFileAccess);
    EXPECT_EQ(number(src, dir.filePath(QStringLiteral("./s.met"))), platform::ErrPathFileAccess);
    EXPECT_EQ(number(src, dir.filePath(QStringLiteral("no/folder/d.mdb"))), platform::ErrPathFileAccess);
    EXPECT_EQ(number(src, dir.path()), platform::ErrPathFileAccess);
    const QString empty = dir.filePath(QStringLiteral("empty.met"));
    writeFile(empty, {});
    EXPECT_EQ(number(empty, dst), platform::ErrPathFileAccess);
    EXPECT_EQ(readAll(dst), QByteArray("keep me"));
    EXPECT_EQ(readAll(src), pattern(5000));
    // Nothing but the three files: no temporary file stays behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);

    // A failure in the middle of the copy leaves the destination as it was.
    try {
        copyFileInBlocks(src, dst, 1024, [](const CopyBlock& b) {
            if (b.copied >= 2048)
                throw platform::errOverflow();
        });
        ADD_FAILURE() << "the copy went on";
    } catch (const platform::RuntimeError&) {
    }
    EXPECT_EQ(readAll(dst), QByteArray("keep me"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

// A database left half written by a killed process: the copy holds the
// database as last committed, not the torn bytes, and goes on to a second
// copy the same way.
TEST(CopyFileInBlocks, ADatabaseIsCopiedAsLastCommitted)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("torn.met"));
    exportfixtures::makeTornDatabase(src, 20000);
    // The bytes alone are torn: new values in part of the rows (or no
    // readable database at all).
    const QString bytesOnly = dir.filePath(QStringLiteral("bytes-only.met"));
    writeFile(bytesOnly, readAll(src));
    EXPECT_NE(exportfixtures::oldAndNew(bytesOnly), std::make_pair(20000, 0));

    const QString dst = dir.filePath(QStringLiteral("copy.mdb"));
    writeFile(dst, "an older, longer file that is replaced");
    std::vector<CopyBlock> blocks;
    copyFileInBlocks(src, dst, 1048576, [&](const CopyBlock& b) { blocks.push_back(b); });
    EXPECT_EQ(exportfixtures::oldAndNew(dst), std::make_pair(20000, 0));
    // The source is rolled back as well, its journal gone.
    EXPECT_FALSE(QFile::exists(src + QStringLiteral("-journal")));
    EXPECT_EQ(exportfixtures::oldAndNew(src), std::make_pair(20000, 0));
    // Steps of whole pages, counted up to the database's size.
    ASSERT_GE(blocks.size(), 2u);
    EXPECT_TRUE(blocks.back().last);
    EXPECT_EQ(blocks.back().copied, blocks.back().total);
    EXPECT_EQ(blocks.back().total, QFileInfo(dst).size());
    EXPECT_EQ(percentDone(blocks.back().copied, blocks.back().total), 100);
    // No temporary file stays behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

} // namespace
