// The three programs as a person starts them: each executable shows its main
// window on a desktop and keeps running until it is closed; each main window
// shows.
#include "meandiff/frmMain.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QImage>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace {

const char* const kPrograms[] = {"Tarvoss5", "Quellin5", "Morvane5"};

} // namespace

namespace {

// An X display of the test's own (Xvfb), with a window manager on it, as a
// person's desktop has one.
class OwnDisplay {
public:
    OwnDisplay()
    {
        server_.setProgram(QStringLiteral("Xvfb"));
        // -displayfd: the server picks a free display and writes its number.
        server_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                              QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(kWidth).arg(kHeight),
                              QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        server_.start();
        if (!server_.waitForStarted(10000))
            return;
        QByteArray number;
        while (!number.contains('\n') && server_.waitForReadyRead(15000))
            number += server_.readAllStandardOutput();
        if (number.trimmed().isEmpty())
            return;
        name = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
        manager_.setProcessEnvironment(environment());
        manager_.start(QStringLiteral("openbox"), {});
        manager_.waitForStarted(10000);
        QTest::qWait(500);
    }
    ~OwnDisplay()
    {
        for (QProcess* p : {&manager_, &server_}) {
            if (p->state() == QProcess::NotRunning)
                continue;
            p->terminate();
            if (!p->waitForFinished(5000)) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), name);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }
    // The output of an X tool run on this display.
    QString tool(const QString& program, const QStringList& args) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(program, args);
        if (!p.waitForFinished(10000))
            return {};
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 1024;
    QString name;

private:
    QProcess server_;
    QProcess manager_;
};

// Where a program's main window shows on the display: a normal top-level
// window of that title, mapped and viewable. Empty when there is none.
QRect shownMainWindow(const OwnDisplay& display, const QString& title)
{
    const QString tree = display.tool(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    const QRegularExpression line(QStringLiteral("^\\s*(0x[0-9a-f]+) \"%1\":").arg(QRegularExpression::escape(title)),
                                  QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(tree); it.hasNext();) {
        const QString id = it.next().captured(1);
        const QString type =
            display.tool(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_WINDOW_TYPE")});
        // Qt lists the normal type after any other (a splash is SPLASH, NORMAL).
        if (!type.contains(QLatin1String("= _NET_WM_WINDOW_TYPE_NORMAL")))
            continue;
        const QString info = display.tool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
        if (!info.contains(QLatin1String("Map State: IsViewable")))
            continue;
        auto field = [&](const char* label) {
            const QRegularExpression f(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(label)));
            return f.match(info).captured(1).toInt();
        };
        return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                     field("Height"));
    }
    return {};
}

} // namespace

// Each program, started as a person starts it on a desktop, shows its main
// window, whole on the screen, and keeps running until it is closed.
TEST(Programs, StartShowTheMainWindowAndStayUpUntilClosed)
{
    for (const char* tool : {"Xvfb", "openbox", "xwininfo", "xprop"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            FAIL() << tool << " is needed (scripts/deps.sh installs it)";
    const OwnDisplay display;
    ASSERT_FALSE(display.name.isEmpty()) << "Xvfb did not start";
    const QStringList titles = {QStringLiteral("Tarvoss"), QStringLiteral("Quellin"), QStringLiteral("Morvane")};
    std::vector<std::unique_ptr<QProcess>> procs;
    for (const char* name : kPrograms) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(display.environment());
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(QStringLiteral(SUITE_BIN_DIR "/") + QString::fromLatin1(name), {});
        EXPECT_TRUE(p->waitForStarted(15000)) << name << ": " << p->errorString().toStdString();
        procs.push_back(std::move(p));
    }
    QElapsedTimer started;
    started.start();
    // All three run side by side: each main window comes up whole on the
    // screen, and after two seconds each program is still running.
    const QRect screen(0, 0, OwnDisplay::kWidth, OwnDisplay::kHeight);
    std::vector<QRect> shown(procs.size());
    for (;;) {
        bool all = true;
        for (size_t i = 0; i < procs.size(); ++i) {
            shown[i] = shownMainWindow(display, titles[int(i)]);
            all = all && !shown[i].isEmpty();
        }
        if ((all && started.elapsed() >= 2000) || started.elapsed() > 60000)
            break;
        QTest::qWait(250);
    }
    for (size_t i = 0; i < procs.size(); ++i) {
        QProcess& p = *procs[i];
        EXPECT_FALSE(shown[i].isEmpty()) << kPrograms[i] << ": no main window shows";
        EXPECT_TRUE(shown[i].isEmpty() || screen.contains(shown[i])) << kPrograms[i] << ": the main window at " << shown[i].x() << ","
                                               << shown[i].y() << " " << shown[i].width() << "x"
                                               << shown[i].height() << " is not whole on the screen";
        EXPECT_EQ(p.state(), QProcess::Running)
            << kPrograms[i] << " ended (exit code " << p.exitCode() << "): " << p.readAll().toStdString();
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
        // The window is the one at its place, and what reached the screen
        // there is the window drawn (menus, toolbar, boxes), not an empty area.
        EXPECT_EQ(QApplication::topLevelAt(w->geometry().center()), w.get()) << kPrograms[i];
        const QImage shown = w->screen()->grabWindow(w->winId()).toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < shown.height(); y += 3)
            for (int x = 0; x < shown.width(); x += 3)
                colours.insert(shown.pixel(x, y));
        EXPECT_GT(colours.size(), 8) << kPrograms[i] << ": " << shown.width() << "x" << shown.height();
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
