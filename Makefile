# quillmere: every set-up step lives here, so a fresh Debian machine needs
# nothing but `make run` or `make test`.

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_TYPE ?= Debug
BUILD_INSTALL ?= build-install
PREFIX     ?= $(HOME)/.local
CMAKE_ARGS ?=

PACKAGES = g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev \
           libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick \
           fonts-ipafont-gothic fonts-noto-cjk zip unzip clang libclang-rt-14-dev time x11-utils \
           libqt6svg6 x11-xserver-utils desktop-file-utils appstream groff-base man-db \
           strace fuse3 exfat-fuse exfatprogs ntfs-3g util-linux

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build test test-unit test-asan run bench dist fuzz install uninstall clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi

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
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j2

test: test-unit test-asan

run: build
	@tools/run_demo.sh $(BUILD)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench
	tools/run_bench.sh build-bench

dist: deps
	cmake -S . -B build-dist -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_E2E=OFF
	cmake --build build-dist --target quillmere setup
	tools/make_dist.sh build-dist

# Installs for the current user by default (no sudo). The desktop entry
# starts `quillmere` from PATH: ~/.local/bin is on it on Debian once the
# folder exists at login. install_manifest.txt remembers what went where, so
# uninstall removes exactly that. A desktop's MIME index is refreshed only
# where one already exists (GLib and KDE read desktop entries directly).
MANIFEST = $(BUILD_INSTALL)/install_manifest.txt
refresh_mime_index = d=$(1); [ ! -f "$$d/mimeinfo.cache" ] || update-desktop-database -q "$$d"

install: deps
	cmake -S . -B $(BUILD_INSTALL) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_E2E=OFF
	cmake --build $(BUILD_INSTALL) --target quillmere quillmere-undo setup
	cmake --install $(BUILD_INSTALL) --prefix "$(PREFIX)"
	@$(call refresh_mime_index,"$(PREFIX)/share/applications")

uninstall:
	@[ -f $(MANIFEST) ] || { echo "no $(MANIFEST): nothing was installed from here" >&2; exit 1; }
	@entry=$$(grep -m1 '/quillmere\.desktop$$' $(MANIFEST) || true); \
	while IFS= read -r f || [ -n "$$f" ]; do rm -fv -- "$$f"; done <$(MANIFEST); \
	rm -f $(MANIFEST); \
	[ -z "$$entry" ] || { $(call refresh_mime_index,"$$(dirname "$$entry")"); }

FUZZ_SECONDS ?= 60
fuzz: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN)
	tools/run_fuzz.sh $(BUILD_ASAN) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_INSTALL) build-bench build-dist
