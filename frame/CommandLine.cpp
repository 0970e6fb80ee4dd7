#include "frame/CommandLine.h"

#include <QFileInfo>
#include <QStringList>

namespace frame {

QString stripEnclosingQuotes(const QString& commandLine)
{
    if (commandLine.size() >= 2 && commandLine.startsWith(QLatin1Char('"')) && commandLine.endsWith(QLatin1Char('"')))
        return commandLine.mid(1, commandLine.size() - 2);
    return commandLine;
}

QString lastExistingFile(const QString& commandLine)
{
    QString found;
    const QStringList pieces = commandLine.split(QStringLiteral("\" \""));
    for (QString piece : pieces) {
        piece.remove(QLatin1Char('"'));
        if (!piece.isEmpty() && QFileInfo(piece).isFile())
            found = piece;
    }
    return found;
}

namespace {
QString ending(const QString& commandLine) { return stripEnclosingQuotes(commandLine).right(3).toUpper(); }
} // namespace

CommandLineAction interpretCommandLine(const QString& commandLine)
{
    CommandLineAction a;
    if (commandLine.isEmpty())
        return a;
    const QString end = ending(commandLine);
    if (end == QLatin1String("TVQ")) {
        a.kind = CommandLineAction::OpenStudy;
        a.path = lastExistingFile(commandLine);
    } else if (end == QLatin1String("MET")) {
        a.kind = CommandLineAction::OpenDatabase;
        a.path = stripEnclosingQuotes(commandLine);
    }
    return a;
}

QString databasePathFromCommandLine(const QString& commandLine)
{
    const CommandLineAction a = interpretCommandLine(commandLine);
    return a.kind == CommandLineAction::OpenDatabase ? a.path : QString();
}

} // namespace frame
