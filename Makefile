# SPDX-License-Identifier: MIT
# Thin wrapper over CMake. `make run` starts the game, `make test` runs every test.
BUILD         ?= build
ASAN_BUILD    ?= build-asan
PACKAGE_BUILD ?= build-package
WIN_BUILD     ?= build-windows
WEB_BUILD     ?= build-web
JOBS          ?= $(shell nproc)
DIST          ?= dist
# The web site's folder, where the build makes one (make web).
WEB_SITE      ?= $(WEB_BUILD)/site
# The project's one version, from the project() line.
VERSION       := $(shell sed -n 's/^project.Zentorra VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

.PHONY: deps build run install package windows-configure windows windows-zip windows-installer release test \
        test-release test-package test-windows test-asan test-web test-dist lint bench format mutants \
        spdx web serve-web

deps:
	@tools/install-deps.sh

# WERROR=ON makes warnings errors; the project's own checks below turn it on. Unset, the
# build folder keeps what it was configured with (off in a new one).
build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(WERROR),-DZT_WERROR=$(WERROR))
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/program/zentorra

# Installs under the prefix the build folder was configured with, /usr/local unless
# CMAKE_INSTALL_PREFIX says otherwise (as root, e.g. with sudo).
install: build
	cmake --install $(BUILD)

# zentorra_<version>_amd64.deb in this folder: a Release build of the program alone, as a
# packager makes it (warnings are not errors there), laid out as Debian lays out games:
# the program in /usr/games, the fonts from the font packages it depends on.
package: deps
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_INSTALL_BINDIR=games -DBUILD_TESTING=OFF -DZT_SYSTEM_FONTS=ON
	rm -f $(PACKAGE_BUILD)/zentorra_*.deb zentorra_*.deb
	cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target package
	cp $(PACKAGE_BUILD)/zentorra_*_amd64.deb .

test: lint test-release test-package test-windows test-asan test-web test-dist

test-release test-windows test-asan test-web: WERROR = ON

# The end-to-end tests drive real windows under Xvfb, one at a time.
test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE e2e
	cd $(BUILD) && ctest --output-on-failure -L e2e

# The package's files, its control data, the desktop files it carries, its licences and
# hardening (lintian, hardening-check), and the licence line of every source file.
test-package: package
	tools/spdx.sh --check
	tests/package/check_package.sh $(PACKAGE_BUILD)

# The Windows build: cross-compiled with MinGW-w64, the pictures and sounds drawn by the
# native build's tools. Its program folder is $(WIN_BUILD)/program. windows-configure
# makes the pictures and configures the cross build; windows builds all of it, tests too.
windows-configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(WERROR),-DZT_WERROR=$(WERROR))
	cmake --build $(BUILD) -j $(JOBS) --target zt_assets
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DZT_ASSET_DIR=$(abspath $(BUILD))/program \
	  $(if $(WERROR),-DZT_WERROR=$(WERROR))

windows: windows-configure
	cmake --build $(WIN_BUILD) -j $(JOBS)

# The program folder packed as zentorra-<version>-win64.zip in $(WIN_BUILD); the program
# alone is built for it.
windows-zip: windows-configure
	cmake --build $(WIN_BUILD) -j $(JOBS) --target windows_zip

# zentorra-<version>-setup.exe in $(WIN_BUILD), made with NSIS.
windows-installer: windows-configure
	cmake --build $(WIN_BUILD) -j $(JOBS) --target windows_installer

# Everything a release publishes, in $(DIST): the Debian package, the Windows zip and
# installer, the web site where the build has one, the sources as git has them, and
# SHA256SUMS over them all.
release: package windows-zip windows-installer
	rm -rf $(DIST) && mkdir -p $(DIST)
	cp zentorra_$(VERSION)_amd64.deb $(WIN_BUILD)/zentorra-$(VERSION)-win64.zip \
	  $(WIN_BUILD)/zentorra-$(VERSION)-setup.exe $(DIST)/
	@if grep -q '^web:' Makefile; then $(MAKE) --no-print-directory web && \
	  tar -C $(WEB_SITE) -czf $(DIST)/zentorra-$(VERSION)-web.tar.gz .; fi
	git archive --format=tar.gz --prefix=zentorra-$(VERSION)/ -o $(DIST)/zentorra-$(VERSION).tar.gz HEAD
	cd $(DIST) && sha256sum zentorra* > SHA256SUMS

# A release from what make test built: every file there and its sum as written.
test-dist:
	@if command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v makensis >/dev/null; then \
	  $(MAKE) --no-print-directory release && tests/package/check_release.sh $(DIST) $(VERSION); \
	else echo "Release check skipped: no MinGW-w64 cross compiler or no makensis"; fi

# The Windows tests under Wine, where the cross compilers and Wine are installed; the
# installer is built first, since its end-to-end test installs it.
test-windows:
	@if command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null; then \
	  $(MAKE) --no-print-directory windows windows-installer WERROR=$(WERROR) && \
	  cd $(WIN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE e2e && \
	  ctest --output-on-failure -L e2e; \
	else echo "Windows tests skipped: no MinGW-w64 cross compiler or no Wine"; fi

# The browser build: the site in $(WEB_BUILD)/site, the pictures and sounds drawn by the
# native build's tools.
web: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(WERROR),-DZT_WERROR=$(WERROR))
	cmake --build $(BUILD) -j $(JOBS) --target zt_assets
	cmake -S . -B $(WEB_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DZT_ASSET_DIR=$(abspath $(BUILD))/program \
	  $(if $(WERROR),-DZT_WERROR=$(WERROR))
	cmake --build $(WEB_BUILD) -j $(JOBS)

serve-web:
	cd $(WEB_BUILD)/site && python3 -m http.server 8080 --bind 127.0.0.1

# The browser build's end-to-end tests in Debian's Chromium, where Emscripten and Chromium
# are installed; the first screens are compared with the native build's rendering.
test-web:
	@if command -v em++ >/dev/null && [ -x /usr/bin/chromium ]; then \
	  $(MAKE) --no-print-directory web WERROR=$(WERROR) && \
	  cmake --build $(BUILD) -j $(JOBS) --target web_reference_screens && \
	  reference=$$(mktemp -d) && $(BUILD)/tests/web/web_reference_screens $$reference && \
	  ZT_WEB_REFERENCE=$$reference node tests/web/run.js $(WEB_BUILD)/site; \
	  status=$$?; rm -rf "$$reference"; exit $$status; \
	else echo "Web tests skipped: no Emscripten (em++) or no Chromium"; fi

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer. The end-to-end
# tests and the fuzzer run in the release build only.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZT_SANITIZE=ON -DZT_WERROR=$(WERROR)
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

# Puts the licence line at the top of every source file that lacks it.
spdx:
	tools/spdx.sh --fix

# First in `make test`: the scripts pass shellcheck (.shellcheckrc; any other exception is
# commented where it stands), the sources are formatted as `make format` leaves them, and
# every source file carries its licence line.
lint: deps
	git ls-files '*.sh' .ci/run | xargs shellcheck
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
	tools/spdx.sh --check
