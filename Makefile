# Entry points: `make run` and `make test` do all the set-up on a fresh Debian machine.
PRESET ?= release
JOBS ?= $(shell nproc)
EXAMPLE ?= examples/bezirksliga-herren-nord.xml
FUZZ_RUNS ?= 200000
FUZZ_SECONDS ?=
RUN_SECONDS ?= 20
RUN_DIR ?= build/run
CLI = ./build/$(PRESET)/src/cli/terminor-cli

.PHONY: all deps configure build run run-cli run-gui test test-asan test-tsan bench fuzz package format clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

# Builds only what it runs. Without a desktop program that is terminor-cli: it generates the
# example division's schedule for RUN_SECONDS seconds into RUN_DIR. Exit code 2 (a schedule
# written with hard errors or undated games) is a result, not a failure: its warning is shown.
# With a display: the desktop program on the example export; without one: the headless generation.
run:
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(MAKE) --no-print-directory run-gui; \
	else $(MAKE) --no-print-directory run-cli; fi

run-gui: configure
	@cmake --build --preset $(PRESET) -j $(JOBS) --target terminor
	./build/$(PRESET)/src/app/terminor $(EXAMPLE)

run-cli: configure
	@cmake --build --preset $(PRESET) -j $(JOBS) --target terminor-cli
	@mkdir -p $(RUN_DIR)
	@rc=0; $(CLI) generate $(EXAMPLE) --seconds $(RUN_SECONDS) -o $(RUN_DIR)/example-schedule.xml \
	    --csv $(RUN_DIR)/example-schedule.csv > $(RUN_DIR)/example-costs.txt || rc=$$?; \
	if [ $$rc -ne 1 ]; then echo "Kostentabelle gespeichert: $(RUN_DIR)/example-costs.txt"; fi; \
	if [ $$rc -eq 2 ]; then rc=0; echo "Der Spielplan ist geschrieben, hat aber noch Fehler (siehe \"Achtung\")."; fi; \
	exit $$rc

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

# Builds the libFuzzer targets with clang (ASan and UBSan) and runs each in turn, for FUZZ_SECONDS
# seconds when that is set, else for FUZZ_RUNS executions. The corpus grows in build/fuzz/corpus;
# the committed seeds in fuzz/seeds start it. A finding stops the run with the target's report.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@for t in build/fuzz/fuzz/fuzz_*; do \
	    name=$$(basename $$t); mkdir -p build/fuzz/corpus/$$name build/fuzz/findings/$$name; \
	    if [ -n "$(FUZZ_SECONDS)" ]; then limit="-max_total_time=$(FUZZ_SECONDS)"; else limit="-runs=$(FUZZ_RUNS)"; fi; \
	    echo "== $$name"; \
	    $$t $$limit -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	        -artifact_prefix=build/fuzz/findings/$$name/ build/fuzz/corpus/$$name fuzz/seeds/$$name \
	        > build/fuzz/$$name.log 2>&1; rc=$$?; \
	    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|Done)' build/fuzz/$$name.log; \
	    if [ $$rc -ne 0 ]; then tail -n 40 build/fuzz/$$name.log; exit 1; fi; \
	done

# The Debian package build/package/terminor_VERSION-1_amd64.deb: a release build of the two
# programs and the manual only (no tests, no benchmarks), put together by CPack.
package: deps
	@cmake --preset package >/dev/null
	@cmake --build --preset package -j $(JOBS) --target package
	@ls build/package/terminor_*.deb

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
