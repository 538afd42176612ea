# Fails unless the Windows program EXE imports only DLLs that every Windows
# has: a student gets one file, with no libstdc++-6.dll, libgcc_s_seh-1.dll or
# libwinpthread-1.dll beside it.
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DEXE=lousa.exe -P check-imports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
if(NOT imports)
  message(FATAL_ERROR "no import table found in ${EXE}")
endif()
foreach(entry IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${entry}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll MATCHES "^(kernel32|msvcrt|user32|advapi32|shell32|ws2_32)\\.dll$")
    message(FATAL_ERROR "${EXE} needs ${dll}, which a plain Windows does not have")
  endif()
  message(STATUS "imports ${dll}")
endforeach()
