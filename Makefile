# Orvelle: the two commands a developer needs are `make run` and `make test`.
# Each first installs what a fresh Debian 12 machine lacks (so do the other
# entry points below); the build targets native, release and win do not.

NATIVE  := build/native
RELEASE := build/release
WIN     := build/win
WEB     := build/web
WASM    := build/wasm
PREFIX  ?= /usr/local
CMAKE_GEN := -G Ninja
# Python for the tools and tests run here: the test harness (tests/harness) on its path.
PYTHON_TOOLS := PYTHONPATH=$(CURDIR)/tests python3

.PHONY: all deps native release win web release-files deb test unit e2e dist run run-native install-linux fuzz mutation mutation-platform check-build-types bench format format-check clean

all: native win

# One target at a time: ninja runs the parallel work inside each.
.NOTPARALLEL:

deps:
	@tools/install-deps.sh

$(NATIVE)/build.ninja:
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(RELEASE)/build.ninja:
	cmake -S . -B $(RELEASE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DORVELLE_SANITIZE=OFF

$(WIN)/build.ninja:
	cmake -S . -B $(WIN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

native: $(NATIVE)/build.ninja
	cmake --build $(NATIVE)

release: $(RELEASE)/build.ninja
	cmake --build $(RELEASE)

win: $(WIN)/build.ninja
	cmake --build $(WIN)

# The page: $(WEB) holds index.html, orvelle.js and orvelle.wasm, a static
# folder (built in $(WASM) by Debian's emscripten). emcc's JavaScript
# optimiser needs Debian's Node.js modules, which another Node.js first on
# the PATH does not look in.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs

$(WASM)/build.ninja:
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WASM) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	      -DORVELLE_SITE_DIR=$(CURDIR)/$(WEB)

web: deps $(WASM)/build.ninja
	$(EMSCRIPTEN_ENV) cmake --build $(WASM)

# The zip and the setup program, from the Windows build.
release-files: win
	cmake --build $(WIN) --target release_files

# The Debian package of the X11 host: $(RELEASE)/orvelle_<version>_<arch>.deb.
deb: deps release
	cmake --build $(RELEASE) --target deb

# The unit and off-screen frame tests natively with sanitizers, again at the
# shipping optimisation without them (with the X11 host's tests and those of
# the Debian package, which build it), then the Windows build: the same unit
# tests as a Windows program and the end-to-end tests of the real binaries,
# under Wine. The sources must be formatted. The release tree's tests include
# the web build's (its records against the native ones, the page in headless
# Chromium).
test: deps format-check native release web win release-files
	cd $(NATIVE) && ctest --output-on-failure -j2
	cd $(RELEASE) && ctest --output-on-failure -j2
	cd $(WIN) && ctest --output-on-failure

unit: deps native
	cd $(NATIVE) && ctest --output-on-failure -j2

e2e: deps win release-files
	cd $(WIN) && ctest --output-on-failure

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
	$(PYTHON_TOOLS) tools/run.py --native $(RELEASE)/renderer/orvelle --out run-output

# The X11 host where XScreenSaver looks for its hacks, with its description.
install-linux: release
	install -D -m 755 $(RELEASE)/renderer/orvelle $(DESTDIR)$(PREFIX)/libexec/xscreensaver/orvelle
	install -D -m 644 renderer/x11/orvelle.xml $(DESTDIR)$(PREFIX)/share/xscreensaver/config/orvelle.xml

# Each fuzz target for a minute under libFuzzer (clang), from the committed
# corpus; new inputs land in build/fuzz/corpus/TARGET.
FUZZ_TARGETS := settings_reader command_line access_key button x11_options
fuzz: deps
	cmake -S . -B build/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELLE_FUZZ=ON \
	      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DORVELLE_BENCHMARKS=OFF
	cmake --build build/fuzz --target $(addsuffix _fuzz,$(FUZZ_TARGETS))
	for t in $(FUZZ_TARGETS); do \
	    mkdir -p build/fuzz/corpus/$$t && \
	    build/fuzz/tests/$${t}_fuzz -max_total_time=60 -print_final_stats=1 \
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
	    cmake -S . -B build/win-$$type $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=$$type \
	          -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null && \
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
	$(RELEASE)/benchmarks/orvelle-bench
	$(PYTHON_TOOLS) benchmarks/frame_rate.py --x11 $(RELEASE)/renderer/orvelle --win $(WIN)/bin \
	        --work build/bench

# C++ by clang-format; Python by black, and flake8 over it (pyproject.toml, .flake8).
format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
	git ls-files '*.py' | xargs black -q

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
	git ls-files '*.py' | xargs black -q --check
	git ls-files '*.py' | xargs flake8

clean:
	rm -rf build dist run-output
