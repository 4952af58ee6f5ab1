# The portable sources, relative to src/: everything every build of the demo
# compiles, whatever its platform. Each build adds one platform folder
# (platform/*/) and its front end's main.cpp.
set(DEMO_PORTABLE_SOURCES
    globals.cpp
    random.cpp
    core/clock.cpp
    core/events.cpp
    core/frame.cpp
    core/frame_grid.cpp
    core/frame_loop.cpp
    core/picture_check.cpp
    core/present.cpp
    core/scene_fire.cpp
    core/scene_fountain.cpp
    core/scene_helpers.cpp
    core/scene_lines.cpp
    core/scene_noise.cpp
    core/scene_title.cpp
    core/scene_warp.cpp
    core/startup.cpp
    effects/bump_warp_effect.cpp
    effects/fire_effect.cpp
    effects/fountain_effect.cpp
    effects/lines_effect.cpp
    effects/noise_effect.cpp
    effects/picture_blit.cpp
    effects/zoom_blend_effect.cpp
    sound/device_mix.cpp
    sound/mix_clock.cpp
    sound/null_devices.cpp
    sound/sound.cpp
    sound/sound_mix.cpp
    # The player over the core: its keys, its bar, its recording.
    player/grid.cpp
    player/player.cpp
    player/player_bar.cpp
    player/player_keys.cpp
    player/recorder.cpp
    player/row_team.cpp
    player/snapshot.cpp
    player/warp_recording.cpp
)
# demo-capture's own, beside its main.cpp.
set(DEMO_CAPTURE_SOURCES
    capture/capture_options.cpp
    capture/frame_canvas.cpp
    capture/frame_output.cpp
    capture/frame_stats.cpp
    capture/progress.cpp
)

# The effects' pixel loops are vectorised only at -O3 (-O2 vectorises no loop
# of unknown length); nothing else in the demo is hot enough to need it.
set(DEMO_EFFECT_SOURCES ${DEMO_PORTABLE_SOURCES})
list(FILTER DEMO_EFFECT_SOURCES INCLUDE REGEX "^effects/")
