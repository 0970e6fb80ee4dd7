#include "shell/associateExtension.h"

#include "platform/Dialogs.h"
#include "platform/FileTypeKeys.h"

namespace shell::associateExtension {

namespace {

bool refuseDot(const QString& extension)
{
    if (!extension.contains(QLatin1Char('.')))
        return false;
    platform::msgBox(QStringLiteral("Extension has . in it. Remove and try again."), platform::MsgButtons::OK);
    return true;
}

} // namespace

void AssociateFileType(const QString& extension, const QString& programPath, const QString& className,
                       const QString& iconPath)
{
    namespace ft = platform::filetypes;
    if (refuseDot(extension))
        return;
    ft::setClassDescription(className, className);
    ft::setExtensionClass(extension, className);
    ft::setClassOpenCommand(className, programPath);
    ft::setClassIcon(className, iconPath);
    ft::notifyAssociationsChanged();
}

void RemoveFileType(const QString& extension, const QString& className)
{
    namespace ft = platform::filetypes;
    if (refuseDot(extension))
        return;
    // From the leaves up. A class entry has no separate keys for its open
    // verb, so those go with its command.
    ft::deleteClassIcon(className);
    ft::deleteClassOpenCommand(className);
    ft::deleteClass(className);
    ft::deleteExtension(extension);
    ft::notifyAssociationsChanged();
}

} // namespace shell::associateExtension
