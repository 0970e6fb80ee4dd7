#include "platform/AppInfo.h"
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace platform {

namespace {
AppInfo& info()
{
    static AppInfo i{QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5")};
    return i;
}
QStringList& arguments()
{
    static QStringList a;
    return a;
}
} // namespace

void setAppInfo(const AppInfo& i) { info() = i; }
const AppInfo& appInfo() { return info(); }

QString appPath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QStringLiteral(".");
}

void setCommandArguments(const QStringList& args) { arguments() = args; }

QString buildCommandLine(const QStringList& args)
{
    // An argument that carries its own pair of enclosing double quotes (a
    // launcher that quotes a path with blanks and passes it whole) is taken
    // without them, like the path it quotes.
    QStringList words;
    for (const QString& a : args) {
        const bool quoted = a.size() >= 2 && a.startsWith(QLatin1Char('"')) && a.endsWith(QLatin1Char('"'));
        const QString word = quoted ? a.mid(1, a.size() - 2) : a;
        if (!word.isEmpty())
            words << word;
    }

    // Longest run of words, starting at each place, that names an existing
    // file when joined with blanks; a word that starts no such run stands
    // alone. Runs are limited so that a long argument list stays cheap.
    constexpr int kMaxWordsPerPath = 32;
    QStringList items;
    for (int i = 0; i < words.size();) {
        int take = 1;
        QString joined = words[i];
        const int last = std::min<int>(words.size(), i + kMaxWordsPerPath);
        QString candidate = words[i];
        for (int j = i + 1; j < last; ++j) {
            candidate += QLatin1Char(' ') + words[j];
            if (QFileInfo(candidate).isFile()) {
                take = j - i + 1;
                joined = candidate;
            }
        }
        items << joined;
        i += take;
    }

    if (items.isEmpty())
        return {};
    const QChar quote(QLatin1Char('"'));
    if (items.size() == 1) {
        const QString& only = items.constFirst();
        return only.contains(QLatin1Char(' ')) ? quote + only + quote : only;
    }
    QStringList quoted;
    for (const QString& item : items)
        quoted << quote + item + quote;
    return quoted.join(QLatin1Char(' '));
}

QString commandLine() { return buildCommandLine(arguments()); }

} // namespace platform
