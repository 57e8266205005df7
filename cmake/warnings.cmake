# Warnings as errors on both compilers; no fast-math: the scene's numbers are
# specified to the single-precision rounding.
function(orvelle_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wconversion
                                             -Wno-sign-conversion -fno-fast-math)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        # GCC 12 reports impossible overlaps in inlined std::string
        # concatenation at -O3 (its bug 105651).
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()
