# The web tree of a native build, for its web tests: configured with
# emscripten's toolchain and built, the page landing in SITE.
#   cmake -DSOURCE=<source> -DTREE=<web tree> -DSITE=<page folder> -P build_web_tree.cmake
# Without emscripten it says so and what to install, and the web tests skip.
find_program(emcmake emcmake)
if(NOT emcmake)
    message("skipped: the web tests need emscripten's emcmake "
            "(tools/install-deps.sh installs it; make web builds the page)")
    return()
endif()
# emcc's JavaScript optimiser needs Debian's Node.js modules, which another
# Node.js first on the PATH does not look in.
set(ENV{NODE_PATH} /usr/share/nodejs)
execute_process(
    COMMAND ${emcmake} ${CMAKE_COMMAND} -S ${SOURCE} -B ${TREE} -G Ninja -DCMAKE_BUILD_TYPE=Release
            -DORVELLE_SITE_DIR=${SITE} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${TREE} COMMAND_ERROR_IS_FATAL ANY)
