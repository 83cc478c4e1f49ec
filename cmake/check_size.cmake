# Script mode: cmake -DFILE=path -DLIMIT=bytes -DARCH=name -P check_size.cmake
file(SIZE "${FILE}" size)
get_filename_component(name "${FILE}" NAME)
math(EXPR headroom "${LIMIT} - ${size}")
if(size GREATER LIMIT)
  # Moved aside so that the next build links again instead of passing.
  file(RENAME "${FILE}" "${FILE}.too-big")
  math(EXPR over "${size} - ${LIMIT}")
  message(FATAL_ERROR "size: ${name} (${ARCH}) is ${size} bytes, ${over} over its limit of ${LIMIT}")
endif()
message(STATUS "size: ${name} (${ARCH}) ${size} bytes, limit ${LIMIT}, headroom ${headroom}")
