# Fails when a source file includes from a layer above its own, or when a
# header declares a function that a layer above it defines. The layers, from
# the ground up; the folders of one layer never include each other (an
# application never includes from another application's folder).
#   cmake -DROOT=<source root> -P check-layers.cmake
set(layers codepage console terminal "common|distribuicoes" "parametric|regression|nonparametric|tabela|graficos"
    shell web tests)
set(rank 0)
foreach(layer IN LISTS layers)
  string(REPLACE "|" ";" folders "${layer}")
  foreach(folder IN LISTS folders)
    set(rank_${folder} ${rank})
    list(APPEND product ${folder})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()
list(REMOVE_ITEM product tests)  # tests may include anything

# True when folder `from` may stand on folder `to`.
macro(below from to result)
  set(${result} FALSE)
  if(rank_${to} LESS rank_${from} OR "${to}" STREQUAL "${from}")
    set(${result} TRUE)
  endif()
endmacro()

set(faults "")
# A function at namespace scope, at the start of a line: NAME in "type NAME(".
set(function "^[A-Za-z_][A-Za-z_0-9:<>,*& ]*[ *&]([A-Za-z_][A-Za-z_0-9]*)\\(")
foreach(folder IN LISTS product)
  file(GLOB sources ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.hpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" to "${line}")
      if(DEFINED rank_${to})
        below(${folder} ${to} ok)
        if(NOT ok)
          string(APPEND faults "\n  ${source}: ${line}")
        endif()
      endif()
    endforeach()
    # Declarations (no body on the line) in headers, definitions in sources.
    file(STRINGS ${source} lines REGEX "${function}")
    foreach(line IN LISTS lines)
      if(line MATCHES "^(return|using|namespace|static_assert) " OR NOT line MATCHES "${function}")
        continue()
      endif()
      set(name ${CMAKE_MATCH_1})
      string(REPLACE ";" "" line "${line}")
      if(source MATCHES "\\.hpp$" AND NOT line MATCHES "[{}]$")
        list(APPEND declared_${name} "${folder}/${line}")
      elseif(source MATCHES "\\.cpp$")
        set(defined_${name} ${folder})
        list(APPEND defined ${name})
      endif()
    endforeach()
  endforeach()
endforeach()

# The one exception: the applications' signatures beside their menu codes,
# declared in common/aplicacoes.hpp so that the shell reaches every
# application without an application including another's folder.
file(STRINGS ${ROOT}/common/aplicacoes.hpp signatures REGEX "^void [a-z_]+\\(console_io& con\\); +// [0-9]+$")
foreach(line IN LISTS signatures)
  string(REGEX REPLACE "^void ([a-z_]+)\\(.*" "\\1" name "${line}")
  unset(declared_${name})
endforeach()

list(REMOVE_DUPLICATES defined)
foreach(name IN LISTS defined)
  foreach(declaration IN LISTS declared_${name})
    string(REGEX REPLACE "/.*" "" at "${declaration}")
    below(${at} ${defined_${name}} ok)
    if(ok)
      continue()
    endif()
    string(APPEND faults "\n  ${at}/ declares ${name}, defined in ${defined_${name}}/")
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "a layer leans on one above it:${faults}")
endif()
