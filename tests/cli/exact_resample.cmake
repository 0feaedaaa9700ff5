# diz-cli exact --resample over the orders "abcde****" of the example batters:
#  - --resample 0 prints and writes byte for byte what a run without it does;
#  - the same seed gives byte-identical output and CSV for --jobs 1 and 2;
#  - another seed draws other seasons;
#  - the CSV has the ranking's columns and the four resampled ones, which
#    are filled for the orders reported and empty elsewhere; without
#    --resample, only the ranking's columns.
#   -DCLI=path -DWORKDIR=dir -DBATTERS_FILE=path
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}")

function(run_exact name)
  execute_process(
    COMMAND "${CLI}" exact --batters "${BATTERS_FILE}" --all --pattern abcde****
            --top 3 --output ${name}.txt ${ARGN}
    WORKING_DIRECTORY "${WORKDIR}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: exit status ${status}\n${err}")
  endif()
  file(READ "${WORKDIR}/${name}.txt" result HEX)
  set(${name}_out "${out}" PARENT_SCOPE)
  set(${name}_file "${result}" PARENT_SCOPE)
endfunction()

run_exact(plain)
run_exact(zero --resample 0)
if(NOT plain_out STREQUAL zero_out OR NOT plain_file STREQUAL zero_file)
  message(FATAL_ERROR "--resample 0 changed the output")
endif()

run_exact(one --resample 40 --jobs 1 --csv one.csv)
run_exact(two --resample 40 --jobs 2 --csv two.csv)
file(READ "${WORKDIR}/one.csv" csv1 HEX)
file(READ "${WORKDIR}/two.csv" csv2 HEX)
if(NOT one_out STREQUAL two_out OR NOT csv1 STREQUAL csv2)
  message(FATAL_ERROR "--jobs 1 and --jobs 2 resampled differently")
endif()
string(LENGTH "${plain_out}" n)
string(SUBSTRING "${one_out}" 0 ${n} head)
string(SUBSTRING "${one_out}" ${n} -1 report)
if(NOT head STREQUAL plain_out OR
   NOT report MATCHES "^リサンプリング 40 回（シード 1）：最良になった打順 [0-9]+ 通り\n")
  message(FATAL_ERROR "the report does not follow the point ranking:\n${one_out}")
endif()
run_exact(seeded --resample 40 --seed 2)
if(seeded_out STREQUAL one_out)
  message(FATAL_ERROR "--seed 2 drew the same seasons as the default seed")
endif()

# The report's rows: the point top 3 first, each with its share, median rank
# and the two points of its gap (0 or below).
set(row "[01]\\.[0-9]+ [0-9]+ -?[0-9]\\.[0-9]+ -?[0-9]\\.[0-9]+\n")
set(other "[a-i]+ [0-9]\\.[0-9]+ ${row}")
if(NOT one_out MATCHES "順位 打順 得点期待値 最善の割合 順位中央値 差の5%点 差の95%点\n   1 abcdefghi 5\\.078538 ${row}   2 ${other}   3 ${other}")
  message(FATAL_ERROR "unexpected rows:\n${one_out}")
endif()

file(STRINGS "${WORKDIR}/one.csv" lines ENCODING UTF-8)
list(LENGTH lines count)
if(NOT count EQUAL 25)
  message(FATAL_ERROR "the CSV has ${count} lines instead of 25")
endif()
list(GET lines 0 header)
if(NOT header MATCHES "順位,打順,得点期待値,最良との差,標準偏差,.*,9回得点確率,最善の割合,順位中央値,差の5%点,差の95%点\r?$")
  message(FATAL_ERROR "CSV header: ${header}")
endif()
list(GET lines 1 first)
if(NOT first MATCHES "^1,abcdefghi,5\\.078538,0\\.000000,[^,]+(,[0-9.]+)+,[01]\\.[0-9]+,[0-9]+,-?[0-9.]+,-?[0-9.]+\r?$")
  message(FATAL_ERROR "CSV first row: ${first}")
endif()
list(GET lines 24 last)
if(NOT last MATCHES "^24,.*(,,,,|,[01]\\.[0-9]+,[0-9]+,-?[0-9.]+,-?[0-9.]+)\r?$")
  message(FATAL_ERROR "CSV last row: ${last}")
endif()
string(FIND "${csv1}" "0d0a" crlf)
if(crlf EQUAL -1 OR NOT csv1 MATCHES "^efbbbf")
  message(FATAL_ERROR "the CSV is not UTF-8 with a byte-order mark and CR LF")
endif()

run_exact(ranked --csv ranked.csv --quiet)
file(STRINGS "${WORKDIR}/ranked.csv" lines ENCODING UTF-8)
list(LENGTH lines count)
list(GET lines 0 header)
list(GET lines 1 first)
if(NOT count EQUAL 25 OR NOT header MATCHES ",9回得点確率\r?$" OR NOT first MATCHES "^1,abcdefghi,5\\.078538,0\\.000000,")
  message(FATAL_ERROR "the CSV without --resample:\n${header}\n${first}")
endif()
