#pragma once

#include <cstdint>
#include <ctime>

namespace quorvel {

// The wall clock in nanoseconds since the epoch, as the file system stamps its times.
inline std::int64_t realTimeNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace quorvel
