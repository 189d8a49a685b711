option(LINEINPUT_WERROR "Treat compiler warnings as errors" OFF)

function(lineinput_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
    $<$<BOOL:${LINEINPUT_WERROR}>:-Werror>)
endfunction()
