# Thin wrapper over CMake. `make run` starts the game, `make test` runs every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
WIN_BUILD  ?= build-windows
JOBS       ?= $(shell nproc)

.PHONY: deps build run test test-release test-windows test-asan bench format windows windows-zip

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/program/zentorra

test: test-release test-windows test-asan

# The end-to-end tests drive real windows under Xvfb, one at a time.
test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE e2e
	cd $(BUILD) && ctest --output-on-failure -L e2e

# The Windows build: cross-compiled with MinGW-w64, the pictures and sounds drawn by the
# native build's tools. Its program folder is $(WIN_BUILD)/program.
windows: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target zt_assets
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DZT_ASSET_DIR=$(abspath $(BUILD))/program
	cmake --build $(WIN_BUILD) -j $(JOBS)

# The program folder packed as zentorra-<version>-win64.zip in $(WIN_BUILD).
windows-zip: windows
	cmake --build $(WIN_BUILD) --target windows_zip

# The Windows tests under Wine, where the cross compilers and Wine are installed.
test-windows:
	@if command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null; then \
	  $(MAKE) --no-print-directory windows && \
	  cd $(WIN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE e2e && \
	  ctest --output-on-failure -L e2e; \
	else echo "Windows tests skipped: no MinGW-w64 cross compiler or no Wine"; fi

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer. The end-to-end
# tests and the fuzzer run in the release build only.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZT_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE 'e2e|fuzz|bench'

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	for b in $(BUILD)/bench/bench_*; do $$b; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
