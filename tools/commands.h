// The subcommands of the tolvane authoring tool.  Each takes the arguments
// after its own name and returns the process exit code.
#pragma once

int CommandLzari(int argc, char** argv);
int CommandBuild(int argc, char** argv);
int CommandList(int argc, char** argv);
int CommandExtract(int argc, char** argv);
