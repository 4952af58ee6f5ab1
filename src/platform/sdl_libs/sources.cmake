# SDL_image's and SDL_gfx's part that the web and Windows build in place of
# the libraries, relative to this folder: SDL_gfx's line and primitives, the
# pictures through stb.
set(SDL_LIBS_SOURCES
    gfx_line.cpp
    gfx_primitives.cpp
    stb_pictures.cpp
)
