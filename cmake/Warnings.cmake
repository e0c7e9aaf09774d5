# Strict warnings for every target of the project; never any flag that assumes finite math:
# infinities and NaN are ordinary results of the RF model.
function(zephlane_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
endfunction()
