// The standard descriptors a program may be started without.
#pragma once

namespace selenara {

// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed. Call
// it first thing in main, before anything opens a file: otherwise the next
// file or socket takes the free number, and what the program writes to
// standard error goes into it (a warning written into the display
// connection hung the window). Read-only, so that a write to an output that
// was closed still fails (EBADF) as it would have, and is reported as such.
// Nothing on Windows, where files are not numbered after the standard streams.
void OpenClosedStandardDescriptors();

}  // namespace selenara
