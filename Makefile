# `make run` builds and starts the program; `make test` builds and runs every
# test. Build messages go to stderr, so `make run < answers.txt > screen.txt`
# captures exactly the program's screen.

BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory

.PHONY: run test build matrix windows clean

run:
	@cmake -S . -B $(BUILD) -DLOUSA_TESTS=OFF $(CMAKE_FLAGS) >&2
	@cmake --build $(BUILD) --target lousa -j $(JOBS) >&2
	@./$(BUILD)/lousa

build:
	@cmake -S . -B $(BUILD) -DLOUSA_TESTS=ON $(CMAKE_FLAGS) >&2
	@cmake --build $(BUILD) -j $(JOBS) >&2

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same tests with both compilers at -O0 and -O2, and under the sanitizers.
matrix:
	@$(MAKE) test BUILD=build-gcc-O0 CMAKE_FLAGS="-DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Debug"
	@$(MAKE) test BUILD=build-gcc-O2 CMAKE_FLAGS="-DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O2"
	@$(MAKE) test BUILD=build-clang-O0 CMAKE_FLAGS="-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug"
	@$(MAKE) test BUILD=build-clang-O2 CMAKE_FLAGS="-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O2"
	@$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DLOUSA_SANITIZE=ON"

# The Windows program build-windows/lousa.exe, cross-compiled with MinGW-w64
# into one file, and the whole test suite run for it under Wine.
windows:
	@cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DLOUSA_TESTS=ON >&2
	@cmake --build build-windows --target lousa lousa_tests -j $(JOBS) >&2
	@cd build-windows && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-*
