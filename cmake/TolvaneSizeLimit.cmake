# Size budgets of the Windows binaries.  tolvane_size_limit(target limit)
# prints a size report line after every link and fails the build, with the
# figures, when the binary is larger than its budget.
set(TOLVANE_SIZE_CHECK_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/check_size.cmake)

function(tolvane_size_limit target limit)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}> -DLIMIT=${limit}
            -DARCH=${TOLVANE_ARCH} -P ${TOLVANE_SIZE_CHECK_SCRIPT}
    VERBATIM)
endfunction()
