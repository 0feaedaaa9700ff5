# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE): the installer
# is named as an installer, the zip as the folder it unpacks to.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
