# What every build of Lousa shares (the native program and its tests, the
# Windows program, the browser page, the fuzzer): the version, the rules that
# make every compiler print the same bytes, and the program's layers as
# libraries. Included by CMakeLists.txt, web/CMakeLists.txt and
# tests/fuzz/CMakeLists.txt after project(), and after the options that
# every target of that build takes (sanitizers), before they add their own.

set(LOUSA_VERSION 1.0.0)
get_filename_component(LOUSA_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()

# The same input must print the same bytes with every compiler and
# optimisation level: no contraction into fused multiply-adds, no fast-math,
# and 32-bit integers that wrap instead of overflowing.
add_compile_options(-ffp-contract=off -fno-fast-math -fwrapv -Wall -Wextra)
# Source paths relative to the root: the report of a failed read names
# shell/shell.cpp, and no output carries the folder it was built in.
add_compile_options(-ffile-prefix-map=${LOUSA_ROOT}/=)
# 32-bit x86 does its arithmetic in SSE2 registers: console/real.hpp refuses
# the x87 unit, whose 80-bit intermediates print other numbers.
if(NOT EMSCRIPTEN AND CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86|x86_64|AMD64)$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# The layers, each built only on those before it:
#   console      formatted screen lines and keyboard answers
#   terminal     the standard streams and the UTF-8 conversions at their edge
#   common       what the applications share (texts, capacity refusal)
#   distribuicoes the tables a test is read in (beside common, on nothing)
#   applications one file each; graficos, the pictures of their results;
#                tabela, what a printed table says of each statistic
#   shell        the menu, the run, the options
function(lousa_sources var)
  set(found)
  foreach(dir IN LISTS ARGN)
    file(GLOB sources CONFIGURE_DEPENDS ${LOUSA_ROOT}/${dir}/*.cpp)
    list(APPEND found ${sources})
  endforeach()
  set(${var} ${found} PARENT_SCOPE)
endfunction()

lousa_sources(LOUSA_CONSOLE_SOURCES console)
add_library(lousa_console STATIC ${LOUSA_CONSOLE_SOURCES})
target_include_directories(lousa_console PUBLIC ${LOUSA_ROOT})

# One platform file: the build picks it, the file needs no guard.
if(WIN32)
  set(LOUSA_PLATFORM_TERMINAL ${LOUSA_ROOT}/terminal/terminal_windows.cpp)
else()
  set(LOUSA_PLATFORM_TERMINAL ${LOUSA_ROOT}/terminal/terminal_posix.cpp)
endif()
add_library(lousa_terminal STATIC ${LOUSA_ROOT}/terminal/terminal.cpp ${LOUSA_ROOT}/terminal/utf8.cpp
  ${LOUSA_ROOT}/terminal/bom.cpp
  ${LOUSA_PLATFORM_TERMINAL})
target_link_libraries(lousa_terminal PUBLIC lousa_console)

lousa_sources(LOUSA_COMMON_SOURCES common)
add_library(lousa_common STATIC ${LOUSA_COMMON_SOURCES})
target_link_libraries(lousa_common PUBLIC lousa_console)

# Boost.Math's headers (Debian's libboost-dev), seen by this library only. A
# cross compiler is given a folder holding nothing but a `boost` link to them:
# /usr/include whole would put the host's C library before its own.
set(LOUSA_BOOST_HEADERS /usr/include/boost)
if(NOT EXISTS ${LOUSA_BOOST_HEADERS}/math/distributions/students_t.hpp)
  message(FATAL_ERROR "Boost.Math's headers are missing: apt-get install libboost-dev")
endif()
lousa_sources(LOUSA_DISTRIBUICOES_SOURCES distribuicoes)
add_library(lousa_distribuicoes STATIC ${LOUSA_DISTRIBUICOES_SOURCES})
target_include_directories(lousa_distribuicoes PUBLIC ${LOUSA_ROOT})
if(CMAKE_CROSSCOMPILING)
  set(LOUSA_BOOST_INCLUDE ${CMAKE_BINARY_DIR}/boost-include)
  file(MAKE_DIRECTORY ${LOUSA_BOOST_INCLUDE})
  file(CREATE_LINK ${LOUSA_BOOST_HEADERS} ${LOUSA_BOOST_INCLUDE}/boost SYMBOLIC)
  target_include_directories(lousa_distribuicoes SYSTEM PRIVATE ${LOUSA_BOOST_INCLUDE})
endif()

lousa_sources(LOUSA_APPLICATION_SOURCES parametric regression nonparametric)
add_library(lousa_applications STATIC ${LOUSA_APPLICATION_SOURCES})
target_link_libraries(lousa_applications PUBLIC lousa_common lousa_distribuicoes)

# The pictures of the results, beside the applications (Boost.Math's
# header-only distributions for the distribution picture).
lousa_sources(LOUSA_GRAFICOS_SOURCES graficos)
add_library(lousa_graficos STATIC ${LOUSA_GRAFICOS_SOURCES})
target_link_libraries(lousa_graficos PUBLIC lousa_common)
if(CMAKE_CROSSCOMPILING)
  target_include_directories(lousa_graficos SYSTEM PRIVATE ${LOUSA_BOOST_INCLUDE})
endif()

# The "Consulta à tabela" blocks: each reported statistic read in the tables.
lousa_sources(LOUSA_TABELA_SOURCES tabela)
add_library(lousa_tabela STATIC ${LOUSA_TABELA_SOURCES})
target_link_libraries(lousa_tabela PUBLIC lousa_common lousa_distribuicoes)

lousa_sources(LOUSA_SHELL_SOURCES shell)
list(REMOVE_ITEM LOUSA_SHELL_SOURCES ${LOUSA_ROOT}/shell/main.cpp)
add_library(lousa_core STATIC ${LOUSA_SHELL_SOURCES})
target_link_libraries(lousa_core PUBLIC lousa_applications lousa_graficos lousa_tabela lousa_terminal)
target_compile_definitions(lousa_core PUBLIC LOUSA_VERSION="${LOUSA_VERSION}")  # for --version

set(LOUSA_LIBRARIES lousa_console lousa_terminal lousa_common lousa_distribuicoes lousa_applications lousa_graficos
    lousa_tabela lousa_core)
