# The Windows cross build (the windows-cross preset): what the host's packages
# do not provide for the target system, and wine to run the programs.

# A Windows program's folder holds its programs and DLLs side by side: the
# installed tree (and the packages) have them at the top.
set(CMAKE_INSTALL_BINDIR .)

# CLI11 is header-only: the host's headers serve, through an include directory
# that holds them alone (not all of /usr/include, whose C library headers
# would shadow MinGW's).
set(cli11_root ${PROJECT_BINARY_DIR}/cross-deps/cli11)
file(MAKE_DIRECTORY ${cli11_root}/include)
file(CREATE_LINK /usr/include/CLI ${cli11_root}/include/CLI SYMBOLIC)
file(WRITE ${cli11_root}/CLI11Config.cmake
  "if(NOT TARGET CLI11::CLI11)\n"
  "  add_library(CLI11::CLI11 INTERFACE IMPORTED)\n"
  "  set_target_properties(CLI11::CLI11 PROPERTIES\n"
  "    INTERFACE_INCLUDE_DIRECTORIES ${cli11_root}/include)\n"
  "endif()\n")
set(CLI11_DIR ${cli11_root} CACHE PATH "CLI11 for the cross build" FORCE)

# Tests and test discovery run the programs under wine64, in a prefix inside
# the build tree.
find_program(DIZ_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(DIZ_WINE NAMES wine64)
find_program(DIZ_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(DIZ_WINESERVER NAMES wineserver64 wineserver)
if(DIZ_WINE AND DIZ_WINESERVER)
  set(DIZ_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)
  # The test programs are listed when the tests run, not while building: the
  # build then never waits for wine. ctest makes wine ready first, so that
  # listing a program never pays for wine's start.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
  file(WRITE ${PROJECT_BINARY_DIR}/wine-ready.cmake
    "execute_process(COMMAND \"${PROJECT_BINARY_DIR}/wine-run\")\n")
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY
    TEST_INCLUDE_FILES ${PROJECT_BINARY_DIR}/wine-ready.cmake)
elseif(DIZ_BUILD_TESTS)
  message(FATAL_ERROR "wine64 runs the tests of the Windows build: install it "
                      "(scripts/install-deps.sh) or set DIZ_BUILD_TESTS=OFF")
endif()
