#include "platform/StandardDescriptors.h"

// POSIX descriptors: on Windows the standard streams are handles that no
// file the program opens can take over.
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace selenara {

void OpenClosedStandardDescriptors() {
#ifndef _WIN32
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free number, which is fd, as the ones below it are open;
        // inherited, as a standard descriptor is.
        const int opened = ::open("/dev/null", O_RDONLY);  // NOLINT(android-cloexec-open)
        if (opened != fd && opened >= 0) ::close(opened);
    }
#endif
}

}  // namespace selenara
