# Asset generators: each tools/gen_<name>.cpp is a small host program that
# writes its files, byte for byte the same on every run, into the directory
# given as its only argument. The resource script picks them up from there.

file(MAKE_DIRECTORY ${GLADEWARDEN_ASSET_DIR})
set(GLADEWARDEN_ASSET_FILES)

# gladewarden_asset(<generator name> <output file> ...)
function(gladewarden_asset generator)
  set(outputs)
  foreach(file IN LISTS ARGN)
    list(APPEND outputs ${GLADEWARDEN_ASSET_DIR}/${file})
  endforeach()
  add_executable(${generator} ${CMAKE_SOURCE_DIR}/tools/${generator}.cpp)
  add_custom_command(OUTPUT ${outputs}
                     COMMAND ${generator} ${GLADEWARDEN_ASSET_DIR}
                     DEPENDS ${generator}
                     COMMENT "Generating ${ARGN}")
  set(GLADEWARDEN_ASSET_FILES ${GLADEWARDEN_ASSET_FILES} ${outputs} PARENT_SCOPE)
endfunction()

include(${CMAKE_SOURCE_DIR}/tools/assets.cmake OPTIONAL)

add_custom_target(assets ALL DEPENDS ${GLADEWARDEN_ASSET_FILES})
