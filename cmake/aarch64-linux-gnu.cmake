# Cross-compiling the 64-bit ARM Linux program on a Debian x86-64 machine:
# cmake -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
#
# Clang targets ARM itself; the C and C++ libraries, start files and linker
# come from Debian's libc6-dev-arm64-cross, libstdc++-12-dev-arm64-cross and
# binutils-aarch64-linux-gnu. (GCC's own cross compiler, g++-aarch64-linux-gnu,
# cannot be installed beside g++-multilib, which the 32-bit checks need.)
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(LOUSA_TRIPLE aarch64-linux-gnu)
find_program(CMAKE_CXX_COMPILER NAMES clang++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES clang REQUIRED)  # GoogleTest's project
set(CMAKE_CXX_COMPILER_TARGET ${LOUSA_TRIPLE})
set(CMAKE_C_COMPILER_TARGET ${LOUSA_TRIPLE})
find_program(CMAKE_AR NAMES ${LOUSA_TRIPLE}-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES ${LOUSA_TRIPLE}-ranlib REQUIRED)
find_program(CMAKE_STRIP NAMES ${LOUSA_TRIPLE}-strip REQUIRED)
find_program(CMAKE_OBJCOPY NAMES ${LOUSA_TRIPLE}-objcopy REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${LOUSA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file for every distribution: the C and C++ libraries linked in, stripped
# when linked, so that the program the tests run under qemu is the one handed
# out.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s")

# Tests run the ARM programs under qemu's user-mode emulator.
find_program(LOUSA_QEMU NAMES qemu-aarch64-static qemu-aarch64)
if(LOUSA_QEMU)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LOUSA_QEMU})
endif()
