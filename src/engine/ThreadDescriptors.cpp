#include "engine/ThreadDescriptors.h"

#include <sched.h>
#include <unistd.h>

namespace quorvel {

void useOwnDescriptorTable() {
#if !defined(__SANITIZE_THREAD__)
    // ThreadSanitizer takes descriptors to be the process's, and would see the same number in two
    // tables as one descriptor shared.
    if (::unshare(CLONE_FILES) == 0) {
        ::close_range(3, ~0U, 0);
    }
#endif
}

} // namespace quorvel
