# make run: build and play; make test: build and pass every test. Both install what is missing first.
BUILD := build
JOBS := $(shell nproc)

.PHONY: all deps build run test clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)/hollowmint

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
