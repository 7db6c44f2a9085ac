#include "engine/ThreadStart.h"

#include <atomic>
#include <new>
#include <system_error>

namespace quorvel {

namespace {

std::atomic<int> refusals = 0;

} // namespace

std::optional<std::thread> startThread(std::function<void()> work) {
    if (refusals.load() > 0) {
        return std::nullopt;
    }
    try {
        return std::thread(std::move(work));
    } catch (const std::system_error&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

ThreadRefusal::ThreadRefusal() {
    ++refusals;
}

ThreadRefusal::~ThreadRefusal() {
    --refusals;
}

} // namespace quorvel
