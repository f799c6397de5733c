# Thin wrapper over CMake + Ninja. Every target installs what is missing first.
JOBS        ?= $(shell nproc)
DEBUG_DIR   ?= build/debug
RELEASE_DIR ?= build/release
RUN_DIR     ?= build/run
export QT_QPA_PLATFORM ?= offscreen

PREFIX      ?= /usr/local

FUZZ_DIR    ?= build/fuzz
FUZZ_SECONDS ?= 60

.PHONY: all bootstrap debug release test bench run install translations fuzz format clean

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

# The programs, desktop entry, icon, scheme file type, translations and user guide
# under PREFIX (DESTDIR is honoured); the desktop's caches of that prefix are renewed.
install: bootstrap
	@cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORVANE_TESTS=OFF -DZORVANE_BENCH=OFF >/dev/null
	@cmake --build $(RUN_DIR) -j $(JOBS)
	@cmake --install $(RUN_DIR) --prefix $(PREFIX)
	@if [ -z "$(DESTDIR)" ]; then \
		update-mime-database $(PREFIX)/share/mime; \
		update-desktop-database $(PREFIX)/share/applications; \
	fi

# Each libFuzzer target for FUZZ_SECONDS, corpus kept under build/fuzz/corpus-*.
fuzz: bootstrap
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DZORVANE_FUZZ=ON -DZORVANE_TESTS=OFF -DZORVANE_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@./scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

# lupdate over the sources: new texts into translations/*.ts, gone ones out.
translations: bootstrap
	@./scripts/update-translations

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
