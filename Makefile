# The two entry points of the project: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build run test bench clean

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

# Benchmarks: the same build tree with the bench targets switched on (they are
# never part of the default build), then every benchmark is run.
bench: deps
	@cmake -S . -B $(BUILD) -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOMR_BUILD_BENCH=ON > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target omr_benches
	@cmake --build $(BUILD) --target omr_bench_run

clean:
	rm -rf $(BUILD)
