#include "engine/worker/directory_part.h"

int CutToDirectory(char* path) {
  char* cut = 0;
  for (char* p = path; *p; p++)
    if (*p == '\\') cut = p;
  if (!cut) return 0;
  *cut = 0;
  return 1;
}
