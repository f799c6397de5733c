# Thin wrapper over CMake + Ninja. Every target installs what is missing first.
JOBS        ?= $(shell nproc)
DEBUG_DIR   ?= build/debug
RELEASE_DIR ?= build/release
export QT_QPA_PLATFORM ?= offscreen

.PHONY: all bootstrap debug release test bench run format clean

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

run: release
	@./scripts/run-demo $(RELEASE_DIR)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
