// A file past 4 GiB, made sparse so that no gigabytes are written, against a 3-byte one.

#include "support/Companion.h"
#include "support/EngineFixture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

constexpr std::int64_t kHuge = (std::int64_t{1} << 32) + 3;

class HugeFileTest : public EngineFixture {
protected:
    void SetUp() override {
        // Zero bytes on both sides, so only the length tells the two apart.
        tree.write("L/big", std::string(3, '\0'));
        const int fd = ::open(tree.path("L/big").c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        const bool sized = ::ftruncate(fd, kHuge) == 0;
        struct stat st {};
        ::fstat(fd, &st);
        ::close(fd);
        if (!sized || st.st_blocks * 512 > (std::int64_t{1} << 24)) {
            GTEST_SKIP() << "this file system holds no sparse file of " << kHuge << " bytes";
        }
        tree.write("R/big", std::string(3, '\0'));
        tree.write("L/small", std::string(3, '\0'));
        ASSERT_EQ(::link(tree.path("L/big").c_str(), tree.path("R/small").c_str()), 0);
    }
};

TEST_F(HugeFileTest, SizesPastFourGigabytesAreToldApartInBothModes) {
    for (const bool fast : {false, true}) {
        request.options.fast = fast;
        const auto body = runBody();
        const auto expected =
            fast ? std::vector<std::string>{">>>> big: different size!",
                                            ">>>> small: different size!"}
                 : std::vector<std::string>{">>>> big: 2nd file appears truncated!",
                                            ">>>> small: 1st file appears truncated!"};
        EXPECT_EQ(std::vector<std::string>(body.begin() + 1, body.begin() + 3), expected);
        EXPECT_EQ(body[5], "Compared 2 file(s);  4096.00 MB");
        EXPECT_EQ(run.state().progress.grandTotal, static_cast<double>(kHuge + 3));
        EXPECT_EQ(run.state().counters.bytesCompared, run.state().progress.grandTotal);
        expectProgressWithinBounds();
    }
    EXPECT_LT(files.counts.bytesRead, 1 << 20) << "the end of the short file ends the reading";
}

TEST_F(HugeFileTest, FileWithFileInTheEngineAndTheCompanion) {
    EXPECT_EQ(runFiles(tree.path("L/big"), tree.path("R/big"))[1],
              ">>>> big: 2nd file appears truncated!");
    request.options.fast = true;
    EXPECT_EQ(runFiles(tree.path("L/big"), tree.path("R/big"))[1], ">>>> big: different size!");
    EXPECT_EQ(runFiles(tree.path("L/small"), tree.path("R/small"))[1],
              ">>>> small: different size!");

    for (const auto& [args, line] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"L/big", "R/big"}, ">>>> big: 2nd file appears truncated!"},
             {{"L/small", "R/small"}, ">>>> small: 1st file appears truncated!"},
             {{"--fast", "L/big", "R/big"}, ">>>> big: different size!"},
             {{"--fast", "L/small", "R/small"}, ">>>> small: different size!"}}) {
        const auto r = runCompanion(args, tree.root());
        EXPECT_EQ(r.exitCode, 1) << args.back();
        EXPECT_NE(r.out.find("\n" + line + "\n"), std::string::npos) << r.out;
    }
}

} // namespace
} // namespace quorvel::test
