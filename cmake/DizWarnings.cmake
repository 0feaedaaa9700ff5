# Warnings for the project's own code, linked PRIVATE by every target.
add_library(diz_warnings INTERFACE)
add_library(diz::warnings ALIAS diz_warnings)
target_compile_options(diz_warnings INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Werror>
  $<$<CXX_COMPILER_ID:MSVC>:/W4 /WX>)
