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

# The same tests with both compilers at -O0, -O2, -O3 and -O3 -march=native,
# and under the sanitizers: every build must print the same bytes. Each build
# makes only the program and its tests.
matrix_test = cmake -S . -B $(1) -DLOUSA_TESTS=ON -DCMAKE_CXX_COMPILER=$(2) $(3) >&2 && \
	cmake --build $(1) --target lousa_tests -j $(JOBS) >&2 && cd $(1) && ctest --output-on-failure -j $(JOBS)
release = -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="$(1)"

matrix:
	@$(call matrix_test,build-gcc-O0,g++,-DCMAKE_BUILD_TYPE=Debug)
	@$(call matrix_test,build-gcc-O2,g++,$(call release,-O2))
	@$(call matrix_test,build-gcc-O3,g++,$(call release,-O3))
	@$(call matrix_test,build-gcc-O3-native,g++,$(call release,-O3 -march=native))
	@$(call matrix_test,build-clang-O0,clang++,-DCMAKE_BUILD_TYPE=Debug)
	@$(call matrix_test,build-clang-O2,clang++,$(call release,-O2))
	@$(call matrix_test,build-clang-O3,clang++,$(call release,-O3))
	@$(call matrix_test,build-clang-O3-native,clang++,$(call release,-O3 -march=native))
	@$(call matrix_test,build-sanitize,clang++,-DCMAKE_BUILD_TYPE=Debug -DLOUSA_SANITIZE=ON)

# The Windows program build-windows/lousa.exe, cross-compiled with MinGW-w64
# into one file, and the whole test suite run for it under Wine.
windows:
	@cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DLOUSA_TESTS=ON >&2
	@cmake --build build-windows --target lousa lousa_tests -j $(JOBS) >&2
	@cd build-windows && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-*
