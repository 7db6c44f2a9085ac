# The README's commands. Each one first installs what is missing.
BUILD ?= build
JOBS ?= $(shell nproc)
CONFIGURE = cmake -S . -G "Unix Makefiles" -Wno-dev

.PHONY: run test bench deps build release sanitize tsan format package

deps:
	@scripts/install-deps

build: deps
	@$(CONFIGURE) -B $(BUILD)/main -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)/main -j $(JOBS)

# The window starts on the sample trees, in the build's help folder where the help files of every
# language are found. Without a display the companion runs on the trees instead.
run: deps
	@$(CONFIGURE) -B $(BUILD)/main -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  cmake --build $(BUILD)/main -j $(JOBS) --target quorvel && \
	  cd $(BUILD)/main/share/quorvel/help && \
	    ../../../bin/quorvel "$(CURDIR)/examples/left" "$(CURDIR)/examples/right"; \
	else \
	  cmake --build $(BUILD)/main -j $(JOBS) --target quorvel-compare >/dev/null && \
	  echo "make run: the window needs a display (DISPLAY or WAYLAND_DISPLAY is unset); running quorvel-compare on examples/ instead" && \
	  { status=0; $(BUILD)/main/bin/quorvel-compare --all examples/left examples/right || status=$$?; \
	    [ $$status -le 1 ]; }; \
	fi

test: build
	ctest --test-dir $(BUILD)/main --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize
	@$(MAKE) --no-print-directory tsan
	@$(MAKE) --no-print-directory release
	@if command -v clang++-14 >/dev/null 2>&1; then $(MAKE) --no-print-directory fuzz FUZZ_SECONDS=10; \
	  else echo "make test: clang++-14 not found, fuzz targets not run"; fi

# Release, as the package and the bench build it: GCC warns at -O3 of things -O2 does not see.
release: deps
	@$(CONFIGURE) -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/release -j $(JOBS)

sanitize: deps
	@$(CONFIGURE) -B $(BUILD)/sanitize -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)/sanitize -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir $(BUILD)/sanitize --output-on-failure -j $(JOBS) -E clang_format -LE "install|scenario"

# The engine reads files on threads of its own: its tests again under ThreadSanitizer.
tsan: deps
	@$(CONFIGURE) -B $(BUILD)/tsan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_TSAN=ON >/dev/null
	@cmake --build $(BUILD)/tsan -j $(JOBS) --target engine_tests reliability_tests
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(BUILD)/tsan/bin/engine_tests --gtest_brief=1
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(BUILD)/tsan/bin/reliability_tests --gtest_brief=1

# Release build, about 5 GiB of generated data under TMPDIR (QUORVEL_BENCH_SCALE=1/16 for a quick
# run), one table of medians and ratios; the full size writes bench/RESULTS.md. See bench/run-bench.
bench:
	@scripts/install-deps bench
	@QUORVEL_BENCH_BUILD=$(BUILD)/bench JOBS=$(JOBS) bench/run-bench

# libFuzzer targets built with clang, each run for FUZZ_SECONDS (default 60) from a copy of its
# seeds in $(BUILD)/fuzz; see fuzz/run-fuzzers.
.PHONY: fuzz
fuzz:
	@scripts/install-deps fuzz
	@cmake -S fuzz -B $(BUILD)/fuzz -G "Unix Makefiles" -Wno-dev -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
	@cmake --build $(BUILD)/fuzz -j $(JOBS)
	@fuzz/run-fuzzers $(BUILD)/fuzz $(FUZZ_SECONDS)

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

# A Debian package of a Release build, in $(BUILD)/package.
package: deps
	@$(CONFIGURE) -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/release -j $(JOBS) --target quorvel quorvel-compare quorvel_man_pages quorvel_changelog
	@cd $(BUILD)/release && cpack -G DEB -B $(CURDIR)/$(BUILD)/package
