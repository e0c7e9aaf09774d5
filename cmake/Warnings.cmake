# Strict warnings for every target of the project; never any flag that assumes finite math:
# infinities and NaN are ordinary results of the RF model.
#
# Warnings are errors only where we choose it (CI and `make test`): a packager's build with a
# newer compiler must not fail on a warning that compiler has just learnt.
option(ZEPHLANE_WERROR "Treat compiler warnings as errors" OFF)

function(zephlane_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual)
  if(ZEPHLANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
