# Brimlow's build entry points; each wraps CMake with Ninja.
#   make run    install dependencies, build, and start the program from its program folder
#   make test   build and run the whole test suite, then again with ASan and UBSan, then fuzz
#   make bench  build and run the benchmarks
#   make fuzz   build the libFuzzer targets (clang)
#   make format format the sources with clang-format

JOBS ?= $(shell nproc)
ARGS ?=
FUZZ_SECONDS ?= 20

RELEASE := build/release
ASAN := build/asan
FUZZ := build/fuzz

CMAKE_RELEASE := cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
CMAKE_ASAN := cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRIMLOW_SANITIZE=ON \
	-DBRIMLOW_BENCH=OFF -DBRIMLOW_WERROR=ON
CMAKE_FUZZ := cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMLOW_FUZZ=ON \
	-DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14

.PHONY: all deps build run test test-release test-asan bench fuzz fuzz-run format clean

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	$(CMAKE_RELEASE)
	cmake --build $(RELEASE) -j $(JOBS)

run: deps
	$(CMAKE_RELEASE)
	cmake --build $(RELEASE) -j $(JOBS) --target brimlow
	cd $(RELEASE)/out && ./brimlow $(ARGS)

test: deps test-release test-asan fuzz-run

test-release:
	$(CMAKE_RELEASE) -DBRIMLOW_WERROR=ON
	cmake --build $(RELEASE) -j $(JOBS)
	ctest --test-dir $(RELEASE) --output-on-failure -j $(JOBS)

test-asan:
	$(CMAKE_ASAN)
	cmake --build $(ASAN) -j $(JOBS)
	ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS)

bench: deps
	$(CMAKE_RELEASE)
	cmake --build $(RELEASE) -j $(JOBS) --target benchmarks
	@set -e; for b in $(RELEASE)/bench/*_bench; do echo "== $$b"; $$b; done

fuzz: deps
	$(CMAKE_FUZZ)
	cmake --build $(FUZZ) -j $(JOBS) --target fuzzers

fuzz-run: fuzz
	./scripts/run-fuzzers.sh $(FUZZ) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
