#pragma once

#include <QString>

// The program's private temporary folder: one per user under the system's temporary folder,
// mode 0700, so no other user can read our picture copies or plant files for us to open.
// Created on first use; safe to call from any thread. Throws TUserError when it cannot be made private.
QString TempFolder();

// Creates a new empty file in TempFolder() exclusively (never reusing an existing name) and
// returns its full path. The name is the first three characters of prefix, a hexadecimal
// number and ".TMP"; picture kinds travel in the prefix ("bmp", "jpg", "jpe").
QString UniqueTempFile(const QString& prefix);

// For tests: use another base folder instead of the system's temporary folder.
void SetTempBaseForTesting(const QString& base);
