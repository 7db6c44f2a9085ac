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
    const auto second = shared.listed(folder, list);
    other.join();
    EXPECT_EQ(listings, 1);
    EXPECT_EQ(first, second);

    FileLook changed = folder;
    changed.modified = 5;
    EXPECT_NE(shared.listed(changed, list), first);
    EXPECT_EQ(listings, 2);

    first.reset();
    const auto* held = second.get();
    EXPECT_EQ(shared.listed(folder, list).get(), held);
    EXPECT_EQ(listings, 2);
}

TEST(SharedListingsTest, AListingNobodyHoldsIsMadeAnew) {
    SharedListings shared;
    const FileLook folder{{1, 2}, 4096, 3, 4};
    int listings = 0;
    const auto list = [&listings] {
        ++listings;
        return RegularNames{};
    };
    shared.listed(folder, list);
    shared.listed(folder, list);
    EXPECT_EQ(listings, 2);
}

} // namespace
} // namespace quorvel
