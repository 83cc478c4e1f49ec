// tolvane list: placeholder until the command is written.
#include <cstdio>

#include "commands.h"

int CommandList(int, char**) {
  std::fprintf(stderr, "tolvane list: not available yet\n");
  return 2;
}
