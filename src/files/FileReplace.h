#pragma once

#include <QString>

#include <chrono>

class QSaveFile;

// Replacing a file that already exists by a new version written beside it (QSaveFile), so that
// the replacement is the same file to its owner as before.

// Opens file for writing the replacement of the file it names. Refuses, with the message of a
// file that cannot be saved, a file write-protected for everyone (no write bit: even root must
// not rewrite what its owner protected) or one this user may not write. Removes the
// temporary files earlier saves of the same file left behind when they were killed, and gives
// the new version the old one's owner, group and permissions. Throws TUserError.
void OpenReplacement(QSaveFile& file);

// The temporaries an interrupted save of the file at path left beside it: files named as the
// file with a dot and six letters or digits ("k.lbl.ynLKwj"), last written at least minAge ago
// (younger ones may belong to a save that is still running).
QStringList LeftoverSaves(const QString& path, std::chrono::seconds minAge);
