// The log of runs: the initialisation file "Tessaly.ini" in the Windows
// directory, one section per maintenance action, one line per run keyed by
// the run's date-and-time text. Windows 95's profile functions read and
// write at most the first 64 KB of such a file and ignore the rest without
// an error, so each section keeps only its newest lines.
#pragma once

#include <stddef.h>

#include "base/platform.h"

namespace tessaly {

inline constexpr const char kRunLogFile[] = "Tessaly.ini";
inline constexpr const char kSaveFilesSection[] = "SaveFiles";
inline constexpr const char kQuickCheckSection[] = "QuickCheck";

// Size of the buffers of a line's key (the run's date-and-time text) and of
// its value: neither is longer than kRunLogTextSize - 1 characters.
inline constexpr size_t kRunLogTextSize = 256;

// Lines kept in each section, the newest. An ordinary line takes about 60
// bytes, so the file holds years of daily runs in about 6 KB; lines of the
// longest key and value (kRunLogTextSize - 1 each, with "=" and the line
// end) still keep both sections, with their headers, under 52 KB.
inline constexpr size_t kRunLogLinesKept = 50;

// Writes key=value into a section of the log. The section's oldest lines,
// those nearest its start (the platform adds a new key at the end), go
// first, so that with this line at most kRunLogLinesKept remain. A key that
// exists already keeps its place and takes the new value. An older file of
// more lines is cut down at the next write.
void WriteRunLogLine(ProfileApi& profile, const char* section, const char* key,
                     const char* value);

}  // namespace tessaly
