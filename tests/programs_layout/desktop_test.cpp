// Every window of the three programs opened as on a user's desktop: an X
// server with a window manager that frames each window after it is shown and
// a panel that takes a strip of the screen (scripts/xdesktop.sh starts them;
// ctest runs this on screens of 1024 x 768 and 1366 x 768 at scales 1, 1.25,
// 1.5 and 2). What the window manager did is read from the X server itself:
// each window's frame, title bar included, lies inside the work area, and a
// window scaled down to fit is scaled by one factor in both directions.
//
// Without such a desktop (DESKTOP_TEST unset) the test is skipped. With
// DESKTOP_SHOTS set to a folder, a picture of the screen with each window is
// saved there, to look at.
#include "TopWindows.h"
#include "calculators/frmChiSq.h"
#include "calculators/frmConf.h"
#include "calculators/frmCounterNull.h"
#include "calculators/frmCriticalTable.h"
#include "calculators/frmDiffBetGs.h"
#include "calculators/frmDiffBetRsDependent.h"
#include "calculators/frmDiffBetweenRs.h"
#include "calculators/frmDtoOR.h"
#include "calculators/frmESInteract.h"
#include "calculators/frmHierarchicalR.h"
#include "calculators/frmMultipleR.h"
#include "calculators/frmORtoD.h"
#include "calculators/frmSDEstimate.h"
#include "calculators/frmSignificance.h"
#include "calculators/frmWithinES.h"
#include "calculators/frmZDifferences.h"
#include "meandiff/frmMain.h"
#include "metadb/frmAccess.h"
#include "metadb/frmExcel.h"
#include "metadb/frmExport.h"
#include "metadb/frmMetData.h"
#include "metadb/frmProgress.h"
#include "metastats/frmFailSafe.h"
#include "metastats/frmHeterogeneity.h"
#include "outcometable/frmChiTable.h"
#include "outcometable/frmMain.h"
#include "outcometable/frmORToD.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "programs/ProgramTables.h"
#include "shell/Resize.h"
#include "shell/ScreenFit.h"
#include "shell/frmAbout.h"
#include "shell/frmOptions.h"
#include "shell/frmPrint.h"
#include "shell/frmSCalc.h"
#include "testkit/QtTestKit.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>
#include <gtest/gtest.h>

namespace {

// What the X server says about a window: its frame (the window manager's
// window around it, in screen pixels) and where its own area is.
struct XPlace {
    QRect frame;
    QPoint client;
    bool framed = false;
};

class X {
public:
    X()
    {
        if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            c_ = x11->connection();
        if (c_)
            root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    }
    bool ok() const { return c_ != nullptr; }
    QSize screenSize() const
    {
        const xcb_screen_t* s = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
        return {s->width_in_pixels, s->height_in_pixels};
    }

    // The whole screen as the X server shows it, in its own pixels.
    QImage picture() const
    {
        const QSize size = screenSize();
        QImage out;
        xcb_get_image_reply_t* r = xcb_get_image_reply(
            c_,
            xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, 0, 0, uint16_t(size.width()), uint16_t(size.height()),
                          ~0u),
            nullptr);
        if (r && xcb_get_image_data_length(r) >= size.width() * size.height() * 4)
            out = QImage(xcb_get_image_data(r), size.width(), size.height(), QImage::Format_RGB32).copy();
        std::free(r);
        return out;
    }

    QRect workArea() const
    {
        xcb_intern_atom_reply_t* a = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 1, 13, "_NET_WORKAREA"), nullptr);
        QRect r;
        if (a) {
            xcb_get_property_reply_t* p =
                xcb_get_property_reply(c_, xcb_get_property(c_, 0, root_, a->atom, XCB_ATOM_CARDINAL, 0, 4), nullptr);
            if (p && p->format == 32 && xcb_get_property_value_length(p) >= 16) {
                const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(p));
                r = QRect(int(v[0]), int(v[1]), int(v[2]), int(v[3]));
            }
            std::free(p);
        }
        std::free(a);
        return r;
    }

    XPlace place(xcb_window_t w) const
    {
        XPlace out;
        // The frame is the window's ancestor that is a child of the root.
        xcb_window_t top = w;
        for (;;) {
            xcb_query_tree_reply_t* t = xcb_query_tree_reply(c_, xcb_query_tree(c_, top), nullptr);
            if (!t)
                return out;
            const xcb_window_t parent = t->parent;
            std::free(t);
            if (parent == root_ || parent == XCB_WINDOW_NONE)
                break;
            top = parent;
        }
        out.framed = top != w;
        xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, top), nullptr);
        if (g) {
            const int border = 2 * g->border_width;
            out.frame = QRect(g->x, g->y, g->width + border, g->height + border);
        }
        std::free(g);
        xcb_translate_coordinates_reply_t* t =
            xcb_translate_coordinates_reply(c_, xcb_translate_coordinates(c_, w, root_, 0, 0), nullptr);
        if (t)
            out.client = QPoint(t->dst_x, t->dst_y);
        std::free(t);
        return out;
    }

private:
    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = 0;
};

// Waits until the window manager has framed the window and the window has
// stopped moving; its place then.
XPlace settledPlace(const X& x, QWidget* w)
{
    QElapsedTimer clock;
    clock.start();
    XPlace last;
    qint64 stableSince = 0;
    while (clock.elapsed() < 4000) {
        testkit::settle(20);
        const XPlace now = x.place(static_cast<xcb_window_t>(w->winId()));
        if (now.framed && now.frame == last.frame && now.client == last.client) {
            if (clock.elapsed() - stableSince >= 400)
                return now;
        } else {
            stableSince = clock.elapsed();
        }
        last = now;
    }
    return last;
}

class Desktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("DESKTOP_TEST"))
            GTEST_SKIP() << "runs on the desktop that scripts/xdesktop.sh starts";
        ASSERT_EQ(QGuiApplication::platformName(), QLatin1String("xcb"));
        ASSERT_TRUE(x_.ok());
        area_ = x_.workArea();
        // The panel's strip is left out.
        ASSERT_FALSE(area_.isEmpty());
        platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
        shell::installScreenFit();
    }

    // Opens the window as its program does, and looks at where the window
    // manager put it and at what size.
    void expectOnTheScreen(const TopWindow& win)
    {
        SCOPED_TRACE(win.name);
        testkit::MsgBoxScript msgs;
        shell::Resize::ForgetRecords();
        QPointer<QWidget> w(win.make());
        ASSERT_TRUE(w);
        w->show();
        const XPlace p = settledPlace(x_, w);
        ASSERT_TRUE(p.framed) << "the window manager did not frame the window";
        const QString where = QStringLiteral("frame %1x%2 at %3,%4 in the work area %5x%6 at %7,%8")
                                  .arg(p.frame.width())
                                  .arg(p.frame.height())
                                  .arg(p.frame.x())
                                  .arg(p.frame.y())
                                  .arg(area_.width())
                                  .arg(area_.height())
                                  .arg(area_.x())
                                  .arg(area_.y());
        EXPECT_TRUE(area_.contains(p.frame)) << where.toStdString();
        // A title bar above the window's own area, unless it is a window
        // without one (the busy window).
        if (!w->windowFlags().testFlag(Qt::FramelessWindowHint)) {
            EXPECT_GE(p.client.y() - p.frame.y(), 10) << where.toStdString();
        }
        // Scaled down, by one factor: the controls and their fonts keep their
        // proportions.
        const int record = shell::Resize::FindFormEntry(w->objectName());
        const QSize now = shell::Resize::ClientArea(w)->size();
        QSize designed = now;
        if (record >= 0) {
            const shell::Resize::LayoutRecord r = shell::Resize::FormRecords()[size_t(record)];
            designed = QSize(r.ScaleWidth, r.ScaleHeight) / shell::Resize::TwipsPerPixel;
        }
        if (now != designed) {
            const double fw = double(now.width()) / designed.width();
            const double fh = double(now.height()) / designed.height();
            EXPECT_NEAR(fw, fh, 0.02) << "laid out at " << now.width() << "x" << now.height() << " for a design of "
                                      << designed.width() << "x" << designed.height();
            // As large as the work area allows with the window manager's own
            // frame, not one assumed before it framed the window: the side
            // that decides reaches the area's edge, short by less than the
            // whole percent the layout rounds to.
            const double ratio = w->devicePixelRatioF();
            const int slackWidth = int(designed.width() * ratio / 100) + 4;
            const int slackHeight = int(designed.height() * ratio / 100) + 4;
            EXPECT_TRUE(p.frame.width() >= area_.width() - slackWidth ||
                        p.frame.height() >= area_.height() - slackHeight)
                << "scaled to " << fw << " in a " << where.toStdString();
        }
        if (const QString shots = qEnvironmentVariable("DESKTOP_SHOTS"); !shots.isEmpty()) {
            const QString file = QStringLiteral("%1/%2x%3-%4-%5.png")
                                     .arg(shots)
                                     .arg(x_.screenSize().width())
                                     .arg(x_.screenSize().height())
                                     .arg(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")))
                                     .arg(QString::fromLatin1(win.name).replace(QLatin1Char(' '), QLatin1Char('_')));
            testkit::settle(100);
            x_.picture().save(file);
        }
        // Its content scrolls only where the window, as large as the work
        // area allows, is still smaller than its smallest readable size.
        if (w->findChild<QScrollArea*>(QString::fromLatin1(shell::Resize::ScrollAreaName))) {
            EXPECT_TRUE(p.frame.width() >= area_.width() - 3 || p.frame.height() >= area_.height() - 3)
                << "scrolls in a " << where.toStdString();
        }
        testkit::MsgBoxScript closing({platform::MsgResult::No});
        if (w)
            w->close();
        testkit::settle();
        delete w.data();
    }

    X x_;
    QRect area_;
};

} // namespace

TEST_F(Desktop, MainWindowsAreWholeOnTheScreen)
{
    expectOnTheScreen(window<tarvoss::frmMain>("Tarvoss"));
    platform::setAppInfo({QStringLiteral("Quellin"), QStringLiteral("Quellin5"), 5, 0, 0});
    expectOnTheScreen(window<quellin::frmMain>("Quellin"));
    platform::setAppInfo({QStringLiteral("Morvane"), QStringLiteral("Morvane5"), 5, 0, 0});
    expectOnTheScreen(window<morvane::frmMain>("Morvane"));
}

TEST_F(Desktop, CalculatorAndShellWindowsAreWholeOnTheScreen)
{
    std::vector<TopWindow> windows = calculatorWindows();
    windows.insert(windows.end(), {
        window<shell::frmAbout>("frmAbout"),
        window<shell::frmPrint>("frmPrint"),
        window<shell::frmSCalc>("frmSCalc"),
        {"frmOptions", [] { return static_cast<QWidget*>(new shell::frmOptions(programs::tarvossShell().options)); }},
    });
    for (const TopWindow& w : windows)
        expectOnTheScreen(w);
}

TEST_F(Desktop, DatabaseWindowsAreWholeOnTheScreen)
{
    // The study database window as the main window's button opens it.
    expectOnTheScreen(TopWindow{"frmMetData", [] { return static_cast<QWidget*>(metadb::showMetData()); }});
    testkit::MsgBoxScript msgs;
    QPointer<metadb::frmMetData> db = metadb::showMetData();
    testkit::settle();
    const TopWindow windows[] = {
        {"frmProgress", [db] { return static_cast<QWidget*>(new metadb::frmProgress(db)); }},
        {"frmExport", [db] { return static_cast<QWidget*>(new metadb::frmExport(db)); }},
        {"frmExcel", [db] { return static_cast<QWidget*>(new metadb::frmExcel(db)); }},
        {"frmAccess", [db] { return static_cast<QWidget*>(new metadb::frmAccess(db)); }},
        {"frmFailSafe",
         [db] {
             auto* f = new metastats::frmFailSafe(db);
             f->Form_Load();
             return static_cast<QWidget*>(f);
         }},
        {"frmHeterogeneity",
         [db] {
             metastats::RosenthalResults r;
             r.RosenthalN = 5;
             r.RosenthalFormula = 9.4877;
             r.RosenthalP2 = 0.05;
             auto* h = new metastats::frmHeterogeneity(db, r);
             h->Form_Load();
             return static_cast<QWidget*>(h);
         }},
    };
    for (const TopWindow& w : windows)
        expectOnTheScreen(w);
    if (db)
        db->close();
    testkit::settle();
}
