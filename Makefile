# Entry points: `make run` and `make test` do all the set-up on a fresh Debian machine.
PRESET ?= release
JOBS ?= $(shell nproc)
EXAMPLE ?= examples/bezirksliga-herren-nord.xml
FUZZ_RUNS ?= 200000
RUN_SECONDS ?= 30

.PHONY: all deps configure build run test test-asan test-tsan bench fuzz format clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

# Generates the example division's schedule for 30 seconds and prints its costs.
run: build
	./build/$(PRESET)/src/cli/terminor-cli generate $(EXAMPLE) --seconds $(RUN_SECONDS) -o build/example-schedule.xml --csv build/example-schedule.csv

test: build
	ctest --preset $(PRESET) -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan

# The core libraries under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS) -L 'core|engine'

# The engine's thread tree under ThreadSanitizer.
test-tsan: deps
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan -j $(JOBS) --target engine_tests
	ctest --preset tsan -j $(JOBS) -L engine

# Every benchmark binary, then the quality benchmark in its short form (bench/quality and
# bench/scaling run the long forms).
bench: build
	@for b in build/$(PRESET)/bench/bench_*; do [ -x "$$b" ] && "$$b" || true; done
	@python3 bench/quality --short --preset $(PRESET)

# Builds the libFuzzer targets with clang and runs each for FUZZ_RUNS executions.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@for t in build/fuzz/fuzz/fuzz_*; do \
	    name=$$(basename $$t); mkdir -p build/fuzz/corpus/$$name; \
	    echo "== $$name"; \
	    $$t -runs=$(FUZZ_RUNS) -max_len=8192 build/fuzz/corpus/$$name fuzz/seeds/$$name 2>&1 | tail -n 3 || exit 1; \
	done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
