// The three main windows and the study database window resized as a person
// would drag them: at 80 % and 130 % every control, labels included, sits at
// its designed place scaled, so each label stays beside its box; back at the
// designed size every control is where it began.
#include "meandiff/frmMain.h"
#include "metadb/frmMetData.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "shell/Resize.h"
#include "testkit/LayoutCheck.h"
#include "testkit/QtTestKit.h"

#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QWidget* client(QWidget* w)
{
    if (auto* mw = qobject_cast<QMainWindow*>(w))
        return mw->centralWidget();
    return w;
}

// Each control's place in the frame, page or window that holds it (the
// proportional layout scales each control within its holder; a tab page
// starts below the tab strip, whose height does not scale).
QHash<QWidget*, QRect> places(QWidget* window)
{
    QHash<QWidget*, QRect> out;
    for (QWidget* c : shell::Resize::FormControls(window))
        out.insert(c, c->geometry());
    return out;
}

int labelsIn(const QHash<QWidget*, QRect>& p)
{
    int n = 0;
    for (auto it = p.begin(); it != p.end(); ++it)
        n += qobject_cast<QLabel*>(it.key()) ? 1 : 0;
    return n;
}

// The option "f" of the second conversion tab and the labels that make its
// caption "f² to R²A": the window sets them by the letters of the caption,
// whose indicator does not scale (tested with the tab).
bool setByTheirLetters(QWidget* c)
{
    static const QStringList names = {"opFSQtoRSQ", "Label47", "Label48", "Label49", "Label50", "Label51"};
    return c->parentWidget() && c->parentWidget()->objectName() == QLatin1String("TabConversions2") &&
           names.contains(c->objectName());
}

void resizeInner(QWidget* window, QSize inner)
{
    const QSize chrome = window->size() - client(window)->size();
    window->resize(inner + chrome);
    testkit::settle();
}

void expectControlsFollow(QWidget* window)
{
    window->show();
    testkit::settle();
    const QSize designed = client(window)->size();
    const QHash<QWidget*, QRect> before = places(window);
    // The captions are laid out with the boxes, named or not.
    EXPECT_GT(labelsIn(before), 0);
    // A person looks at every tab first: the tab control raises each page
    // it brings forward, which changes the order of its pages.
    for (QTabWidget* t : window->findChildren<QTabWidget*>()) {
        const int was = t->currentIndex();
        for (int i = 0; i < t->count(); ++i)
            t->setCurrentIndex(i);
        t->setCurrentIndex(was);
    }
    testkit::settle();
    for (const double f : {0.8, 1.3}) {
        SCOPED_TRACE(f);
        const QSize inner(qRound(designed.width() * f), qRound(designed.height() * f));
        resizeInner(window, inner);
        const double fx = double(client(window)->width()) / designed.width();
        const double fy = double(client(window)->height()) / designed.height();
        const QHash<QWidget*, QRect> now = places(window);
        int wrong = 0;
        for (auto it = before.begin(); it != before.end(); ++it) {
            if (it.value().x() < -1000)
                continue;   // parked off to the left on purpose
            if (setByTheirLetters(it.key()))
                continue;
            const QRect r = now.value(it.key());
            const QRect& b = it.value();
            // Whole-percent scaling and twips rounding: within 2 px of the
            // proportional place (plus 1 px per 100 px of distance).
            const auto near = [](int got, double want) { return std::abs(got - want) <= 2 + std::abs(want) / 100; };
            if (!near(r.x(), b.x() * fx) || !near(r.y(), b.y() * fy) || !near(r.width(), b.width() * fx)) {
                if (++wrong <= 5)
                    ADD_FAILURE() << testkit::controlLabel(it.key()).toStdString() << " at " << r.x() << ","
                                  << r.y() << " " << r.width() << " wide; designed " << b.x() << "," << b.y() << " "
                                  << b.width();
            }
        }
        EXPECT_EQ(wrong, 0);
    }
    resizeInner(window, designed);
    const QHash<QWidget*, QRect> after = places(window);
    for (auto it = before.begin(); it != before.end(); ++it)
        EXPECT_EQ(after.value(it.key()), it.value()) << testkit::controlLabel(it.key()).toStdString();
}

} // namespace

TEST(ResizeProgramWindows, EveryControlOfTheMainWindowsFollowsTheWindow)
{
    testkit::MsgBoxScript msgs;
    const std::pair<const char*, std::function<QMainWindow*()>> windows[] = {
        {"Tarvoss", [] { return new tarvoss::frmMain; }},
        {"Quellin", [] { return new quellin::frmMain; }},
        {"Morvane", [] { return new morvane::frmMain; }},
    };
    for (const auto& [title, make] : windows) {
        SCOPED_TRACE(title);
        platform::setAppInfo({QString::fromLatin1(title), QString::fromLatin1(title) + QLatin1Char('5'), 5, 0, 0});
        // The three main windows share one name: each is laid out against
        // its own design.
        shell::Resize::ForgetRecords();
        std::unique_ptr<QMainWindow> w(make());
        expectControlsFollow(w.get());
        w->close();
    }
}

TEST(ResizeProgramWindows, EveryControlOfTheStudyDatabaseWindowFollowsTheWindow)
{
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
    QTemporaryDir dir;
    testkit::MsgBoxScript msgs;
    shell::Resize::ForgetRecords();
    QPointer<metadb::frmMetData> w = metadb::showMetData();
    testkit::settle();
    {
        testkit::FileDialogScript dialogs({dir.filePath(QStringLiteral("resize.met"))});
        testkit::find<QPushButton>(w, QStringLiteral("cmdNewDB"))->click();
    }
    expectControlsFollow(w);
    if (w)
        w->close();
    testkit::settle();
}

