#pragma once

// The fixed texts of the label files, in one place so that tests compare them exactly.
// %1 is always the path of the file concerned.
namespace FileText {
inline constexpr const char* CannotOpen = "Cannot open the file \"%1\": %2.";
inline constexpr const char* CannotRead = "Cannot read the file \"%1\": %2.";
inline constexpr const char* CannotWrite = "Cannot save the file \"%1\": %2.";
inline constexpr const char* CutShort = "not everything could be written (is the disk full?)";
inline constexpr const char* IsFolder = "it is a folder";
inline constexpr const char* WriteProtected = "the file is write-protected";
inline constexpr const char* Missing = "The file \"%1\" does not exist.";
inline constexpr const char* TooLarge =
    "The file \"%1\" is too large to be a label description (%2 bytes).";
// %2 is the limit (IniFile.h).
inline constexpr const char* TooManySections =
    "The file \"%1\" cannot be read: it holds more than %2 sections.";
inline constexpr const char* TooManyKeys =
    "The file \"%1\" cannot be read: it holds more than %2 keys.";
inline constexpr const char* TooShort =
    "The file \"%1\" cannot be read: it is too short to be a label file.";
inline constexpr const char* NoFormatSection =
    "The file \"%1\" is not a label file: it has no [FORMAT] section.";
inline constexpr const char* NoTemplateSection =
    "The file \"%1\" is not a label template: it has no [FORMAT] section.";
inline constexpr const char* UnknownArchive =
    "The file \"%1\" is not a label archive of a version this program can read.";
// %2 says what is wrong, from the reasons below.
inline constexpr const char* Damaged = "The label file \"%1\" is damaged: %2.";
inline constexpr const char* HeaderCut = "its header is cut short";
inline constexpr const char* BadCount = "its directory claims %1 entries";
inline constexpr const char* TooManyEntries = "it holds %1 entries, more than the %2 allowed";
inline constexpr const char* BadEntrySize = "entry %1 has the impossible size %2";
inline constexpr const char* EntryPastEnd = "entry %1 runs past the end of the file";
inline constexpr const char* BadEntryName = "entry %1 has no usable file name";
inline constexpr const char* NoDescription = "it holds no label description";
// %2 is the limit the sheet breaks, from SheetLimitProblem.
inline constexpr const char* SheetBeyondLimits = "The file \"%1\" %2.";
// %2 and %3 are the paper's sides in inches, %4 and %5 the bounds (PaperChoice.h).
inline constexpr const char* PaperBeyondLimits =
    "The file \"%1\" describes a paper of %2 by %3 inches; papers can be from %4 to %5 inches "
    "on a side.";
inline constexpr const char* FileTooLargeToPack =
    "The picture file \"%1\" is too large to be stored in a label file.";
inline constexpr const char* CannotSaveDefaults = "Cannot save the default label settings: %1";
} // namespace FileText
