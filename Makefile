# make run: build and play; make test: build and pass every test. Both install what is missing first.
BUILD := build
SANITIZED := build-sanitize
JOBS := $(shell nproc)
RELEASE ?= trixie
MAKEFLAGS += --no-print-directory

.PHONY: all deps build run test fresh-test bench screenshot uninstall clean

all: build

deps:
	@scripts/install-deps.sh

# The game alone, for a quick first start; make test builds the rest.
build: deps
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target hollowmint

run: build
	@scripts/run.sh $(BUILD)/hollowmint

# Every test runs twice: in the plain build, then under AddressSanitizer and UndefinedBehaviorSanitizer.
test: build
	@cmake --build $(BUILD) -j $(JOBS)
	@cmake -S . -B $(SANITIZED) -DHOLLOWMINT_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZED) -j $(JOBS)
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@cd $(SANITIZED) && ctest --output-on-failure -j $(JOBS)

# make test on a fresh Debian tree of RELEASE; needs root, several minutes and a few GB.
fresh-test:
	@scripts/fresh-test.sh $(RELEASE)

bench: build
	@cmake --build $(BUILD) --target hollowmint-bench -j $(JOBS)
	@scripts/bench.sh $(BUILD)/hollowmint-bench

screenshot: build
	@scripts/screenshot.sh $(BUILD)/hollowmint

# Removes what cmake --install put in place, as its manifest lists it.
uninstall:
	@scripts/uninstall.sh $(BUILD)/install_manifest.txt

clean:
	rm -rf $(BUILD) $(SANITIZED)
