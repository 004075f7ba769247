# Each library sees its own headers and those of the libraries it links, nothing else: its
# folder is reachable as "folder/Header.h" through an include root of its own in the build
# tree, so an include of a higher layer's header does not compile.
function(vexlo_expose_headers target folder)
  set(root "${PROJECT_BINARY_DIR}/include/${target}")
  file(MAKE_DIRECTORY "${root}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${folder}" "${root}/${folder}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
