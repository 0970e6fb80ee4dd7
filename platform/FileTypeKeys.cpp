#include "platform/FileTypeKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringTokenizer>
#include <QTemporaryFile>
#include <QXmlStreamReader>

namespace platform::filetypes {

namespace {

const QString kEntryGroup = QStringLiteral("Desktop Entry");
const QString kDefaultsGroup = QStringLiteral("Default Applications");

QString homeDir() { return QDir::homePath(); }

QString envDir(const char* name, const QString& fallback)
{
    const QString v = qEnvironmentVariable(name);
    return (!v.isEmpty() && QDir::isAbsolutePath(v)) ? QDir::cleanPath(v) : fallback;
}

QStringList envDirs(const char* name, const QStringList& fallback)
{
    QStringList out;
    for (const QString& d : qEnvironmentVariable(name).split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(d))
            out << QDir::cleanPath(d);
    return out.isEmpty() ? fallback : out;
}

// ---- Desktop-entry value escaping ----------------------------------------

QString escapeValue(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (c == QLatin1Char(' ') && i == 0)
            out += QLatin1String("\\s");
        else
            out += c;
    }
    return out;
}

QString unescapeValue(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c != QLatin1Char('\\') || i + 1 == s.size()) {
            out += c;
            continue;
        }
        const QChar n = s.at(++i);
        switch (n.unicode()) {
        case 's': out += QLatin1Char(' '); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case '\\': out += QLatin1Char('\\'); break;
        default: out += QLatin1Char('\\'); out += n; break;
        }
    }
    return out;
}

// A list value ("a;b;"), "\;" kept inside an item.
QStringList splitList(const QString& raw)
{
    QStringList out;
    QString cur;
    for (int i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == QLatin1Char('\\') && i + 1 < raw.size() && raw.at(i + 1) == QLatin1Char(';')) {
            cur += QLatin1Char(';');
            ++i;
        } else if (c == QLatin1Char(';')) {
            if (!cur.trimmed().isEmpty())
                out << cur.trimmed();
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.trimmed().isEmpty())
        out << cur.trimmed();
    return out;
}

// ---- Key files (desktop entries, mimeapps.list) -------------------------
// Kept as lines so that whatever else a file holds survives our edits.
class KeyFile {
public:
    bool load(const QString& path)
    {
        lines_.clear();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        const QString text = QString::fromUtf8(f.readAll());
        lines_ = text.split(QLatin1Char('\n'));
        if (!lines_.isEmpty() && lines_.last().isEmpty())
            lines_.removeLast();
        for (QString& l : lines_)
            if (l.endsWith(QLatin1Char('\r')))
                l.chop(1);
        return true;
    }

    bool save(const QString& path) const
    {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return false;
        QSaveFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        QByteArray bytes;
        for (const QString& l : lines_)
            bytes += l.toUtf8() + '\n';
        if (f.write(bytes) != bytes.size()) {
            f.cancelWriting();
            return false;
        }
        return f.commit();
    }

    bool hasGroup(const QString& group) const { return groupStart(group) >= 0; }

    // The raw (still escaped) value, or a null string when the key is absent.
    QString raw(const QString& group, const QString& key) const
    {
        const int i = keyLine(group, key);
        if (i < 0)
            return {};
        const QString& l = lines_.at(i);
        QString v = l.mid(l.indexOf(QLatin1Char('=')) + 1);
        while (v.startsWith(QLatin1Char(' ')) || v.startsWith(QLatin1Char('\t')))
            v.remove(0, 1);
        return v.isNull() ? QString(QLatin1String("")) : v;
    }

    void setRaw(const QString& group, const QString& key, const QString& value)
    {
        const QString line = key + QLatin1Char('=') + value;
        const int i = keyLine(group, key);
        if (i >= 0) {
            lines_[i] = line;
            return;
        }
        int start = groupStart(group);
        if (start < 0) {
            if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
                lines_ << QString();
            lines_ << QLatin1Char('[') + group + QLatin1Char(']') << line;
            return;
        }
        int end = groupEnd(start);
        while (end > start + 1 && lines_.at(end - 1).trimmed().isEmpty())
            --end;
        lines_.insert(end, line);
    }

    bool remove(const QString& group, const QString& key)
    {
        const int i = keyLine(group, key);
        if (i < 0)
            return false;
        lines_.removeAt(i);
        return true;
    }

private:
    int groupStart(const QString& group) const
    {
        const QString header = QLatin1Char('[') + group + QLatin1Char(']');
        for (int i = 0; i < lines_.size(); ++i)
            if (lines_.at(i).trimmed() == header)
                return i;
        return -1;
    }
    int groupEnd(int start) const
    {
        int i = start + 1;
        while (i < lines_.size() && !lines_.at(i).trimmed().startsWith(QLatin1Char('[')))
            ++i;
        return i;
    }
    int keyLine(const QString& group, const QString& key) const
    {
        const int start = groupStart(group);
        if (start < 0)
            return -1;
        const int end = groupEnd(start);
        for (int i = start + 1; i < end; ++i) {
            const QString& l = lines_.at(i);
            const int eq = l.indexOf(QLatin1Char('='));
            if (eq > 0 && l.left(eq).trimmed() == key && !l.trimmed().startsWith(QLatin1Char('#')))
                return i;
        }
        return -1;
    }

    QStringList lines_;
};

QString entryFileName(const QString& className) { return className + QLatin1String(".desktop"); }

bool validClassName(const QString& className)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9_.+-]+$"));
    return re.match(className).hasMatch() && !className.startsWith(QLatin1Char('.'));
}

QString bareExtension(const QString& extension)
{
    QString e = extension;
    if (e.startsWith(QLatin1Char('.')))
        e.remove(0, 1);
    return e.toLower();
}

// Loads the class entry; a missing entry starts as a fresh one.
bool loadEntry(const QString& className, KeyFile& kf, bool create)
{
    if (!validClassName(className))
        return false;
    if (kf.load(classEntryPath(className)) && kf.hasGroup(kEntryGroup))
        return true;
    if (!create)
        return false;
    kf = KeyFile();
    kf.setRaw(kEntryGroup, QStringLiteral("Type"), QStringLiteral("Application"));
    kf.setRaw(kEntryGroup, QStringLiteral("Name"), escapeValue(className));
    kf.setRaw(kEntryGroup, QStringLiteral("NoDisplay"), QStringLiteral("true"));
    return true;
}

bool setEntryValue(const QString& className, const QString& key, const QString& raw)
{
    KeyFile kf;
    if (!loadEntry(className, kf, true))
        return false;
    kf.setRaw(kEntryGroup, key, raw);
    return kf.save(classEntryPath(className));
}

QString entryValue(const QString& className, const QString& key)
{
    KeyFile kf;
    if (!loadEntry(className, kf, false))
        return {};
    return unescapeValue(kf.raw(kEntryGroup, key));
}

bool removeEntryValue(const QString& className, const QString& key)
{
    KeyFile kf;
    if (!loadEntry(className, kf, false))
        return false;
    if (!kf.remove(kEntryGroup, key))
        return true;
    return kf.save(classEntryPath(className));
}

QString findDesktopEntryFile(const QString& desktopId)
{
    if (desktopId.isEmpty() || desktopId.contains(QLatin1Char('/')))
        return {};
    QStringList dirs{dataHome()};
    dirs += dataDirs();
    for (const QString& d : dirs) {
        const QString path = d + QLatin1String("/applications/") + desktopId;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

// ---- MIME globs ----------------------------------------------------------

struct Glob {
    int weight = 50;
    QString type;
    QString pattern;
    bool caseSensitive = false;
};

// The compiled globs file, "weight:type:pattern[:flags]" a line. Read as a
// whole and cut up in place: the system's file has over a thousand lines and
// is read each time a program starts.
QList<Glob> readGlobs2(const QString& path)
{
    QList<Glob> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QString text = QString::fromUtf8(f.readAll());
    for (QStringView line : QStringTokenizer(text, u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QStringView parts[4];
        int count = 0;
        for (QStringView part : QStringTokenizer(line, u':')) {
            if (count < 4)
                parts[count] = part;
            ++count;
        }
        if (count < 3)
            continue;
        Glob g;
        g.weight = parts[0].toInt();
        g.type = parts[1].toString();
        g.pattern = parts[2].toString();
        if (count > 3)
            for (QStringView flag : QStringTokenizer(parts[3], u','))
                if (flag == u"cs")
                    g.caseSensitive = true;
        out << g;
    }
    return out;
}

QList<Glob> readPackages(const QString& packagesDir)
{
    QList<Glob> out;
    const QDir dir(packagesDir);
    for (const QString& name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        QXmlStreamReader xml(&f);
        QString type;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("mime-type")) {
                type = xml.attributes().value(QLatin1String("type")).toString();
            } else if (xml.name() == QLatin1String("glob") && !type.isEmpty()) {
                Glob g;
                g.type = type;
                g.pattern = xml.attributes().value(QLatin1String("pattern")).toString();
                const auto w = xml.attributes().value(QLatin1String("weight"));
                if (!w.isEmpty())
                    g.weight = w.toInt();
                g.caseSensitive = xml.attributes().value(QLatin1String("case-sensitive")) == QLatin1String("true");
                if (!g.pattern.isEmpty())
                    out << g;
            }
        }
    }
    return out;
}

// The cache tool runs on its own after a change, so the compiled globs of
// the user's own folder, where this program writes its packages, may still
// describe them as they were, or be written late by a run that read them
// before the last change: there the packages themselves are read. The
// system's folders change only with the system's packages.
bool compiledGlobsToBeRead(const QString& folder, const QString& globs2, const QString& packagesDir)
{
    if (!QFileInfo(globs2).isFile())
        return false;
    return folder != dataHome() || !QFileInfo(packagesDir).isDir();
}


bool globMatches(const Glob& g, const QString& fileName)
{
    const Qt::CaseSensitivity cs = g.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    auto wild = [](QStringView t) {
        for (QChar c : t)
            if (c == u'*' || c == u'?' || c == u'[')
                return true;
        return false;
    };
    const QStringView rest = QStringView(g.pattern).mid(1);
    if (g.pattern.startsWith(QLatin1Char('*')) && !wild(rest))
        return fileName.size() > rest.size() - 1 && fileName.endsWith(rest, cs);
    if (!wild(g.pattern))
        return fileName.compare(g.pattern, cs) == 0;
    QRegularExpression re(QRegularExpression::wildcardToRegularExpression(
        g.pattern, QRegularExpression::UnanchoredWildcardConversion));
    re.setPattern(QLatin1String("\\A(?:") + re.pattern() + QLatin1String(")\\z"));
    if (!g.caseSensitive)
        re.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    return re.match(fileName).hasMatch();
}

// Starts the desktop's cache tool on the folder and does not wait for it:
// the window goes on at once. The tool runs detached (it is nobody's child
// here, so it leaves no zombie behind); a tool that is not installed is
// skipped.
void runTool(const QString& tool, const QString& dir)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty() || !QFileInfo(dir).isDir())
        return;
    QProcess p;
    p.setProgram(exe);
    p.setArguments({dir});
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.startDetached();
}

} // namespace

// ---- Folders ---------------------------------------------------------------

QString dataHome() { return envDir("XDG_DATA_HOME", homeDir() + QLatin1String("/.local/share")); }
QString configHome() { return envDir("XDG_CONFIG_HOME", homeDir() + QLatin1String("/.config")); }
QStringList dataDirs()
{
    return envDirs("XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
}
QStringList configDirs() { return envDirs("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")}); }

QString mimeTypeForExtension(const QString& extension)
{
    static const QRegularExpression re(QStringLiteral("^[a-z0-9_+-]+$"));
    const QString e = bareExtension(extension);
    return re.match(e).hasMatch() ? QLatin1String("application/x-") + e : QString();
}

QString classEntryPath(const QString& className)
{
    return dataHome() + QLatin1String("/applications/") + entryFileName(className);
}

QString extensionPackagePath(const QString& extension)
{
    const QString type = mimeTypeForExtension(extension);
    if (type.isEmpty())
        return {};
    return dataHome() + QLatin1String("/mime/packages/") + QString(type).replace(QLatin1Char('/'), QLatin1Char('-')) +
           QLatin1String(".xml");
}

QString mimeAppsListPath() { return configHome() + QLatin1String("/mimeapps.list"); }

// ---- Class keys -------------------------------------------------------------

bool setClassDescription(const QString& className, const QString& description)
{
    return setEntryValue(className, QStringLiteral("Name"), escapeValue(description));
}

bool setClassOpenCommand(const QString& className, const QString& programPath)
{
    if (programPath.isEmpty())
        return false;
    return setEntryValue(className, QStringLiteral("Exec"),
                         escapeValue(quoteExecArgument(programPath) + QLatin1String(" %f")));
}

bool setClassIcon(const QString& className, const QString& iconPath)
{
    return setEntryValue(className, QStringLiteral("Icon"), escapeValue(iconPath));
}

QString classDescription(const QString& className) { return entryValue(className, QStringLiteral("Name")); }

QString classOpenCommand(const QString& className)
{
    QStringList args = splitExec(entryValue(className, QStringLiteral("Exec")));
    for (QString& a : args)
        a.replace(QLatin1String("%%"), QLatin1String("%"));
    return args.join(QLatin1Char(' '));
}

QStringList classMimeTypes(const QString& className)
{
    KeyFile kf;
    if (!loadEntry(className, kf, false))
        return {};
    return splitList(kf.raw(kEntryGroup, QStringLiteral("MimeType")));
}

bool deleteClassIcon(const QString& className) { return removeEntryValue(className, QStringLiteral("Icon")); }

bool deleteClassOpenCommand(const QString& className)
{
    return removeEntryValue(className, QStringLiteral("Exec"));
}

bool deleteClass(const QString& className)
{
    KeyFile kf;
    if (!loadEntry(className, kf, false))
        return false;
    if (!kf.raw(kEntryGroup, QStringLiteral("Exec")).isNull() || !kf.raw(kEntryGroup, QStringLiteral("Icon")).isNull())
        return false;
    return QFile::remove(classEntryPath(className));
}

// ---- Extension keys ---------------------------------------------------------

bool setExtensionClass(const QString& extension, const QString& className)
{
    const QString type = mimeTypeForExtension(extension);
    if (type.isEmpty() || !validClassName(className))
        return false;
    bool ok = true;

    // The MIME package: "*.<ext>" in any letter case is the type.
    {
        const QString path = extensionPackagePath(extension);
        const QString ext = bareExtension(extension);
        const QByteArray xml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"" + type.toUtf8() + "\">\n"
            "    <comment>" + ext.toUpper().toUtf8() + " file</comment>\n"
            "    <glob pattern=\"*." + ext.toUtf8() + "\"/>\n"
            "  </mime-type>\n"
            "</mime-info>\n";
        QSaveFile f(path);
        ok = QDir().mkpath(QFileInfo(path).absolutePath()) && f.open(QIODevice::WriteOnly) &&
             f.write(xml) == xml.size() && f.commit();
    }

    // The type's default application.
    {
        KeyFile kf;
        kf.load(mimeAppsListPath());
        kf.setRaw(kDefaultsGroup, type, entryFileName(className) + QLatin1Char(';'));
        ok = kf.save(mimeAppsListPath()) && ok;
    }

    // The class entry opens the type.
    {
        KeyFile kf;
        if (loadEntry(className, kf, true)) {
            QStringList types = splitList(kf.raw(kEntryGroup, QStringLiteral("MimeType")));
            if (!types.contains(type)) {
                types << type;
                kf.setRaw(kEntryGroup, QStringLiteral("MimeType"), types.join(QLatin1Char(';')) + QLatin1Char(';'));
                ok = kf.save(classEntryPath(className)) && ok;
            }
        } else {
            ok = false;
        }
    }
    return ok;
}

QString extensionClass(const QString& extension)
{
    const QString type = mimeTypeForExtension(extension);
    if (type.isEmpty())
        return {};
    KeyFile kf;
    if (!kf.load(mimeAppsListPath()))
        return {};
    const QStringList ids = splitList(kf.raw(kDefaultsGroup, type));
    if (ids.isEmpty())
        return {};
    QString id = ids.first();
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    return id;
}

bool deleteExtension(const QString& extension)
{
    const QString type = mimeTypeForExtension(extension);
    if (type.isEmpty())
        return false;
    bool found = false;
    bool ok = true;
    const QString path = extensionPackagePath(extension);
    if (QFileInfo::exists(path)) {
        found = true;
        ok = QFile::remove(path);
    }
    KeyFile kf;
    if (kf.load(mimeAppsListPath()) && kf.remove(kDefaultsGroup, type)) {
        found = true;
        ok = kf.save(mimeAppsListPath()) && ok;
    }
    return found && ok;
}

// ---- Queries ---------------------------------------------------------------

QString mimeTypeForFileName(const QString& fileName)
{
    QStringList dirs{dataHome()};
    dirs += dataDirs();
    dirs.removeDuplicates();
    Glob best;
    bool found = false;
    for (const QString& d : dirs) {
        const QString globs2 = d + QLatin1String("/mime/globs2");
        const QString packages = d + QLatin1String("/mime/packages");
        const QList<Glob> globs = compiledGlobsToBeRead(d, globs2, packages) ? readGlobs2(globs2) : readPackages(packages);
        for (const Glob& g : globs) {
            if (g.type == QLatin1String("__NOGLOBS__") || !globMatches(g, fileName))
                continue;
            // Highest weight wins, then the longest pattern, then the earlier folder.
            if (!found || g.weight > best.weight || (g.weight == best.weight && g.pattern.size() > best.pattern.size())) {
                best = g;
                found = true;
            }
        }
    }
    return found ? best.type : QString();
}

QString defaultApplication(const QString& mimeType)
{
    if (mimeType.isEmpty())
        return {};
    QStringList desktops;
    for (const QString& d : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        desktops << d.toLower();

    auto fromList = [&](const QString& path, const QString& group) -> QString {
        KeyFile kf;
        if (!kf.load(path))
            return {};
        for (const QString& id : splitList(kf.raw(group, mimeType)))
            if (!desktopEntryProgram(id).isEmpty())
                return id;
        return {};
    };

    QStringList listDirs{configHome()};
    listDirs += configDirs();
    listDirs << dataHome() + QLatin1String("/applications");
    for (const QString& d : dataDirs())
        listDirs << d + QLatin1String("/applications");
    for (const QString& dir : listDirs) {
        for (const QString& desktop : desktops) {
            const QString id = fromList(dir + QLatin1Char('/') + desktop + QLatin1String("-mimeapps.list"), kDefaultsGroup);
            if (!id.isEmpty())
                return id;
        }
        const QString id = fromList(dir + QLatin1String("/mimeapps.list"), kDefaultsGroup);
        if (!id.isEmpty())
            return id;
    }

    QStringList appDirs{dataHome()};
    appDirs += dataDirs();
    for (const QString& d : appDirs) {
        QString id = fromList(d + QLatin1String("/applications/defaults.list"), kDefaultsGroup);
        if (id.isEmpty())
            id = fromList(d + QLatin1String("/applications/mimeinfo.cache"), QStringLiteral("MIME Cache"));
        if (!id.isEmpty())
            return id;
    }
    return {};
}

QString desktopEntryProgram(const QString& desktopId)
{
    const QString path = findDesktopEntryFile(desktopId);
    if (path.isEmpty())
        return {};
    KeyFile kf;
    if (!kf.load(path))
        return {};
    const QStringList args = splitExec(unescapeValue(kf.raw(kEntryGroup, QStringLiteral("Exec"))));
    if (args.isEmpty())
        return {};
    QString program = args.first();
    program.replace(QLatin1String("%%"), QLatin1String("%"));
    if (program.isEmpty())
        return {};
    if (!program.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(program);
    const QFileInfo fi(program);
    if (!fi.isAbsolute() || !fi.isFile() || !fi.isExecutable())
        return {};
    return program;
}

QString associatedProgram(const QString& extension)
{
    if (extension.isEmpty() || extension.contains(QLatin1Char('/')))
        return {};
    QTemporaryFile file(QDir::tempPath() + QLatin1String("/~XXXXXX.") + extension);
    if (!file.open())
        return {};
    file.close();
    const QString type = mimeTypeForFileName(QFileInfo(file.fileName()).fileName());
    const QString id = defaultApplication(type);
    return id.isEmpty() ? QString() : desktopEntryProgram(id);
}

void notifyAssociationsChanged()
{
    runTool(QStringLiteral("update-mime-database"), dataHome() + QLatin1String("/mime"));
    runTool(QStringLiteral("update-desktop-database"), dataHome() + QLatin1String("/applications"));
}

// ---- Exec quoting ---------------------------------------------------------

QString quoteExecArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString a = argument;
    a.replace(QLatin1Char('%'), QLatin1String("%%"));
    bool needs = a.isEmpty();
    for (const QChar c : a)
        if (reserved.contains(c))
            needs = true;
    if (!needs)
        return a;
    QString out = QStringLiteral("\"");
    for (const QChar c : a) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

QStringList splitExec(const QString& exec)
{
    QStringList args;
    QString cur;
    bool inQuote = false;
    bool have = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuote) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size() &&
                QStringLiteral("\"`$\\").contains(exec.at(i + 1))) {
                cur += exec.at(++i);
            } else if (c == QLatin1Char('"')) {
                inQuote = false;
            } else {
                cur += c;
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (have)
                args << cur;
            cur.clear();
            have = false;
        } else if (c == QLatin1Char('"')) {
            inQuote = true;
            have = true;
        } else {
            cur += c;
            have = true;
        }
    }
    if (inQuote)
        return {};
    if (have)
        args << cur;
    return args;
}

} // namespace platform::filetypes
