# Compiler warnings for one target, kept off its consumers. CI turns them
# into errors (VEMBRIX_WERROR) for the g++ builds; a developer's build only
# reports them, so a newer compiler's new warning cannot stop a local build.
option(VEMBRIX_WERROR "Treat compiler warnings as errors" OFF)

function(vembrix_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VEMBRIX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
