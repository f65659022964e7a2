#include "platform/StandardDescriptors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace selenara {
namespace {

// In a child started with standard error (and output) closed: after the
// call, a file opened takes no standard number, the standard ones are
// /dev/null, and writing to them fails as writing to a closed one did.
int ChildStatus(int closedUpTo) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (int fd = closedUpTo; fd <= 2; ++fd) ::close(fd);
        OpenClosedStandardDescriptors();
        const int file = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
        struct stat null {}, got {};
        if (file <= 2 || ::stat("/dev/null", &null) != 0) ::_exit(1);
        for (int fd = closedUpTo; fd <= 2; ++fd) {
            if (::fstat(fd, &got) != 0 || got.st_rdev != null.st_rdev) ::_exit(2);
            if (::write(fd, "x", 1) != -1 || errno != EBADF) ::_exit(3);
        }
        ::_exit(0);
    }
    int status = -1;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(StandardDescriptors, ClosedOnesAreNullAndTakeNoFileUnix) {
    EXPECT_EQ(ChildStatus(2), 0) << "standard error closed";
    EXPECT_EQ(ChildStatus(1), 0) << "standard output and error closed";
}

}  // namespace
}  // namespace selenara
