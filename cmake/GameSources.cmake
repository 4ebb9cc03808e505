# Every .cpp under the game's directories belongs to the game. Files ending in
# _win32.cpp touch Windows and go only into the Windows program; files ending
# in _null.cpp are their portable twins for the native build.
set(GAME_DIRS core render audio world player combat sky hud app)

set(GAME_PORTABLE_SOURCES)
set(GAME_WIN32_SOURCES)
set(GAME_NULL_SOURCES)
foreach(dir IN LISTS GAME_DIRS)
  file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  foreach(src IN LISTS dir_sources)
    if(src MATCHES "_win32\\.cpp$")
      list(APPEND GAME_WIN32_SOURCES ${src})
    elseif(src MATCHES "_null\\.cpp$")
      list(APPEND GAME_NULL_SOURCES ${src})
    else()
      list(APPEND GAME_PORTABLE_SOURCES ${src})
    endif()
  endforeach()
endforeach()
