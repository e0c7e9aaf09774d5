# Zephlane: `make run` starts the window, `make test` runs every test.
# Both install what is missing from Debian's packages first.

# Everything the project needs on a fresh Debian 12 machine, in one place.
DEBIAN_PACKAGES := build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev \
                   libbenchmark-dev qt6-base-dev libsimpleini-dev nlohmann-json3-dev \
                   fonts-dejavu-core
# Only `make run` without a display needs these: a virtual X server and a screenshot.
RUN_PACKAGES := xvfb xauth xdotool x11-apps imagemagick fonts-liberation

BUILD_DIR ?= build
ASAN_DIR ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps run-deps configure build test test-asan format-check run bench clean

all: build

deps:
	@./cmake/install-deps.sh $(DEBIAN_PACKAGES)

run-deps:
	@./cmake/install-deps.sh $(DEBIAN_PACKAGES) $(RUN_PACKAGES)

configure:
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: deps configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The normal build's tests, then the same tests built with ASan and UBSan.
test: build
	@QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory format-check

test-asan: deps
	@cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEPHLANE_SANITIZE=ON \
	  -DBUILD_GUI=OFF -DBUILD_BENCHMARKS=OFF >/dev/null
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	@ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

format-check:
	@if command -v clang-format >/dev/null; then \
	  git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror && echo "format: clean"; \
	else echo "format: clang-format not installed, check skipped"; fi

bench: build
	@for b in $(BUILD_DIR)/bench/*_bench; do echo "== $$b"; $$b; done

run: run-deps build
	@./cmake/run-window.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
