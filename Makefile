# A thin layer over CMake. `make run` builds the program and starts it against
# simulated units; `make test` builds everything and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-l10n-tools qt6-translations-l10n fonts-ipafont-gothic man-db desktop-file-utils appstream \
            xvfb xauth openbox trayer xdotool x11-utils

.PHONY: all deps configure build run test bench screenshots clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "installing:$$missing"; \
	    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing || \
	    { apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; }; \
	  else \
	    echo "missing packages; run:"; \
	    echo "  sudo apt-get install -y --no-install-recommends$$missing"; \
	    exit 1; \
	  fi; \
	fi

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@TRENNIC_BUILD=$(BUILD) ./tools/demo.sh

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target bench

screenshots: configure
	cmake --build $(BUILD) -j $(JOBS) --target screenshots

clean:
	rm -rf $(BUILD)
