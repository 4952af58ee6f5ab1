# The demo for the browser, included by the root CMakeLists.txt when it is
# configured with emscripten's toolchain file (scripts/web.sh does it): the
# portable core over this folder's own SDL layer (include/SDL.h) and
# platform/sdl_libs/ in place of SDL_image and SDL_gfx; demo-web with the
# layer, its sound device and files and the page's entry points; the
# worklet's mix; the page.
set(WEB_SITE_DIR ${CMAKE_BINARY_DIR}/site CACHE PATH "Where the site is assembled")
set(WEB ${CMAKE_CURRENT_LIST_DIR})

target_include_directories(demo_core BEFORE PUBLIC ${WEB}/include ${PROJECT_SOURCE_DIR}/src/platform/sdl_libs/include)
target_include_directories(demo_core SYSTEM PUBLIC /usr/include/stb)
# Emscripten's default stack is 64 KB in newer releases (Debian 13's; it was
# 5 MB in Debian 12's): a frame that large would overwrite the data below it.
target_compile_options(demo_core PUBLIC -Wframe-larger-than=16384 -O3)

add_executable(demo-web ${SDL_LIBS_SOURCES} ${WEB}/audio_device.cpp ${WEB}/main.cpp ${WEB}/mix_batch.cpp
    ${WEB}/pcm_samples.cpp ${WEB}/picture_files.cpp ${WEB}/sdl_layer.cpp ${WEB}/sound_files.cpp ${WEB}/surface_ops.cpp)
target_link_libraries(demo-web PRIVATE demo_core)
set(EXPORTS _webSetGrid _webOffGrid _webGridSeed _webLoad _webRecord _webReaches _webWarpFieldRoom _webTakeWarpField _webJump _webWaiting _webPaused
    _webShownTime _webSceneStart _webLastFrameTime _webDrawFirstFrame _webBegin _webStep _webPause _webTicks _webEnd
    _webKey _webGridFrame _webDemoTime _webPresent _webSoundFileName _webSoundFile _webSampleRoom _webTakeSamples
    _webTakeMixCommands _webMixCommands)
list(JOIN EXPORTS "," EXPORT_LIST)
target_link_options(demo-web PRIVATE -O3
    -sMODULARIZE=1 -sEXPORT_NAME=createDemo -sENVIRONMENT=web
    -sINITIAL_MEMORY=64MB -sALLOW_MEMORY_GROWTH=1
    -sEXPORTED_FUNCTIONS=${EXPORT_LIST} -sEXPORTED_RUNTIME_METHODS=HEAPU8,HEAPF32,UTF8ToString,ccall
    --preload-file ${TIDEGLOW_DATA_DIR}@/data)
set_target_properties(demo-web PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${WEB_SITE_DIR})

# The page's recording worker: the warp's fields of the player's recording
# worked out beside the page (recording_worker.cpp), on the same core and
# layer, without the page's data.
add_executable(recording-worker-wasm ${SDL_LIBS_SOURCES} ${WEB}/picture_files.cpp ${WEB}/recording_worker.cpp
    ${WEB}/sdl_layer.cpp ${WEB}/surface_ops.cpp)
target_link_libraries(recording-worker-wasm PRIVATE demo_core)
target_link_options(recording-worker-wasm PRIVATE -O3
    -sMODULARIZE=1 -sEXPORT_NAME=createRecordingWorker -sENVIRONMENT=worker -sALLOW_MEMORY_GROWTH=1
    -sEXPORTED_FUNCTIONS=_workerStart,_workerNextField,_workerField -sEXPORTED_RUNTIME_METHODS=HEAPU8)
set_target_properties(recording-worker-wasm PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${WEB_SITE_DIR})

# The mix for the page's audio worklet, which instantiates it by itself: a
# bare WebAssembly module of the portable mix, without emscripten's loader.
add_executable(sound-mix ${PROJECT_SOURCE_DIR}/src/sound/device_mix.cpp ${PROJECT_SOURCE_DIR}/src/sound/mix_clock.cpp
    ${PROJECT_SOURCE_DIR}/src/sound/sound_mix.cpp ${WEB}/mix_batch.cpp ${WEB}/worklet_mix.cpp)
target_include_directories(sound-mix PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_options(sound-mix PRIVATE -O3 -fno-exceptions)
target_link_options(sound-mix PRIVATE -O3 -sSTANDALONE_WASM --no-entry -sALLOW_MEMORY_GROWTH=1
    -sEXPORTED_FUNCTIONS=_mixInbox,_mixTake,_mixSetDelay,_mixFill)
set_target_properties(sound-mix PROPERTIES SUFFIX ".wasm" RUNTIME_OUTPUT_DIRECTORY ${WEB_SITE_DIR})

# The pages beside the program, copied on every build: a page edited alone
# relinks nothing that a step after the link could hang on.
file(GLOB PAGES CONFIGURE_DEPENDS ${WEB}/site/*)
add_custom_target(site-pages ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${WEB_SITE_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PAGES} ${WEB_SITE_DIR}/)
