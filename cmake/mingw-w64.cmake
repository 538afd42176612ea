# Cross-compiling the Windows program on Debian with MinGW-w64
# (g++-mingw-w64-x86-64): cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LOUSA_MINGW x86_64-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex, which GCC 12's win32
# model lacks. With -static its winpthread is linked in as well.
find_program(CMAKE_CXX_COMPILER NAMES ${LOUSA_MINGW}-g++-posix REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${LOUSA_MINGW}-gcc-posix REQUIRED)  # GoogleTest's project
find_program(CMAKE_RC_COMPILER NAMES ${LOUSA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LOUSA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file that runs on a plain Windows: the C++ and GCC runtimes linked in,
# no libstdc++-6.dll or libgcc_s_seh-1.dll beside it. No link time in its
# header: two builds of one commit give the same bytes. Stripped when linked
# (the runtimes' debug sections are 0.7 of its 1.1 MB), so that the program
# the tests run under Wine is the one handed out.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s -Wl,--no-insert-timestamp")

# Tests run the Windows programs under Wine, in a prefix of the build's own.
# Wine's 64-bit loader is named directly: Debian's `wine` script prefers the
# 32-bit one when wine32 is installed, and that one cannot start where the
# kernel runs no 32-bit programs.
find_program(LOUSA_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(LOUSA_WINE NAMES wine64 wine)
if(LOUSA_WINE)
  set(LOUSA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env WINEDEBUG=-all WINEPREFIX=${LOUSA_WINEPREFIX} WINELOADER=${LOUSA_WINE} ${LOUSA_WINE})
endif()
