// A middle-button click pastes the X11 selection into a line box. On the X11
// platform, with the selection owned by another program and the click made
// through the X server, a selection that would take the box beyond its limit
// is refused whole and at once, with the box's message; one that fits goes
// in whole, however many units of a QString its characters take.
#include "XTestInput.h"
#include "meandiff/frmMain.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/Settings.h"
#include "shell/TextBox.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QSocketNotifier>
#include <QTest>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

const char* const kOwnerVariable = "PASTE_X11_SELECTION";
const char* const kReady = "SELECTION-OWNED";

// The selection's text: `count` times 'p', or `count` emoji (two units each).
QString selectionText(char kind, qsizetype count)
{
    return kind == 'e' ? QString::fromUtf8("\U0001F600").repeated(count) : QString(count, QLatin1Char('p'));
}

// Another program that selects a text: this test program again, running
// only the test SelectionOwner.Serve. It owns the X11 selection until its
// input is closed.
class SelectionOwner {
public:
    SelectionOwner(char kind, qsizetype count)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kOwnerVariable), QStringLiteral("%1:%2").arg(QLatin1Char(kind)).arg(count));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--gtest_filter=SelectionOwner.Serve")});
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (!out.contains(kReady) && t.elapsed() < 120000 && process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(1000);
            out += process_.readAllStandardOutput();
        }
        ready_ = out.contains(kReady);
    }
    ~SelectionOwner()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(30000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    bool ready() const { return ready_; }

private:
    QProcess process_;
    bool ready_ = false;
};

struct Program {
    const char* title;
    const char* exe;
    std::function<std::unique_ptr<frame::MainFrame>()> make;
};

std::vector<Program> programs()
{
    return {
        {"Tarvoss", "Tarvoss5", [] { return std::make_unique<tarvoss::frmMain>(); }},
        {"Quellin", "Quellin5", [] { return std::make_unique<quellin::frmMain>(); }},
        {"Morvane", "Morvane5", [] { return std::make_unique<morvane::frmMain>(); }},
    };
}

std::unique_ptr<frame::MainFrame> showProgram(const Program& p)
{
    platform::setAppInfo({QString::fromLatin1(p.title), QString::fromLatin1(p.exe), 5, 0, 0});
    platform::deleteSetting(QStringLiteral("MRUFiles"));
    platform::setCommandArguments({});
    std::unique_ptr<frame::MainFrame> w = p.make();
    w->move(0, 0);
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
}

QString nameOf(const QLineEdit* box)
{
    const QObject* named = box->objectName().isEmpty() ? box->parent() : box;
    return named->objectName();
}

// A point of the box on the screen where the box itself is shown (another
// control may lie over part of it): the one nearest its middle.
std::optional<QPoint> visiblePoint(QLineEdit* box)
{
    const QPoint middle(box->width() / 2, box->height() / 2);
    QPoint best;
    int bestDistance = -1;
    for (int y = 1; y < box->height() - 1; ++y)
        for (int x = 1; x < box->width() - 1; x += 2) {
            const int distance = (QPoint(x, y) - middle).manhattanLength();
            if ((bestDistance < 0 || distance < bestDistance) &&
                QApplication::widgetAt(box->mapToGlobal(QPoint(x, y))) == box) {
                best = QPoint(x, y);
                bestDistance = distance;
            }
        }
    if (bestDistance < 0)
        return std::nullopt;
    return box->mapToGlobal(best);
}

// The boxes of each kind the window has: its first record box, and the
// line box of an editable combo box when one is shown where it can be
// clicked.
QList<QLineEdit*> boxesOf(QWidget* w)
{
    QList<QLineEdit*> boxes{testkit::find<QLineEdit>(w, QStringLiteral("TxtID"))};
    for (auto* combo : w->findChildren<QComboBox*>())
        if (combo->isEditable() && combo->isVisible() && visiblePoint(combo->lineEdit())) {
            boxes << combo->lineEdit();
            break;
        }
    return boxes;
}

// Middle-clicks the box through the X server; returns once the box's text
// changed or a message was shown (or after a minute), with the time taken.
qint64 middleClick(QLineEdit* box, const testkit::MsgBoxScript& msgs)
{
    const QString before = box->text();
    const std::optional<QPoint> shown = visiblePoint(box);
    EXPECT_TRUE(shown) << "no point of " << nameOf(box).toStdString() << " is shown";
    const QPoint at = shown.value_or(box->mapToGlobal(box->rect().center()));
    EXPECT_TRUE(box->screen()->geometry().contains(at)) << nameOf(box).toStdString();
    QElapsedTimer t;
    t.start();
    pastex11::clickAt(at, 2);
    (void)QTest::qWaitFor([&] { return msgs.count() > 0 || box->text() != before; }, 60000);
    const qint64 took = t.elapsed();
    testkit::settle(50);
    return took;
}

// Refused at once: the fault took 80 s to cut the text.
constexpr qint64 kAtOnceMs = 10000;

} // namespace

// The other program of these tests, started by them: owns the selection.
TEST(SelectionOwner, Serve)
{
    const QByteArray spec = qgetenv(kOwnerVariable);
    if (spec.isEmpty())
        GTEST_SKIP() << "started by the other tests as the program that owns the selection";
    const QList<QByteArray> parts = spec.split(':');
    ASSERT_EQ(parts.size(), 2);
    QClipboard* clipboard = QApplication::clipboard();
    ASSERT_TRUE(clipboard->supportsSelection());
    clipboard->setText(selectionText(parts[0].at(0), parts[1].toLongLong()), QClipboard::Selection);
    ASSERT_TRUE(QTest::qWaitFor([&] { return clipboard->ownsSelection(); }, 10000));
    std::printf("%s\n", kReady);
    std::fflush(stdout);
    QEventLoop loop;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &loop, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            loop.quit();
    });
    loop.exec();
}

TEST(MiddleClickPaste, RunsOnX11WithTheServersTestExtension)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    ASSERT_TRUE(QApplication::clipboard()->supportsSelection());
    ASSERT_TRUE(pastex11::haveXTest());
}

// A selection of one character more than a box holds, middle-clicked into
// an empty box of each kind of each program: refused whole, at once, with
// the message; the box stays empty.
TEST(MiddleClickPaste, ASelectionBeyondTheLimitIsRefusedWholeAndAtOnce)
{
    SelectionOwner owner('p', shell::kLongestBoxText + 1);
    ASSERT_TRUE(owner.ready());
    const QStringList tooLong{shell::textTooLongMessage(shell::kLongestBoxText)};
    for (const Program& p : programs()) {
        std::unique_ptr<frame::MainFrame> w = showProgram(p);
        for (QLineEdit* box : boxesOf(w.get())) {
            SCOPED_TRACE(std::string(p.title) + " " + nameOf(box).toStdString());
            box->clear();
            testkit::MsgBoxScript msgs;
            const qint64 took = middleClick(box, msgs);
            EXPECT_EQ(msgs.texts(), tooLong);
            EXPECT_LT(took, kAtOnceMs);
            EXPECT_EQ(box->text(), QString());
        }
        w->RecordChanged(true);
    }
}

// Near the limit: a box six characters short of it refuses twenty
// characters whole (nothing of them is taken in) and takes six emoji whole,
// though they take twelve units of a QString; a seventh emoji is refused.
TEST(MiddleClickPaste, NearTheLimitTheSelectionGoesInWholeOrNotAtAll)
{
    const QString almost(shell::kLongestBoxText - 6, QLatin1Char('a'));
    const QStringList tooLong{shell::textTooLongMessage(shell::kLongestBoxText)};
    struct Case {
        char kind;
        int count;
        bool taken;
    };
    for (const Case c : {Case{'p', 20, false}, Case{'e', 6, true}, Case{'e', 7, false}}) {
        SelectionOwner owner(c.kind, c.count);
        ASSERT_TRUE(owner.ready());
        const QString selection = selectionText(c.kind, c.count);
        for (const Program& p : programs()) {
            std::unique_ptr<frame::MainFrame> w = showProgram(p);
            QLineEdit* box = boxesOf(w.get()).first();
            SCOPED_TRACE(std::string(p.title) + " " + c.kind + QByteArray::number(c.count).toStdString());
            box->setText(almost);
            testkit::MsgBoxScript msgs;
            const qint64 took = middleClick(box, msgs);
            EXPECT_LT(took, kAtOnceMs);
            if (c.taken) {
                EXPECT_EQ(msgs.count(), 0);
                // In at the cursor, where the click put it.
                EXPECT_EQ(box->text().size(), almost.size() + selection.size());
                EXPECT_EQ(shell::characterCount(box->text()), shell::kLongestBoxText);
                EXPECT_TRUE(box->text().contains(selection));
            } else {
                EXPECT_EQ(msgs.texts(), tooLong);
                EXPECT_EQ(box->text().size(), almost.size());
            }
            w->RecordChanged(true);
        }
    }
}
