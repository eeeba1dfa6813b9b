# Thin wrapper over CMake: `make` builds the tool and runs it on a sample image,
# `make test` builds and runs every test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build demo test test-sanitize bench clean

all: demo

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

# Cuts the files out of a generated sample disk A into build/demo/.
demo: build
	rm -rf $(BUILD)/demo && mkdir -p $(BUILD)/demo
	$(BUILD)/d88sample $(BUILD)/demo/sample.d88
	cd $(BUILD)/demo && ../d88cut sample.d88 > ../demo-output.txt
	@# The tool speaks Shift_JIS; show it readable on a UTF-8 terminal when iconv is there.
	@iconv -f CP932 -t UTF-8 $(BUILD)/demo-output.txt 2>/dev/null || cat $(BUILD)/demo-output.txt
	ls -l $(BUILD)/demo

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DD88CUT_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)

# Measures wall time, system calls, instructions and memory on generated images.
bench: build
	bench/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
