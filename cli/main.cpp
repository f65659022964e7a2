#include "cli/Almanac.h"
#include "platform/SystemClock.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return selenara::RunAlmanac(args, std::cout, std::cerr, selenara::SystemClock{});
}
