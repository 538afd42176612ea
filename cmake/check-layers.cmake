# Fails when a source file includes from a layer above its own. The layers,
# from the ground up; the three folders of applications are one layer with the
# pictures (graficos) and the table blocks (tabela), and none includes from
# another folder of its layer.
#   cmake -DROOT=<source root> -P check-layers.cmake
set(layers console terminal "common|distribuicoes" "parametric|regression|nonparametric|graficos|tabela" shell web tests)
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

set(faults "")
foreach(folder IN LISTS product)
  file(GLOB sources ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.hpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" to "${line}")
      if(NOT DEFINED rank_${to})
        continue()
      endif()
      if(rank_${to} GREATER rank_${folder} OR (rank_${to} EQUAL rank_${folder} AND NOT to STREQUAL folder))
        string(APPEND faults "\n  ${source}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "includes from a layer above:${faults}")
endif()
