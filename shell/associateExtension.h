#pragma once
// Writing and removing a file type's keys for the Options dialog.
#include <QString>

namespace shell::associateExtension {

// Points ".<extension>" at className and gives the class the open command
// "<programPath> %f" and the icon; the class's description is its own name.
// An extension holding "." is refused with a message.
void AssociateFileType(const QString& extension, const QString& programPath, const QString& className,
                       const QString& iconPath);

// Deletes the class's icon and open command, the class and the extension
// key, in that order; each step that fails leaves its key as it was. An
// extension holding "." is refused with a message.
void RemoveFileType(const QString& extension, const QString& className);

} // namespace shell::associateExtension
