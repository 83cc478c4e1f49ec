// tolvane extract: placeholder until the command is written.
#include <cstdio>

#include "commands.h"

int CommandExtract(int, char**) {
  std::fprintf(stderr, "tolvane extract: not available yet\n");
  return 2;
}
