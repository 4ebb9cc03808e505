# The game's generated assets, one gladewarden_asset() line per generator.

# Sounds: the ten recordings of the sound bank.

# Pictures: icon, moon, donate codes and their labels, all drawn with the kit in tools/pictures.
file(GLOB picture_kit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/pictures/*.cpp)
add_library(picture_kit STATIC ${picture_kit_sources})
target_include_directories(picture_kit PUBLIC ${CMAKE_SOURCE_DIR})
