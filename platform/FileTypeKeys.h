#pragma once
// File-type keys of the desktop: which program opens a data file.
//
// A file class (a program's way of opening a kind of file, with its
// description, open command and icon) is a desktop entry named after the
// class, "<class>.desktop", in $XDG_DATA_HOME/applications. An extension key
// is a shared-mime-info package in $XDG_DATA_HOME/mime/packages that gives
// "*.<ext>" (any letter case) its own MIME type, "application/x-<ext>", and
// the default application of that type in $XDG_CONFIG_HOME/mimeapps.list,
// which names the class's entry. Extensions are compared without regard to
// case, so ".TVQ" and "tvq" are one key.
//
// Every write replaces its file as a whole (QSaveFile): a failed write leaves
// the old file as it was. Writers return false on failure and never throw.
#include <QString>
#include <QStringList>

namespace platform::filetypes {

// ---- Folders (the XDG variables with their standard defaults) ----------
QString dataHome();     // $XDG_DATA_HOME or ~/.local/share
QString configHome();   // $XDG_CONFIG_HOME or ~/.config
QStringList dataDirs(); // $XDG_DATA_DIRS or /usr/local/share:/usr/share
QStringList configDirs(); // $XDG_CONFIG_DIRS or /etc/xdg

// "application/x-<ext>" for an extension given with or without its dot;
// "" for an extension that is empty or holds characters other than letters,
// digits, "_", "+" and "-".
QString mimeTypeForExtension(const QString& extension);
// Where the pieces live.
QString classEntryPath(const QString& className);      // .../applications/<class>.desktop
QString extensionPackagePath(const QString& extension); // .../mime/packages/application-x-<ext>.xml
QString mimeAppsListPath();                             // $XDG_CONFIG_HOME/mimeapps.list

// ---- Class keys ---------------------------------------------------------
// The description (Name), creating the entry when it is missing.
bool setClassDescription(const QString& className, const QString& description);
// The open command: Exec = the program's path (quoted when it needs to be)
// followed by " %f".
bool setClassOpenCommand(const QString& className, const QString& programPath);
// The icon (Icon = a file path).
bool setClassIcon(const QString& className, const QString& iconPath);
QString classDescription(const QString& className);
// The open command as a command line: the program's path, unquoted, then
// the remaining arguments ("/opt/Tarvoss 5/Tarvoss5 %f"); "" when the class
// or its command is missing.
QString classOpenCommand(const QString& className);
QStringList classMimeTypes(const QString& className);
bool deleteClassIcon(const QString& className);
bool deleteClassOpenCommand(const QString& className);
// Deletes the class's entry; fails while it still holds an open command or
// an icon (a key that still has subkeys).
bool deleteClass(const QString& className);

// ---- Extension keys -----------------------------------------------------
// Points the extension at the class: writes the extension's MIME package,
// makes the class the type's default application and lists the type in the
// class's entry (created when missing).
bool setExtensionClass(const QString& extension, const QString& className);
// The class that the extension's type names as its default application in
// $XDG_CONFIG_HOME/mimeapps.list, "" when none.
QString extensionClass(const QString& extension);
// Removes the extension's MIME package and its default application.
bool deleteExtension(const QString& extension);

// ---- Queries as a file manager makes them -------------------------------
// The MIME type that the shared-mime-info globs give a file name ("" when
// no glob matches). The user's folder comes first; a folder without compiled
// globs is read from its package files.
QString mimeTypeForFileName(const QString& fileName);
// The desktop entry (id such as "Tarvoss.desktop") that opens the type by
// default: the mimeapps.list files in their standard order, then the
// defaults.list and mimeinfo.cache files. Only entries whose program exists
// count. "" when none.
QString defaultApplication(const QString& mimeType);
// The program path of a desktop entry's Exec line, found on PATH when it is
// a bare name; "" when the entry or its program does not exist or cannot be
// run.
QString desktopEntryProgram(const QString& desktopId);
// Which program opens files of this extension (without its dot): makes a
// temporary file with the extension in the temporary folder, asks for its
// type and the type's default application, and answers the application's
// program path, "" at any failure.
QString associatedProgram(const QString& extension);

// Tells the desktop that associations changed: rebuilds the user's MIME and
// desktop-entry caches with update-mime-database and update-desktop-database
// when they are installed. Nothing is reported.
void notifyAssociationsChanged();

// ---- Desktop-entry Exec quoting -----------------------------------------
// One argument as it is written in an Exec value (before the value's own
// escaping): quoted with "..." when it holds a reserved character, "%"
// doubled.
QString quoteExecArgument(const QString& argument);
// The arguments of an Exec value (after the value's own unescaping); empty
// when the quoting is broken.
QStringList splitExec(const QString& exec);

} // namespace platform::filetypes
