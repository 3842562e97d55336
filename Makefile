# Front door: `make` lists the targets. CMake does the real work.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# locales: the comma-locale export tests compile de_DE from its sources when it is not installed.
# qt6-base-private-dev: the device window's tests hand it a close request as the window system
# does. qt6-translations-l10n: Qt's own dialogs in Chinese.
PACKAGES = cmake g++ make libgtest-dev libbenchmark-dev libasio-dev qt6-base-dev qt6-base-private-dev \
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-wqy-microhei xvfb xauth dpkg-dev \
    locales libsqlite3-dev
# The Windows check: the MinGW-w64 cross compiler and Wine (64-bit only; recommends not needed).
# tcl and dpkg-dev: SQLite for Windows is made from Debian's source (scripts/windows_sqlite.sh).
WINDOWS_PACKAGES = g++-mingw-w64-x86-64-posix wine wine64 googletest tcl dpkg-dev
# Qt for Windows, built from Debian's source: its build tools and Qt's host tools.
WINDOWS_QT_PACKAGES = ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools
# The installer's compiler; the Windows dialog font for the windows under Wine.
WINDOWS_GUI_PACKAGES = nsis fonts-wine
# The fuzz targets: clang with its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES = clang libclang-rt-14-dev
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# ON in CI: any compiler warning fails the build.
WERROR ?= OFF

.PHONY: help deps configure build test demo bench screenshots windows-check windows-qt windows-gui-check fuzz sanitize tsan soak \
    format-check package clean

help:
	@echo "make demo            install what is missing, build, run the main job (demo/)"
	@echo "make test            install what is missing, build, run every test"
	@echo "make bench           the performance figures"
	@echo "make screenshots     paint the windows offscreen into docs/screenshots/"
	@echo "make windows-check   cross-build the cores and the CLI for Windows, test under Wine"
	@echo "make windows-qt      build Qt for Windows from Debian's source, once (~35 min)"
	@echo "make windows-gui-check  the window programs and the installer for Windows, under Wine"
	@echo "make fuzz            fuzz every parser (FUZZ_SECONDS each)"
	@echo "make sanitize        every test under AddressSanitizer and UBSan"
	@echo "make tsan            the device layers under ThreadSanitizer"
	@echo "make soak            downloads under seeded random faults (SOAK_RUNS)"
	@echo "make format-check    every source file as .clang-format lays it out"
	@echo "make package         the Debian package"
	@echo "make clean           remove every build folder and demo/"
	@echo "CI runs .ci/run: test (WERROR=ON), format-check, then the stages above."

# The Debian packages of $(1) that are not installed yet, installed with apt-get options $(2).
define install-missing
@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null \
    | grep -q '^install ok installed$$' || echo $$p; done); \
if [ -n "$$missing" ]; then \
    echo "installing:" $$missing; \
    $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $(2) $$missing; \
fi
endef

deps:
	$(call install-missing,$(PACKAGES))

configure:
	cmake -S . -B $(BUILD) -DQUORVANE_BENCH=ON -DQUORVANE_WERROR=$(WERROR)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The main job: a synthetic cast processed into every file the suite writes, then the casts
# of the virtual profiler downloaded over a pseudo-terminal and processed in turn.
demo: build
	scripts/demo.sh $(BUILD)

bench: build
	$(BUILD)/bench/quorvane-bench
	$(BUILD)/bench/quorvane-chart-bench
	$(BUILD)/bench/quorvane-nav-bench
	$(BUILD)/bench/quorvane-library-bench
	$(BUILD)/bench/quorvane-compare-bench
	$(BUILD)/bench/quorvane-download-bench
	$(BUILD)/bench/quorvane-file-window-bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/quorvane-gui-download-bench

# Pictures of the windows, painted offscreen, for the README.
screenshots: build
	$(BUILD)/launcher/quorvane-launcher-screenshots docs/screenshots $(BUILD)/bin
	$(BUILD)/postprocess/window/quorvane-file-screenshots docs/screenshots $(BUILD)/bin
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/quorvane-device-screenshots docs/screenshots

# The cores, quorvane-cli and their tests cross-built for Windows and run under Wine, compared
# with the Linux build.
windows-check: build
	$(call install-missing,$(WINDOWS_PACKAGES),--no-install-recommends)
	JOBS=$(JOBS) scripts/windows_check.sh $(BUILD)

# Qt (Core, Gui, Widgets, Test) cross-built for Windows once, into a cache outside the tree.
windows-qt:
	$(call install-missing,$(WINDOWS_PACKAGES) $(WINDOWS_QT_PACKAGES),--no-install-recommends)
	JOBS=$(JOBS) scripts/windows_qt.sh

# The window programs for Windows with that Qt, after windows-check (its googletest): window
# tests, pictures, a download through the device window and the installer, under Wine.
windows-gui-check: build
	$(call install-missing,$(WINDOWS_PACKAGES) $(WINDOWS_GUI_PACKAGES),--no-install-recommends)
	JOBS=$(JOBS) scripts/windows_gui_check.sh $(BUILD)

# Every parser fuzzed for FUZZ_SECONDS, in a clang build of its own holding only the libraries
# the targets need.
fuzz: deps
	$(call install-missing,$(FUZZ_PACKAGES),--no-install-recommends)
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DQUORVANE_FUZZ=ON -DQUORVANE_TESTS=OFF
	cmake --build $(FUZZ_BUILD) --target quorvane_fuzzers -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_JOBS=$(JOBS) scripts/fuzz.sh $(FUZZ_BUILD)

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan.
sanitize: deps
	JOBS=$(JOBS) scripts/sanitize.sh asan

# The device layers' tests and the device window's under ThreadSanitizer, in build-tsan.
tsan: deps
	JOBS=$(JOBS) scripts/sanitize.sh tsan

format-check:
	$(call install-missing,clang-format,--no-install-recommends)
	scripts/check_format.sh

# Downloads from the virtual profiler under seeded random faults, each file checked against
# the card.
SOAK_RUNS ?= 200
soak: build
	$(BUILD)/soak/quorvane-soak --runs $(SOAK_RUNS)

# The Debian package of the whole suite, in $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) build-asan build-tsan demo
