// tolvane build: placeholder until the command is written.
#include <cstdio>

#include "commands.h"

int CommandBuild(int, char**) {
  std::fprintf(stderr, "tolvane build: not available yet\n");
  return 2;
}
