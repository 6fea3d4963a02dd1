# Two entry points: `make demo` runs the diagnostics on the simulated device, `make check` runs
# every test. Both configure and build into build/ first, installing missing packages: the demo
# only what building the library and the tool needs, and builds only those; the tests add their
# own packages (.ci/packages/check.txt) and targets.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Developers and CI fail on any warning; a plain cmake build leaves warnings as warnings.
WERROR := -DZYVODIAG_WERROR=ON
# Quiet: no "Entering directory" from the makes CMake runs under this one, and no line for each
# target that is already built, so what shows is the progress of what is rebuilt, then the
# result, and a compiler error stands out.
MAKEFLAGS += --no-print-directory
QUIET_CMAKE := -DCMAKE_TARGET_MESSAGES=OFF

.PHONY: all deps check-deps configure configure-demo build build-demo check demo format \
	format-check clean
.PHONY: check-asan check-ppc fuzz check-valgrind

all: build

deps:
	@bash .ci/install-deps build

check-deps:
	@bash .ci/install-deps build check

configure: check-deps
	@cmake -S . -B $(BUILD) $(QUIET_CMAKE) $(WERROR) -DBUILD_TESTING=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)
	@echo "built: $(BUILD)/tools/zyvodiag/zyvodiag"

# The demo needs neither the tests nor the benchmarks: configuring without them needs none of
# their packages, and building the tool alone takes a fraction of the time. The same build
# directory serves `make check` afterwards, which turns the tests back on.
configure-demo: deps
	@cmake -S . -B $(BUILD) $(QUIET_CMAKE) $(WERROR) -DBUILD_TESTING=OFF $(CMAKE_FLAGS) >/dev/null

build-demo: configure-demo
	@cmake --build $(BUILD) -j$(JOBS) --target zyvodiag
	@echo "built: $(BUILD)/tools/zyvodiag/zyvodiag"

# The memcheck tests (label valgrind) take a minute: check-valgrind runs them.
check: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS) -LE valgrind

demo: build-demo
	@bash tools/zyvodiag/demo.sh $(BUILD)/tools/zyvodiag/zyvodiag

# Checks beyond `make check`, each but the last in a build directory of its own:
#   check-asan      every test built with AddressSanitizer and UndefinedBehaviorSanitizer
#   check-ppc       every test built for 32-bit big-endian PowerPC, run under qemu-ppc
#   fuzz            each libFuzzer target for FUZZ_SECONDS from its seed corpus
#   check-valgrind  the tool under valgrind's memcheck (the CTest label valgrind)
ASAN_BUILD ?= build-asan
PPC_BUILD ?= build-ppc
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
# GCC's flow analysis sees through the sanitizers' checks poorly and then warns of values that
# may be used uninitialized where none is (in std::regex too); the ordinary build keeps that
# warning, as an error.
SANITIZE_FLAGS := -O1 -fsanitize=address,undefined -fno-sanitize-recover=all \
	-fno-omit-frame-pointer -Wno-maybe-uninitialized
# Any report ends the program that made it, so the test fails.
SANITIZE_ENV := \
	ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1

check-asan:
	@bash .ci/install-deps build check asan
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug $(WERROR) \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	$(SANITIZE_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS) -LE valgrind

check-ppc:
	@bash .ci/install-deps build check ppc
	@cmake -S . -B $(PPC_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/powerpc-linux-gnu.cmake \
		$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(PPC_BUILD) -j$(JOBS)
	ctest --test-dir $(PPC_BUILD) --output-on-failure -j$(JOBS) -LE valgrind

fuzz:
	@bash .ci/install-deps build fuzz
	@cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		$(WERROR) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)
	@bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

check-valgrind: build
	@bash .ci/install-deps valgrind
	ctest --test-dir $(BUILD) --output-on-failure --no-tests=error -L valgrind -j$(JOBS)

# The benchmarks (bench/), built for Release in a directory of their own, run beside their
# peers (cmp, memset, FFmpeg, dd) in one table.
BENCH_BUILD ?= build-bench
.PHONY: bench
bench:
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DZYVO_BUILD_BENCHMARKS=ON $(WERROR) \
		>/dev/null
	@cmake --build $(BENCH_BUILD) -j$(JOBS) --target pattern_bench frames_bench png_bench analysis_bench zyvodiag \
		>/dev/null
	@bash bench/peers.sh $(BENCH_BUILD)

# The README's picture of the self-test's HTML report, by the browser step the tests use.
.PHONY: report-screenshot
report-screenshot: build
	@bash tests/report/html_report_in_browser.sh $(BUILD)/tools/zyvodiag/zyvodiag \
		docs/selftest-report.png

format:
	@git ls-files '*.h' '*.cpp' include/zyvodiag | xargs clang-format -i

format-check:
	@git ls-files '*.h' '*.cpp' include/zyvodiag | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD)
