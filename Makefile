# make run: build and play; make test: build and pass every test. Both install what is missing first.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
BUILD := build
SANITIZED := build-sanitize
FUZZ := build-fuzz
JOBS := $(shell nproc)
RELEASE ?= trixie
ARCH ?=
MAKEFLAGS += --no-print-directory

.PHONY: all build run deb dist test fresh-test bench fuzz screenshot uninstall clean

all: build

# The game alone, for a quick first start, with only what building and playing need; make test
# installs its own tools and builds the rest.
build:
	@scripts/install-deps.sh play
	@scripts/configure.sh $(BUILD) -DBUILD_TESTING=OFF
	@cmake --build $(BUILD) -j $(JOBS) --target hollowmint

run: build
	@scripts/run.sh $(BUILD)/hollowmint

# build/hollowmint_VERSION_ARCH.deb, from the same install rules as cmake --install. The umask is
# dpkg-buildpackage's, so that the package's modes are the same whoever builds it.
deb: build
	@rm -f $(BUILD)/hollowmint_*.deb
	@cd $(BUILD) && umask 022 && cpack >/dev/null
	@ls $(BUILD)/hollowmint_*.deb

# build/hollowmint-VERSION.tar.gz, for packagers: the committed tree under hollowmint-VERSION/, the
# same bytes for the same commit.
# The version is the changelog's top entry's, and VERSION~dev while that entry is UNRELEASED, as CMake
# names the package.
VERSION = $(shell sed -n '1{s/^hollowmint (\(.*\)) UNRELEASED;.*/\1~dev/p;t;s/^hollowmint (\(.*\)) .*/\1/p;}' doc/changelog)
dist:
	@mkdir -p $(BUILD)
	@git archive --format=tar.gz --prefix=hollowmint-$(VERSION)/ --output=$(BUILD)/hollowmint-$(VERSION).tar.gz HEAD
	@ls $(BUILD)/hollowmint-$(VERSION).tar.gz

# GL names the Mesa driver to draw with: zink, over lavapipe (OpenGL on Vulkan), or a Gallium
# rasterizer such as softpipe. Mesa falls back to another without a word, so the drawing tests fail
# unless the renderer is the one named, and the run ends with the renderer's name and the texture
# limits it drew under, its own and the smaller ones that the smallgl tests give it.
GL ?=
# Every test runs twice: in the plain build, then under AddressSanitizer and UndefinedBehaviorSanitizer.
# SANITIZE=no skips the second: fresh-test's emulated architectures, where AddressSanitizer's shadow
# memory takes all the machine has, and zink, whose lavapipe reads memory it has freed.
ifeq ($(GL),zink)
DRIVER := MESA_LOADER_DRIVER_OVERRIDE=zink LIBGL_ALWAYS_SOFTWARE=1 XDG_RUNTIME_DIR=$(CURDIR)/$(BUILD)/runtime
SANITIZE ?= no
UNSANITIZED := zink over lavapipe reads memory it has freed, which AddressSanitizer stops
else
DRIVER := $(if $(GL),GALLIUM_DRIVER=$(GL))
SANITIZE ?= yes
UNSANITIZED := AddressSanitizer can't run under qemu-user
endif
CTEST := $(DRIVER) HOLLOWMINT_RENDERER=$(GL) ctest --output-on-failure -j $(JOBS)
test:
	@scripts/install-deps.sh play test $(filter zink,$(GL))
	@scripts/configure.sh $(BUILD) -DBUILD_TESTING=ON
	@cmake --build $(BUILD) -j $(JOBS)
	@mkdir -p -m 700 $(BUILD)/runtime
ifeq ($(SANITIZE),no)
	@cd $(BUILD) && $(CTEST)
	@echo "test: the sanitized build is skipped (SANITIZE=no): $(UNSANITIZED)"
else
	@cmake -S . -B $(SANITIZED) -DHOLLOWMINT_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZED) -j $(JOBS)
	@cd $(BUILD) && $(CTEST)
	@cd $(SANITIZED) && $(CTEST)
endif
	@echo "test: drawn by $$(grep -m 1 -h -o 'renderer: .*' $(BUILD)/Testing/Temporary/LastTest.log | cut -c 11-)"
	@echo "test: under these limits: $$(grep -h -o 'limits: .*' $(BUILD)/Testing/Temporary/LastTest.log | cut -c 9- | \
		sort -u | paste -sd ';' | sed 's/;/; /g')"

# make test on a fresh Debian tree of RELEASE and ARCH (this machine's if not given), then its package
# installed, played and purged in another; needs root, several minutes and a few GB.
fresh-test:
	@scripts/fresh-test.sh $(RELEASE) $(ARCH)

bench: build
	@scripts/install-deps.sh bench
	@cmake --build $(BUILD) --target hollowmint-bench -j $(JOBS)
	@scripts/bench.sh $(BUILD)/hollowmint-bench

# The strip loader under clang's libFuzzer for FUZZ_SECONDS; a crash fails it and is kept for make test.
FUZZ_SECONDS ?= 600
fuzz:
	@scripts/install-deps.sh fuzz
	@cmake -S . -B $(FUZZ) -DCMAKE_CXX_COMPILER=clang++ -DBUILD_TESTING=OFF -DHOLLOWMINT_SANITIZE=ON \
		-DHOLLOWMINT_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS) --target hollowmint-fuzz
	@scripts/fuzz.sh $(FUZZ)/hollowmint-fuzz $(FUZZ_SECONDS)

screenshot: build
	@scripts/install-deps.sh screenshot
	@scripts/screenshot.sh $(BUILD)/hollowmint

# Removes what cmake --install put in place, as its manifest lists it.
uninstall:
	@scripts/uninstall.sh $(BUILD)/install_manifest.txt

clean:
	rm -rf $(BUILD) $(SANITIZED) $(FUZZ)
