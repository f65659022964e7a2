#include "cli/Almanac.h"
#include "platform/SystemClock.h"

#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
    // An iCalendar file has CR LF line ends of its own; text mode would double the CR.
    if (!args.empty() && args[0] == "ics") _setmode(_fileno(stdout), _O_BINARY);
#endif
    return selenara::RunAlmanac(args, std::cout, std::cerr, selenara::SystemClock{});
}
