#include "capture/capture_options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

const char* const kCaptureUsage =
    "Usage: demo-capture [options]\n"
    "Renders the demo frame by frame, from demoTime 0 on a fixed frame grid,\n"
    "reading data/ from the working directory.\n"
    "\n"
    "  --fps N          frames per second of demo time (default 60)\n"
    "  --seed S         seed of the random generator (default 1)\n"
    "  --at T1,T2,...   write OUT/T.png for each demoTime T in milliseconds\n"
    "                   (each must lie on the frame grid); stop after the last\n"
    "  --all            write every frame as OUT/NNNNNN.png\n"
    "  --out DIR        output directory OUT (default capture)\n"
    "  --video FILE     encode an H.264 video with the soundtrack (needs ffmpeg)\n"
    "  --cues           write OUT/cues.tsv: demoTime and cue index of every cue played\n"
    "  --stats          print per-scene frame times; write nothing\n"
    "  --help           show this text\n";

namespace {
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

// Names the grid times around t when t is not one of them.
std::string offGridMessage(uint32_t t, int fps)
{
    const uint64_t n = firstFrameAtOrAfter(t, fps);
    std::string message = "--at " + std::to_string(t) + " is not on the grid of " + std::to_string(fps) +
                          " frames per second; nearest: ";
    if (n > 0) message += std::to_string(frameTime(n - 1, fps)) + " and ";
    return message + std::to_string(frameTime(n, fps));
}
}  // namespace

uint64_t firstFrameAtOrAfter(uint32_t t, int fps)
{
    const uint64_t f = static_cast<uint64_t>(fps);
    uint64_t n = static_cast<uint64_t>(t) * f / 1000;
    while (frameTime(n, fps) < t) ++n;
    return n;
}

bool parseCaptureOptions(int argc, char** argv, CaptureOptions& options, std::string& message, bool& help)
{
    help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        unsigned long number = 0;
        if (arg == "--help" || arg == "-h") {
            help = true;
            message = kCaptureUsage;
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
        } else if (arg == "--out" && hasValue) {
            options.outDir = argv[++i];
        } else if (arg == "--video" && hasValue) {
            options.video = argv[++i];
        } else {
            message = "unknown or incomplete option: " + arg + "\n\n" + kCaptureUsage;
            return false;
        }
    }
    for (uint32_t t : options.at) {
        if (frameTime(firstFrameAtOrAfter(t, options.fps), options.fps) != t) {
            message = offGridMessage(t, options.fps);
            return false;
        }
    }
    return true;
}
