# AddressSanitizer + UndefinedBehaviorSanitizer for every target of the tree
# when DIZ_SANITIZE is on (the asan preset). Linked PRIVATE through diz::sanitizers.
add_library(diz_sanitizers INTERFACE)
add_library(diz::sanitizers ALIAS diz_sanitizers)
if(DIZ_SANITIZE)
  target_compile_options(diz_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(diz_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
