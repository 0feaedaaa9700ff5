# diz_runpath_beside_engine(target): an executable that runs the batch layer
# finds the engine library `core`, which it loads at run time, beside itself
# ($ORIGIN: build/bin/ and an installed bin/) or in ../lib of an installed
# tree. The build tree uses the same RUNPATH, so CMake never pads it with empty
# entries, which the dynamic loader would take for the current directory.
function(diz_runpath_beside_engine target)
  set_target_properties(${target} PROPERTIES
    BUILD_WITH_INSTALL_RPATH ON
    INSTALL_RPATH "$ORIGIN;$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
endfunction()
