# The two commands of the README (make run, make test) and the longer runs.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all deps build run test bench fuzz soak clean

all: build

deps:
	@./scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j2

run: build
	@echo "The desktop program is not built yet: running the attract loop headless and writing frames to $(BUILD)/frames/"
	@mkdir -p $(BUILD)/frames
	@$(BUILD)/src/programs/vorna-headless --frames 700 --dump-dir $(BUILD)/frames --dump-frames 1,100,200,300,500,700

clean:
	rm -rf $(BUILD)
