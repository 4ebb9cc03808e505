# The native (Linux) build: the game as a library, drawn offscreen with OSMesa,
# its tests, the asset generators and the inspection tools.

find_path(OSMESA_INCLUDE_DIR GL/osmesa.h REQUIRED)
find_library(OSMESA_LIBRARY OSMesa REQUIRED)
find_library(GLU_LIBRARY GLU REQUIRED)
find_package(PNG REQUIRED)
find_package(GTest REQUIRED)

# OSMesa comes first so that GLU's GL calls resolve to it as well.
target_link_libraries(gladewarden_game PUBLIC ${OSMESA_LIBRARY} ${GLU_LIBRARY} m)

# The portable twins of the platform edge: no sound device, no font lists.
# The game and its twins call each other, so they are linked as one group.
add_library(gladewarden_null STATIC ${GAME_NULL_SOURCES})
target_include_directories(gladewarden_null PUBLIC ${CMAKE_SOURCE_DIR})
set(GAME_NATIVE_LIBS "$<LINK_GROUP:RESCAN,gladewarden_game,gladewarden_null>")

# Generated assets land here; the native twins read the moon picture from it.
set(GLADEWARDEN_ASSET_DIR ${CMAKE_BINARY_DIR}/assets)
target_compile_definitions(gladewarden_null PRIVATE GLADEWARDEN_ASSET_DIR="${GLADEWARDEN_ASSET_DIR}")
include(cmake/Assets.cmake)

# Offscreen drawing and the windowless game harness, shared by the tools and the render tests.
file(GLOB common_tool_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/common/*.cpp)
add_library(gladewarden_offscreen STATIC ${common_tool_sources})
target_include_directories(gladewarden_offscreen PUBLIC ${CMAKE_SOURCE_DIR} ${OSMESA_INCLUDE_DIR})
target_link_libraries(gladewarden_offscreen PUBLIC PNG::PNG ${OSMESA_LIBRARY} ${GLU_LIBRARY})

# Inspection tools (offscreen snapshots, benchmarks): every tools/*.cpp that is not a generator.
file(GLOB tool_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
foreach(src IN LISTS tool_sources)
  get_filename_component(name ${src} NAME_WE)
  if(NOT name MATCHES "^gen_")
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE gladewarden_offscreen ${GAME_NATIVE_LIBS})
    add_dependencies(${name} assets)
  endif()
endforeach()

include(${CMAKE_SOURCE_DIR}/tools/gallery.cmake)

enable_testing()
include(GoogleTest)
add_subdirectory(tests)
