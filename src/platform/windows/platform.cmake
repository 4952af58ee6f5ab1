# The demo (tideglow.exe) and demo-capture (tideglow-capture.exe) for 64-bit
# Windows, included by the root CMakeLists.txt when it is configured with
# toolchain.cmake and the prefix scripts/windows_libraries.sh filled
# (scripts/windows.sh does both): the desktop's SDL platform
# (platform/sdl/), SDL_gfx's line and the stb pictures from
# platform/sdl_libs/, and this folder: the system, IMG_Load, the programs'
# icon, manifest and version information. The zip's rules are
# packaging/windows/'s.
enable_language(RC)

set(WINDOWS_PREFIX "" CACHE PATH "Where SDL 1.2, libmpg123 and libjpeg were cross-built")
if(NOT WINDOWS_PREFIX)
    message(FATAL_ERROR "Set WINDOWS_PREFIX")
endif()
set(WINDOWS ${CMAKE_CURRENT_LIST_DIR})

# What the core has of SDL_image and SDL_gfx, IMG_Load and lineColor, over
# SDL and libjpeg: the libraries it links as on Linux it links the real ones.
add_library(sdl_libs_windows STATIC ${SDL_LIBS_SOURCES} ${WINDOWS}/pictures.cpp)
target_include_directories(sdl_libs_windows PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_include_directories(sdl_libs_windows PUBLIC ${PROJECT_SOURCE_DIR}/src/platform/sdl_libs/include
    ${WINDOWS_PREFIX}/include/SDL ${WINDOWS_PREFIX}/include)
target_include_directories(sdl_libs_windows SYSTEM PUBLIC /usr/include/stb)
target_link_directories(sdl_libs_windows PUBLIC ${WINDOWS_PREFIX}/lib)
target_link_libraries(sdl_libs_windows PUBLIC ${WINDOWS_PREFIX}/lib/libSDL.dll.a jpeg)
target_link_libraries(demo_core PUBLIC sdl_libs_windows)

# The desktop's platform on Windows: SDL's display and audio device with MP3
# decoding by libmpg123 (platform/sdl/), and the system through Win32.
# SDLmain's WinMain and main call the programs' main, which SDL.h renames.
# Everything is linked statically, the compiler's runtime and winpthread
# too, but the two LGPL DLLs, named by their import libraries' paths.
add_library(platform_windows STATIC ${DESKTOP_SOURCES} ${WINDOWS}/system.cpp)
target_link_libraries(platform_windows PUBLIC demo_core mingw32 SDLmain ${WINDOWS_PREFIX}/lib/libSDL.dll.a
    ${WINDOWS_PREFIX}/lib/libmpg123.dll.a jpeg -static)

# The programs' icon, from the one data/ has.
set(ICON_FILE ${CMAKE_BINARY_DIR}/tideglow.ico)
add_custom_command(OUTPUT ${ICON_FILE}
    COMMAND icotool -c -o ${ICON_FILE} ${TIDEGLOW_DATA_DIR}/icon.png
    DEPENDS ${TIDEGLOW_DATA_DIR}/icon.png)
set(MANIFEST_FILE ${WINDOWS}/tideglow.manifest)

# add_program(NAME DESCRIPTION SOURCES...): an executable with its resources.
function(add_program PROGRAM DESCRIPTION)
    configure_file(${WINDOWS}/resources.rc.in ${CMAKE_BINARY_DIR}/${PROGRAM}.rc @ONLY)
    add_executable(${PROGRAM} ${ARGN} ${CMAKE_BINARY_DIR}/${PROGRAM}.rc)
    set_source_files_properties(${CMAKE_BINARY_DIR}/${PROGRAM}.rc PROPERTIES OBJECT_DEPENDS "${ICON_FILE};${MANIFEST_FILE}")
    target_link_libraries(${PROGRAM} PRIVATE platform_windows)
    target_link_options(${PROGRAM} PRIVATE -s)
endfunction()

# The demo is a windowed program: no console window opens with it.
add_program(tideglow "Tideglow, a real-time audiovisual demo" ${PROJECT_SOURCE_DIR}/src/platform/sdl/main.cpp)
set_target_properties(tideglow PROPERTIES WIN32_EXECUTABLE ON)
add_program(tideglow-capture "Tideglow's frames, pictures and video, frame-exact"
    ${PROJECT_SOURCE_DIR}/src/capture/main.cpp ${DEMO_CAPTURE_SOURCES} ${WINDOWS}/stb_image_write.cpp)
