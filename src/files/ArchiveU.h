#pragma once

#include <QString>
#include <QStringList>

// The label archive: a fixed header, a directory of fixed-size entries and the packed files one
// after the other, uncompressed. All integers are 32-bit signed little-endian; texts are 8-bit,
// zero-terminated inside their field.
namespace Archive {
inline constexpr char Magic[] = "Vellumtrace";
inline constexpr char Version[] = "1.0";
inline constexpr int MagicFieldSize = 261;
inline constexpr int VersionOffset = 261;
inline constexpr int VersionFieldSize = 9;
inline constexpr int CountOffset = 270;
inline constexpr int HeaderSize = 274;
inline constexpr int NameFieldSize = 261;
inline constexpr int MaxNameLength = 260;
inline constexpr int SizeOffset = 261;
inline constexpr int EntrySize = 265;
// Entries an archive may hold: the description and its pictures. Each one becomes a file of
// its own while the label is read, so a directory of millions is refused.
inline constexpr int MaxEntries = 10000;
// The name the description travels under, always the first entry.
inline constexpr char DescriptionName[] = "_LB_FRMT.TMP";
} // namespace Archive

// Packs files, in order, into a new archive at path. Files that cannot be opened or are empty
// are left out. The previous file at path is replaced only once the new one is complete.
// Throws TUserError.
void WriteLabelArchive(const QString& path, const QStringList& files);

// Unpacks the archive at path into TempFolder() and fills extracted with the new files' paths in
// entry order; every file gets a fresh name of its own, the pictures one that begins with the
// stored name's first three characters. Returns false, extracting nothing, when the magic or
// version is not ours. A damaged archive (impossible count, sizes past the end, unusable names,
// or more than MaxEntries entries) is refused with TUserError before anything is extracted; a
// failure while extracting removes what was extracted so far. storedNames, when given, receives the
// entries' plain names.
bool ReadLabelArchive(const QString& path, QStringList& extracted,
                      QStringList* storedNames = nullptr);

// The name a stored entry name may be used under: its last plain component, without folders,
// drive or anything after a NUL; empty when nothing usable remains ("", ".", "..").
QString PlainEntryName(const QString& stored);
