#pragma once

#include <cstdint>

// How much a print run prints: every record of the data (All), a number of pages or a number of
// labels. The command line names them "ALL", "PAGES" and "LABELS".
enum class TPrintRange : uint8_t { All = 0, Pages = 1, Labels = 2 };
