# make run   - install what is missing, build and start the game
# make test  - install what is missing, build and run every test headless
# make bench - build the benchmark programs
# make format - format every source file; make format-check - fail on an unformatted one
# make test-sanitize - the whole suite built with ASan and UBSan, in build-asan
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: deps build run test test-sanitize bench format format-check clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/shell/zorvik

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVIK_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build

format: deps
	@bash scripts/format.sh

format-check: deps
	@bash scripts/format.sh --check

clean:
	rm -rf $(BUILD)
