# The Windows program: the portable game plus the Windows edge and the
# resources (sounds, pictures, icon, menu, dialogs) in one exe.

if(CMAKE_CROSSCOMPILING)
  # Generators run on the build machine; the Makefile builds them natively first.
  if(NOT GLADEWARDEN_ASSET_DIR)
    message(FATAL_ERROR "Cross builds need -DGLADEWARDEN_ASSET_DIR=<native build>/assets")
  endif()
  add_custom_target(assets)
else()
  set(GLADEWARDEN_ASSET_DIR ${CMAKE_BINARY_DIR}/assets)
  include(cmake/Assets.cmake)
endif()

# The Windows edge: every *_win32.cpp except the entry point.
set(win32_edge_sources ${GAME_WIN32_SOURCES})
list(FILTER win32_edge_sources EXCLUDE REGEX "/app/main_win32\\.cpp$")
# The game and its edge call each other, so they are linked as one group.
add_library(gladewarden_win32 STATIC ${win32_edge_sources})
target_include_directories(gladewarden_win32 PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(gladewarden_game PUBLIC opengl32 glu32)

set(GLADEWARDEN_RC ${CMAKE_SOURCE_DIR}/resources/gladewarden.rc)
if(EXISTS ${CMAKE_SOURCE_DIR}/app/main_win32.cpp AND EXISTS ${GLADEWARDEN_RC})
  enable_language(RC)
  add_executable(gladewarden WIN32 ${CMAKE_SOURCE_DIR}/app/main_win32.cpp ${GLADEWARDEN_RC})
  add_dependencies(gladewarden assets)
  # The resource compiler's inputs are not scanned: a changed sound or picture
  # must still rebuild the resources.
  file(GLOB resource_inputs CONFIGURE_DEPENDS ${GLADEWARDEN_ASSET_DIR}/*.wav ${GLADEWARDEN_ASSET_DIR}/*.bmp
       ${GLADEWARDEN_ASSET_DIR}/*.ico)
  list(APPEND resource_inputs ${CMAKE_SOURCE_DIR}/resources/links.h
       ${CMAKE_SOURCE_DIR}/resources/gladewarden.manifest)
  set_source_files_properties(${GLADEWARDEN_RC} PROPERTIES OBJECT_DEPENDS "${resource_inputs}")
  target_include_directories(gladewarden PRIVATE ${GLADEWARDEN_ASSET_DIR} ${CMAKE_SOURCE_DIR}/resources)
  target_link_libraries(gladewarden PRIVATE "$<LINK_GROUP:RESCAN,gladewarden_game,gladewarden_win32>"
                        opengl32 glu32 winmm gdi32 user32 shell32 kernel32)
  if(MSVC)
    # The resource script carries the manifest; the linker must not add its own.
    target_link_options(gladewarden PRIVATE /MANIFEST:NO)
  else()
    target_link_options(gladewarden PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endif()
