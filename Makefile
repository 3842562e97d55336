# Front door: make deps | build | test | demo | bench. CMake does the real work.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# locales: the comma-locale export tests compile de_DE from its sources when it is not installed.
PACKAGES = cmake g++ make libgtest-dev libbenchmark-dev qt6-base-dev qt6-tools-dev \
    qt6-l10n-tools fonts-wqy-microhei xvfb xauth locales
SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps configure build test demo bench screenshots clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null \
	    | grep -q '^install ok installed$$' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "installing:" $$missing; \
	    $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi

configure:
	cmake -S . -B $(BUILD) -DQUORVANE_BENCH=ON

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
	$(BUILD)/bench/quorvane-download-bench
	$(BUILD)/bench/quorvane-file-window-bench

# Pictures of the QuorvaneFile window, painted offscreen, for the README.
screenshots: build
	$(BUILD)/postprocess/window/quorvane-file-screenshots docs/screenshots $(BUILD)/bin

clean:
	rm -rf $(BUILD) demo
