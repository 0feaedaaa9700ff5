# Where the engine library `core` goes in an installed tree: a directory of its
# own, never on the system's library path (the name is far too generic).
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(DIZ_INSTALL_ENGINEDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/diz)
else()
  set(DIZ_INSTALL_ENGINEDIR ${CMAKE_INSTALL_LIBDIR}/diz)
endif()

# Installing relinks a program with its installed RUNPATH instead of editing
# the build tree's one in place: editing needs room, which CMake makes by
# padding the build tree's RUNPATH with empty entries, and the dynamic loader
# would take those for the current directory.
set(CMAKE_NO_BUILTIN_CHRPATH ON)

# diz_runpath_beside_engine(target): an executable that runs the batch layer
# finds `core`, which it loads at run time, beside itself in the build tree
# (build/bin/) and in the engine's own directory once installed
# (bin/../lib/<arch>/diz).
function(diz_runpath_beside_engine target)
  set_target_properties(${target} PROPERTIES
    BUILD_WITH_INSTALL_RPATH OFF
    BUILD_RPATH "$ORIGIN"
    INSTALL_RPATH "$ORIGIN/../${DIZ_INSTALL_ENGINEDIR}")
endfunction()
