# The game's generated assets, one gladewarden_asset() line per generator.

# Sounds: the ten recordings of the sound bank.

# Pictures: icon, moon, donate codes and their labels, all drawn with the kit in tools/pictures.
file(GLOB picture_kit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/pictures/*.cpp)
add_library(picture_kit STATIC ${picture_kit_sources})
target_include_directories(picture_kit PUBLIC ${CMAKE_SOURCE_DIR})
gladewarden_asset(gen_icon gladewarden.ico)
gladewarden_asset(gen_moon moon.bmp)
gladewarden_asset(gen_donate_codes donate_code_left.bmp donate_code_right.bmp)
gladewarden_asset(gen_donate_labels donate_label_left.bmp donate_label_right.bmp)
foreach(generator gen_icon gen_moon gen_donate_codes gen_donate_labels)
  target_link_libraries(${generator} PRIVATE picture_kit)
endforeach()
