# The game's generated assets, one gladewarden_asset() line per generator.

# Sounds: the ten recordings of the sound bank.
gladewarden_asset(gen_sounds gunshot.wav rain_loop.wav enemy_kill.wav red_enemy_kill.wav rabbit_kill.wav deer_kill.wav footstep.wav day_ambient_1.wav day_ambient_2.wav night_ambient.wav)

# Spectrograms of the sounds, to see what a change did to them without a speaker.
find_program(SOX_PROGRAM sox)
if(SOX_PROGRAM)
  set(sound_files ${GLADEWARDEN_ASSET_FILES})
  list(FILTER sound_files INCLUDE REGEX "\\.wav$")
  set(spectrogram_dir ${CMAKE_BINARY_DIR}/spectrograms)
  file(MAKE_DIRECTORY ${spectrogram_dir})
  set(spectrograms)
  foreach(wav IN LISTS sound_files)
    get_filename_component(name ${wav} NAME_WE)
    add_custom_command(OUTPUT ${spectrogram_dir}/${name}.png
                       COMMAND ${SOX_PROGRAM} ${wav} -n spectrogram -t ${name} -o ${spectrogram_dir}/${name}.png
                       DEPENDS gen_sounds
                       COMMENT "Spectrogram of ${name}")
    list(APPEND spectrograms ${spectrogram_dir}/${name}.png)
  endforeach()
  # Depending on the files themselves would give this target its own copy of
  # the generator's rule, and the two copies race in a parallel build.
  add_custom_target(sound_spectrograms ALL DEPENDS ${spectrograms})
  add_dependencies(sound_spectrograms assets)
endif()

# Pictures: icon, moon, donate codes and their labels, all drawn with the kit in tools/pictures.
file(GLOB picture_kit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/pictures/*.cpp)
# The Donate codes come from libqrencode.
find_path(QRENCODE_INCLUDE_DIR qrencode.h REQUIRED)
find_library(QRENCODE_LIBRARY qrencode REQUIRED)
add_library(picture_kit STATIC ${picture_kit_sources})
target_include_directories(picture_kit PUBLIC ${CMAKE_SOURCE_DIR} PRIVATE ${QRENCODE_INCLUDE_DIR})
target_link_libraries(picture_kit PUBLIC ${QRENCODE_LIBRARY})
gladewarden_asset(gen_icon gladewarden.ico)
gladewarden_asset(gen_moon moon.bmp)
gladewarden_asset(gen_donate_codes donate_code_left.bmp donate_code_right.bmp)
gladewarden_asset(gen_donate_labels donate_label_left.bmp donate_label_right.bmp)
foreach(generator gen_icon gen_moon gen_donate_codes gen_donate_labels)
  target_link_libraries(${generator} PRIVATE picture_kit)
endforeach()
