# Unpacks the Debian package and checks it as installed:
#  - its file list (dpkg-deb -c): exactly the expected files, owned by root,
#    programs 0755, everything else 0644 (the engine library included);
#  - its control fields: the version, Depends computed from the programs, and
#    Recommends (bash-completion for diz-cli's completion);
#  - the unpacked programs: diz-cli runs the reference case with the engine
#    from the package's own directory, both print the version, the RUNPATH
#    names that directory and no program lists the engine as needed.
#
#   cmake -DDEB=file.deb -DWORKDIR=dir -DVERSION=1.5 -DENGINEDIR=lib/<arch>/diz
#         -DWITH_UI=ON|OFF -P check_package.cmake
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}")

function(run out_var)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "'${ARGN}' failed (${rc}):\n${out}${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

# The file list.
set(programs usr/bin/diz-cli)
set(data
  usr/${ENGINEDIR}/libcore.so
  usr/share/bash-completion/completions/diz-cli
  usr/share/doc/diz/changelog.gz
  usr/share/doc/diz/copyright
  usr/share/doc/diz/examples/batters.txt
  usr/share/doc/diz/examples/order.dat
  usr/share/doc/diz/examples/roster.csv
  usr/share/man/man1/diz-cli.1.gz)
if(WITH_UI)
  list(APPEND programs usr/bin/DIZ)
  list(APPEND data
    usr/share/applications/diz.desktop
    usr/share/icons/hicolor/16x16/apps/diz.png
    usr/share/icons/hicolor/32x32/apps/diz.png
    usr/share/man/man1/DIZ.1.gz)
endif()
set(expected "")
foreach(f IN LISTS programs)
  list(APPEND expected "-rwxr-xr-x ./${f}")
endforeach()
foreach(f IN LISTS data)
  list(APPEND expected "-rw-r--r-- ./${f}")
endforeach()
list(SORT expected)

run(listing dpkg-deb -c "${DEB}")
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(files "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^([-dl][-rwxsStT]+) ([^ ]+) +[0-9]+ [-0-9]+ [:0-9]+ (.+)$")
    message(FATAL_ERROR "unexpected dpkg-deb -c line: ${line}")
  endif()
  set(mode "${CMAKE_MATCH_1}")
  set(owner "${CMAKE_MATCH_2}")
  set(path "${CMAKE_MATCH_3}")
  if(NOT owner STREQUAL "root/root")
    message(FATAL_ERROR "${path} is owned by ${owner}")
  endif()
  if(mode MATCHES "^d")
    if(NOT mode STREQUAL "drwxr-xr-x")
      message(FATAL_ERROR "directory ${path} has mode ${mode}")
    endif()
  else()
    list(APPEND files "${mode} ${path}")
  endif()
endforeach()
list(SORT files)
if(NOT files STREQUAL expected)
  string(REPLACE ";" "\n  " got "${files}")
  string(REPLACE ";" "\n  " want "${expected}")
  message(FATAL_ERROR "package files:\n  ${got}\nexpected:\n  ${want}")
endif()

# The control fields.
run(version dpkg-deb -f "${DEB}" Version)
string(STRIP "${version}" version)
if(NOT version STREQUAL VERSION)
  message(FATAL_ERROR "package version '${version}', expected '${VERSION}'")
endif()
run(depends dpkg-deb -f "${DEB}" Depends)
set(needed libc6 libstdc\\+\\+6)
if(WITH_UI)
  list(APPEND needed libqt6widgets6 qt6-qpa-plugins)
endif()
foreach(name IN LISTS needed)
  if(NOT depends MATCHES "(^|, )${name}( |,|\n|$)")
    message(FATAL_ERROR "Depends lacks ${name}: ${depends}")
  endif()
endforeach()
run(recommends dpkg-deb -f "${DEB}" Recommends)
set(recommended bash-completion)
if(WITH_UI)
  list(APPEND recommended qt6-translations-l10n fonts-ipafont-gothic)
endif()
foreach(name IN LISTS recommended)
  if(NOT recommends MATCHES "(^|, )${name}( |,|\n|$)")
    message(FATAL_ERROR "Recommends lacks ${name}: ${recommends}")
  endif()
endforeach()

# The unpacked programs.
set(root "${WORKDIR}/root")
run(ignored dpkg-deb -x "${DEB}" "${root}")
foreach(f IN LISTS programs)
  cmake_path(GET f FILENAME name)
  run(printed "${root}/${f}" --version)
  if(NOT printed STREQUAL "${name} ${VERSION}\n")
    message(FATAL_ERROR "${name} --version printed '${printed}'")
  endif()
  run(dynamic readelf -d "${root}/${f}")
  if(NOT dynamic MATCHES "\\(RUNPATH\\) +Library runpath: \\[\\$ORIGIN/\\.\\./${ENGINEDIR}\\]")
    message(FATAL_ERROR "${name}: RUNPATH does not name the engine's directory:\n${dynamic}")
  endif()
  if(dynamic MATCHES "libcore")
    message(FATAL_ERROR "${name} lists the engine as a needed library:\n${dynamic}")
  endif()
endforeach()

# The reference case of the command-line tests, run by the unpacked diz-cli:
# "abcdefghi 6.107143 0.315209" CR LF, byte for byte. Nothing but the
# package's own directory holds libcore.so for this program.
set(args run --batters batters.txt --quiet)
set(orders abcdefghi ihgfedcba abcdefghi)
execute_process(
  COMMAND ${CMAKE_COMMAND} -DCLI=${root}/usr/bin/diz-cli -DWORKDIR=${WORKDIR}/run
          "-DARGS=${args}" -DEXPECT_STATUS=0 "-DORDERS=${orders}" -DFILE=output.txt
          -DFILE_HEX=61626364656667686920362e31303731343320302e3331353230390d0a
          -DREPEAT=ON
          -P ${CMAKE_CURRENT_LIST_DIR}/../cli/cli_case.cmake
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the unpacked diz-cli failed the reference case:\n${out}${err}")
endif()
message(STATUS "${DEB}: ${version}, ${depends}")
