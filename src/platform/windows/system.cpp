// The operating system on Windows: the C runtime's environment, Win32's
// processes and pipes.
#include "platform/system.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <map>

void setEnvironment(const char* name, const char* value, bool replace)
{
    // Through the C runtime, whose copy of the environment SDL reads.
    if (replace || !getenv(name)) _putenv((std::string(name) + "=" + value).c_str());
}

// Windows keeps a window system for as long as a program runs.
void endOnLostDisplay(DisplayLost) {}
void checkCompositorAfterQuit() {}

// The system's sound (DirectSound, waveOut) writes nothing on stderr.
void silenceSoundLibraries() {}
bool soundServerIsPipeWire()
{
    return false;
}

bool programFound(const char* program)
{
    char found[MAX_PATH];
    return SearchPathA(nullptr, program, ".exe", MAX_PATH, found, nullptr) > 0;
}

// Each argument in double quotes, read back by the program's C runtime as
// one word: backslashes are literal except before a quote. No command
// interpreter reads the line (see startProgram), so nothing else is special.
std::string commandLine(const std::string& program, const std::vector<std::string>& arguments)
{
    std::string line = program;
    for (const std::string& argument : arguments) {
        line += " \"";
        size_t backslashes = 0;
        for (char c : argument) {
            if (c == '\\') {
                ++backslashes;
            } else {
                if (c == '"') line.append(backslashes + 1, '\\');
                backslashes = 0;
            }
            line += c;
        }
        line.append(backslashes, '\\');
        line += '"';
    }
    return line;
}

namespace {
// Starts the command line's program straight, found as CreateProcess finds
// it, not through cmd.exe, which would expand %NAME% even inside quotes. A
// given standard input is inherited; the rest stay the console's.
HANDLE startProgram(const std::string& line, HANDLE input)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input ? input : GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::string writable = line;
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int waitForExit(HANDLE process)
{
    DWORD status = 1;
    WaitForSingleObject(process, INFINITE);
    GetExitCodeProcess(process, &status);
    CloseHandle(process);
    return static_cast<int>(status);
}

// The program behind each open pipe.
std::map<FILE*, HANDLE> pipePrograms;
}  // namespace

int runCommand(const std::string& line)
{
    HANDLE process = startProgram(line, nullptr);
    return process ? waitForExit(process) : -1;
}

FILE* openPipe(const std::string& line)
{
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0)) return nullptr;
    // Only the program's end is inherited: with ours, it would never see
    // the end of its input.
    SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE process = startProgram(line, readEnd);
    CloseHandle(readEnd);
    // Binary: in text mode every byte 10 of a frame would gain a 13 before it.
    const int fd = process ? _open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_BINARY) : -1;
    FILE* pipe = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
    if (!pipe) {
        if (fd >= 0) _close(fd);
        else CloseHandle(writeEnd);
        if (process) {
            TerminateProcess(process, 1);
            CloseHandle(process);
        }
        return nullptr;
    }
    pipePrograms[pipe] = process;
    return pipe;
}

int closePipe(FILE* pipe)
{
    const HANDLE process = pipePrograms[pipe];
    pipePrograms.erase(pipe);
    fclose(pipe);
    return waitForExit(process);
}

// GetThreadTimes counts in scheduler ticks (15.6 ms): the wall clock instead.
std::chrono::nanoseconds threadTime()
{
    return std::chrono::steady_clock::now().time_since_epoch();
}

void runInBackground()
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}
