// Calling convention of the engine's exported functions.  On 32-bit
// Windows they are stdcall, which gives them the decorated names
// "_Name@bytes" that the launcher and other modules look up; elsewhere
// (x86_64, native tests) the platform has only one convention.
#pragma once

#if defined(_WIN32) && !defined(_WIN64)
#define ENGINE_API __attribute__((stdcall))
#else
#define ENGINE_API
#endif
