# Zephlane: `make run` starts the window, `make test` runs every test.
# Both install what is missing from Debian's packages first.

# Everything the project needs on a fresh Debian 12 machine, in one place; the last line is
# for the test that reads the running window as a screen reader does.
DEBIAN_PACKAGES := build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev \
                   libbenchmark-dev qt6-base-dev qt6-svg-dev libqt6svg6 \
                   nlohmann-json3-dev fonts-dejavu-core clang clang-format lintian librsvg2-bin \
                   desktop-file-utils appstream poppler-utils \
                   xvfb xauth dbus at-spi2-core python3-pyatspi
# Only `make run` without a display and the Windows tests need these: a virtual X server, input,
# the clipboard and a screenshot.
RUN_PACKAGES := xvfb xauth xdotool xclip x11-apps imagemagick fonts-liberation
# `make fuzz` builds the libFuzzer targets with clang (ASan, UBSan) and runs them.
FUZZ_PACKAGES := clang libfuzzer-14-dev
# `make windows` cross-builds with mingw-w64 and packs with NSIS; `make test-windows` runs the
# tests under Wine, the window's on a virtual X display (RUN_PACKAGES).
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 nsis

BUILD_DIR ?= build
ASAN_DIR ?= build-asan
CLANG_DIR ?= build-clang
RELEASE_DIR ?= build-release
JOBS ?= $(shell nproc)
# The project's own builds treat warnings as errors (WERROR=OFF relaxes that); a plain CMake
# build, as a packager runs it, does not. The main build is also the packaging build: it carries
# dpkg-buildflags' hardening flags into the .deb that its tests check with lintian.
WERROR ?= ON
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHLANE_DPKG_BUILDFLAGS=ON
# The extra compilers and build types only need to compile and pass the tests: no benchmarks,
# no PDFs and screenshot, and no package (its test runs in the main build).
LEAN_FLAGS := -DBUILD_BENCHMARKS=OFF -DBUILD_DOCS=OFF -DZEPHLANE_WERROR=$(WERROR)

.PHONY: all deps run-deps configure build test test-asan test-clang test-release windows \
        test-windows format-check run bench clean fuzz fuzz-build fuzz-ci fuzz-minute

all: build

deps:
	@./cmake/install-deps.sh $(DEBIAN_PACKAGES)

run-deps:
	@./cmake/install-deps.sh $(DEBIAN_PACKAGES) $(RUN_PACKAGES)

configure:
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) -DZEPHLANE_WERROR=$(WERROR) >/dev/null

build: deps configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The normal build's tests (the package and its lint included); then the same tests built with
# clang under ASan and UBSan, whose build also holds the fuzz targets for their minute each; then
# the formatting.
test: build
	@QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-clang
	@$(MAKE) --no-print-directory format-check

# Debian's clang, GUI included, every target instrumented with ASan, UBSan and the coverage
# libFuzzer steers by: the tests run sanitized, then each fuzz target runs a minute from the same
# build. The libraries at -O1, which sanitized numerics and fuzzing need for their speed; the
# test programs unoptimised, which compiles fastest.
test-clang: deps
	@./cmake/install-deps.sh $(FUZZ_PACKAGES)
	@cmake -S . -B $(CLANG_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DZEPHLANE_FUZZ=ON $(LEAN_FLAGS) >/dev/null
	@cmake --build $(CLANG_DIR) -j $(JOBS)
	@QT_QPA_PLATFORM=offscreen ctest --test-dir $(CLANG_DIR) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory fuzz-minute FUZZ_DIR=$(CLANG_DIR)

# Not in `make test`, for a change that touches what the compilers see differently: GCC with its
# own sanitizers, and GCC at -O3, whose inliner sees more and warns differently than at -O2.
test-asan: deps
	@cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEPHLANE_SANITIZE=ON \
	  -DBUILD_GUI=OFF $(LEAN_FLAGS) >/dev/null
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	@ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

test-release: deps
	@cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(LEAN_FLAGS) >/dev/null
	@cmake --build $(RELEASE_DIR) -j $(JOBS)
	@QT_QPA_PLATFORM=offscreen ctest --test-dir $(RELEASE_DIR) --output-on-failure -j $(JOBS)

format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror && echo "format: clean"

bench: build
	@for b in $(BUILD_DIR)/bench/*_bench; do echo "== $$b"; $$b; done

run: run-deps build
	@./cmake/run-window.sh $(BUILD_DIR)

# The Windows program Zephlane.exe with the logic, the driver and the tests as Windows programs,
# and in $(WINDOWS_DIR) the zip and the installer. The PDFs need Qt, which the cross-build has
# not: the native build renders them first, the manual from the Windows help.
WINDOWS_DIR ?= build-windows
windows: deps configure
	@./cmake/install-deps.sh $(DEBIAN_PACKAGES) $(WINDOWS_PACKAGES)
	@cmake --build $(BUILD_DIR) --target zephlane_pdfs -j $(JOBS)
	@cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_GUI=ON -DBUILD_BENCHMARKS=OFF \
	  -DZEPHLANE_WERROR=$(WERROR) -DZEPHLANE_PDF_DIR=$(CURDIR)/$(BUILD_DIR)/pdf-windows >/dev/null
	@cmake --build $(WINDOWS_DIR) -j $(JOBS)
	@ls $(WINDOWS_DIR)/bin/Zephlane.exe $(WINDOWS_DIR)/Zephlane-*-win64.zip $(WINDOWS_DIR)/Zephlane-*-win64-setup.exe

# Everything of `make windows` under Wine (prefix in the build folder, made on the first run),
# the window driven by real input on a virtual X display; screenshots in $(WINDOWS_DIR)/gui-test.
test-windows: windows
	@./cmake/install-deps.sh $(RUN_PACKAGES)
	@WINEPREFIX=$(CURDIR)/$(WINDOWS_DIR)/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
	  /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
	@ctest --test-dir $(WINDOWS_DIR) --output-on-failure -j $(JOBS)

# Each fuzz target runs FUZZ_SECONDS, one after the other (one core each; the machine and CI
# have two). `make fuzz-ci` is the one-minute run of each, side by side, that `make test`
# includes.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_TARGETS := numtext settings_reader startup driver_requests touchstone case_reader
fuzz-build:
	@./cmake/install-deps.sh $(DEBIAN_PACKAGES) $(FUZZ_PACKAGES)
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZEPHLANE_FUZZ=ON -DBUILD_GUI=OFF -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do ./cmake/run-fuzzer.sh $(FUZZ_DIR) $$t $(FUZZ_SECONDS) || exit 1; done

# The minute of each target, side by side, sharing the two cores: the same minute for each target
# in a fraction of the wall time. `make test` runs it from its clang build; `make fuzz-ci` builds
# the fuzz targets alone first.
fuzz-ci: fuzz-build
	@$(MAKE) --no-print-directory fuzz-minute

fuzz-minute:
	@pids=; for t in $(FUZZ_TARGETS); do ./cmake/run-fuzzer.sh $(FUZZ_DIR) $$t 60 & pids="$$pids $$!"; done; \
	  status=0; for p in $$pids; do wait $$p || status=1; done; exit $$status

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(CLANG_DIR) $(RELEASE_DIR) $(WINDOWS_DIR) $(FUZZ_DIR)
