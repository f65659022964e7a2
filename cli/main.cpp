#include "cli/Almanac.h"
#include "platform/SystemClock.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
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

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
    // An iCalendar file has CR LF line ends of its own; text mode would double the CR.
    if (!args.empty() && args[0] == "ics") _setmode(_fileno(stdout), _O_BINARY);
#endif
    const int status = selenara::RunAlmanac(args, std::cout, std::cerr, selenara::SystemClock{});
    if (status == selenara::AlmanacDone && !CloseStandardOutput())
        return selenara::ReportWriteFailure(std::cerr, errno);
    return status;
}
