// The package's INI entries, written after the registry entries and each
// logged for the uninstaller.
#pragma once

// Worker thread.  Write failures are not examined.
void ApplyIniEntries(void);
