# diz-cli exact with --jobs 1 and --jobs 2 must write byte-identical result
# files and standard output.
#   -DCLI=path -DWORKDIR=dir -DBATTERS_FILE=path -DPATTERN=pattern
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}")
foreach(jobs 1 2)
  execute_process(
    COMMAND "${CLI}" exact --batters "${BATTERS_FILE}" --all --pattern "${PATTERN}"
            --report mean,se,inning-runs,inning-prob --top 20 --jobs ${jobs}
            --output out${jobs}.txt
    WORKING_DIRECTORY "${WORKDIR}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out${jobs} ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "--jobs ${jobs}: exit status ${status}\n${err}")
  endif()
  file(READ "${WORKDIR}/out${jobs}.txt" file${jobs} HEX)
endforeach()
if(NOT file1 STREQUAL file2)
  message(FATAL_ERROR "--jobs 1 and --jobs 2 wrote different result files")
endif()
if(NOT out1 STREQUAL out2)
  message(FATAL_ERROR "--jobs 1 and --jobs 2 printed different output")
endif()
string(LENGTH "${file1}" bytes)
if(bytes LESS 1000)
  message(FATAL_ERROR "the result file is nearly empty: ${bytes} hex digits")
endif()
