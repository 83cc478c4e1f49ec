// A stand-in for the engine module in the launcher's tests.  Its MainFunc
// appends what it received to a report file beside the installer and,
// when asked by a flag file, shows a main window of the engine's class and
// waits until it is closed.
#pragma once

#define STUB_REPORT_FILE  "stub_engine.txt"
#define STUB_WAIT_FILE    "stub_engine.wait"
#define STUB_WINDOW_TITLE "Stub engine"
// The window closes itself after this long, so a broken test cannot hang.
#define STUB_WINDOW_LIFETIME_MS 120000
