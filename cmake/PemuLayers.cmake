# Each layer shows its headers only to the targets that link it: a target's include path
# holds one folder per layer it links (directly or through the layers it links), each with a
# single link to that layer's sources, so "shell/..." does not even compile in a layer below
# the shell. pemu_layer_headers(<target> <layer folder under src/>)
function(pemu_layer_headers target layer)
  set(root ${CMAKE_BINARY_DIR}/layer-headers/${layer})
  if(NOT EXISTS ${root}/${layer})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
