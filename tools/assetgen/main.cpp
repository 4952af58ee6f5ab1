// assetgen: writes every picture and sound of the demo, and its window icon,
// into one directory.
//
//   assetgen OUTDIR [--sheet FILE.png] [--fonts DIR]
//
// Everything is drawn and synthesised here from fixed seeds, so two runs
// write identical bytes.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "catalogue.h"
#include "pictures.h"
#include "sounds.h"

int main(int argc, char** argv) {
    std::string outDir, sheetPath, fontDir = "/usr/share/fonts/truetype/dejavu";
    bool picturesOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--sheet") && i + 1 < argc) sheetPath = argv[++i];
        else if (!std::strcmp(argv[i], "--fonts") && i + 1 < argc) fontDir = argv[++i];
        else if (!std::strcmp(argv[i], "--pictures-only")) picturesOnly = true;
        else if (outDir.empty() && argv[i][0] != '-') outDir = argv[i];
        else {
            std::fprintf(stderr, "usage: %s OUTDIR [--sheet FILE.png] [--fonts DIR] [--pictures-only]\n", argv[0]);
            return 2;
        }
    }
    if (outDir.empty()) {
        std::fprintf(stderr, "usage: %s OUTDIR [--sheet FILE.png] [--fonts DIR] [--pictures-only]\n", argv[0]);
        return 2;
    }
    mkdir(outDir.c_str(), 0755);

    auto t0 = std::chrono::steady_clock::now();
    try {
        assetgen::TextRenderer text(fontDir);
        std::vector<assetgen::Picture> pics = assetgen::makePictures(text);
        auto write = [&](const assetgen::Picture& p) {
            std::string path = outDir + "/" + p.file;
            if (assetgen::writePicture(path, p.image)) return true;
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            return false;
        };
        for (const auto& p : pics)
            if (!write(p)) return 1;
        // From the logo, which comes first (kPictures); not on the data sheet.
        if (!write({assetgen::kIcon.file, assetgen::windowIcon(pics.front().image)})) return 1;
        if (!sheetPath.empty() && !assetgen::writeSheet(sheetPath, pics, text)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", sheetPath.c_str());
            return 1;
        }
        if (!picturesOnly && !assetgen::writeSounds(outDir)) return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("assetgen: wrote data to %s in %.2f s\n", outDir.c_str(), secs);
    return 0;
}
