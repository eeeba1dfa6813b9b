# Thin wrapper over CMake: `make` builds the tool and runs it on a sample image,
# `make test` builds and runs every test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build demo test test-sanitize fuzz memcheck bench clean

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

# Runs each fuzzer for FUZZ_SECONDS; fails on any crash, leak, hang or sanitizer report.
fuzz:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DD88CUT_FUZZ=ON -DD88CUT_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Cuts a complete disk A and damaged images under valgrind: no memory error, no leak.
memcheck: build
	tests/memcheck.sh $(BUILD)

# Measures wall time, system calls, instructions and memory on generated images.
bench: build
	bench/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
