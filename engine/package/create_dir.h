// CreateDir and WriteDepth, the exported helpers that create an
// installation directory chain and log the levels that were created.
#pragma once
#include <stdint.h>

#include "engine/package/engine_api.h"
#include "engine/package/install_state.h"

extern "C" {
// Makes every missing level of path (a full path from a drive root) and
// leaves it as the current directory; path (kPathTextSize bytes) then holds
// its name as the system gives it.  counter, when given, counts the levels
// created.  Returns 0, or message 153/154 with the failing name in szString.
int ENGINE_API CreateDir(char* path, uint32_t* counter);

// Writes path and its levels - 1 parents into the log's "Directories"
// section; path ends cut to the parent of the last level written.
void ENGINE_API WriteDepth(InstallState* state, char* path, int levels);
}
