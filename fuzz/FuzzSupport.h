#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: a Qt application on the offscreen platform, a private scratch
// folder that is also the program's temporary folder, and messages swallowed.

// Sets it all up once; the LLVMFuzzerInitialize defined beside it calls it for every target.
void InitFuzzing(int* argc, char*** argv);

// Writes the input into the scratch folder under name and returns its path.
QString WriteFuzzInput(const QString& name, const uint8_t* data, size_t size);

// The scratch folder.
QString FuzzScratch();

// Aborts (a finding) when a reader left a file behind in the temporary folder.
void CheckTempFolderEmpty();

// Aborts with what when ok is false: an invariant a reader broke.
void FuzzCheck(bool ok, const char* what);
