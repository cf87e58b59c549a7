# Thin wrapper over CMake. `make run` starts the game, `make test` runs every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: deps build run test test-release test-asan bench format mutants

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/program/zentorra

test: test-release test-asan

# The end-to-end tests drive real windows under Xvfb, one at a time.
test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE e2e
	cd $(BUILD) && ctest --output-on-failure -L e2e

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer. The end-to-end
# tests and the fuzzer run in the release build only.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZT_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE 'e2e|fuzz|bench'

# Not part of `make test`: plants small faults in the code one at a time and reports any
# that no test catches (README, "Testing").
mutants: deps
	tools/mutation-check.sh

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	for b in $(BUILD)/bench/bench_*; do $$b; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
