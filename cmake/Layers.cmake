# Each layer's library exports only its own headers: a folder in the build tree that holds one
# link, named like the layer, to the layer's sources. A layer sees the headers of the layers it
# links and no others, so an include against the direction of the layers fails to compile.
function(zephlane_layer_headers target layer)
  set(root ${PROJECT_BINARY_DIR}/layer-headers/${layer})
  if(NOT EXISTS ${root}/${layer})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
