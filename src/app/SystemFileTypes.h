#pragma once

#include <QString>
#include <QStringList>

// What the system's own data folders (those of an installed package) already associate with
// the running program, so that the user's folder is not given copies that would hide them.

// $XDG_DATA_DIRS's absolute folders; /usr/local/share and /usr/share when it is unset or empty.
QStringList SystemDataFolders();
// The extensions whose MIME type the data folders open with the program, through an
// application entry that is not hidden and whose Exec program is the program's file: an
// absolute path to the same file, or a bare name that the PATH resolves to it.
QStringList SystemAssociatedExtensions(const QStringList& dataFolders, const QString& programPath);
