// `selenara-almanac now`, which a status bar runs every minute or so: it
// should finish in under 20 ms, the start of the process included.
#include "cli/Almanac.h"
#include "platform/SystemClock.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>

extern char** environ;

namespace selenara {
namespace {

// The command itself on the system clock and zone, as main() runs it.
void BM_AlmanacNow(benchmark::State& state) {
    const SystemClock clock;
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(RunAlmanac({"now"}, out, err, clock));
    }
}
BENCHMARK(BM_AlmanacNow)->Unit(benchmark::kMillisecond);

// The whole program, from its start to its exit, its output to /dev/null.
void BM_AlmanacNowProgram(benchmark::State& state) {
    char program[] = SELENARA_ALMANAC;
    char command[] = "now";
    char* argv[] = {program, command, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("selenara-almanac now failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_AlmanacNowProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace selenara
