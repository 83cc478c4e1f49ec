// tolvane: the authoring tool.  Dispatches to the subcommands.
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);
  const char* summary;
};

const Command kCommands[] = {
    {"build", CommandBuild, "build an installer from a project file"},
    {"list", CommandList, "show what an installer or package holds"},
    {"extract", CommandExtract, "check a package and write out its files"},
    {"lzari", CommandLzari, "compress or decompress a raw LZARI block"},
};

void PrintUsage(FILE* out) {
  std::fprintf(out, "usage: tolvane COMMAND [ARGS...]\n\ncommands:\n");
  for (const Command& c : kCommands) std::fprintf(out, "  %-8s %s\n", c.name, c.summary);
  std::fprintf(out, "\n'tolvane COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
    PrintUsage(stdout);
    return 0;
  }
  for (const Command& c : kCommands)
    if (!std::strcmp(argv[1], c.name)) return c.run(argc - 2, argv + 2);
  std::fprintf(stderr, "tolvane: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
