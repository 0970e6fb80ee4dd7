#include "frame/FrameConfig.h"
#include "platform/Maker.h"

namespace frame {

QString makerWebsite() { return platform::makerWebsite(); }
QString makerForumPage() { return platform::makerWebsite() + QStringLiteral("forums/index.php"); }

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
