#include "platform/TempFolder.h"

#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace platform {

namespace {

RuntimeError pathNotFound() { return {ErrPathNotFound, QStringLiteral("Path not found")}; }
RuntimeError permissionDenied() { return {70, QStringLiteral("Permission denied")}; }
RuntimeError diskFull() { return {61, QStringLiteral("Disk full")}; }

RuntimeError accessError(int error)
{
    if (error == ENOSPC || error == EDQUOT)
        return diskFull();
    if (error == EACCES || error == EPERM || error == EROFS)
        return permissionDenied();
    if (error == ENOENT || error == ENOTDIR)
        return pathNotFound();
    return {ErrPathFileAccess, QStringLiteral("Path/File access error: ") + QString::fromLocal8Bit(std::strerror(error))};
}

// A real folder (not a link) of this user that no one else can enter.
bool privateFolder(const QByteArray& path)
{
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

} // namespace

QString userTempFolderPath()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(QFile::decodeName(runtime)) && privateFolder(runtime))
        return QDir::cleanPath(QFile::decodeName(runtime));
    // The system's temporary folder; a TMPDIR that names no folder still
    // names the path that was meant.
    QString base = QDir::tempPath();
    if (base.isEmpty())
        base = QDir::cleanPath(qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp")));
    return QDir(base).filePath(QStringLiteral("summarystats-%1").arg(static_cast<qulonglong>(::geteuid())));
}

QString userTempFolder()
{
    const QString folder = userTempFolderPath();
    const QByteArray name = QFile::encodeName(folder);
    const QString shown = QDir::toNativeSeparators(folder);
    const auto refused = [&shown](int number, const QString& reason) {
        return RuntimeError(number, QStringLiteral("The folder ") + shown + QStringLiteral(" cannot be used: ") + reason);
    };
    if (privateFolder(name))
        return folder;
    const QString parent = QFileInfo(folder).absolutePath();
    if (!QDir::isAbsolutePath(folder) || !QFileInfo(parent).isDir())
        throw refused(ErrPathNotFound, QStringLiteral("the temporary folder ") + QDir::toNativeSeparators(parent)
                                           + QStringLiteral(" does not exist (see TMPDIR)."));
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        const int error = errno;
        throw refused(accessError(error).number(),
                      QStringLiteral("it cannot be made (") + QString::fromLocal8Bit(std::strerror(error))
                          + QStringLiteral(")."));
    }
    // Made now or found: either way it must be ours alone (someone else may
    // have made it, or a link of that name, before us). A real folder of
    // ours that others may enter (made by hand, or by an old version) is
    // closed to them; it is opened without following a link, so the mode
    // changed is that of the folder checked.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        struct stat st {};
        if (::lstat(name.constData(), &st) == 0 && S_ISLNK(st.st_mode))
            throw refused(70, QStringLiteral("it is a link, not a folder."));
        if (::lstat(name.constData(), &st) == 0 && !S_ISDIR(st.st_mode))
            throw refused(70, QStringLiteral("it is a file, not a folder."));
        throw refused(70, QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char('.'));
    }
    struct stat st {};
    const bool stated = ::fstat(fd, &st) == 0;
    if (!stated || st.st_uid != ::geteuid()) {
        ::close(fd);
        throw refused(70, QStringLiteral("it belongs to another user."));
    }
    if ((st.st_mode & 077) != 0 && ::fchmod(fd, 0700) != 0) {
        const int error = errno;
        ::close(fd);
        throw refused(70, QStringLiteral("others may enter it, and it cannot be closed to them (")
                              + QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral(")."));
    }
    ::close(fd);
    if (!privateFolder(name))
        throw refused(70, QStringLiteral("it is not a folder of this user alone."));
    return folder;
}

void replaceFileNoFollow(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        throw RuntimeError(ErrBadFileNameOrNumber, QStringLiteral("Bad file name or number"));
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    struct stat st {};
    if (::lstat(target.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        throw errPathFileAccess();

    QByteArray temp = QFile::encodeName(info.absolutePath()) + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());   // a new file, mode 0600
    if (fd < 0)
        throw accessError(errno);
    const auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temp.constData());
        return accessError(error);
    };
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw fail(n < 0 ? errno : ENOSPC);
        written += n;
    }
    if (::fsync(fd) != 0 && errno != EINVAL)
        throw fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        throw accessError(error);
    }
    // The rename replaces a link of that name, not the file it points to.
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        throw accessError(error);
    }
}

} // namespace platform
