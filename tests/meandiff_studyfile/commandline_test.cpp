// The command line: rebuilt from the program's arguments, then read by the
// main window's rules.
#include "frame/CommandLine.h"
#include "platform/AppInfo.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "TestWindow.h"

using frame::CommandLineAction;

namespace {

QString touch(const QTemporaryDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    return path;
}

} // namespace

TEST(CommandLineRebuild, ArgumentsBecomeTheOneLineTheWindowsRead)
{
    QTemporaryDir dir;
    const QString plain = touch(dir, "plain.tvq");
    const QString blanks = touch(dir, "My Studies/with blank.tvq");
    const QString twoBlanks = touch(dir, "two  blanks.tvq");
    const QString other = touch(dir, "other.tvq");
    const QString q = QStringLiteral("\"");

    EXPECT_EQ(platform::buildCommandLine({}), QString());
    EXPECT_EQ(platform::buildCommandLine({QString()}), QString());
    // One argument, as a launcher passes %f.
    EXPECT_EQ(platform::buildCommandLine({plain}), plain);
    EXPECT_EQ(platform::buildCommandLine({blanks}), q + blanks + q);
    EXPECT_EQ(platform::buildCommandLine({twoBlanks}), q + twoBlanks + q);
    // A path with blanks that was not quoted arrives as words.
    EXPECT_EQ(platform::buildCommandLine(blanks.split(' ')), q + blanks + q);
    // Several files: each quoted.
    EXPECT_EQ(platform::buildCommandLine({plain, blanks}), q + plain + "\" \"" + blanks + q);
    EXPECT_EQ(platform::buildCommandLine(QStringList{other} + blanks.split(' ')), q + other + "\" \"" + blanks + q);
    // A path that carries its own pair of quotes, passed as one argument, is
    // the path.
    EXPECT_EQ(platform::buildCommandLine({q + blanks + q}), q + blanks + q);
    EXPECT_EQ(platform::buildCommandLine({q + plain + q}), plain);
    EXPECT_EQ(platform::buildCommandLine({q + plain + q, q + blanks + q}), q + plain + "\" \"" + blanks + q);
    EXPECT_EQ(platform::buildCommandLine({q + q}), QString());
    EXPECT_EQ(platform::buildCommandLine({q}), q);
    // Words that name nothing stay words.
    EXPECT_EQ(platform::buildCommandLine({"a", "b.tvq"}), QStringLiteral("\"a\" \"b.tvq\""));

    platform::setCommandArguments(blanks.split(' '));
    EXPECT_EQ(platform::commandLine(), q + blanks + q);
    platform::setCommandArguments({});
}

TEST(CommandLineRules, WhatTheWindowDoes)
{
    QTemporaryDir dir;
    const QString a = touch(dir, "a.tvq");
    const QString b = touch(dir, "with blank.TVQ");
    const QString missing = dir.filePath("missing.tvq");
    const QString db = dir.filePath("Studies.Met");
    const QString q = QStringLiteral("\"");

    struct Case {
        QString line;
        CommandLineAction::Kind kind;
        QString path;
    };
    const QList<Case> cases = {
        {QString(), CommandLineAction::Nothing, {}},
        {a, CommandLineAction::OpenStudy, a},
        {q + b + q, CommandLineAction::OpenStudy, b},
        {b, CommandLineAction::OpenStudy, b},   // blanks, no quotes: one piece
        {q + a + "\" \"" + b + q, CommandLineAction::OpenStudy, b},
        {q + b + "\" \"" + a + q, CommandLineAction::OpenStudy, a},
        {q + a + "\" \"" + missing + q, CommandLineAction::OpenStudy, a},   // the last one that exists
        {missing, CommandLineAction::OpenStudy, {}},
        {a + " " + b, CommandLineAction::OpenStudy, {}},   // unquoted pair names no file
        {q + db + q, CommandLineAction::OpenDatabase, db},
        {db, CommandLineAction::OpenDatabase, db},
        {db.toLower(), CommandLineAction::OpenDatabase, db.toLower()},
        {dir.filePath("notes.txt"), CommandLineAction::Nothing, {}},
        {q + a + q + " -x", CommandLineAction::Nothing, {}},
        {q, CommandLineAction::Nothing, {}},
        {"tvq", CommandLineAction::OpenStudy, {}},
    };
    for (const Case& c : cases) {
        const CommandLineAction got = frame::interpretCommandLine(c.line);
        EXPECT_EQ(got.kind, c.kind) << c.line.toStdString();
        EXPECT_EQ(got.path, c.path) << c.line.toStdString();
    }
    EXPECT_EQ(frame::databasePathFromCommandLine(q + db + q), db);
    EXPECT_EQ(frame::databasePathFromCommandLine(a), QString());
}

TEST(CommandLineRules, ArbitraryTextNeverFails)
{
    QRandomGenerator rng(7);
    const QString alphabet = QStringLiteral("\" .tvqTVQmetMET/\\x");
    for (int i = 0; i < 20000; ++i) {
        QString line;
        const int n = rng.bounded(24);
        for (int k = 0; k < n; ++k)
            line += alphabet[rng.bounded(int(alphabet.size()))];
        const CommandLineAction a = frame::interpretCommandLine(line);
        if (a.kind == CommandLineAction::Nothing) {
            EXPECT_TRUE(a.path.isEmpty());
        }
    }
}
