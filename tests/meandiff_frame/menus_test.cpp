// Menus, shortcuts, pictures, toolbar keys and tooltips, status bar, for the
// three programs' frames.
#include "FrameTestSupport.h"

#include "frame/MenuDecoration.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "testkit/QtTestKit.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QImage>
#include <QPainter>
#include <QMenuBar>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

using namespace frametest;

namespace {

struct ItemRow {
    const char* name;
    const char* text;
    const char* help;
    const char* shortcut;
    bool picture;
};

void checkItems(QWidget* w, const std::vector<ItemRow>& rows)
{
    for (const ItemRow& r : rows) {
        SCOPED_TRACE(r.name);
        QAction* a = testkit::findAction(w, QString::fromLatin1(r.name));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromLatin1(r.text));
        EXPECT_EQ(a->statusTip(), QString::fromLatin1(r.help));
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(r.shortcut)));
        EXPECT_EQ(!a->icon().isNull(), r.picture);
    }
}

// Visible texts of a menu in order; separators as "-", hidden entries left out.
QStringList menuTexts(QWidget* w, const QString& menu)
{
    QStringList out;
    auto* m = w->findChild<QMenu*>(menu);
    if (!m)
        return {QStringLiteral("<no menu>")};
    for (QAction* a : m->actions()) {
        if (!a->isVisible())
            continue;
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return out;
}

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

// The Calculate and Help pictures draw their character from the font's
// glyph; it must come out exactly as drawing the text does, at every size a
// menu, a toolbar or a high-density screen asks for.
TEST(MenuPictures, CharactersAreExactlyTheDrawnText)
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
    auto reference = [](const Row& r, int size, bool hot) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        if (hot) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 236, 160, 200));
            p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
        }
        p.scale(size / 16.0, size / 16.0);
        QPen ink(QColor(40, 52, 74), 1.0);
        ink.setJoinStyle(Qt::RoundJoin);
        ink.setCapStyle(Qt::RoundCap);
        p.setPen(ink);
        p.setBrush(r.face);
        if (r.round)
            p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        else
            p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
        QFont f;
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(r.text);
        p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, QString(r.character));
        p.end();
        return pm.toImage();
    };
    for (const Row& r : rows) {
        for (int size : {16, 20, 24, 32, 40, 48, 64}) {
            for (bool hot : {false, true}) {
                SCOPED_TRACE(testing::Message() << QString(r.character).toStdString() << " size " << size
                                                << (hot ? " hot" : ""));
                EXPECT_EQ(frame::drawPicture(r.picture, size, hot).toImage(), reference(r, size, hot));
            }
        }
    }
}

class Menus : public FrameTest {};

TEST_F(Menus, TarvossCaptionsShortcutsHelpTextsAndPictures)
{
    TestFrame w;
    checkItems(&w, {
        {"mnuFileNew", "New", "Start again / new form", "Ctrl+N", true},
        {"mnuFileOpen", "Open...", "Open saved data", "Ctrl+O", true},
        {"mnuFileSaveAs", "Save As...", "Save current data as...", "Ctrl+S", true},
        {"mnuFilePrint", "Print Report...", "Print a report", "Ctrl+P", true},
        {"mnuFileExit", "Exit", "Exit programme", "Ctrl+X", true},
        {"mnuEditCopy", "Copy", "Copy highlighted text", "Ctrl+C", true},
        {"mnuEditPaste", "Paste", "Paste text", "Ctrl+V", true},
        {"mnuMeta", "Go To Meta-analysis Software", "Open meta-analysis programme", "", true},
        {"mnuToolsSCalc", "Simple Calculator", "Simple calculator", "", true},
        {"mnuToolsWCalc", "Windows Calculator", "Open Windows' calculator", "", true},
        {"mnuToolsCapture", "Screen Capture", "Open screen capture software", "", true},
        {"mnuOptions", "Options...", "Options...", "", true},
        {"mnuHelpContents", "Contents", "Go to help contents", "", true},
        {"mnuHelpSearchForHelpOn", "Search Help", "Search help for specific term", "Ctrl+H", true},
        {"mnuForums", "User Forums", "Go to online user forums", "Ctrl+F", true},
        {"mnuHelpAbout", "About ...", "About the Tarvoss", "Ctrl+A", true},
    });
    QAction* web = testkit::findAction(&w, QStringLiteral("mnuWebsite"));
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->text(), QStringLiteral("Visit Website"));
    EXPECT_EQ(web->shortcut(), QKeySequence(QStringLiteral("Ctrl+W")));
    EXPECT_FALSE(web->statusTip().isEmpty());
    EXPECT_FALSE(web->icon().isNull());

    EXPECT_EQ(menuTexts(&w, QStringLiteral("mnuFile")),
              (QStringList{"New", "Open...", "Save As...", "Print Report...", "-", "-", "Exit"}));
    EXPECT_EQ(menuTexts(&w, QStringLiteral("mnuHelp")),
              (QStringList{"Contents", "Search Help", "-", "Visit Website", "User Forums", "About ..."}));
    EXPECT_EQ(w.findChild<QMenu*>(QStringLiteral("mnuTools"))->title(), QStringLiteral("&Tools"));
}

TEST_F(Menus, QuellinCaptionsShortcutsAndPictures)
{
    useProgram(QStringLiteral("Quellin"), QStringLiteral("Quellin5"));
    quellin::frmMain w;
    checkItems(&w, {
        {"mnuFileNew", "&New", "", "Ctrl+N", true},
        {"mnuFileOpen", "&Open...", "", "Ctrl+O", true},
        {"mnuFileSaveAs", "&Save As...", "", "Ctrl+S", true},
        {"mnuFilePrint", "&Print Report", "", "Ctrl+P", true},
        {"mnuFileExit", "E&xit", "", "Ctrl+X", true},
        {"mnuEditCopy", "&Copy", "", "Ctrl+C", true},
        {"mnuEditPaste", "&Paste", "", "Ctrl+V", true},
        {"mnuToolsSCalc", "Simple Calculator", "", "", true},
        {"mnuToolsWCalc", "Windows' Calculator", "", "", true},
        {"mnuToolsCapture", "Screen Capture", "", "", true},
        {"mnuOptions", "Options...", "", "", true},
        {"mnuHelpContents", "&Contents", "", "", true},
        {"mnuHelpSearchForHelpOn", "&Search For Help On...", "", "Ctrl+H", true},
        {"mnuWebsite", "&Visit Website", "", "Ctrl+W", true},
        {"mnuForums", "User Forums", "Go to online user forums", "Ctrl+F", true},
        {"mnuHelpAbout", "&About...", "", "Ctrl+A", true},
    });
    EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("mnuMeta")), nullptr);
    EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("mnuSave")), nullptr);
    EXPECT_EQ(menuTexts(&w, QStringLiteral("mnuFile")),
              (QStringList{"&New", "&Open...", "&Save As...", "&Print Report", "-", "-", "E&xit"}));
}

TEST_F(Menus, MorvaneCaptionsShortcutsAndPictures)
{
    useProgram(QStringLiteral("Morvane"), QStringLiteral("Morvane5"));
    morvane::frmMain w;
    checkItems(&w, {
        {"mnuFileNew", "&New", "", "Ctrl+N", true},
        {"mnuFileOpen", "&Open...", "", "Ctrl+O", true},
        {"mnuSave", "&Save (Overwrite)", "", "Ctrl+S", false},
        {"mnuFileSaveAs", "&Save As...", "", "Ctrl+A", true},
        {"mnuFilePrint", "&Print Report", "", "Ctrl+P", true},
        {"mnuFileExit", "E&xit", "", "Ctrl+X", true},
        {"mnuEditCopy", "&Copy", "", "Ctrl+C", true},
        {"mnuEditPaste", "&Paste", "", "Ctrl+V", true},
        {"mnuToolsSCalc", "Simple Calculator", "", "", true},
        {"mnuToolsWCalc", "Windows' Calculator", "", "", true},
        {"mnuToolsCapture", "Screen Capture", "", "", true},
        {"mnuOptions", "Options...", "", "", true},
        {"mnuHelpContents", "&Contents", "", "", true},
        {"mnuHelpSearchForHelpOn", "&Search For Help On...", "", "Ctrl+H", true},
        {"mnuWebsite", "&Visit Website", "", "Ctrl+W", true},
        {"mnuForums", "User Forums", "Go to online user forums", "Ctrl+F", true},
        {"mnuHelpAbout", "&About", "", "Ctrl+B", true},
    });
    EXPECT_EQ(menuTexts(&w, QStringLiteral("mnuFile")),
              (QStringList{"&New", "&Open...", "&Save (Overwrite)", "&Save As...", "&Print Report", "-", "-",
                           "E&xit"}));
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
