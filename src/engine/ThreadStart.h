#pragma once

#include <functional>
#include <optional>
#include <thread>

namespace quorvel {

// Starts `work` on a thread of its own, or gives nothing when the system has none to give (out
// of memory for a stack, out of process slots). Threads are only for speed: a caller that gets
// none does the work itself.
std::optional<std::thread> startThread(std::function<void()> work);

// While one lives, no thread is started, as on a system that refuses them; for tests.
class ThreadRefusal {
public:
    ThreadRefusal();
    ~ThreadRefusal();
    ThreadRefusal(const ThreadRefusal&) = delete;
    ThreadRefusal& operator=(const ThreadRefusal&) = delete;
};

} // namespace quorvel
