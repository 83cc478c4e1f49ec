# Checks the engine module against its budgets and reports the headroom.
#   cmake -DMODULE=tolvaeng.dll -DARCH=i686 [-DBLOCK=tolvaeng.lzari] -P check_engine_size.cmake
# MODULE must fit 65535 bytes (the launcher decodes it into a buffer of that
# size); BLOCK, its compressed block, must fit the 33400-byte engine slot
# of the installer file.
set(MODULE_LIMIT 65535)
set(BLOCK_LIMIT 33400)

function(check what file limit)
  file(SIZE ${file} size)
  math(EXPR headroom "${limit} - ${size}")
  if(size GREATER limit)
    math(EXPR over "${size} - ${limit}")
    message(FATAL_ERROR "tolvaeng.dll ${ARCH}: ${what} is ${size} bytes, over the ${limit}-byte limit by ${over}")
  endif()
  message(STATUS "tolvaeng.dll ${ARCH}: ${what} ${size} of ${limit} bytes, ${headroom} left")
endfunction()

check("module" ${MODULE} ${MODULE_LIMIT})
if(BLOCK)
  check("compressed block" ${BLOCK} ${BLOCK_LIMIT})
endif()
