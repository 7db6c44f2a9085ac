# The README's commands. Each one first installs what is missing.
BUILD ?= build
JOBS ?= $(shell nproc)
CONFIGURE = cmake -S . -G "Unix Makefiles" -Wno-dev

.PHONY: run test bench deps build sanitize format

deps:
	@scripts/install-deps

build: deps
	@$(CONFIGURE) -B $(BUILD)/main -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)/main -j $(JOBS)

run: build
	@status=0; $(BUILD)/main/bin/quorvel-compare --all examples/left examples/right || status=$$?; \
	  [ $$status -le 1 ]

test: build
	ctest --test-dir $(BUILD)/main --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize

sanitize: deps
	@$(CONFIGURE) -B $(BUILD)/sanitize -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)/sanitize -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir $(BUILD)/sanitize --output-on-failure -j $(JOBS) -E clang_format

# Release build, about 5 GiB of generated data under TMPDIR (QUORVEL_BENCH_SCALE=1/16 for a quick
# run), one table of medians and ratios; the full size writes bench/RESULTS.md. See bench/run-bench.
bench:
	@scripts/install-deps bench
	@QUORVEL_BENCH_BUILD=$(BUILD)/bench JOBS=$(JOBS) bench/run-bench

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')
