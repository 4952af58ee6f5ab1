// web-jpegs DIR/a.jpg DIR/b.jpg ...: writes DIR/a.jpg.png, ... for the site.
#include "webjpegs/jpeg_to_png.h"

#include <cstdio>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::string error;
        if (!writeLosslessJpeg(argv[i], error)) {
            fprintf(stderr, "web-jpegs: %s: %s\n", argv[i], error.c_str());
            return 1;
        }
    }
    return 0;
}
