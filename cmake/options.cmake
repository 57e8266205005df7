# What every target of this tree compiles and links with, as one interface
# target that each links: warnings as errors, includes rooted at the project
# (and its generated headers), the wide-character API and static run-time on
# Windows, and the sanitizers, hardening or fuzzing coverage the build asks
# for. orvelle_check_options() refuses a tree where a target forgot it.
add_library(orvelle_options INTERFACE)
target_compile_features(orvelle_options INTERFACE cxx_std_20)
target_include_directories(orvelle_options INTERFACE ${PROJECT_SOURCE_DIR}
                                                     ${PROJECT_BINARY_DIR}/generated)

# No fast-math: the scene's numbers are rounded to single precision exactly
# as written. The resource compiler takes none of these.
set(compilers $<COMPILE_LANGUAGE:C,CXX>)
set(warnings -Wall -Wextra -Werror -Wshadow -Wconversion -Wno-sign-conversion -fno-fast-math)
target_compile_options(orvelle_options INTERFACE "$<${compilers}:${warnings}>")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports impossible overlaps in inlined std::string concatenation
    # at -O3 (its bug 105651).
    target_compile_options(orvelle_options INTERFACE $<${compilers}:-Wno-restrict>)
endif()

# Shipping builds carry no symbols; Debug and RelWithDebInfo keep theirs.
if(NOT EMSCRIPTEN)
    target_link_options(orvelle_options INTERFACE $<$<CONFIG:Release>:-s>)
endif()

if(WIN32)
    # The wide-character API throughout: the platform's names (IDC_ARROW,
    # RT_RCDATA, ...) then have the types the W functions take. The programs
    # need nothing but the system's DLLs.
    target_compile_definitions(orvelle_options INTERFACE UNICODE _UNICODE)
    target_link_options(orvelle_options INTERFACE -static -static-libgcc -static-libstdc++)
elseif(NOT EMSCRIPTEN)
    option(ORVELLE_SANITIZE "Build with AddressSanitizer and UBSan" ON)
    option(ORVELLE_BENCHMARKS "Build the benchmarks" ON)
    # The fuzz targets (clang's libFuzzer): every library they link is
    # instrumented for coverage too, so the fuzzer sees the code it fuzzes.
    option(ORVELLE_FUZZ "Build the fuzz targets with libFuzzer (clang)" OFF)
    # What ships to Linux users is hardened as Debian builds its packages
    # (dpkg-buildflags); the compilers' defaults already give PIE.
    set(hardening -fstack-protector-strong -D_FORTIFY_SOURCE=2)
    target_compile_options(orvelle_options
                           INTERFACE "$<$<AND:$<CONFIG:Release>,${compilers}>:${hardening}>")
    target_link_options(orvelle_options INTERFACE $<$<CONFIG:Release>:-Wl,-z,relro,-z,now>)
    if(ORVELLE_SANITIZE)
        target_compile_options(
            orvelle_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                      -fno-sanitize-recover=undefined)
        target_link_options(orvelle_options INTERFACE -fsanitize=address,undefined)
    endif()
    if(ORVELLE_FUZZ)
        target_compile_options(orvelle_options INTERFACE -fsanitize=fuzzer-no-link)
    endif()
endif()

# Fails the configuration if a target built from this tree's sources (not
# GoogleTest's, built here for Windows) does not link orvelle_options itself.
function(orvelle_check_options directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "UTILITY" OR type STREQUAL "INTERFACE_LIBRARY")
            continue()
        endif()
        get_target_property(libraries ${target} LINK_LIBRARIES)
        if(NOT "orvelle_options" IN_LIST libraries)
            message(FATAL_ERROR "${target} (${directory}) does not link orvelle_options")
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${subdirectory} NORMALIZE inside)
        if(inside)
            orvelle_check_options(${subdirectory})
        endif()
    endforeach()
endfunction()
