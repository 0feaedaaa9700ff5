# diz::version: the header <diz/version.h> with DIZ_VERSION, the project
# version. The version is set once, in project(); the programs print it from
# here.
configure_file(${CMAKE_CURRENT_LIST_DIR}/diz_version.h.in
               ${PROJECT_BINARY_DIR}/generated/diz/version.h @ONLY)
add_library(diz_version INTERFACE)
add_library(diz::version ALIAS diz_version)
target_include_directories(diz_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
