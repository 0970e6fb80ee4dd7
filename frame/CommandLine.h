#pragma once
// What Tarvoss does with the command line it was started with: open a study
// file, hand a study database to the database window, or nothing.
#include <QString>

namespace frame {

struct CommandLineAction {
    enum Kind { Nothing, OpenStudy, OpenDatabase };
    Kind kind = Nothing;
    // OpenStudy: the last piece of the command line that names an existing
    // ordinary file ("" when none does: reading it then fails).
    // OpenDatabase: the database's path, one pair of enclosing quotes removed.
    QString path;
};

// The command line with one pair of enclosing double quotes removed (only
// when it both starts and ends with one).
QString stripEnclosingQuotes(const QString& commandLine);

// Splits the command line at every double quote, blank, double quote; removes
// every double quote from each piece; returns the last piece that names an
// existing ordinary file, or "" when none does.
QString lastExistingFile(const QString& commandLine);

// The ending of the command line (enclosing quotes removed, upper-cased)
// decides: "TVQ" opens a study file, "MET" a study database, anything else
// (and an empty command line) nothing.
CommandLineAction interpretCommandLine(const QString& commandLine);

// The study database named on the command line, for the database window's
// own start: the path when the command line ends in "MET", otherwise "".
QString databasePathFromCommandLine(const QString& commandLine);

} // namespace frame
