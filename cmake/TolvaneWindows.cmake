# Flags and helpers for the Windows binaries: no C runtime, no exceptions,
# no RTTI, small code, only system DLLs.  Every Windows target goes through
# these functions so the size rules live in one place.

# No -fdata-sections: with it mingw-w64 GCC gives every zero-initialised
# variable a .data$ section with contents, so static tables cost file bytes.
set(TOLVANE_WIN_COMPILE_OPTIONS
  -Os
  -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-use-cxa-atexit
  -fno-asynchronous-unwind-tables -fno-unwind-tables
  -fno-stack-protector -fno-stack-check -mno-stack-arg-probe
  -fomit-frame-pointer -ffunction-sections -fno-ident
  -Wall -Wextra)

set(TOLVANE_WIN_LINK_OPTIONS
  -nostdlib -nostartfiles -s
  -Wl,--gc-sections -Wl,--no-insert-timestamp
  -Wl,--disable-runtime-pseudo-reloc)

# System DLLs every plain Windows installation has.
set(TOLVANE_WIN_SYSTEM_LIBS kernel32 user32 gdi32 advapi32 comdlg32 mpr gcc)

# Apply the small-binary rules to a target.
function(tolvane_windows_target target)
  target_compile_options(${target} PRIVATE ${TOLVANE_WIN_COMPILE_OPTIONS})
  target_link_options(${target} PRIVATE ${TOLVANE_WIN_LINK_OPTIONS})
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0400)
endfunction()

# tolvane_windows_program(name GUI|CONSOLE|DLL SOURCES ... [LIBS ...] [DEF file])
# Entry points: GUI programs define WinMainCRTStartup, console programs
# mainCRTStartup, DLLs DllMainCRTStartup; these are the linker's defaults.
function(tolvane_windows_program name kind)
  cmake_parse_arguments(ARG "" "DEF" "SOURCES;LIBS" ${ARGN})
  if(kind STREQUAL "DLL")
    add_library(${name} SHARED ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll")
    if(ARG_DEF)
      target_link_options(${name} PRIVATE ${ARG_DEF})
    endif()
  else()
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES SUFFIX ".exe")
    if(kind STREQUAL "GUI")
      target_link_options(${name} PRIVATE -Wl,--subsystem,windows)
    else()
      target_link_options(${name} PRIVATE -Wl,--subsystem,console)
    endif()
  endif()
  tolvane_windows_target(${name})
  target_link_libraries(${name} PRIVATE tolvane_runtime ${ARG_LIBS} ${TOLVANE_WIN_SYSTEM_LIBS})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${TOLVANE_WIN_OUTPUT_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${TOLVANE_WIN_OUTPUT_DIR})
endfunction()
