# `cmake --build build/native --target gallery`: a set of offscreen snapshots of
# seed 1 in build/native/gallery/, to look at after changing anything drawn.

set(GALLERY_DIR ${CMAKE_BINARY_DIR}/gallery)
set(gallery_commands)

# gallery_shot(<name> <snapshot options> ...)
macro(gallery_shot name)
  list(APPEND gallery_commands COMMAND $<TARGET_FILE:snapshot> ${ARGN} ${GALLERY_DIR}/${name}.png)
endmacro()

# The open meadow south of the centre, looking north.
set(view --at 0,40 --look -90,-5)
gallery_shot(day ${view})
gallery_shot(night ${view} --night 1)
gallery_shot(snow ${view} --weather snow --snow-cover 1)
gallery_shot(rain ${view} --weather rain)
gallery_shot(binoculars --near enemy,30 --binoculars)
gallery_shot(night_binoculars --near enemy,30 --binoculars --night 1)
gallery_shot(fight --near enemy,9,60 --fire --frames 6)
gallery_shot(enemy --near enemy,4,90)
gallery_shot(deer --near deer,2.5,90)
gallery_shot(rabbit --near rabbit,1.2,90)

add_custom_target(gallery
                  COMMAND ${CMAKE_COMMAND} -E make_directory ${GALLERY_DIR}
                  ${gallery_commands}
                  DEPENDS snapshot
                  COMMENT "Drawing the gallery into ${GALLERY_DIR}"
                  VERBATIM)
