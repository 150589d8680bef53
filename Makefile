# The two commands of the README (make run, make test) and the longer runs (bench, fuzz, soak).
BUILD ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
WIN32_BUILD ?= build-win32
WEB_BUILD ?= build-web
WEB_PORT ?= 8040
FUZZ_BUILD ?= build-fuzz
CMAKE_FLAGS ?=
# Every build make test checks (normal, sanitizers, fuzzers) fails on any compiler warning; WERROR=OFF lets a newer compiler's new warnings pass.
WERROR ?= ON
JOBS ?= 2
# Seconds each fuzz target runs: briefly within make test, longer with make fuzz.
FUZZ_SMOKE_SECONDS ?= 5
FUZZ_SECONDS ?= 300
# make fuzz stops a target at this many executions if its time has not run out first.
FUZZ_RUNS ?= 10000000
HAVE_CLANG := $(shell command -v clang++ >/dev/null 2>&1 && echo yes)
SHELL := /bin/bash

.PHONY: all deps build win32 web run-web run test test-main test-asan test-tsan test-fuzz bench bench-desktop fuzz fuzz-build soak clean assets-preview package

all: build

deps:
	@./scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DVORNA_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Everything CI checks: the suite on the normal build, the suite again under ASan and UBSan, and a short
# run of every fuzz target when clang is there. The closing line says whether all of it passed.
test: build
	@$(MAKE) --no-print-directory test-main test-asan test-tsan test-fuzz
	@echo "make test: all passed (suite, sanitizer suite, thread sanitizer$(if $(HAVE_CLANG),$(comma) fuzz smoke))"

comma := ,

test-main:
	@echo "== test suite ($(BUILD))"
	@./scripts/run-ctest $(BUILD) $(JOBS)

test-asan: deps
	@echo "== test suite under AddressSanitizer and UndefinedBehaviorSanitizer ($(ASAN_BUILD))"
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORNA_SANITIZE=ON -DVORNA_DESKTOP=OFF -DVORNA_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@./scripts/quiet $(ASAN_BUILD)/build.log cmake --build $(ASAN_BUILD) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		./scripts/run-ctest $(ASAN_BUILD) $(JOBS)

# The music player's two threads under ThreadSanitizer: only the threaded music tests are built here.
test-tsan: deps
	@echo "== music threads under ThreadSanitizer ($(TSAN_BUILD))"
	@cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNA_TSAN=ON -DVORNA_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@./scripts/quiet $(TSAN_BUILD)/build.log cmake --build $(TSAN_BUILD) -j $(JOBS) --target vorna_music_threads
	@VORNA_STOP_CYCLES=$${VORNA_STOP_CYCLES:-} SDL_AUDIODRIVER=dummy TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan.supp $${TSAN_EXTRA:-}" \
		$(TSAN_BUILD)/tests/vorna_music_threads

fuzz-build: deps
ifeq ($(HAVE_CLANG),yes)
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNA_FUZZ=ON -DVORNA_DESKTOP=OFF -DVORNA_TESTS=OFF -DVORNA_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@./scripts/quiet $(FUZZ_BUILD)/build.log cmake --build $(FUZZ_BUILD) -j $(JOBS)
endif

test-fuzz: fuzz-build
ifeq ($(HAVE_CLANG),yes)
	@echo "== fuzz smoke run ($(FUZZ_SMOKE_SECONDS) s per target)"
	@./scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS)
else
	@echo "== fuzz smoke run skipped: clang is not installed"
endif

fuzz: fuzz-build
ifeq ($(HAVE_CLANG),yes)
	@./scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_RUNS)
else
	@echo "make fuzz needs clang"; exit 1
endif

bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-bench -j $(JOBS) --target vorna_bench
	@build-bench/bench/vorna_bench

# The desktop program's pacing, CPU and start-up under Xvfb with openbox, as a player starts it.
bench-desktop: build
	@python3 bench/desktop_bench.py $(BUILD)/src/backends/sdl2/vorna

# A long random-input run (a million frames) under the sanitizers.
soak: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORNA_SANITIZE=ON -DVORNA_DESKTOP=OFF -DVORNA_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@./scripts/quiet $(ASAN_BUILD)/build.log cmake --build $(ASAN_BUILD) -j $(JOBS) --target vorna_soak
	@$(ASAN_BUILD)/tests/vorna_soak

# The native 32-bit Windows program, cross-built with mingw-w64, and the zip for Windows players. The native build comes first: its asset
# generator writes the art, sounds and music that vorna.exe carries as resources and beside it.
win32: build
	@cmake -S . -B $(WIN32_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
		-DVORNA_ASSET_DIR=$(abspath $(BUILD))/assets -DVORNA_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(WIN32_BUILD) -j $(JOBS)
	@echo "make win32: $(WIN32_BUILD)/src/programs/vorna.exe, vorna-headless.exe, the music files m00.dat..m0d.dat" \
		"and the release zip $$(ls $(WIN32_BUILD)/vorna-*-win32.zip)"

# The Debian package of the desktop program: $(BUILD)/vorna_<version>_amd64.deb.
package: build
	@cmake --build $(BUILD) --target package

# The game as a web page, compiled with emscripten. As for win32, the native build makes the assets first.
# The page, its program, the songs and the SoundFont are gathered in $(WEB_BUILD)/.
web: build
	@NODE_PATH=$${NODE_PATH:-/usr/share/nodejs} emcmake cmake -S . -B $(WEB_BUILD)/obj -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DVORNA_DESKTOP=OFF -DVORNA_ASSET_DIR=$(abspath $(BUILD))/assets $(CMAKE_FLAGS) >/dev/null
	@NODE_PATH=$${NODE_PATH:-/usr/share/nodejs} cmake --build $(WEB_BUILD)/obj -j $(JOBS) --target vorna-page
	@echo "make web: $(WEB_BUILD)/vorna.html (make run-web serves it)"

# Serves the page on this machine only.
run-web: web
	@echo "The game: http://127.0.0.1:$(WEB_PORT)/vorna.html (Ctrl+C ends the server)"
	@cd $(WEB_BUILD) && exec python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

# The contact sheet of the graphics (also copied to docs/) and every song and sound as audio, for review.
assets-preview: build
	@cmake --build $(BUILD) --target assets-preview

run: build
	@if [ -x $(BUILD)/src/backends/sdl2/vorna ]; then exec $(BUILD)/src/backends/sdl2/vorna; fi; \
	echo "The desktop program could not be built here (SDL2 or FluidSynth missing): running the attract loop in vorna-headless and"; \
	echo "writing frames 1, 100, 200, 300, 500 and 700 as PNG pictures to $(BUILD)/frames/"; \
	$(BUILD)/src/programs/vorna-headless --frames 700 --dump-dir $(BUILD)/frames --dump-frames 1,100,200,300,500,700

clean:
	rm -rf $(BUILD) $(WEB_BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(WIN32_BUILD) build-bench
