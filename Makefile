# Front door: make deps | build | test | demo | bench. CMake does the real work.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev
SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)
SIM = $(BUILD)/simulator/quorvane-sim
CLI = $(BUILD)/cli/quorvane-cli

.PHONY: deps configure build test demo bench clean

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

# The main job: a synthetic cast from the generator, turned into every file the suite writes.
demo: build
	mkdir -p demo
	$(SIM) cast demo/sample-cast.bin --seed 7
	cd demo && ../$(CLI) process sample-cast.bin --out Data
	@echo "files written:"; ls -l demo/Data

bench: build
	$(BUILD)/bench/quorvane-bench

clean:
	rm -rf $(BUILD) demo
