# The Windows packages, built by `cmake --build --preset windows-cross --target
# package`: DIZ-<version>-win64.zip, a folder to unpack anywhere, and the NSIS
# installer DIZ-<version>-win64-setup.exe. Both hold DIZ.exe, core.dll and
# diz-cli.exe side by side, LICENSE, a short read-me, the example batters and
# roster and an order.dat (beside the programs too, so that DIZ.exe started from its
# folder finds one).
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in
               ${PROJECT_BINARY_DIR}/packaging/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/examples/order.dat DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/examples/batters.txt ${PROJECT_SOURCE_DIR}/examples/order.dat
  ${PROJECT_SOURCE_DIR}/examples/roster.csv DESTINATION examples)

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME DIZ)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The DIZ developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "DIZ batting-order simulator")
set(CPACK_PACKAGE_FILE_NAME DIZ-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_PACKAGE_INSTALL_DIRECTORY DIZ)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# The installer's own name; see DizWindowsPackageGenerators.cmake.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/DizWindowsPackageGenerators.cmake)

# A 64-bit installer for the 64-bit programs: it writes the 64-bit registry
# and runs where only 64-bit programs run (wine64 alone).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# The installer's name, also the Start-menu folder's.
set(CPACK_NSIS_PACKAGE_NAME DIZ)
set(CPACK_NSIS_DISPLAY_NAME "DIZ ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/ui/resources/diz.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/ui/resources/diz.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME DIZ.exe)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The Start-menu entry starts DIZ.exe in a working folder of the user's own
# (DIZ reads order.dat from the current folder and writes its results there;
# the program's folder is not writable for users): Documents\DIZ, given an
# order.dat, the example batters and the example roster unless it has them
# already. The uninstaller takes away those three files and the entry, and the folder only
# when nothing else (the user's results) is left in it.
# (NSIS takes single quotes; a backslash is written twice, as cpack reads
# these values once more.)
set(CPACK_NSIS_CREATE_ICONS_EXTRA [=[
  CreateDirectory '$DOCUMENTS\DIZ'
  IfFileExists '$DOCUMENTS\DIZ\order.dat' +2 0
    CopyFiles /SILENT '$INSTDIR\examples\order.dat' '$DOCUMENTS\DIZ\order.dat'
  IfFileExists '$DOCUMENTS\DIZ\batters.txt' +2 0
    CopyFiles /SILENT '$INSTDIR\examples\batters.txt' '$DOCUMENTS\DIZ\batters.txt'
  IfFileExists '$DOCUMENTS\DIZ\roster.csv' +2 0
    CopyFiles /SILENT '$INSTDIR\examples\roster.csv' '$DOCUMENTS\DIZ\roster.csv'
  SetOutPath '$DOCUMENTS\DIZ'
  CreateShortCut '$SMPROGRAMS\$STARTMENU_FOLDER\DIZ.lnk' '$INSTDIR\DIZ.exe'
  SetOutPath '$INSTDIR'
]=])
set(CPACK_NSIS_DELETE_ICONS_EXTRA [=[
  Delete '$SMPROGRAMS\$MUI_TEMP\DIZ.lnk'
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  Delete '$DOCUMENTS\DIZ\order.dat'
  Delete '$DOCUMENTS\DIZ\batters.txt'
  Delete '$DOCUMENTS\DIZ\roster.csv'
  RMDir '$DOCUMENTS\DIZ'
]=])

include(CPack)
