# Thin wrapper over CMake + Ninja. Every target installs what is missing first.
JOBS        ?= $(shell nproc)
DEBUG_DIR   ?= build/debug
RELEASE_DIR ?= build/release
RUN_DIR     ?= build/run
export QT_QPA_PLATFORM ?= offscreen

FUZZ_DIR    ?= build/fuzz
FUZZ_SECONDS ?= 60

.PHONY: all bootstrap debug release test bench run fuzz format clean

all: release

bootstrap:
	@./scripts/bootstrap

debug: bootstrap
	@cmake -S . -B $(DEBUG_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORVANE_SANITIZE=ON >/dev/null
	@cmake --build $(DEBUG_DIR) -j $(JOBS)

release: bootstrap
	@cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE_DIR) -j $(JOBS)

# Debug build with AddressSanitizer and UndefinedBehaviorSanitizer, every test, headless.
test: debug
	@cd $(DEBUG_DIR) && ctest --output-on-failure -j $(JOBS)

bench: release
	@for b in $(RELEASE_DIR)/bench/bench_*; do echo "== $$b"; $$b --benchmark_repetitions=10 --benchmark_report_aggregates_only=true; done

# Builds only the two programs it runs, so a first run is quick.
run: bootstrap
	@cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORVANE_TESTS=OFF -DZORVANE_BENCH=OFF >/dev/null
	@cmake --build $(RUN_DIR) -j $(JOBS) --target zorvane zorvane-cli
	@./scripts/run-editor $(RUN_DIR)

# Each libFuzzer target for FUZZ_SECONDS, corpus kept under build/fuzz/corpus-*.
fuzz: bootstrap
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DZORVANE_FUZZ=ON -DZORVANE_TESTS=OFF -DZORVANE_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@./scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
