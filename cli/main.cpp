#include "cli/Almanac.h"
#include "platform/StandardDescriptors.h"
#include "platform/SystemClock.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

int CloseStdoutDescriptor() {
#ifdef _WIN32
    return _close(_fileno(stdout));
#else
    return close(STDOUT_FILENO);
#endif
}

// Flushes and closes standard output, so that a write that fails only now
// (the last buffer to a full disk, an error a network file system kept for
// the close) is still reported. Returns false with errno holding the reason,
// or 0 when there is none.
bool CloseStandardOutput() {
    errno = 0;
    if (!std::cout.flush() || std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return false;
    // A descriptor closed from the start is no failure when nothing was written.
    errno = 0;
    return CloseStdoutDescriptor() == 0 || errno == EBADF;
}

#ifdef _WIN32
// The same bytes as on every other system: UTF-8 with LF line ends (an
// iCalendar file has CR LF of its own, which text mode would double), and a
// console that shows the UTF-8 as long as the program runs.
class WindowsOutput {
public:
    WindowsOutput() : consoleCodePage_(GetConsoleOutputCP()) {
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
        if (consoleCodePage_ != 0) SetConsoleOutputCP(CP_UTF8);
    }
    ~WindowsOutput() {
        if (consoleCodePage_ != 0) SetConsoleOutputCP(consoleCodePage_);
    }
    WindowsOutput(const WindowsOutput&) = delete;
    WindowsOutput& operator=(const WindowsOutput&) = delete;

private:
    UINT consoleCodePage_;  // 0 without a console
};
#endif

}  // namespace

int main(int argc, char** argv) {
    // The zone data is read before anything is written.
    selenara::OpenClosedStandardDescriptors();
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
    const WindowsOutput output;
#endif
    const selenara::SystemClock clock{selenara::ZoneNamedByTz(std::getenv("TZ"))};
    const int status = selenara::RunAlmanac(args, std::cout, std::cerr, clock);
    if (status == selenara::AlmanacDone && !CloseStandardOutput())
        return selenara::ReportWriteFailure(std::cerr, errno);
    return status;
}
