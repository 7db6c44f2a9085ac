#include "report/DescriptorPath.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace quorvel {
namespace {

TEST(DescriptorPath, NamesOfOurOwnOpenDescriptors) {
    const std::string ownProcess = "/proc/" + std::to_string(::getpid()) + "/fd/";
    EXPECT_EQ(descriptorNamedBy("/dev/stdin"), 0);
    EXPECT_EQ(descriptorNamedBy("/dev/stdout"), 1);
    EXPECT_EQ(descriptorNamedBy("/dev/stderr"), 2);
    EXPECT_EQ(descriptorNamedBy("/dev/fd/3"), 3);
    EXPECT_EQ(descriptorNamedBy("/proc/self/fd/12"), 12);
    EXPECT_EQ(descriptorNamedBy(ownProcess + "7"), 7);

    for (const std::string path : {"/dev/stdout/x", "dev/stdout", "/dev/stdoutx", "/dev/fd/",
                                   "/dev/fd/-1", "/dev/fd/+1", "/dev/fd/1x", "/dev/fd/99999999999",
                                   "/proc/self/fd", "/proc/self/fdinfo/1", "/dev/full"}) {
        EXPECT_EQ(descriptorNamedBy(path), std::nullopt) << path;
    }
    // Another process's descriptors are not ours to write through.
    if (::getpid() != 1) {
        EXPECT_EQ(descriptorNamedBy("/proc/1/fd/1"), std::nullopt);
    }
}

} // namespace
} // namespace quorvel
