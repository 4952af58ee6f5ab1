#include "capture/progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {
constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRefresh = std::chrono::milliseconds(200);
constexpr auto kLogRefresh = std::chrono::seconds(5);  // when stderr is a log, not a terminal
constexpr int kBarWidth = 30;
}  // namespace

Progress::Progress(uint64_t total) : total(std::max<uint64_t>(total, 1)), onTerminal(isatty(STDERR_FILENO)) {}

void Progress::update(uint64_t done)
{
    const Clock::time_point now = Clock::now();
    if (now - start < kQuietStart || now - lastShown < (onTerminal ? kRefresh : kLogRefresh)) return;
    lastShown = now;
    shown = true;
    const double seconds = std::chrono::duration<double>(now - start).count();
    const double fps = done / seconds;
    const double left = fps > 0 ? (total - std::min(done, total)) / fps : 0;
    const int filled = static_cast<int>(kBarWidth * std::min(done, total) / total);
    char bar[kBarWidth + 1];
    for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kBarWidth] = '\0';
    fprintf(stderr, "%s[%s] %llu/%llu frames  %.0f fps  %.0f s left %s", onTerminal ? "\r" : "", bar, static_cast<unsigned long long>(done),
            static_cast<unsigned long long>(total), fps, left, onTerminal ? "" : "\n");
    fflush(stderr);
}

void Progress::finish()
{
    if (shown && onTerminal) fprintf(stderr, "\n");
}
