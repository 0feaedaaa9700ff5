cmake_policy(VERSION 3.25)
# core.dll exports exactly `trial`, undecorated; core.dll and the programs
# import from the system's own DLLs only (no GCC, C++ or threads runtime DLL).
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DCORE=core.dll
#         "-DPROGRAMS=diz-cli.exe;DIZ.exe" -P check_pe_files.cmake
function(pe_headers file out_var)
  execute_process(COMMAND "${OBJDUMP}" -p "${file}" OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p failed on ${file}")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

pe_headers("${CORE}" core)
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(([ \t]+\\[[ 0-9]+\\] [^\n]+\n)*)" table "${core}")
string(REGEX MATCHALL "\\] [^\n]+" entries "${CMAKE_MATCH_1}")
list(TRANSFORM entries REPLACE "^\\] " "")
if(NOT entries STREQUAL "trial")
  message(FATAL_ERROR "core.dll exports '${entries}', expected only 'trial'")
endif()

# The window needs the system's window, drawing, common control and chooser
# DLLs as well; diz-cli.exe splits its UTF-16 command line with the shell's
# CommandLineToArgvW.
set(system_dlls kernel32.dll msvcrt.dll ucrtbase.dll user32.dll gdi32.dll comctl32.dll
                comdlg32.dll shell32.dll)
foreach(file IN ITEMS "${CORE}" ${PROGRAMS})
  pe_headers("${file}" headers)
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  list(TRANSFORM imports REPLACE "^DLL Name: " "")
  list(TRANSFORM imports TOLOWER)
  if(NOT imports)
    message(FATAL_ERROR "${file}: no imports found")
  endif()
  foreach(dll IN LISTS imports)
    if(NOT dll IN_LIST system_dlls AND NOT dll MATCHES "^api-ms-win-")
      message(FATAL_ERROR "${file} imports ${dll}; all imports: ${imports}")
    endif()
  endforeach()
  message(STATUS "${file}: imports ${imports}")
endforeach()
message(STATUS "core.dll exports: ${entries}")
