# The desktop's platform on Linux, included by the root CMakeLists.txt: SDL's
# display and audio device with MP3 decoding by libmpg123 (platform/sdl/,
# which Windows shares), and the system under them (this folder: POSIX, X and
# Wayland, libasound kept quiet, the PulseAudio or PipeWire server); the demo
# and demo-capture over them.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl SDL_image SDL_gfx)
target_link_libraries(demo_core PUBLIC PkgConfig::SDL m)

pkg_check_modules(PLATFORM REQUIRED IMPORTED_TARGET libmpg123 alsa libpulse x11)
add_library(platform_linux STATIC ${DESKTOP_SOURCES} ${CMAKE_CURRENT_LIST_DIR}/lost_display.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound_server.cpp ${CMAKE_CURRENT_LIST_DIR}/system.cpp)
target_link_libraries(platform_linux PUBLIC demo_core PkgConfig::PLATFORM)

# The demo.
add_executable(demo src/platform/sdl/main.cpp)
target_link_libraries(demo PRIVATE platform_linux)
add_dependencies(demo data)

# demo-capture: the same scenes rendered frame-exact to pictures and video.
pkg_check_modules(STB REQUIRED IMPORTED_TARGET stb)
add_library(capture_core STATIC ${DEMO_CAPTURE_SOURCES})
# A video's soundtrack is decoded by the desktop's decoder.
target_link_libraries(capture_core PUBLIC platform_linux PkgConfig::STB)
add_executable(demo-capture src/capture/main.cpp)
target_link_libraries(demo-capture PRIVATE capture_core)
add_dependencies(demo-capture data)
