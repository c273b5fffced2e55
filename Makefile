# Orv Brivo: top-level commands. Every target installs what is missing, configures and builds.
BUILD      ?= build
ASAN_BUILD ?= build-asan
PREFIX     ?=
JOBS       ?= $(shell nproc)

PACKAGES := build-essential cmake pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev \
            libsndfile1-dev libebur128-dev libcairo2-dev libfontconfig-dev fonts-liberation libx11-dev \
            xvfb xauth

FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_SECONDS ?= 60

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup build demo test test-unit test-asan test-fuzz fuzz bench install clean

all: build

setup:
	@missing=$$(for p in $(PACKAGES) $(FUZZ_PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Renders the built-in demo through "CD Master 1"; leaves demo-in.wav, demo-out.wav and
# demo-plot.png in the build folder and prints the report.
demo: build
	$(BUILD)/orvbrivo-inspect $(BUILD)/orvbrivo.so | head -n 4
	cd $(BUILD) && ./orvbrivo-render --demo

test-unit: build
	cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS)

test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DORV_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure --no-tests=error -j $(JOBS)

# A short bounded pass of every fuzz target; `make fuzz` runs each for FUZZ_SECONDS.
test-fuzz: setup
	fuzz/run.sh 5

fuzz: setup
	fuzz/run.sh $(FUZZ_SECONDS)

test: test-unit test-asan test-fuzz

bench: build
	$(BUILD)/bench/orvbrivo-bench --benchmark_counters_tabular=true

# Hosts look for VST 2.4 plug-ins in ~/.vst (one user) or $(PREFIX)/lib/vst (all users).
install: build
	@if [ -n "$(PREFIX)" ]; then \
	  install -D -m 755 $(BUILD)/orvbrivo.so $(DESTDIR)$(PREFIX)/lib/vst/orvbrivo.so; \
	  install -D -m 755 $(BUILD)/orvbrivo-render $(DESTDIR)$(PREFIX)/bin/orvbrivo-render; \
	  echo "Installed $(DESTDIR)$(PREFIX)/lib/vst/orvbrivo.so and $(DESTDIR)$(PREFIX)/bin/orvbrivo-render"; \
	else \
	  install -D -m 755 $(BUILD)/orvbrivo.so $(HOME)/.vst/orvbrivo.so; \
	  install -D -m 755 $(BUILD)/orvbrivo-render $(HOME)/.local/bin/orvbrivo-render; \
	  echo "Installed $(HOME)/.vst/orvbrivo.so and $(HOME)/.local/bin/orvbrivo-render"; \
	fi

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
