# The two entry points of the project: `make run` and `make test`.
BUILD ?= build
# The build's sub-makes would otherwise announce every directory they enter.
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build run test install dist test-asan fuzz bench soak share-deps share-up share-down bench-share \
	soak-share clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-demo $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# A program folder that runs where it lies: the program with the definition
# files, language files and werbung folder beside it, and the kiosk files of
# contrib/. The settings file appears in it when the display first closes.
PREFIX ?= $(HOME)/omr_anzeige
install: configure
	@cmake --build $(BUILD) -j$(JOBS) --target omr_anzeige
	@cmake --install $(BUILD) --prefix "$(PREFIX)" --strip > /dev/null
	@echo "Program folder: $(PREFIX)"

# The same folder, named omr_anzeige, packed as a .tar.gz in $(BUILD)/.
VERSION := $(shell grep -o 'omr_anzeige VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)
DIST := omr_anzeige-$(VERSION)-linux-$(shell uname -m)
dist: configure
	@cmake --build $(BUILD) -j$(JOBS) --target omr_anzeige
	@rm -rf $(BUILD)/dist
	@cmake --install $(BUILD) --prefix $(BUILD)/dist/omr_anzeige --strip > /dev/null
	@tar -C $(BUILD)/dist --owner=0 --group=0 --numeric-owner -czf $(BUILD)/$(DIST).tar.gz omr_anzeige
	@echo "Archive: $(BUILD)/$(DIST).tar.gz"

# The whole suite once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer (preset "asan", its own build tree).
test-asan: deps
	@cmake --preset asan > /dev/null
	@cmake --build --preset asan -j$(JOBS)
	@cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Coverage-guided fuzzing with libFuzzer (clang); FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 60
fuzz: deps
	@cmake --preset fuzz > /dev/null
	@cmake --build --preset fuzz -j$(JOBS) --target omr_fuzzers
	@scripts/run-fuzz build-fuzz $(FUZZ_SECONDS)

# Benchmarks: the same build tree with the bench targets switched on (they are
# never part of the default build), then every benchmark is run with
# BENCH_REPETITIONS repetitions and one table of the figures (medians) is
# printed; the JSON output and the table stay in $(BUILD)/bench-results.
BENCH_REPETITIONS ?= 3
bench: deps
	@cmake -S . -B $(BUILD) -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOMR_BUILD_BENCH=ON \
		-DOMR_BENCH_REPETITIONS=$(BENCH_REPETITIONS) > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target omr_benches
	@cmake --build $(BUILD) --target omr_bench_run

# Soak: the main frame against the simulator on 255 lanes for SOAK_MINUTES;
# fails on a message lost or doubled or on memory growth (bench/README.md).
SOAK_MINUTES ?= 2
soak: deps
	@cmake -S . -B $(BUILD) -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOMR_BUILD_BENCH=ON > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target omr_soak
	@$(BUILD)/bin/omr_soak --minutes $(SOAK_MINUTES)

# A network share to measure on: a private Samba server on 127.0.0.1 and its
# share mounted through smbnetfs, all under $(SHARE) (bench/README.md). The
# packages come with these targets only, never with `make test`.
SHARE ?= $(BUILD)/share
LANES ?= 64
share-deps:
	@scripts/install-deps --share

share-up: share-deps
	@scripts/share-up $(SHARE)

share-down:
	@scripts/share-down $(SHARE)

# The polling benchmarks on /dev/shm and on the share, one table beside the other.
bench-share: share-up
	@cmake -S . -B $(BUILD) -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOMR_BUILD_BENCH=ON > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target omr_watchdog_bench
	@bench/run-benchmarks.py --bin-dir $(BUILD)/bin --out-dir $(BUILD)/bench-results \
		--repetitions $(BENCH_REPETITIONS) --share $(SHARE)/export:$(SHARE)/client

# The soak on /dev/shm and then on the share (simulator on the server's side,
# display on the mount), LANES lanes for SOAK_MINUTES each, one table of both.
soak-share: share-up
	@cmake -S . -B $(BUILD) -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOMR_BUILD_BENCH=ON > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target omr_soak
	@bench/soak-share.py --soak $(BUILD)/bin/omr_soak --minutes $(SOAK_MINUTES) --lanes $(LANES) \
		--share $(SHARE)/export:$(SHARE)/client --out-dir $(BUILD)/soak-results

clean:
	rm -rf $(BUILD) build-asan build-fuzz
