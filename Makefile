# `make run` builds and starts the program; `make test` builds and runs every
# test. Build messages go to stderr, so `make run < answers.txt > screen.txt`
# captures exactly the program's screen.

BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory

.PHONY: run test build matrix windows clean install uninstall package bench

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
	rm -rf build build-* dist

# Installation (PREFIX, default /usr/local; DESTDIR for a staging root), its
# undoing from the install manifest, and the Debian package. The program is
# built hardened at -O2 for both; see cmake/packaging.cmake.
PREFIX ?= /usr/local
RELEASE_BUILD ?= build-release
PACKAGE_BUILD ?= build-package
HARDENED = -DLOUSA_TESTS=OFF -DLOUSA_HARDENING=ON -DCMAKE_BUILD_TYPE=Release

install:
	@cmake -S . -B $(RELEASE_BUILD) $(HARDENED) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >&2
	@cmake --build $(RELEASE_BUILD) --target lousa -j $(JOBS) >&2
	@DESTDIR="$(DESTDIR)" cmake --install $(RELEASE_BUILD)

uninstall:
	@DESTDIR="$(DESTDIR)" cmake --build $(RELEASE_BUILD) --target uninstall

# What each tool-using target needs, as COMMAND-OR-PATH:DEBIAN-PACKAGE: a
# missing one stops it before anything is built (packaging/needs.sh).
NEEDS = sh packaging/needs.sh
BUILD_NEEDS = cmake:cmake g++:g++ make:make
PACKAGE_NEEDS = $(BUILD_NEEDS) dpkg-shlibdeps:dpkg-dev dpkg-deb:dpkg file:file gzip:gzip
DIST_NEEDS = $(PACKAGE_NEEDS) git:git x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64 \
	x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 \
	emcc:emscripten /usr/src/googletest/CMakeLists.txt:googletest sha256sum:coreutils

package:
	@$(NEEDS) "make package" $(PACKAGE_NEEDS)
	@cmake -S . -B $(PACKAGE_BUILD) $(HARDENED) -DLOUSA_DEBIAN_PACKAGE=ON -DCMAKE_INSTALL_PREFIX=/usr >&2
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS) >&2
	@# CPack gives the package's own members the modes the umask leaves
	@cd $(PACKAGE_BUILD) && umask 022 && cpack -G DEB >&2
	@ls $(PACKAGE_BUILD)/lousa_*.deb

# The release: dist/lousa-VERSION/ with the Windows program, the browser page,
# the Debian package, the source archive, SHA256SUMS and LEIA-ME.txt, all made
# from the checked-out commit (packaging/dist.sh). Built in the same folders as
# `make windows`, `make web` and `make package` (only the programs, no tests),
# so that CI builds each once. Times come from the commit, so that two builds
# give the same bytes; `make dist-check` builds it again elsewhere and compares.
VERSION := $(shell sed -n 's/^set(LOUSA_VERSION \(.*\))$$/\1/p' cmake/lousa.cmake)
WINDOWS_CONFIGURE = cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
.PHONY: dist dist-check
dist: export SOURCE_DATE_EPOCH = $(shell git log -1 --format=%ct 2>/dev/null)
dist: export NODE_PATH := /usr/share/nodejs
dist:
	@$(NEEDS) "make dist" $(DIST_NEEDS)
	@test -n "$$SOURCE_DATE_EPOCH" || { echo "make dist: a release is made from a git commit" >&2; exit 1; }
	@$(MAKE) package >/dev/null
	@if [ -f build-windows/CMakeCache.txt ]; then $(WINDOWS_CONFIGURE) >&2; \
	  else $(WINDOWS_CONFIGURE) -DLOUSA_TESTS=OFF >&2; fi
	@cmake --build build-windows --target lousa -j $(JOBS) >&2
	@emcmake cmake -S web -B build-web >&2
	@cmake --build build-web --target lousa -j $(JOBS) >&2
	@sh packaging/dist.sh $(VERSION) build-windows build-web $(PACKAGE_BUILD)

dist-check:
	@$(NEEDS) "make dist-check" $(DIST_NEEDS) faketime:faketime
	@$(MAKE) dist
	@sh packaging/dist-check.sh $(VERSION) $(JOBS)

# The largest session of every application, timed against copying the same
# bytes (bench/sessoes.py); then one 1 GiB input line, read in time and memory
# that must not grow with it (bench/linha_longa.sh).
bench:
	@cmake -S . -B $(RELEASE_BUILD) $(HARDENED) >&2
	@cmake --build $(RELEASE_BUILD) --target lousa -j $(JOBS) >&2
	@python3 bench/sessoes.py --lousa $(RELEASE_BUILD)/lousa --dir $(RELEASE_BUILD)/bench
	@LOUSA=$(RELEASE_BUILD)/lousa bash bench/linha_longa.sh

# The program as one self-contained web page, build-web/lousa.html, and the
# tests built for Node (build-web/lousa_tests.js), with Emscripten.
.PHONY: web
web: export NODE_PATH := /usr/share/nodejs
web:
	@emcmake cmake -S web -B build-web >&2
	@cmake --build build-web -j $(JOBS) >&2

# The fuzzer: the whole program under libFuzzer with the address and
# undefined-behaviour sanitizers (Clang), seeded from the typed lines of the
# session transcripts. Runs FUZZ_SECONDS and fails on any finding, which is
# saved under build-fuzz/found/.
FUZZ_SECONDS ?= 180
.PHONY: fuzz
fuzz:
	@cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ >&2
	@cmake --build build-fuzz -j $(JOBS) >&2
	@tests/fuzz/sementes.sh tests/transcripts build-fuzz/corpus
	@mkdir -p build-fuzz/found
	@cd build-fuzz && ./programa_fuzz corpus -dict=../tests/fuzz/lousa.dict -artifact_prefix=found/ \
	  -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
