# One folder a layer, one target a folder. selenara_layer(target folder)
# gives the target an include root that holds only its own folder, so that
# "folder/Header.h" is found through the target alone and a layer reaches
# only the headers of what it links. The root is a link in the build tree to
# the source folder; where links cannot be made (Windows without the right to
# make them) the source root stands in, and only the include-direction test
# keeps the layers apart.
function(selenara_layer target folder)
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} RESULT failed SYMBOLIC)
  if(failed)
    message(STATUS "No link for ${folder} (${failed}): its headers are found from the source root")
    set(root ${PROJECT_SOURCE_DIR})
  endif()
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PRIVATE selenara_build_options)
endfunction()
