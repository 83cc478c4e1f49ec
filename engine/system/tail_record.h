// The tail record: a zero byte and the log path, appended to the file that
// the last shortcut item runs (normally the uninstaller), so that it finds
// its log.
#pragma once

// After the record loop, when the package asks for it.  A package without
// shortcut items names no target: nothing is appended.  Failures end the
// worker with 155 or 156 naming the target.
void AppendTailRecord(void);
