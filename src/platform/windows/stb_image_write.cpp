// stb_image_write's code, which Debian ships built (libstb) and a Windows
// build compiles itself, for demo-capture's pictures.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
