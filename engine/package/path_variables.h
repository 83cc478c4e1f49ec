// The path variables a package's paths may hold, in the order in which
// they are replaced.  Matched without regard to case.
#pragma once

enum PathVariable {
  kVarInstallPath,  // the installation directory
  kVarTempPath,     // the setup context's temporary directory
  kVarWinPath,      // the Windows directory
  kVarSysPath,      // the system directory
  kPathVariableCount,
};

static const char* const kPathVariableNames[kPathVariableCount] = {
    "%installpath%", "%temppath%", "%winpath%", "%syspath%"};
