# Checks that the shared engine exports exactly `trial` and, unless built with
# sanitizers, needs nothing but the C library.
# Usage: cmake -DCORE=<path> -DCHECK_NEEDED=ON|OFF -P check_core_exports.cmake
execute_process(COMMAND nm -D --defined-only ${CORE}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${CORE}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(names "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND names ${name})
endforeach()
if(NOT names STREQUAL "trial")
  message(FATAL_ERROR "exported symbols are '${names}', expected only 'trial'")
endif()

if(CHECK_NEEDED)
  execute_process(COMMAND readelf -d ${CORE} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
  string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
  if(NOT needed STREQUAL "Shared library: [libc.so.6]")
    message(FATAL_ERROR "NEEDED entries are '${needed}', expected only libc.so.6")
  endif()
endif()
message(STATUS "exports: ${names}; needed checked: ${CHECK_NEEDED}")
