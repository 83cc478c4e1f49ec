// The package's registry entries: keys created and values set after the
// record loop, each logged for the uninstaller when it was set.
#pragma once

// Worker thread.  An entry whose key or value fails is skipped silently.
void ApplyRegistryEntries(void);
