# diz-cli.exe copied alone into a folder of its own, run in another folder:
# without core.dll beside it the run fails with status 1 and says so. With
# PLANT=ON a working core.dll sits in the current directory, and must not be
# loaded all the same.
#   cmake -DEMULATOR=wine-run -DPROGRAM=diz-cli.exe -DCORE=core.dll -DPLANT=ON|OFF
#         -DWORKDIR=dir -P engine_missing.cmake
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}/app" "${WORKDIR}/run")
file(COPY "${PROGRAM}" DESTINATION "${WORKDIR}/app")
if(PLANT)
  file(COPY "${CORE}" DESTINATION "${WORKDIR}/run")
endif()

string(ASCII 13 CR)
set(batters "")
foreach(row RANGE 1 9)
  string(APPEND batters "400 100 20 2 10 50 0.250000 0.500000 0.400000${CR}\n")
endforeach()
file(WRITE "${WORKDIR}/run/batters.txt" "${batters}")
file(WRITE "${WORKDIR}/run/order.dat" "abcdefghi${CR}\n")

cmake_path(GET PROGRAM FILENAME name)
execute_process(COMMAND "${EMULATOR}" "${WORKDIR}/app/${name}" run --batters batters.txt --quiet
  WORKING_DIRECTORY "${WORKDIR}/run"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL "1")
  message(FATAL_ERROR "exit status ${status}, expected 1\nstdout:\n${out}\nstderr:\n${err}")
endif()
# The loader's reason follows on a line of its own, naming the file.
if(NOT err MATCHES "^REDI_DORが開けません\r?\n\\(core.dll: [^\n]*\\)\r?\n$")
  message(FATAL_ERROR "stderr:\n${err}")
endif()
if(EXISTS "${WORKDIR}/run/output.txt")
  file(READ "${WORKDIR}/run/output.txt" result)
  if(result MATCHES "abcdefghi ")
    message(FATAL_ERROR "a result was written:\n${result}")
  endif()
endif()
