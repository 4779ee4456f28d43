// Putting a backup set's new first cabinet in place of the old one so that a
// failure or a kill at any point leaves either the old cabinet or the new,
// verified one, whole: never a half-written file under the set's name. The
// platform of the target (Windows 95) has no replacing rename, so the old
// cabinet is first renamed aside, then the new one renamed into place, then
// the old one deleted.
#pragma once

#include "companions/cabinet_paths.h"

namespace companions {

// Before a new cabinet is written: puts back an old cabinet that an
// interrupted run renamed aside without putting the new one in its place,
// and deletes the stale new and old files of earlier runs. False when one of
// the three names is taken by a folder, or the leftovers cannot be tidied.
bool PrepareCabinetPaths(const CabinetPaths& paths);

// Puts the written and verified new cabinet in place of the old one. True on
// success. On failure the old cabinet (if there was one) is back under its
// name and the new file is deleted.
bool ReplaceCabinet(const CabinetPaths& paths);

}  // namespace companions
