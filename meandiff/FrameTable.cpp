// Tarvoss's menus, toolbar, menu pictures, status bar and the tooltips of
// its frame buttons.
#include "frame/FrameConfig.h"
#include "meandiff/frmMain.h"
#include "platform/Maker.h"

namespace tarvoss {

namespace {

frame::FrameConfig makeConfig()
{
    frame::FrameConfig c;
    c.helpFile = QStringLiteral("Tarvoss.html");
    const QKeySequence none;
    c.menus = {
        {QStringLiteral("mnuFile"), QStringLiteral("&File"),
         {
             {QStringLiteral("mnuFileNew"), QStringLiteral("New|@Start again / new form|#s_Key13"),
              QKeySequence(QStringLiteral("Ctrl+N"))},
             {QStringLiteral("mnuFileOpen"), QStringLiteral("Open...|@Open saved data|#s_Key15"),
              QKeySequence(QStringLiteral("Ctrl+O"))},
             {QStringLiteral("mnuFileSaveAs"), QStringLiteral("Save As...|@Save current data as...|#s_Key20"),
              QKeySequence(QStringLiteral("Ctrl+S"))},
             {QStringLiteral("mnuFilePrint"), QStringLiteral("Print Report...|@Print a report|#s_Key18"),
              QKeySequence(QStringLiteral("Ctrl+P"))},
             {QStringLiteral("mnuSep1"), QStringLiteral("-"), none},
             {QStringLiteral("mnuMRU"), QString(), none},
             {QStringLiteral("mnuSep2"), QStringLiteral("-"), none},
             {QStringLiteral("mnuFileExit"), QStringLiteral("Exit|@Exit programme|#s_Key7"),
              QKeySequence(QStringLiteral("Ctrl+X"))},
         }},
        {QStringLiteral("mnuEdit"), QStringLiteral("&Edit"),
         {
             {QStringLiteral("mnuEditCopy"), QStringLiteral("Copy|@Copy highlighted text|#s_Key5"),
              QKeySequence(QStringLiteral("Ctrl+C"))},
             {QStringLiteral("mnuEditPaste"), QStringLiteral("Paste|@Paste text|#s_Key17"),
              QKeySequence(QStringLiteral("Ctrl+V"))},
         }},
        {QStringLiteral("mnuTools"), QStringLiteral("&Tools"),
         {
             {QStringLiteral("mnuMeta"),
              QStringLiteral("Go To Meta-analysis Software|@Open meta-analysis programme|#s_Key12"), none},
             {QStringLiteral("mnuToolsSCalc"), QStringLiteral("Simple Calculator|@Simple calculator|#s_Key21"), none},
             {QStringLiteral("mnuToolsWCalc"), QStringLiteral("Windows Calculator|@Open Windows' calculator|#s_Key3"),
              none},
             {QStringLiteral("mnuToolsCapture"),
              QStringLiteral("Screen Capture|@Open screen capture software|#s_Key4"), none},
             {QStringLiteral("mnuOptions"), QStringLiteral("Options...|@Options...|#s_Key16"), none},
         }},
        {QStringLiteral("mnuHelp"), QStringLiteral("&Help"),
         {
             {QStringLiteral("mnuHelpContents"), QStringLiteral("Contents|@Go to help contents|#s_Key8"), none},
             {QStringLiteral("mnuHelpSearchForHelpOn"),
              QStringLiteral("Search Help|@Search help for specific term|#s_Key2"),
              QKeySequence(QStringLiteral("Ctrl+H"))},
             {QStringLiteral("mnuHelpBar0"), QStringLiteral("-"), none},
             {QStringLiteral("mnuWebsite"),
              QStringLiteral("Visit Website|@Visit the Varnholt web site at %1|#s_Key11").arg(platform::makerWebHost()),
              QKeySequence(QStringLiteral("Ctrl+W"))},
             {QStringLiteral("mnuForums"), QStringLiteral("User Forums|@Go to online user forums|#s_Key22"),
              QKeySequence(QStringLiteral("Ctrl+F"))},
             {QStringLiteral("mnuHelpAbout"), QStringLiteral("About ...|@About the Tarvoss|#s_Key9"),
              QKeySequence(QStringLiteral("Ctrl+A"))},
         }},
    };
    c.toolbar = frame::standardToolbar(QStringLiteral("Save As..."), QStringLiteral("mnuFileSaveAs"));
    c.menuImages = {
        {QStringLiteral("s_Key2"), frame::Picture::Search},   {QStringLiteral("s_Key3"), frame::Picture::DesktopCalculator},
        {QStringLiteral("s_Key4"), frame::Picture::Capture},  {QStringLiteral("s_Key5"), frame::Picture::Copy},
        {QStringLiteral("s_Key7"), frame::Picture::Exit},     {QStringLiteral("s_Key8"), frame::Picture::Contents},
        {QStringLiteral("s_Key9"), frame::Picture::About},    {QStringLiteral("s_Key11"), frame::Picture::Website},
        {QStringLiteral("s_Key12"), frame::Picture::Meta},    {QStringLiteral("s_Key13"), frame::Picture::New},
        {QStringLiteral("s_Key15"), frame::Picture::Open},    {QStringLiteral("s_Key16"), frame::Picture::Options},
        {QStringLiteral("s_Key17"), frame::Picture::Paste},   {QStringLiteral("s_Key18"), frame::Picture::Print},
        {QStringLiteral("s_Key20"), frame::Picture::Save},    {QStringLiteral("s_Key21"), frame::Picture::Calculator},
        {QStringLiteral("s_Key22"), frame::Picture::Forum},
    };
    c.statusPanels = {
        {frame::StatusPanelSpec::Text, QStringLiteral("Tarvoss - ") + platform::makerWebHost(), 0},
        {frame::StatusPanelSpec::Date, QString(), 0},
        {frame::StatusPanelSpec::Time, QString(), 0},
        {frame::StatusPanelSpec::Text, QStringLiteral("Help for menu items will appear here."), 1},
    };
    c.helpPanel = 3;
    c.buttonToolTips = {
        {QStringLiteral("cmdExit"),
         QStringLiteral("That's it! I hate stats and am now returning to the real world.")},
        {QStringLiteral("cmdNew"), QStringLiteral("OK, I'm going again - clean all the boxes.")},
        {QStringLiteral("CmdDatabase"),
         QStringLiteral("Add record to database or just work generally on a meta-analysis.")},
    };
    c.simpleCalculatorFailure = QStringLiteral(
        "Maybe you should use the windows calculator as something went very wrong and resulted in the following error");
    return c;
}

} // namespace

const frame::FrameConfig& frameConfig()
{
    static const frame::FrameConfig c = makeConfig();
    return c;
}

const frame::FrameConfig& frmMain::frameConfig() const { return tarvoss::frameConfig(); }

} // namespace tarvoss
