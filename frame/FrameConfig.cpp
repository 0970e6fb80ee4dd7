#include "frame/FrameConfig.h"
#include "platform/Maker.h"

namespace frame {

QString makerWebsite() { return platform::makerWebsite(); }
QString makerForumPage() { return platform::makerWebsite() + QStringLiteral("forums/index.php"); }
QString makerForumRoot() { return platform::makerWebsite() + QStringLiteral("forums/"); }

QList<ToolButtonSpec> standardToolbar(const QString& saveToolTip, const QString& saveHandler)
{
    return {
        {QStringLiteral("New"), QStringLiteral("New"), QStringLiteral("mnuFileNew"), Picture::New, false},
        {QStringLiteral("Open"), QStringLiteral("Open"), QStringLiteral("mnuFileOpen"), Picture::Open, false},
        {QStringLiteral("Save"), saveToolTip, saveHandler, Picture::Save, false},
        {QStringLiteral("Print"), QStringLiteral("Print Report"), QStringLiteral("mnuFilePrint"), Picture::Print, false},
        {QStringLiteral("Copy"), QStringLiteral("Copy"), QStringLiteral("mnuEditCopy"), Picture::Copy, true},
        {QStringLiteral("Paste"), QStringLiteral("Paste"), QStringLiteral("mnuEditPaste"), Picture::Paste, false},
        {QStringLiteral("Calculate"), QStringLiteral("Calculate Results"), QStringLiteral("runCalculation"),
         Picture::Calculate, true},
        {QStringLiteral("Calculator"), QStringLiteral("Calculator"), QStringLiteral("mnuToolsSCalc"),
         Picture::Calculator, false},
        {QStringLiteral("Capture"), QStringLiteral("Screen Capture"), QStringLiteral("mnuToolsCapture"),
         Picture::Capture, false},
        {QStringLiteral("Website"), QStringLiteral("Visit Website"), QStringLiteral("mnuWebsite"), Picture::Website,
         true},
        {QStringLiteral("Help"), QStringLiteral("Help"), QStringLiteral("mnuHelpContents"), Picture::Help, false},
    };
}

namespace {

FrameConfig makeTarvoss()
{
    FrameConfig c;
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
    c.toolbar = standardToolbar(QStringLiteral("Save As..."), QStringLiteral("mnuFileSaveAs"));
    c.menuImages = {
        {QStringLiteral("s_Key2"), Picture::Search},   {QStringLiteral("s_Key3"), Picture::DesktopCalculator},
        {QStringLiteral("s_Key4"), Picture::Capture},  {QStringLiteral("s_Key5"), Picture::Copy},
        {QStringLiteral("s_Key7"), Picture::Exit},     {QStringLiteral("s_Key8"), Picture::Contents},
        {QStringLiteral("s_Key9"), Picture::About},    {QStringLiteral("s_Key11"), Picture::Website},
        {QStringLiteral("s_Key12"), Picture::Meta},    {QStringLiteral("s_Key13"), Picture::New},
        {QStringLiteral("s_Key15"), Picture::Open},    {QStringLiteral("s_Key16"), Picture::Options},
        {QStringLiteral("s_Key17"), Picture::Paste},   {QStringLiteral("s_Key18"), Picture::Print},
        {QStringLiteral("s_Key20"), Picture::Save},    {QStringLiteral("s_Key21"), Picture::Calculator},
        {QStringLiteral("s_Key22"), Picture::Forum},
    };
    c.statusPanels = {
        {StatusPanelSpec::Text, QStringLiteral("Tarvoss - ") + platform::makerWebHost(), 0},
        {StatusPanelSpec::Date, QString(), 0},
        {StatusPanelSpec::Time, QString(), 0},
        {StatusPanelSpec::Text, QStringLiteral("Help for menu items will appear here."), 1},
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

const FrameConfig& tarvossFrameConfig()
{
    static const FrameConfig c = makeTarvoss();
    return c;
}

FrameConfig smallProgramFrameConfig(const SmallProgramFrame& program)
{
    FrameConfig c;
    c.helpFile = program.helpFile;
    const QKeySequence none;
    auto key = [](const char* k) { return QKeySequence(QString::fromLatin1(k)); };
    c.menus = {
        {QStringLiteral("mnuFile"), QStringLiteral("&File"),
         {
             {QStringLiteral("mnuFileNew"), QStringLiteral("&New|#s_Key1"), key("Ctrl+N")},
             {QStringLiteral("mnuFileOpen"), QStringLiteral("&Open...|#s_Key2"), key("Ctrl+O")},
             {QStringLiteral("mnuFileSaveAs"), QStringLiteral("&Save As...|#s_Key3"), key("Ctrl+S")},
             {QStringLiteral("mnuFilePrint"), QStringLiteral("&Print Report|#s_Key4"), key("Ctrl+P")},
             {QStringLiteral("mnuSep1"), QStringLiteral("-"), none},
             {QStringLiteral("mnuMRU"), QString(), none},
             {QStringLiteral("mnuSep2"), QStringLiteral("-"), none},
             {QStringLiteral("mnuFileExit"), QStringLiteral("E&xit|#s_Key5"), key("Ctrl+X")},
         }},
        {QStringLiteral("mnuEdit"), QStringLiteral("&Edit"),
         {
             {QStringLiteral("mnuEditCopy"), QStringLiteral("&Copy|#s_Key6"), key("Ctrl+C")},
             {QStringLiteral("mnuEditPaste"), QStringLiteral("&Paste|#s_Key7"), key("Ctrl+V")},
         }},
        {QStringLiteral("mnuTools"), QStringLiteral("&Tools"),
         {
             {QStringLiteral("mnuToolsSCalc"), QStringLiteral("Simple Calculator|#s_Key8"), none},
             {QStringLiteral("mnuToolsWCalc"), QStringLiteral("Windows' Calculator|#s_Key9"), none},
             {QStringLiteral("mnuToolsCapture"), QStringLiteral("Screen Capture|#s_Key10"), none},
             {QStringLiteral("mnuOptions"), QStringLiteral("Options...|#s_Key11"), none},
         }},
        {QStringLiteral("mnuHelp"), QStringLiteral("&Help"),
         {
             {QStringLiteral("mnuHelpContents"), QStringLiteral("&Contents|#s_Key12"), none},
             {QStringLiteral("mnuHelpSearchForHelpOn"), QStringLiteral("&Search For Help On...|#s_Key13"),
              key("Ctrl+H")},
             {QStringLiteral("mnuHelpBar0"), QStringLiteral("-"), none},
             {QStringLiteral("mnuWebsite"), QStringLiteral("&Visit Website|#s_Key14"), key("Ctrl+W")},
             {QStringLiteral("mnuForums"), QStringLiteral("User Forums|@Go to online user forums|#s_Key17"),
              key("Ctrl+F")},
             {QStringLiteral("mnuHelpAbout"), QStringLiteral("&About...|#s_Key16"), key("Ctrl+A")},
         }},
    };
    c.toolbar = standardToolbar(QStringLiteral("Save As..."), QStringLiteral("mnuFileSaveAs"));
    if (program.saveOverwrite) {
        // File > Save (Overwrite) takes Ctrl+S and the toolbar's "Save";
        // Save As moves to Ctrl+A and About to Ctrl+B.
        auto& file = c.menus[0].items;
        for (auto& item : file)
            if (item.name == QLatin1String("mnuFileSaveAs"))
                item.shortcut = key("Ctrl+A");
        file.insert(2, {QStringLiteral("mnuSave"), QStringLiteral("&Save (Overwrite)"), key("Ctrl+S")});
        for (auto& item : c.menus[3].items)
            if (item.name == QLatin1String("mnuHelpAbout")) {
                item.caption = QStringLiteral("&About|#s_Key16");
                item.shortcut = key("Ctrl+B");
            }
        c.toolbar = standardToolbar(QStringLiteral("Save"), QStringLiteral("mnuSave"));
    }
    c.menuImages = {
        {QStringLiteral("s_Key1"), Picture::New},      {QStringLiteral("s_Key2"), Picture::Open},
        {QStringLiteral("s_Key3"), Picture::Save},     {QStringLiteral("s_Key4"), Picture::Print},
        {QStringLiteral("s_Key5"), Picture::Exit},     {QStringLiteral("s_Key6"), Picture::Copy},
        {QStringLiteral("s_Key7"), Picture::Paste},    {QStringLiteral("s_Key8"), Picture::Calculator},
        {QStringLiteral("s_Key9"), Picture::DesktopCalculator},
        {QStringLiteral("s_Key10"), Picture::Capture}, {QStringLiteral("s_Key11"), Picture::Options},
        {QStringLiteral("s_Key12"), Picture::Contents}, {QStringLiteral("s_Key13"), Picture::Search},
        {QStringLiteral("s_Key14"), Picture::Website}, {QStringLiteral("s_Key16"), Picture::About},
        {QStringLiteral("s_Key17"), Picture::Forum},
    };
    c.statusPanels = {
        {StatusPanelSpec::Text, program.statusText, 1},
        {StatusPanelSpec::Date, QString(), 0},
        {StatusPanelSpec::Time, QString(), 0},
    };
    c.helpPanel = 0;
    c.simpleCalculatorFailure = QStringLiteral(
        "Maybe you should use the Windows calculator as something went very wrong and resulted in the following error");
    return c;
}

} // namespace frame
