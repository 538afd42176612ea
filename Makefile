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

# The same tests with GCC at -O0 and -O3 -march=native, Clang at -O3
# -march=native, and Clang at -O0 under the sanitizers: every build must print
# the same bytes (`make test` is GCC at -O3; the release builds are -O2). Each
# build makes only the program and its tests.
matrix_test = cmake -S . -B $(1) -DLOUSA_TESTS=ON -DCMAKE_CXX_COMPILER=$(2) $(3) >&2 && \
	cmake --build $(1) --target lousa_tests -j $(JOBS) >&2 && cd $(1) && ctest --output-on-failure -j $(JOBS)
release = -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="$(1)"

matrix:
	@$(call matrix_test,build-gcc-O0,g++,-DCMAKE_BUILD_TYPE=Debug)
	@$(call matrix_test,build-gcc-O3-native,g++,$(call release,-O3 -march=native))
	@$(call matrix_test,build-clang-O3-native,clang++,$(call release,-O3 -march=native))
	@$(call matrix_test,build-sanitize,clang++,-DCMAKE_BUILD_TYPE=Debug -DLOUSA_SANITIZE=ON)

# The Windows program build-windows/lousa.exe, cross-compiled with MinGW-w64
# into one file, and the whole test suite run for it under Wine.
windows:
	@cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DLOUSA_TESTS=ON >&2
	@cmake --build build-windows --target lousa lousa_tests -j $(JOBS) >&2
	@cd build-windows && ctest --output-on-failure -j $(JOBS)

# The Linux programs of the release: one file each, linked fully static, so
# that they run on any distribution, old or new (build-static/lousa for
# x86-64; build-aarch64/lousa for 64-bit ARM, cross-built with Clang by
# cmake/aarch64-linux-gnu.cmake). `make aarch64` also runs the whole test
# suite and every example on the ARM program under qemu's user-mode emulator.
STATIC_BUILD ?= build-static
STATIC_CONFIGURE = cmake -S . -B $(STATIC_BUILD) -DLOUSA_TESTS=OFF -DLOUSA_HARDENING=ON \
	-DCMAKE_BUILD_TYPE=Release -DCMAKE_EXE_LINKER_FLAGS="-static -s"
AARCH64_CONFIGURE = cmake -S . -B build-aarch64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
AARCH64_NEEDS = clang++:clang aarch64-linux-gnu-ld:binutils-aarch64-linux-gnu \
	/usr/aarch64-linux-gnu/lib/libc.a:libc6-dev-arm64-cross \
	/usr/lib/gcc-cross/aarch64-linux-gnu/12/libstdc++.a:libstdc++-12-dev-arm64-cross
.PHONY: static aarch64 bullseye-check
static:
	@$(STATIC_CONFIGURE) >&2
	@cmake --build $(STATIC_BUILD) --target lousa -j $(JOBS) >&2

aarch64:
	@$(NEEDS) "make aarch64" cmake:cmake make:make $(AARCH64_NEEDS) qemu-aarch64-static:qemu-user-static \
	  /usr/src/googletest/CMakeLists.txt:googletest
	@$(AARCH64_CONFIGURE) -DLOUSA_TESTS=ON >&2
	@cmake --build build-aarch64 --target lousa lousa_tests -j $(JOBS) >&2
	@cd build-aarch64 && ctest --output-on-failure

# The x86-64 static program on an older distribution, Debian 11 (glibc 2.31,
# where the .deb cannot install): a minimal Debian 11 made once by debootstrap
# in build-bullseye/ (about 3 minutes, from deb.debian.org), then the
# examples, --help and a UTF-8 session with accents on a pseudo-terminal in
# pt_BR.UTF-8, a locale that system does not have (packaging/bullseye-check.sh).
bullseye-check: static
	@$(NEEDS) "make bullseye-check" debootstrap:debootstrap chroot:coreutils python3:python3
	@sh packaging/bullseye-check.sh $(STATIC_BUILD)/lousa build-bullseye

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
	emcc:emscripten /usr/src/googletest/CMakeLists.txt:googletest sha256sum:coreutils $(AARCH64_NEEDS)

package:
	@$(NEEDS) "make package" $(PACKAGE_NEEDS)
	@cmake -S . -B $(PACKAGE_BUILD) $(HARDENED) -DLOUSA_DEBIAN_PACKAGE=ON -DCMAKE_INSTALL_PREFIX=/usr >&2
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS) >&2
	@# CPack gives the package's own members the modes the umask leaves
	@cd $(PACKAGE_BUILD) && umask 022 && cpack -G DEB >&2
	@ls $(PACKAGE_BUILD)/lousa_*.deb

# The release: dist/lousa-VERSION/ with the Windows program, the browser page,
# the Debian package, the static Linux programs for x86-64 and 64-bit ARM, the
# source archive, SHA256SUMS and LEIA-ME.txt, all made from the checked-out
# commit (packaging/dist.sh). Built in the same folders as `make windows`,
# `make web`, `make package`, `make static` and `make aarch64` (only the
# programs, no tests),
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
	@$(MAKE) static
	@if [ -f build-aarch64/CMakeCache.txt ]; then $(AARCH64_CONFIGURE) >&2; \
	  else $(AARCH64_CONFIGURE) -DLOUSA_TESTS=OFF >&2; fi
	@cmake --build build-aarch64 --target lousa -j $(JOBS) >&2
	@sh packaging/dist.sh $(VERSION) build-windows build-web $(PACKAGE_BUILD) $(STATIC_BUILD) build-aarch64

dist-check:
	@$(NEEDS) "make dist-check" $(DIST_NEEDS) faketime:faketime
	@$(MAKE) dist
	@sh packaging/dist-check.sh $(VERSION) $(JOBS)

# The largest session of every application, timed against copying the same
# bytes (bench/sessoes.py): the dynamic and the static program side by side,
# each option of BENCH_EXTRA that --help lists, and the browser page when
# build-web/ and tests/web/node_modules are there; then one 1 GiB input line,
# read in time and memory that must not grow with it (bench/linha_longa.sh).
BENCH_EXTRA ?= --extra=--tabela --extra="--graficos DIR"
bench:
	@cmake -S . -B $(RELEASE_BUILD) $(HARDENED) >&2
	@cmake --build $(RELEASE_BUILD) --target lousa -j $(JOBS) >&2
	@$(MAKE) static
	@python3 bench/sessoes.py --lousa $(RELEASE_BUILD)/lousa --static $(STATIC_BUILD)/lousa --pagina \
	  $(BENCH_EXTRA) --dir $(RELEASE_BUILD)/bench
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
