# Native side of the engine's size budget: once both Windows sub-builds and
# the tool are built, compress each tolvaeng.dll with `tolvane lzari
# compress` and check the block against the installer's engine slot.  Runs
# in every build, so a module that outgrows its budget fails the build.
function(tolvane_engine_size_report)
  if(NOT TARGET windows-i686 OR NOT TARGET windows-x86_64)
    return()
  endif()
  set(commands)
  foreach(arch i686 x86_64)
    set(module ${CMAKE_BINARY_DIR}/${arch}/tolvaeng.dll)
    set(block ${CMAKE_BINARY_DIR}/engine-size/tolvaeng-${arch}.lzari)
    list(APPEND commands
      COMMAND $<TARGET_FILE:tolvane> lzari compress ${module} ${block}
      COMMAND ${CMAKE_COMMAND} -DMODULE=${module} -DBLOCK=${block} -DARCH=${arch}
              -P ${CMAKE_SOURCE_DIR}/engine/check_engine_size.cmake)
  endforeach()
  add_custom_target(engine_size_report ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/engine-size
    ${commands}
    COMMENT "Engine module size budget"
    VERBATIM)
  add_dependencies(engine_size_report tolvane windows-i686 windows-x86_64)
endfunction()

# The Windows sub-builds are declared after this directory; look for them
# once the whole top-level directory has been read.
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tolvane_engine_size_report)
