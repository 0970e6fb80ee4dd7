#pragma once
// The user's own temporary folder, where the programs put files meant for
// the user alone (a report handed to a text editor), and the writing of a
// file there that never goes through a symbolic link.
#include <QByteArray>
#include <QString>

namespace platform {

// The folder: $XDG_RUNTIME_DIR when it is set and is a folder of this user
// that no one else may enter; otherwise the folder "summarystats-<uid>" in
// the system's temporary folder, created for this user with mode 0700. A
// folder found there is used only when it is a real folder (not a link)
// owned by this user; one that others may enter is closed to them first
// (mode 0700). Raises RuntimeError whose description names the folder and
// the reason (path not found when the temporary folder does not exist,
// permission denied for a folder that fails the checks).
QString userTempFolder();
// The path of that folder, without making or checking it.
QString userTempFolderPath();

// Writes `bytes` as the file at `path` in place of whatever file or link
// has that name: the bytes go to a new file in the same folder, which then
// takes the name, so the file is replaced whole or not at all and a link of
// that name is replaced itself, never followed. The file is readable and
// writable by the user alone. Raises RuntimeError.
void replaceFileNoFollow(const QString& path, const QByteArray& bytes);

} // namespace platform
