// Stand-ins for the steps that are not built yet (the program group and the
// process runner).  Each goes when its real module is linked in.
#include "engine/shell/sequence_steps.h"

void CreateProgramGroup(HWND) {}

int RunProcess(const char*, int) { return 0; }
