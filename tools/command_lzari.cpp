// tolvane lzari: placeholder until the command is written.
#include <cstdio>

#include "commands.h"

int CommandLzari(int, char**) {
  std::fprintf(stderr, "tolvane lzari: not available yet\n");
  return 2;
}
