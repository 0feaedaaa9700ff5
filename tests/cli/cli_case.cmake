# One diz-cli case in a fresh directory: writes the reference batter file
# (every row 400 100 20 2 10 50 0.25 0.5 0.4) as batters.txt and, when ORDERS
# is set, order.dat with those lines (CR LF); runs CLI with ARGS there; checks
# the exit status, optional regexes on standard output and standard error, and
# optionally the exact bytes of a file the run wrote.
#
#   -DCLI=path -DWORKDIR=dir -DARGS="run;--batters;batters.txt"
#   -DEXPECT_STATUS=0 [-DORDERS="abcdefghi;..."] [-DSTDOUT_REGEX=...]
#   [-DSTDERR_REGEX=...] [-DFILE=output.txt -DFILE_HEX=...] [-DBATTERS=text]
#   [-DREPEAT=ON: run twice and require identical FILE bytes]
#   [-DLAST_ARG_EMPTY=ON: one more argument, the empty text]
#   [-DORDERS_NAME=name: the name ORDERS is written to, order.dat by default]
#   [-DOLD_OUTPUT=text: output.txt holds this before the run]
#   [-DSTDOUT_FILE=path: standard output goes there instead of being checked]
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}")

string(ASCII 13 CR)
set(LF "\n")
if(NOT DEFINED BATTERS)
  set(BATTERS "")
  foreach(row RANGE 1 9)
    string(APPEND BATTERS "400 100 20 2 10 50 0.250000 0.500000 0.400000${CR}${LF}")
  endforeach()
endif()
file(WRITE "${WORKDIR}/batters.txt" "${BATTERS}")
if(DEFINED ORDERS)
  set(text "")
  foreach(line IN LISTS ORDERS)
    string(APPEND text "${line}${CR}${LF}")
  endforeach()
  if(NOT DEFINED ORDERS_NAME)
    set(ORDERS_NAME order.dat)
  endif()
  file(WRITE "${WORKDIR}/${ORDERS_NAME}" "${text}")
endif()
if(DEFINED OLD_OUTPUT)
  file(WRITE "${WORKDIR}/output.txt" "${OLD_OUTPUT}")
endif()
set(redirect "")
if(DEFINED STDOUT_FILE)
  set(redirect OUTPUT_FILE "${STDOUT_FILE}")
else()
  set(redirect OUTPUT_VARIABLE out)
endif()

function(run_once out_var)
  if(LAST_ARG_EMPTY)
    execute_process(COMMAND "${CLI}" ${ARGS} ""
      WORKING_DIRECTORY "${WORKDIR}"
      RESULT_VARIABLE status ${redirect} ERROR_VARIABLE err)
  else()
    execute_process(COMMAND "${CLI}" ${ARGS}
      WORKING_DIRECTORY "${WORKDIR}"
      RESULT_VARIABLE status ${redirect} ERROR_VARIABLE err)
  endif()
  if(NOT status STREQUAL "${EXPECT_STATUS}")
    message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}\nstdout:\n${out}\nstderr:\n${err}")
  endif()
  if(DEFINED STDOUT_REGEX AND NOT out MATCHES "${STDOUT_REGEX}")
    message(FATAL_ERROR "stdout does not match '${STDOUT_REGEX}':\n${out}")
  endif()
  if(DEFINED STDERR_REGEX AND NOT err MATCHES "${STDERR_REGEX}")
    message(FATAL_ERROR "stderr does not match '${STDERR_REGEX}':\n${err}")
  endif()
  if(DEFINED FILE)
    file(READ "${WORKDIR}/${FILE}" bytes HEX)
    set(${out_var} "${bytes}" PARENT_SCOPE)
  endif()
endfunction()

run_once(first)
if(DEFINED FILE_HEX)
  string(LENGTH "${FILE_HEX}" n)
  string(SUBSTRING "${first}" 0 ${n} head)
  if(NOT head STREQUAL FILE_HEX)
    message(FATAL_ERROR "${FILE} starts with\n${head}\nexpected\n${FILE_HEX}")
  endif()
endif()
if(REPEAT)
  run_once(second)
  if(NOT first STREQUAL second)
    message(FATAL_ERROR "two runs on identical inputs wrote different ${FILE}")
  endif()
endif()
