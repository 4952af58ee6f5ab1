#include "capture/capture_options.h"

#include "core/startup.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

const char* const kVersion = TIDEGLOW_VERSION;

namespace {
// Follows "Usage: <program>".
constexpr const char* kUsage =
    " [options]\n"
    "Renders the demo frame by frame, from demoTime 0 on a fixed frame grid.\n"
    "\n"
    "  --fps N          frames per second of demo time (default 60)\n"
    "  --seed S         seed of the random generator (default 1)\n"
    "  --at T1,T2,...   write OUT/T.png for each demoTime T in milliseconds\n"
    "                   (each must lie on the frame grid); stop after the last\n"
    "  --all            write every frame as OUT/NNNNNN.png (N: frame number)\n"
    "  --out DIR        output directory OUT (default capture)\n"
    "  --video FILE     encode an H.264 video with the soundtrack (needs ffmpeg)\n"
    "  --from T --to T  write or encode only the frames with demoTime from the\n"
    "                   first up to, not including, the second (milliseconds);\n"
    "                   the soundtrack is cut to match\n"
    "  --scale N        write each pixel as N x N pixels (1 to 8, default 1)\n"
    "  --size WxH       centre the picture on a black canvas of W x H pixels;\n"
    "                   both even with --video\n"
    "  --cues           write OUT/cues.tsv: demoTime and cue index of every cue played\n"
    "  --stats          print per-scene frame times; write nothing\n"
    "  --data DIR       read DIR/data/ (default: data/ in the working directory)\n"
    "  --version        show the version\n"
    "  --help           show this text\n";

constexpr int kMaxScale = 8;
constexpr unsigned long kMaxSide = 8192;

bool parseUnsigned(const char* text, unsigned long max, unsigned long& value)
{
    if (!*text || !std::isdigit(static_cast<unsigned char>(*text))) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text, &end, 10);
    return errno == 0 && *end == '\0' && value <= max;
}

bool parseTimes(const std::string& list, std::vector<uint32_t>& times)
{
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        unsigned long t = 0;
        if (!parseUnsigned(list.substr(start, comma - start).c_str(), 0xffffffffUL, t)) return false;
        times.push_back(static_cast<uint32_t>(t));
        start = comma + 1;
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return true;
}

// "WxH", each side from 1 to kMaxSide.
bool parseSize(const std::string& text, int& width, int& height)
{
    const size_t x = text.find('x');
    unsigned long w = 0, h = 0;
    if (x == std::string::npos || !parseUnsigned(text.substr(0, x).c_str(), kMaxSide, w) ||
        !parseUnsigned(text.substr(x + 1).c_str(), kMaxSide, h) || w == 0 || h == 0)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

std::string sizeText(int width, int height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

// The name the user calls the program by: without its folder, whichever
// separator the system uses, or its extension (tideglow-capture.exe).
std::string programName(const char* argv0)
{
    std::string name = argv0;
    name.erase(0, name.find_last_of("/\\") + 1);
    return name.substr(0, name.rfind('.'));
}

// The checks that concern more than one option; an empty message when all pass.
std::string crossCheck(CaptureOptions& options, bool sized)
{
    const int scaledWidth = kScreenWidth * options.scale, scaledHeight = kScreenHeight * options.scale;
    if (!sized) {
        options.width = scaledWidth;
        options.height = scaledHeight;
    } else if (options.width < scaledWidth || options.height < scaledHeight) {
        return "--size " + sizeText(options.width, options.height) + " cannot hold the picture, which is " +
               sizeText(scaledWidth, scaledHeight) + " at --scale " + std::to_string(options.scale);
    }
    if (!options.video.empty() && (options.width % 2 || options.height % 2))
        return "--video needs an even width and height, not " + sizeText(options.width, options.height);
    if (options.from >= options.to) return "--from must come before --to";
    for (uint32_t t : options.at) {
        const std::string offGrid = offGridMessage(t, options.fps);
        if (!offGrid.empty()) return "--at " + offGrid;
        if (t < options.from || t >= options.to)
            return "--at " + std::to_string(t) + " lies outside the range of --from and --to";
    }
    return "";
}
}  // namespace

// floor(n x 1000 / fps) >= t exactly when n >= t x fps / 1000.
bool parseCaptureOptions(int argc, char** argv, CaptureOptions& options, std::string& message, bool& help)
{
    help = false;
    bool sized = false;
    const std::string program = programName(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        unsigned long number = 0;
        if (arg == "--help" || arg == "-h") {
            help = true;
            message = "Usage: " + program + kUsage;
            return false;
        } else if (arg == "--version") {
            help = true;
            message = program + " (Tideglow) " + kVersion + "\n";
            return false;
        } else if (arg == "--all") {
            options.all = true;
        } else if (arg == "--cues") {
            options.cues = true;
        } else if (arg == "--stats") {
            options.stats = true;
        } else if (arg == "--fps" && hasValue) {
            if (!parseUnsigned(argv[++i], 1000, number) || number == 0) {
                message = "--fps takes a whole number from 1 to 1000";
                return false;
            }
            options.fps = static_cast<int>(number);
        } else if (arg == "--seed" && hasValue) {
            if (!parseUnsigned(argv[++i], 0xffffffffUL, number)) {
                message = "--seed takes a whole number";
                return false;
            }
            options.seed = static_cast<unsigned>(number);
        } else if (arg == "--at" && hasValue) {
            if (!parseTimes(argv[++i], options.at)) {
                message = "--at takes demoTimes in milliseconds, separated by commas";
                return false;
            }
        } else if ((arg == "--from" || arg == "--to") && hasValue) {
            if (!parseUnsigned(argv[++i], 0xffffffffUL, number)) {
                message = arg + " takes a demoTime in milliseconds";
                return false;
            }
            (arg == "--from" ? options.from : options.to) = static_cast<uint32_t>(number);
        } else if (arg == "--scale" && hasValue) {
            if (!parseUnsigned(argv[++i], kMaxScale, number) || number == 0) {
                message = "--scale takes a whole number from 1 to " + std::to_string(kMaxScale);
                return false;
            }
            options.scale = static_cast<int>(number);
        } else if (arg == "--size" && hasValue) {
            if (!parseSize(argv[++i], options.width, options.height)) {
                message = "--size takes WIDTHxHEIGHT in pixels, each from 1 to " + std::to_string(kMaxSide);
                return false;
            }
            sized = true;
        } else if (arg == "--out" && hasValue) {
            options.outDir = argv[++i];
        } else if (arg == "--video" && hasValue) {
            options.video = argv[++i];
        } else if (arg == "--data" && hasValue) {
            options.dataDir = argv[++i];
        } else {
            message = "unknown or incomplete option: " + arg + "\n\nUsage: " + program + kUsage;
            return false;
        }
    }
    message = crossCheck(options, sized);
    return message.empty();
}
