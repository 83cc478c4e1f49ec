// The steps after the record loop and the tail record: registry entries,
// INI entries and the after-copy action, each when the package asks for
// it.  Worker thread; failures end the worker.
#pragma once

void ApplyAfterCopySteps(void);
