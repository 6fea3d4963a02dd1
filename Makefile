# Two entry points: `make demo` runs the diagnostics on the simulated device, `make check` runs
# every test. Both configure and build into build/ first, installing missing packages.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build check demo format format-check clean

all: build

deps:
	@bash .ci/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

check: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

demo: build
	@bash tools/zyvodiag/demo.sh $(BUILD)/tools/zyvodiag/zyvodiag

format:
	@git ls-files '*.h' '*.cpp' include/zyvodiag | xargs clang-format -i

format-check:
	@git ls-files '*.h' '*.cpp' include/zyvodiag | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD)
