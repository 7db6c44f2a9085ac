// A folder's listing is made once for all the threads of a run and lasts only while it is held
// and the folder unchanged.

#include "engine/SharedListings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace quorvel {
namespace {

TEST(SharedListingsTest, AFolderIsListedOnceWhileHeldAndUnchanged) {
    SharedListings shared;
    const FileLook folder{{1, 2}, 4096, 3, 4};
    std::atomic<int> listings{0};
    const auto list = [&listings] {
        ++listings;
        std::this_thread::yield();
        return RegularNames{};
    };

    std::shared_ptr<const RegularNames> first;
    std::thread other([&] { first = shared.listed(folder, list); });
    auto second = shared.listed(folder, list);
    other.join();
    EXPECT_EQ(listings, 1);
    EXPECT_EQ(first, second);

    FileLook changed = folder;
    changed.modified = 5;
    EXPECT_NE(shared.listed(changed, list), first);
    EXPECT_EQ(listings, 2);

    first.reset();
    EXPECT_EQ(shared.listed(folder, list), second);
    EXPECT_EQ(listings, 2);
    second.reset();
    shared.listed(folder, list); // held by nobody: listed anew
    EXPECT_EQ(listings, 3);
}

} // namespace
} // namespace quorvel
