# Thin wrapper around CMake so that a newcomer needs only `make run` and `make test`.
BUILD_DIR    ?= build
ASAN_DIR     ?= build-asan
BENCH_DIR    ?= build-bench
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS  ?=
PREFIX       ?= /usr/local

.PHONY: all deps configure build test test-sanitize bench run calc install package format clean

all: build

deps:
	@bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTARVO_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target tarvo_bench
	$(BENCH_DIR)/bench/tarvo_bench

# The window needs a display; say so before building rather than fail inside Qt.
run:
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "make run: no display to open the Tarvo+ window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2; \
		echo "Run it from a desktop session, or headless: xvfb-run -s \"-screen 0 1280x1024x24\" make run" >&2; \
		exit 1; \
	fi
	@$(MAKE) --no-print-directory build
	$(BUILD_DIR)/app/tarvo

# The command-line calculator on the shipped example motors.
calc: build
	$(BUILD_DIR)/app/tarvo-calc examples/*.zel

# Installs the programs, GRAINS.grn, the menu entry, file types, icon and manual pages under
# PREFIX (DESTDIR is honoured). A build that exists is only brought up to date, not configured
# again, so that `sudo make install` after `make build` leaves the build directory to its owner.
install:
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || $(MAKE) --no-print-directory build
	cmake --build $(BUILD_DIR) -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)" --strip

# The Debian package, $(BUILD_DIR)/tarvo_<version>_<architecture>.deb.
package: build
	cmake --build $(BUILD_DIR) --target package

format:
	find src app tests bench packaging -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(BENCH_DIR)
