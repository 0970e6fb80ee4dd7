// Menus, shortcuts, pictures, toolbar keys and tooltips, status bar, for the
// three programs' frames.
#include "FrameTestSupport.h"

#include "frame/MenuDecoration.h"
#include "meandiff/frmMain.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "testkit/QtTestKit.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <QPainter>
#include <QMenuBar>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

using namespace frametest;

namespace {

struct ToolRow {
    const char* key;
    const char* tip;
};

void checkToolbar(QWidget* w, const std::vector<ToolRow>& rows)
{
    auto* bar = testkit::find<QToolBar>(w, QStringLiteral("Toolbar1"));
    ASSERT_NE(bar, nullptr);
    QList<QAction*> buttons;
    for (QAction* a : bar->actions())
        if (!a->isSeparator())
            buttons << a;
    ASSERT_EQ(buttons.size(), int(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].key);
        EXPECT_EQ(buttons[i]->property("key").toString(), QString::fromLatin1(rows[i].key));
        EXPECT_EQ(buttons[i]->toolTip(), QString::fromLatin1(rows[i].tip));
        EXPECT_FALSE(buttons[i]->icon().isNull());
        auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(buttons[i]));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->property("key").toString(), QString::fromLatin1(rows[i].key));
    }
}

} // namespace

TEST(MenuCaption, CaptionLanguageIsSplitIntoTextHelpAndPicture)
{
    struct Row {
        const char* caption;
        const char* text;
        const char* help;
        const char* key;
    } rows[] = {
        {"New|@Start again / new form|#s_Key13", "New", "Start again / new form", "s_Key13"},
        {"&Open...|#s_Key2", "&Open...", "", "s_Key2"},
        {"Options...|@Options...", "Options...", "Options...", ""},
        {"&Save (Overwrite)", "&Save (Overwrite)", "", ""},
        {"", "", "", ""},
        {"A|#k|@help after key", "A", "help after key", "k"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        const auto c = frame::parseMenuCaption(QString::fromLatin1(r.caption));
        EXPECT_EQ(c.text, QString::fromLatin1(r.text));
        EXPECT_EQ(c.help, QString::fromLatin1(r.help));
        EXPECT_EQ(c.key, QString::fromLatin1(r.key));
    }
}

// The Calculate and Help pictures show their character where drawing the
// text centred in the face puts it, at every size a menu, a toolbar or a
// high-density screen asks for: read from the picture's pixels, the
// character's ink (how far each pixel of the face has turned from the face
// colour to the character's colour) lies where the text drawn alone covers.
TEST(MenuPictures, CharactersSitWhereTheTextIsDrawn)
{
    struct Row {
        frame::Picture picture;
        QColor face, text;
        bool round;
        QChar character;
    } rows[] = {
        {frame::Picture::Calculate, QColor(46, 150, 90), QColor(250, 250, 246), false, QChar(0x03A3)},
        {frame::Picture::Help, QColor(222, 170, 40), QColor(40, 52, 74), true, QLatin1Char('?')},
    };
    // The character alone, centred in the face's square of a 16-unit design.
    auto textCover = [](const Row& r, int size) {
        QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        QFont f;
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, QString(r.character));
        p.end();
        return img;
    };
    for (const Row& r : rows) {
        const double dr = r.text.redF() - r.face.redF(), dg = r.text.greenF() - r.face.greenF(),
                     db = r.text.blueF() - r.face.blueF();
        const double span = dr * dr + dg * dg + db * db;
        for (int size : {16, 20, 24, 32, 40, 48, 64}) {
            for (bool hot : {false, true}) {
                SCOPED_TRACE(testing::Message() << QString(r.character).toStdString() << " size " << size
                                                << (hot ? " hot" : ""));
                const QImage picture = frame::drawPicture(r.picture, size, hot).toImage().convertToFormat(
                    QImage::Format_ARGB32);
                const QImage cover = textCover(r, size);
                const double unit = size / 16.0;
                double worst = 0, inkDrawn = 0, inkShown = 0;
                int outside = 0;
                for (int y = 0; y < size; ++y) {
                    for (int x = 0; x < size; ++x) {
                        const double cx = (x + 0.5) / unit, cy = (y + 0.5) / unit;
                        // Inside the face, the whole pixel clear of its outline
                        // (drawn 1 unit wide, smoothed over a pixel).
                        const double clear = 0.75 / unit;
                        const bool inner = r.round ? std::hypot(cx - 8, cy - 8) < 5.5 - clear
                                                   : std::min({cx - 2, 14 - cx, cy - 2, 14 - cy}) > clear;
                        const double drawn = qAlpha(cover.pixel(x, y)) / 255.0;
                        if (!inner) {
                            outside += drawn > 0;
                            continue;
                        }
                        const QColor c = picture.pixelColor(x, y);
                        const double shown = ((c.redF() - r.face.redF()) * dr + (c.greenF() - r.face.greenF()) * dg +
                                              (c.blueF() - r.face.blueF()) * db) /
                                             span;
                        worst = std::max(worst, std::fabs(shown - drawn));
                        inkDrawn += drawn;
                        inkShown += shown;
                    }
                }
                EXPECT_EQ(outside, 0) << "the text reaches past the face";
                EXPECT_GT(inkDrawn, 4 * unit * unit) << "no character drawn";
                EXPECT_NEAR(inkShown, inkDrawn, 0.02 * inkDrawn);
                EXPECT_LE(worst, 0.2);
            }
        }
    }
}

class Menus : public FrameTest {};

namespace {

// One entry of a menu as a person sees it: "-" for a separator; help
// nullptr for "some help text".
struct Entry {
    const char* name;
    const char* text;
    const char* help;
    const char* shortcut;
    bool picture;
};
struct BarMenu {
    const char* title;
    std::vector<Entry> entries;
};
const Entry Separator{"-", "-", "", "", false};

QStringList visibleTexts(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// Reads the window's menu bar as it is shown: its menus in order, each with
// its visible entries in order, and compares them with the program's table.
void checkMenuBar(QMainWindow* w, const std::vector<BarMenu>& menus)
{
    QList<QAction*> bar;
    for (QAction* a : w->menuBar()->actions())
        if (a->isVisible())
            bar << a;
    QStringList titles;
    for (const BarMenu& m : menus)
        titles << QString::fromLatin1(m.title);
    ASSERT_EQ(visibleTexts(bar), titles);
    for (size_t i = 0; i < menus.size(); ++i) {
        SCOPED_TRACE(menus[i].title);
        QMenu* menu = bar[int(i)]->menu();
        ASSERT_NE(menu, nullptr);
        QList<QAction*> shown;
        for (QAction* a : menu->actions())
            if (a->isVisible())
                shown << a;
        QStringList expected;
        for (const Entry& e : menus[i].entries)
            expected << QString::fromLatin1(e.text);
        ASSERT_EQ(visibleTexts(shown), expected);
        for (size_t j = 0; j < menus[i].entries.size(); ++j) {
            const Entry& e = menus[i].entries[j];
            QAction* a = shown[int(j)];
            SCOPED_TRACE(e.text);
            if (qstrcmp(e.name, "-") == 0) {
                EXPECT_TRUE(a->isSeparator());
                continue;
            }
            EXPECT_EQ(a->objectName(), QString::fromLatin1(e.name));
            if (e.help)
                EXPECT_EQ(a->statusTip(), QString::fromLatin1(e.help));
            else
                EXPECT_FALSE(a->statusTip().isEmpty());
            EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(e.shortcut)));
            EXPECT_EQ(!a->icon().isNull(), e.picture);
            EXPECT_TRUE(a->isEnabled());
        }
    }
}

} // namespace

TEST_F(Menus, TarvossCaptionsShortcutsHelpTextsAndPictures)
{
    tarvoss::frmMain w;
    checkMenuBar(&w, {
        {"&File",
         {
             {"mnuFileNew", "New", "Start again / new form", "Ctrl+N", true},
             {"mnuFileOpen", "Open...", "Open saved data", "Ctrl+O", true},
             {"mnuFileSaveAs", "Save As...", "Save current data as...", "Ctrl+S", true},
             {"mnuFilePrint", "Print Report...", "Print a report", "Ctrl+P", true},
             Separator,
             Separator,
             {"mnuFileExit", "Exit", "Exit programme", "Ctrl+X", true},
         }},
        {"&Edit",
         {
             {"mnuEditCopy", "Copy", "Copy highlighted text", "Ctrl+C", true},
             {"mnuEditPaste", "Paste", "Paste text", "Ctrl+V", true},
         }},
        {"&Tools",
         {
             {"mnuMeta", "Go To Meta-analysis Software", "Open meta-analysis programme", "", true},
             {"mnuToolsSCalc", "Simple Calculator", "Simple calculator", "", true},
             {"mnuToolsWCalc", "Windows Calculator", "Open Windows' calculator", "", true},
             {"mnuToolsCapture", "Screen Capture", "Open screen capture software", "", true},
             {"mnuOptions", "Options...", "Options...", "", true},
         }},
        {"&Help",
         {
             {"mnuHelpContents", "Contents", "Go to help contents", "", true},
             {"mnuHelpSearchForHelpOn", "Search Help", "Search help for specific term", "Ctrl+H", true},
             Separator,
             {"mnuWebsite", "Visit Website", nullptr, "Ctrl+W", true},
             {"mnuForums", "User Forums", "Go to online user forums", "Ctrl+F", true},
             {"mnuHelpAbout", "About ...", "About the Tarvoss", "Ctrl+A", true},
         }},
    });
}

namespace {

// Quellin and Morvane share the Edit, Tools and Help menus; their File menus
// and About entries differ.
std::vector<BarMenu> otherProgramMenus(std::vector<Entry> file, Entry about)
{
    return {
        {"&File", std::move(file)},
        {"&Edit",
         {
             {"mnuEditCopy", "&Copy", "", "Ctrl+C", true},
             {"mnuEditPaste", "&Paste", "", "Ctrl+V", true},
         }},
        {"&Tools",
         {
             {"mnuToolsSCalc", "Simple Calculator", "", "", true},
             {"mnuToolsWCalc", "Windows' Calculator", "", "", true},
             {"mnuToolsCapture", "Screen Capture", "", "", true},
             {"mnuOptions", "Options...", "", "", true},
         }},
        {"&Help",
         {
             {"mnuHelpContents", "&Contents", "", "", true},
             {"mnuHelpSearchForHelpOn", "&Search For Help On...", "", "Ctrl+H", true},
             Separator,
             {"mnuWebsite", "&Visit Website", "", "Ctrl+W", true},
             {"mnuForums", "User Forums", "Go to online user forums", "Ctrl+F", true},
             about,
         }},
    };
}

} // namespace

TEST_F(Menus, QuellinCaptionsShortcutsAndPictures)
{
    useProgram(QStringLiteral("Quellin"), QStringLiteral("Quellin5"));
    quellin::frmMain w;
    checkMenuBar(&w, otherProgramMenus(
                         {
                             {"mnuFileNew", "&New", "", "Ctrl+N", true},
                             {"mnuFileOpen", "&Open...", "", "Ctrl+O", true},
                             {"mnuFileSaveAs", "&Save As...", "", "Ctrl+S", true},
                             {"mnuFilePrint", "&Print Report", "", "Ctrl+P", true},
                             Separator,
                             Separator,
                             {"mnuFileExit", "E&xit", "", "Ctrl+X", true},
                         },
                         {"mnuHelpAbout", "&About...", "", "Ctrl+A", true}));
    EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("mnuMeta")), nullptr);
    EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("mnuSave")), nullptr);
}

TEST_F(Menus, MorvaneCaptionsShortcutsAndPictures)
{
    useProgram(QStringLiteral("Morvane"), QStringLiteral("Morvane5"));
    morvane::frmMain w;
    checkMenuBar(&w, otherProgramMenus(
                         {
                             {"mnuFileNew", "&New", "", "Ctrl+N", true},
                             {"mnuFileOpen", "&Open...", "", "Ctrl+O", true},
                             {"mnuSave", "&Save (Overwrite)", "", "Ctrl+S", false},
                             {"mnuFileSaveAs", "&Save As...", "", "Ctrl+A", true},
                             {"mnuFilePrint", "&Print Report", "", "Ctrl+P", true},
                             Separator,
                             Separator,
                             {"mnuFileExit", "E&xit", "", "Ctrl+X", true},
                         },
                         {"mnuHelpAbout", "&About", "", "Ctrl+B", true}));
}

TEST_F(Menus, ToolbarKeysAndTooltipsOfTheThreePrograms)
{
    const std::vector<ToolRow> common = {
        {"New", "New"}, {"Open", "Open"}, {"Save", "Save As..."}, {"Print", "Print Report"},
        {"Copy", "Copy"}, {"Paste", "Paste"}, {"Calculate", "Calculate Results"}, {"Calculator", "Calculator"},
        {"Capture", "Screen Capture"}, {"Website", "Visit Website"}, {"Help", "Help"},
    };
    {
        TestFrame w;
        checkToolbar(&w, common);
    }
    {
        useProgram(QStringLiteral("Quellin"), QStringLiteral("Quellin5"));
        quellin::frmMain w;
        checkToolbar(&w, common);
    }
    {
        useProgram(QStringLiteral("Morvane"), QStringLiteral("Morvane5"));
        morvane::frmMain w;
        auto rows = common;
        rows[2].tip = "Save";
        checkToolbar(&w, rows);
        // Morvane's "Save" overwrites the current file rather than asking for a name.
        EXPECT_EQ(morvane::frameConfig().toolbar[2].handler, QStringLiteral("mnuSave"));
    }
}

TEST_F(Menus, StatusBarPanelsAndMenuHelp)
{
    TestFrame w;
    auto* sb = testkit::find<QStatusBar>(&w, QStringLiteral("sbStatusBar"));
    ASSERT_NE(sb, nullptr);
    auto* p4 = testkit::find<QLabel>(sb, QStringLiteral("Panel(4)"));
    auto* p2 = testkit::find<QLabel>(sb, QStringLiteral("Panel(2)"));
    auto* p3 = testkit::find<QLabel>(sb, QStringLiteral("Panel(3)"));
    ASSERT_TRUE(p4 && p2 && p3);
    EXPECT_EQ(p4->text(), QStringLiteral("Help for menu items will appear here."));
    EXPECT_EQ(p2->text(), QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_FALSE(p3->text().isEmpty());

    // The highlighted menu item's help text shows in the fourth panel, and
    // the panel's own text comes back when no item is highlighted.
    QAction* open = testkit::findAction(&w, QStringLiteral("mnuFileOpen"));
    open->showStatusText(w.menuBar());
    EXPECT_EQ(p4->text(), QStringLiteral("Open saved data"));
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(w.menuBar(), &none);
    EXPECT_EQ(p4->text(), QStringLiteral("Help for menu items will appear here."));

    useProgram(QStringLiteral("Quellin"), QStringLiteral("Quellin5"));
    quellin::frmMain q;
    EXPECT_EQ(testkit::text(&q, QStringLiteral("Panel(1)")), QStringLiteral("Quellin - www.varnholt.example"));
    EXPECT_EQ(q.findChild<QLabel*>(QStringLiteral("Panel(4)")), nullptr);
    testkit::findAction(&q, QStringLiteral("mnuForums"))->showStatusText(q.menuBar());
    EXPECT_EQ(testkit::text(&q, QStringLiteral("Panel(1)")), QStringLiteral("Go to online user forums"));
}

TEST_F(Menus, TarvossButtonsGetTheirTooltipsUnlessTheyHaveTheirOwn)
{
    TestFrame w;
    EXPECT_EQ(w.cmdExit->toolTip(), QStringLiteral("That's it! I hate stats and am now returning to the real world."));
    EXPECT_EQ(w.CmdDatabase->toolTip(), QStringLiteral("own tip"));
    EXPECT_TRUE(w.cmdGo->toolTip().isEmpty());

    useProgram(QStringLiteral("Quellin"), QStringLiteral("Quellin5"));
    quellin::frmMain q;
    EXPECT_TRUE(quellin::frameConfig().buttonToolTips.isEmpty());
}
