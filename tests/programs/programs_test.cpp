// The three programs as a person starts them: each executable comes up
// headless and keeps running until it is closed; each main window shows.
#include "meandiff/frmMain.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "testkit/QtTestKit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace {

const char* const kPrograms[] = {"Tarvoss5", "Quellin5", "Morvane5"};

} // namespace

TEST(Programs, StartHeadlessAndStayUpUntilClosed)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    std::vector<std::unique_ptr<QProcess>> procs;
    for (const char* name : kPrograms) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(QStringLiteral(SUITE_BIN_DIR "/") + QString::fromLatin1(name), {});
        EXPECT_TRUE(p->waitForStarted(15000)) << name << ": " << p->errorString().toStdString();
        procs.push_back(std::move(p));
    }
    // All three run side by side; after two seconds each must still be up.
    QTest::qWait(2000);
    for (size_t i = 0; i < procs.size(); ++i) {
        QProcess& p = *procs[i];
        EXPECT_EQ(p.state(), QProcess::Running)
            << kPrograms[i] << " ended (exit code " << p.exitCode() << "): "
            << p.readAll().toStdString();
    }
    for (auto& p : procs) {
        if (p->state() == QProcess::NotRunning)
            continue;
        p->terminate();
        if (!p->waitForFinished(10000)) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
}

TEST(Programs, EachMainWindowShows)
{
    testkit::MsgBoxScript boxes; // any box at start-up takes its first button
    const std::function<QMainWindow*()> makers[] = {
        [] { return new tarvoss::frmMain; },
        [] { return new quellin::frmMain; },
        [] { return new morvane::frmMain; },
    };
    for (size_t i = 0; i < std::size(makers); ++i) {
        std::unique_ptr<QMainWindow> w(makers[i]());
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get(), 10000)) << kPrograms[i];
        EXPECT_TRUE(w->isVisible()) << kPrograms[i];
        w->hide();
    }
}

namespace {

// The settings file of a program, written as a person (or a broken disk)
// might leave it: every stored number the program reads at start holds the
// same odd value.
void writeSettingsFile(const QString& program, const QString& value)
{
    platform::setAppInfo({program, program + QLatin1Char('5'), 5, 0, 0});
    const QString path = QSettings(program, program).fileName();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    QByteArray text = "[Settings]\n";
    for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight", "Tab"})
        text += QByteArray(key) + '=' + value.toUtf8() + '\n';
    f.write(text);
}

QStringList oddStoredNumbers()
{
    return {QStringLiteral("1e999"), QStringLiteral("-1e999"), QString(400, QLatin1Char('9')),
            QStringLiteral("4.9406564584124654e-324"), QStringLiteral("3.4e38"), QStringLiteral("-3.4e38"),
            QStringLiteral("1.7976931348623157e308"), QStringLiteral("2147483648"), QStringLiteral("-2147483649"),
            QStringLiteral("32241"), QStringLiteral("nan"), QStringLiteral("inf"), QStringLiteral("1,5"),
            QStringLiteral("@Invalid()"), QStringLiteral("@Variant(garbage)"), QStringLiteral("\"\""),
            QString()};
}

} // namespace

// Whatever the settings file holds, each main window opens, at a place on a
// screen's scale: a stored position that is no usable number gives the
// first-start place.
TEST(Programs, OddStoredNumbersInTheSettingsFileDoNotStopAStart)
{
    testkit::MsgBoxScript boxes;
    const std::pair<const char*, std::function<QMainWindow*()>> makers[] = {
        {"Tarvoss", [] { return new tarvoss::frmMain; }},
        {"Quellin", [] { return new quellin::frmMain; }},
        {"Morvane", [] { return new morvane::frmMain; }},
    };
    for (const QString& value : oddStoredNumbers()) {
        for (const auto& [program, make] : makers) {
            SCOPED_TRACE(std::string(program) + " with " + value.left(24).toStdString());
            writeSettingsFile(QString::fromLatin1(program), value);
            std::unique_ptr<QMainWindow> w;
            ASSERT_NO_THROW(w.reset(make()));
            w->show();
            testkit::settle();
            EXPECT_TRUE(w->isVisible());
            EXPECT_LE(std::abs(w->x()), 100000);
            EXPECT_LE(std::abs(w->y()), 100000);
            // 32241 twips is 2149 pixels: a place a large screen has.
            if (value == QLatin1String("32241"))
                EXPECT_EQ(w->pos(), QPoint(2149, 2149));
            else if (value.startsWith(QLatin1String("4.94")))
                EXPECT_EQ(w->pos(), QPoint(0, 0));
            else
                EXPECT_EQ(w->pos(), QPoint(67, 67)) << "1000 twips, the first-start place";
            w->hide();
        }
    }
    for (const char* program : {"Tarvoss", "Quellin", "Morvane"})
        QFile::remove(QSettings(QString::fromLatin1(program), QString::fromLatin1(program)).fileName());
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
}

// The same as a person meets it: the programs themselves start with a
// settings file whose stored position is too large for a number.
TEST(Programs, StartWithAPositionTooLargeForANumberInTheSettingsFile)
{
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    std::vector<std::unique_ptr<QProcess>> procs;
    for (const char* program : {"Tarvoss", "Quellin", "Morvane"}) {
        const QString dir = config.filePath(QString::fromLatin1(program));
        QDir().mkpath(dir);
        QFile f(dir + QLatin1Char('/') + QString::fromLatin1(program) + QStringLiteral(".conf"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Settings]\nMainLeft=1e999\nMainTop=-1e999\n");
        f.close();
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(QStringLiteral(SUITE_BIN_DIR "/") + QString::fromLatin1(program) + QStringLiteral("5"), {});
        EXPECT_TRUE(p->waitForStarted(15000)) << program;
        procs.push_back(std::move(p));
    }
    QTest::qWait(2000);
    for (size_t i = 0; i < procs.size(); ++i) {
        QProcess& p = *procs[i];
        EXPECT_EQ(p.state(), QProcess::Running)
            << kPrograms[i] << " ended (exit code " << p.exitCode() << "): " << p.readAll().toStdString();
        if (p.state() == QProcess::NotRunning)
            continue;
        p.terminate();
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished(5000);
        }
    }
}
