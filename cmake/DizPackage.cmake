# The Debian package, built by `cmake --build build --target package`:
# build/diz_<version>_amd64.deb with what the install rules put under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME diz)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The DIZ developers")
set(CPACK_PACKAGE_CONTACT "DIZ developers <dev@diz.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batting-order simulator")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The long description; the summary above is its synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "DIZ estimates how many runs a baseball batting order scores. From nine
batters' season counts and base-running rates it plays simulated
nine-inning games for every selected order and reports the mean runs per
game, its standard error and per-inning figures, reproducibly digit for
digit.
.
The package holds DIZ, the desktop program (Japanese texts), and diz-cli,
which runs the same simulations from the command line, writes order files
and ranks orders by their exact expected runs.")
# The run-time libraries come from dpkg-shlibdeps. The engine library is
# loaded at run time, so no program lists it among its needed libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The completion of diz-cli's commands and options is installed for bash.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion")
if(DIZ_BUILD_UI)
  # Qt's platform plugins: without them the window cannot open.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  # Qt's own Japanese texts, and the font the window is laid out for.
  string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", qt6-translations-l10n, fonts-ipafont-gothic")
endif()

include(CPack)
