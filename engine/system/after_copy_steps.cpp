// Registry, INI and after-copy action are not built yet: an installation
// currently ends after the tail record.
#include "engine/system/after_copy.h"

void ApplyAfterCopySteps(void) {}
