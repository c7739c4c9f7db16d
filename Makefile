# Solvane — the two everyday commands are `make run` and `make test`.
# Both first install whatever Debian packages are missing, then configure and build.

PRESET ?= default
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local

# What building, playing and testing need on a fresh Debian/Ubuntu machine.
PACKAGES := build-essential cmake ninja-build pkg-config ccache python3 python3-numpy \
	libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libpng-dev libmpg123-dev libtinyxml2-dev \
	nlohmann-json3-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev \
	xvfb xauth xdotool x11-utils imagemagick zenity openbox clang-format flake8
# What regenerating the media under Resources/ needs (only `make assets`).
ASSET_PACKAGES := python3 python3-numpy python3-fonttools fonts-noto-cjk librsvg2-bin sox libsox-fmt-mp3 lame

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps asset-deps configure build run test test-asan bench assets install clean tidy format \
	fuzz-deps fuzz-build fuzz-smoke fuzz soak windows-deps windows test-windows package

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing missing packages:" $$missing; \
		$(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

asset-deps:
	@missing=$$(for p in $(ASSET_PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		$(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

configure: deps
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake --preset $(PRESET)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/bin && ./solvane

# CTEST_ARGS narrows a run, e.g. CTEST_ARGS="-E e2e". The window tests need a display, so the
# suite runs inside a virtual one when there is none (decided at run time: xvfb-run may only
# just have been installed by `deps`).
CTEST_CMD = ctest --output-on-failure -j $(JOBS) --timeout 900 $(CTEST_ARGS)
test: build
	cd $(BUILD_DIR) && if [ -z "$$DISPLAY" ] && command -v xvfb-run >/dev/null 2>&1; then \
		xvfb-run -a -s "-screen 0 1280x720x24" $(CTEST_CMD); else $(CTEST_CMD); fi

# The unit and scene tests under AddressSanitizer + UBSan (the window journey stays in `test`).
test-asan:
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp $(MAKE) test PRESET=asan CTEST_ARGS="-E e2e"

# clang-tidy's checks (.clang-tidy) over the game's folders, with the build's compile commands.
tidy: build
	@command -v clang-tidy >/dev/null || $(SUDO) apt-get install -y -q clang-tidy
	git ls-files 'app/*.cpp' 'scenes/*.cpp' 'gameplay/*.cpp' 'model/*.cpp' 'shell/*.cpp' 'data/*.cpp' | \
		xargs clang-tidy -p $(BUILD_DIR) --quiet

# Formats the C++ files changed since REV (default: the last commit) with .clang-format.
REV ?= HEAD
format:
	tools/structure/check_format.sh --fix $(REV)

bench: build
	cd $(BUILD_DIR)/bin && for b in ./bench_*; do [ -x "$$b" ] && "$$b"; done
	tools/bench_startup.sh $(BUILD_DIR) 10

# Fuzzing needs clang with its sanitizer and libFuzzer runtimes; it builds in its own folder.
FUZZ_PACKAGES := clang libclang-rt-dev
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 600

fuzz-deps: deps
	@missing=$$(for p in $(FUZZ_PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		$(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

fuzz-build: fuzz-deps
	@[ -f $(FUZZ_DIR)/CMakeCache.txt ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DSOLVANE_FUZZ=ON -DSOLVANE_BUILD_TESTS=OFF -DSOLVANE_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) --target fuzz_all -j $(JOBS)

# Every fuzz target for FUZZ_SMOKE_SECONDS (60 by default); fails on any finding.
FUZZ_SMOKE_SECONDS ?= 60
fuzz-smoke: fuzz-build
	tests/fuzz/run_fuzz.sh $(FUZZ_DIR) $(FUZZ_SMOKE_SECONDS)

# Every fuzz target for FUZZ_SECONDS (600 by default); the corpus grows in build/fuzz/corpus.
fuzz: fuzz-build
	tests/fuzz/run_fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# 500 plays in a row under AddressSanitizer and UBSan (leak checks on).
SOAK_PLAYS ?= 500
SOAK_DT ?= 0.5
soak:
	$(MAKE) configure PRESET=asan
	cmake --build build/asan --target solvane-soak -j $(JOBS)
	cd build/asan/bin && ASAN_OPTIONS=detect_leaks=1 SDL_AUDIODRIVER=dummy ./solvane-soak --plays $(SOAK_PLAYS) --dt $(SOAK_DT)

assets: asset-deps
	/usr/bin/python3 tools/assets/build.py

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Windows game, cross-built with MinGW-w64 against libraries built here from Debian's
# source packages (proj.win32/build-libs.sh), then packed as a zip and an NSIS installer.
WIN_DIR := build/windows
WIN_PACKAGES := g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
	mingw-w64-x86-64-dev wine wine64 nsis dpkg-dev zip cmake ninja-build pkg-config \
	libgtest-dev nlohmann-json3-dev python3 xvfb xauth x11-utils imagemagick

windows-deps:
	@missing=$$(for p in $(WIN_PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing missing packages:" $$missing; \
		$(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi
	@$(SUDO) proj.win32/deb-src.sh

windows: windows-deps
	proj.win32/build-libs.sh $(WIN_DIR)/deps $(JOBS)
	@[ -f $(WIN_DIR)/CMakeCache.txt ] || cmake -S . -B $(WIN_DIR) -G Ninja \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/proj.win32/cmake/mingw-w64-x86_64.cmake \
		-DSOLVANE_WIN_PREFIX=$(CURDIR)/$(WIN_DIR)/deps/prefix -DCMAKE_BUILD_TYPE=Release \
		-DSOLVANE_BUILD_BENCH=OFF
	cmake --build $(WIN_DIR) -j $(JOBS)
	proj.win32/package.sh $(WIN_DIR)

# The Windows test programs, a scripted play, the content check and the kill test under Wine.
test-windows: windows
	proj.win32/test-wine.sh $(WIN_DIR)

# A .deb for Linux players (CPack), in build/default.
package: build
	@dpkg-query -W -f='$${Status}' dpkg-dev 2>/dev/null | grep -q 'ok installed' || { \
		$(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q dpkg-dev; }
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf build
