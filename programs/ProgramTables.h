#pragma once
#include "platform/Maker.h"
// What each program hands to the shell: the splash's texts, the file types
// it registers at start, its Options dialog, and what is its own in the About
// box, the capture dialog and the simple calculator.
#include "shell/ProgramShell.h"

namespace programs {

inline shell::SplashTexts makerTexts(shell::SplashTexts t)
{
    t.webAddress = platform::makerWebHost();
    t.notice = QStringLiteral("Free for clinical, teaching and research use.");
    t.motto = QStringLiteral("Sound numbers from summary data.");
    return t;
}

inline shell::ProgramShell tarvossShell()
{
    shell::ProgramShell p;
    p.splash = makerTexts({QStringLiteral("Tarvoss"), QStringLiteral("Label3"), QStringLiteral("Version 5.0"),
                           QStringLiteral("Varnholt"), {}, {}, {}});
    p.rows = {
        {QStringLiteral("TVQ"), QStringLiteral("Tarvoss5"), QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss"),
         QStringLiteral(".TVQ"), QStringLiteral("TVQ.ico")},
        {QStringLiteral("MET"), QStringLiteral("Tarvoss5"), QStringLiteral("MetaAnalysis"), QStringLiteral("Sorvend"),
         QStringLiteral(".MET"), QStringLiteral("MET.ico")},
    };
    p.options = {QStringLiteral("Tarvoss Options"), QStringLiteral("Re-associate .tvq files with this programme"),
                 QStringLiteral("TvqFile"), QStringLiteral("tvq"), QStringLiteral("TVQ.ico"), false};
    p.calculatorCaption = QStringLiteral("Calculator (TVQ)");
    p.captureLead = QStringLiteral("This is a screen capture device (it will make a snapshot of ANY active window). ");
    return p;
}

inline shell::ProgramShell quellinShell()
{
    shell::ProgramShell p;
    p.splash = makerTexts({QStringLiteral("Quellin"), QStringLiteral("lblVersion"), QStringLiteral("Version: 4.1"),
                           {}, {}, {}, {}});
    p.rows = {
        {QStringLiteral("QLN"), QStringLiteral("Quellin5"), QStringLiteral("Quellin"), QStringLiteral("Quellin"),
         QStringLiteral(".qln"), QStringLiteral("qln.ico")},
    };
    p.options = {QStringLiteral("Quellin Options"), QStringLiteral("Re-associate .qln files with this programme"),
                 QStringLiteral("QlnFile"), QStringLiteral("qln"), QStringLiteral("qln.ico"), false};
    p.about.versionAtLoad = true;
    p.calculatorCaption = QStringLiteral("Calculator (QLN)");
    return p;
}

inline shell::ProgramShell morvaneShell()
{
    shell::ProgramShell p;
    p.splash = makerTexts({QStringLiteral("Morvane"), QStringLiteral("lblVersion"), QStringLiteral("Version: 5.0"),
                           {}, {}, {}, {}});
    p.rows = {
        {QStringLiteral("MRV"), QStringLiteral("Morvane5"), QStringLiteral("Morvane"), QStringLiteral("Morvane"),
         QStringLiteral(".mrv"), QStringLiteral("mrv.ico")},
    };
    p.options = {QString(), QStringLiteral("Re-associate .mrv files with this programme?"), QStringLiteral("MrvFile"),
                 QStringLiteral("mrv"), QStringLiteral("mrv.ico"), true};
    p.about.titleLabelName = QStringLiteral("lblHeader");
    p.about.purpose = QStringLiteral(
        "Morvane decides whether one person's change between two test occasions is reliable, using the "
        "reliable change index at the 68.26 %, 95 % and 99 % levels, and whether it is clinically "
        "significant, using cut-offs A, B and C from clinical and normative means and standard "
        "deviations.\n\nKey reference: the reliable change index and the clinical cut-offs of the "
        "clinical-significance literature; the help file gives each formula used.");
    p.calculatorCaption = QStringLiteral("Calculator (MRV)");
    return p;
}

} // namespace programs
