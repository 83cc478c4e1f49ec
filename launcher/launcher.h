// The launcher's pieces: instance guard, setup paths, buffers with the
// block decoder entry, and the engine module file.
#pragma once
#include <windows.h>

#include "engine_link.h"
#include "setup_context.h"

#define LAUNCHER_SUBSTITUTE_TEMP "c:\\"
#define LAUNCHER_PATH_FORMAT     "%s%s%s"
#define LAUNCHER_ERROR_CAPTION   "Error"
#define LAUNCHER_CANNOT_READ     "Don't read %s"
#define LAUNCHER_CANNOT_CREATE   "Don't create %s"
#define LAUNCHER_CANNOT_LOAD     "Don't load %s"

enum {
    // A directory of up to 255 characters, a separator and the file name:
    // sized so that the join never overruns, whatever the directory holds.
    kEngineFileTextSize = kPathTextSize + sizeof("\\" TOLVANE_ENGINE_FILE) - 1,
    // The longest message: a fixed text of at most 16 characters and a path.
    kMessageTextSize = kEngineFileTextSize + 16,
};

extern SetupContext g_context;

// instance_guard.cpp: TRUE when another process of this executable runs;
// that process's main window has then been brought to the front.
BOOL AnotherInstanceRuns(void);

// context_paths.cpp: fields modulePath to volumeDir.
void FillContextPaths(void);

// buffers.cpp: the two zero-filled 65535-byte buffers and the decoder entry
// that works on them.
extern uint8_t* g_input;
extern uint8_t* g_output;
extern uint32_t g_decodedSize;
BOOL AllocateBuffers(void);
void FreeBuffers(void);
void DecodeEngineBlock(void);

// engine_file.cpp: the engine block and the module file.
BOOL ReadEngineBlock(void);
BOOL WriteEngineModule(LPSTR lpszPath);
