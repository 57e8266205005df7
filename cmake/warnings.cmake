# Warnings as errors on both compilers; no fast-math: the scene's numbers are
# specified to the single-precision rounding.
function(orvelle_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wconversion
                                             -Wno-sign-conversion -fno-fast-math)
endfunction()
