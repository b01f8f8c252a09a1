# make run   - install what is missing, build, start the program on the example
# make test  - install what is missing, build, run every test
# make test-asan - the tests under AddressSanitizer and UndefinedBehaviorSanitizer
# make release   - the Release configuration a packager builds (no tests run)
# The project's own checks (test, test-asan, release) treat warnings as errors.
BUILD ?= build
ASAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
EXAMPLE ?= examples/example.gra

.PHONY: all deps configure build run test test-asan release bench clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)/src/app/torvel-graphics $(EXAMPLE)

test: configure
	cmake -B $(BUILD) -DTORVEL_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTORVEL_SANITIZE=ON -DTORVEL_BUILD_BENCH=OFF \
	    -DTORVEL_WERROR=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

release: deps
	cmake -S . -B $(RELEASE_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTORVEL_WERROR=ON
	cmake --build $(RELEASE_BUILD) -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD)
