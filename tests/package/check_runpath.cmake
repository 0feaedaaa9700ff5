# Checks a program's RUNPATH: exactly EXPECT.
#   cmake -DPROGRAM=path -DEXPECT=text -P check_runpath.cmake
execute_process(COMMAND readelf -d "${PROGRAM}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "readelf failed on ${PROGRAM}")
endif()
string(REGEX MATCHALL "\\((RPATH|RUNPATH)\\)[^\n]*" entries "${dynamic}")
if(NOT entries MATCHES "^\\(RUNPATH\\) +Library runpath: \\[([^]]*)\\]$")
  message(FATAL_ERROR "${PROGRAM}: expected one RUNPATH, found '${entries}'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL EXPECT)
  message(FATAL_ERROR "${PROGRAM}: RUNPATH is '${CMAKE_MATCH_1}', expected '${EXPECT}'")
endif()
