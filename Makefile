# Orvelle: the two commands a developer needs are `make run` and `make test`.
# Each first installs what a fresh Debian 12 machine lacks.

NATIVE := build/native
WIN    := build/win
BENCH  := build/bench
CMAKE_GEN := -G Ninja

.PHONY: all deps native win test unit e2e dist run bench format clean

all: native win

deps:
	@tools/install-deps.sh

$(NATIVE)/build.ninja: | deps
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WIN)/build.ninja: | deps
	cmake -S . -B $(WIN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

native: deps $(NATIVE)/build.ninja
	cmake --build $(NATIVE)

win: deps $(WIN)/build.ninja
	cmake --build $(WIN)

# Unit and off-screen frame tests (native, sanitizers on), then the
# end-to-end tests of the real binaries under Wine.
test: native win
	cd $(NATIVE) && ctest --output-on-failure -j2
	cd $(WIN) && ctest --output-on-failure

unit: native
	cd $(NATIVE) && ctest --output-on-failure -j2

e2e: win
	cd $(WIN) && ctest --output-on-failure

# The folder a user copies (both programs side by side), the release zip and
# the setup program.
dist: win
	rm -rf dist && mkdir -p dist
	cp $(WIN)/bin/Orvelle.scr $(WIN)/bin/Orvelle.dll $(WIN)/dist/Orvelle-*.zip \
	   $(WIN)/dist/Orvelle-*-setup.exe dist/
	@ls -l dist

# The saver on this display, or on a virtual one with screenshots saved;
# ARGS=/c opens the settings dialog instead.
ARGS ?= /s
run: win
	python3 tools/run.py --bin $(WIN)/bin --work build/run --out run-output --switch $(ARGS)

bench: deps
	cmake -S . -B $(BENCH) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DORVELLE_SANITIZE=OFF
	cmake --build $(BENCH) --target orvelle-bench
	$(BENCH)/benchmarks/orvelle-bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist run-output
