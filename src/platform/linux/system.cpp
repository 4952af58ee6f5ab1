// The operating system on Linux: POSIX, with libasound and X under SDL.
#include "platform/system.h"

#include <alsa/asoundlib.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

namespace {
constexpr int kBackgroundNice = 10;

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// The exit status in a status from system() or pclose().
int exitStatus(int status)
{
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One word for sh: single quotes keep everything but a single quote.
std::string shellWord(const std::string& text)
{
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}
}  // namespace

void setEnvironment(const char* name, const char* value, bool replace)
{
    setenv(name, value, replace);
}

void silenceSoundLibraries()
{
    // SDL opens the same libasound later, so the handler applies to its calls.
    snd_lib_error_set_handler(ignoreAlsaMessage);
}

bool programFound(const char* program)
{
    return runCommand(commandLine("command", {"-v", program}) + " >/dev/null 2>&1") == 0;
}

std::string commandLine(const std::string& program, const std::vector<std::string>& arguments)
{
    std::string line = program;
    for (const std::string& argument : arguments) line += " " + shellWord(argument);
    return line;
}

int runCommand(const std::string& line)
{
    return exitStatus(std::system(line.c_str()));
}

FILE* openPipe(const std::string& line)
{
    return popen(line.c_str(), "w");
}

int closePipe(FILE* pipe)
{
    return exitStatus(pclose(pipe));
}

std::chrono::nanoseconds threadTime()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

void runInBackground()
{
    // On Linux a thread's nice value is its own; failing, it stays as it is.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kBackgroundNice);
}
