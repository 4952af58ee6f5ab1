# The desktop's SDL 1.2 platform, relative to this folder, as Linux and
# Windows both build it; each adds its own system (platform/<system>/) and
# the front ends' main.cpp.
set(DESKTOP_SOURCES
    audio_device.cpp
    display.cpp
    sound_files.cpp
)
