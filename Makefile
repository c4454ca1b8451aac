# quillmere: every set-up step lives here, so a fresh Debian machine needs
# nothing but `make run` or `make test`.

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_TYPE ?= Debug
BUILD_INSTALL ?= build-install
BUILD_DEB  ?= build-deb
PREFIX     ?= $(HOME)/.local
CMAKE_ARGS ?=

# What building the programs needs (make install), what make deb adds, and
# what the tests, benchmarks and fuzzers add (make deps installs them all).
BUILD_PACKAGES = g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev desktop-file-utils
DEB_PACKAGES = dpkg-dev file
TEST_PACKAGES = libgtest-dev \
           libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick \
           fonts-ipafont-gothic fonts-noto-cjk zip unzip clang libclang-rt-14-dev time x11-utils \
           libqt6svg6 x11-xserver-utils appstream groff-base man-db \
           strace fuse3 exfat-fuse exfatprogs ntfs-3g util-linux mount e2fsprogs lintian

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps deps-build deps-deb configure build test test-unit test-asan run bench dist fuzz \
        install uninstall deb clean

all: build

# $(call install_missing,PACKAGES): apt-get installs those not installed yet.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi
endef

deps:
	$(call install_missing,$(BUILD_PACKAGES) $(DEB_PACKAGES) $(TEST_PACKAGES))

deps-build:
	$(call install_missing,$(BUILD_PACKAGES))

deps-deb:
	$(call install_missing,$(BUILD_PACKAGES) $(DEB_PACKAGES))

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

test-unit: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The sanitizer build uses clang so that the fuzz targets can live in it too;
# ctest there runs the unit tests and a short smoke run of every fuzzer.
$(BUILD_ASAN)/build.ninja:
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DQM_SANITIZE=ON -DQM_FUZZ=ON -DQM_E2E=OFF

test-asan: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 QM_FAULT_LIGHT=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j2

test: test-unit test-asan

run: build
	@tools/run_demo.sh $(BUILD)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench
	tools/run_bench.sh build-bench

dist: deps
	cmake -S . -B build-dist -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
	cmake --build build-dist --target quillmere setup
	tools/make_dist.sh build-dist

# The programs alone (no test tool chain), for make install and make deb.
PROGRAMS_ONLY = -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
PROGRAM_TARGETS = quillmere quillmere-undo manual_pages

# Installs for the current user by default (no sudo). The desktop entry
# starts `quillmere` from PATH: ~/.local/bin is on it on Debian once the
# folder exists at login. The manifest lands in the prefix, so uninstall
# needs neither this build folder nor the same working tree. DESTDIR stages
# the install and then nothing is run on this machine.
install: deps-build
	cmake -S . -B $(BUILD_INSTALL) $(PROGRAMS_ONLY)
	cmake --build $(BUILD_INSTALL) --target $(PROGRAM_TARGETS)
	DESTDIR="$(DESTDIR)" tools/install.sh $(BUILD_INSTALL) "$(PREFIX)"

uninstall:
	@DESTDIR="$(DESTDIR)" tools/uninstall.sh "$(PREFIX)"

deb: deps-deb
	cmake -S . -B $(BUILD_DEB) $(PROGRAMS_ONLY)
	cmake --build $(BUILD_DEB) --target $(PROGRAM_TARGETS) debian_changelog
	cd $(BUILD_DEB) && cpack -G DEB
	@ls $(BUILD_DEB)/quillmere_*.deb

FUZZ_SECONDS ?= 60
fuzz: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN)
	tools/run_fuzz.sh $(BUILD_ASAN) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_INSTALL) $(BUILD_DEB) build-bench build-dist
