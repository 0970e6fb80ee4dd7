// The three programs as a person starts them: each executable comes up
// headless and keeps running until it is closed; each main window shows.
#include "meandiff/frmMain.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "testkit/QtTestKit.h"

#include <QMainWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
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
