# Orvelle: the two commands a developer needs are `make run` and `make test`.
# Each first installs what a fresh Debian 12 machine lacks (so do the other
# entry points below); the build targets native, release and win do not.

# The configurations are CMake presets (CMakePresets.json): each builds in
# build/<preset> (the web one in build/wasm, its page in build/web), with its
# programs in bin/. The same by hand: cmake --preset native, then
# cmake --build --preset native and ctest --preset native.
NATIVE  := build/native
RELEASE := build/release
WIN     := build/win
PREFIX  ?= /usr/local
# The test package (tests/harness) for the tools that use it.
PYTHON_TOOLS := PYTHONPATH=$(CURDIR)/tests python3

.PHONY: all deps native release win web release-files deb test unit e2e dist run run-native install-linux fuzz mutation mutation-platform check-build-types bench format format-check clean

all: native win

# One target at a time: ninja runs the parallel work inside each.
.NOTPARALLEL:

deps:
	@tools/install-deps.sh

build/%/build.ninja:
	cmake --preset $*

build/wasm/build.ninja:
	cmake --preset web

native release win: %: build/%/build.ninja
	cmake --build --preset $@

# The page: build/web holds index.html, orvelle.js and orvelle.wasm, a static
# folder (built in build/wasm by Debian's emscripten).
web: deps build/wasm/build.ninja
	cmake --build --preset web

# The zip and the setup program, from the Windows build.
release-files: win
	cmake --build --preset win --target release_files

# The Debian package of the X11 host: $(RELEASE)/orvelle_<version>_<arch>.deb.
deb: deps release
	cmake --build --preset release --target deb

# The unit and off-screen frame tests natively with sanitizers, again at the
# shipping optimisation without them (with the X11 host's tests and those of
# the Debian package, which build it), then the Windows build: the same unit
# tests as a Windows program and the end-to-end tests of the real binaries,
# under Wine. The release tree's tests include the web build's (a web tree of
# its own: its records against the native ones, the page in headless
# Chromium). The sources must be formatted and the Python lint-free.
test: deps format-check native release win release-files
	ctest --preset native
	ctest --preset release
	ctest --preset win

unit: deps native
	ctest --preset native

e2e: deps win release-files
	ctest --preset win

# The folder a user copies (both programs side by side), the release zip,
# the setup program and the Debian package.
dist: deps release-files deb
	rm -rf dist && mkdir -p dist
	cp $(WIN)/bin/Orvelle.scr $(WIN)/bin/Orvelle.dll $(WIN)/dist/Orvelle-*.zip \
	   $(WIN)/dist/Orvelle-*-setup.exe $(RELEASE)/orvelle_*.deb dist/
	@ls -l dist

# The saver on this display, or on a virtual one with screenshots saved;
# ARGS=/c opens the settings dialog instead.
ARGS ?= /s
run: deps win
	$(PYTHON_TOOLS) tools/run.py --bin $(WIN)/bin --work build/run --out run-output --switch $(ARGS)

# The X11 host, in its own window or on a virtual display with screenshots.
run-native: deps release
	$(PYTHON_TOOLS) tools/run.py --native $(RELEASE)/bin/orvelle --out run-output

# The X11 host where XScreenSaver looks for its hacks, with its description.
install-linux: release
	install -D -m 755 $(RELEASE)/bin/orvelle $(DESTDIR)$(PREFIX)/libexec/xscreensaver/orvelle
	install -D -m 644 renderer/x11/orvelle.xml $(DESTDIR)$(PREFIX)/share/xscreensaver/config/orvelle.xml

# Each fuzz target for a minute under libFuzzer (clang), from the committed
# corpus; new inputs land in build/fuzz/corpus/TARGET.
FUZZ_TARGETS := settings_reader command_line access_key button x11_options
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz --target $(addsuffix _fuzz,$(FUZZ_TARGETS))
	for t in $(FUZZ_TARGETS); do \
	    mkdir -p build/fuzz/corpus/$$t && \
	    build/fuzz/bin/$${t}_fuzz -max_total_time=60 -print_final_stats=1 \
	        build/fuzz/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

# The faults of tests/mutation/mutations.txt, one at a time, against the native tests.
mutation: deps
	$(PYTHON_TOOLS) tests/mutation/mutate.py

# The faults of tests/mutation/mutations-windows.txt and mutations-x11.txt,
# judged by the Wine suites and the X11 host's tests (about half an hour).
mutation-platform: deps
	$(PYTHON_TOOLS) tests/mutation/mutate.py --layer windows
	$(PYTHON_TOOLS) tests/mutation/mutate.py --layer x11

# The Windows renderer at every CMake build type, each through the trails test.
check-build-types: deps
	for type in Debug RelWithDebInfo Release; do \
	    cmake --preset win -B build/win-$$type -DCMAKE_BUILD_TYPE=$$type >/dev/null && \
	    cmake --build build/win-$$type --target orvelle_renderer orvelle_frontend_exe probe && \
	    ORVELLE_BIN=$(CURDIR)/build/win-$$type/bin ORVELLE_E2E_WORK=$(CURDIR)/build/win-$$type/e2e \
	        $(PYTHON_TOOLS) tests/e2e/renderer_e2e.py \
	        Renderer.test_window_picture_trails_mouse_swap_interval_and_escape \
	        || exit 1; \
	done

# Google Benchmark figures of the renderer (OpenGL on llvmpipe, the processor
# backend on 1 and 2 threads, the plain loop that bounds them, in a table),
# then the frame rates of both hosts, the X11 one with each backend, on one
# monitor and on two of the same pixels in all (an X.Org dummy server).
bench: deps release win
	$(RELEASE)/bin/orvelle-bench
	$(PYTHON_TOOLS) benchmarks/frame_rate.py --x11 $(RELEASE)/bin/orvelle --win $(WIN)/bin \
	        --work build/bench

# C++ by clang-format, Python by black (checked by flake8 too), CMake by
# cmake-format; each reads its settings at the root.
CMAKE_FILES = git ls-files 'CMakeLists.txt' '*/CMakeLists.txt' '*.cmake'
format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
	git ls-files '*.py' | xargs black -q
	$(CMAKE_FILES) | xargs cmake-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
	git ls-files '*.py' | xargs black -q --check
	git ls-files '*.py' | xargs flake8
	$(CMAKE_FILES) | xargs cmake-format --check

clean:
	rm -rf build dist run-output
