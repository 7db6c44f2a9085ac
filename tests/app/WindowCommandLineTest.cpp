#include "app/WindowCommandLine.h"
#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

using V = std::vector<std::string>;
using Action = WindowCommandLine::Action;

TEST(WindowCommandLine, OptionsBeforeAndAfterTheToolkitHasTakenItsOwn) {
    struct Row {
        const char* name;
        V args;
        bool toolkitOptionsLeft;
        Action action;
        V operands;
    };
    const Row rows[] = {
        {"two operands", {"a", "b"}, false, Action::Open, {"a", "b"}},
        {"a double dash ends the options",
         {"--", "--help", "-x"},
         false,
         Action::Open,
         {"--help", "-x"}},
        {"help wherever it stands", {"a", "--help", "b"}, false, Action::Help, {}},
        {"version", {"--version"}, true, Action::Version, {}},
        {"a toolkit option passes first, its value with it",
         {"-style", "fusion", "a", "-reverse", "-platform=offscreen"},
         true,
         Action::Open,
         {"a"}},
        {"an option the toolkit does not know is told before it starts",
         {"-x", "a"},
         true,
         Action::UsageError,
         {}},
        {"one dash is unknown after the toolkit", {"-style", "a"}, false, Action::UsageError, {}},
        {"an unknown long option", {"--frob", "--help"}, true, Action::UsageError, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const WindowCommandLine cl = parseWindowCommandLine(row.args, row.toolkitOptionsLeft);
        EXPECT_EQ(cl.action, row.action);
        if (row.action == Action::Open) {
            EXPECT_EQ(cl.operands, row.operands);
        }
    }
}

TEST(WindowCommandLine, TheToolkitSeesNothingAfterTheDoubleDash) {
    const char* const args[] = {"quorvel", "-style", "fusion", "--", "-reverse", "other"};
    EXPECT_EQ(toolkitArgumentCount(6, args), 3);
    EXPECT_EQ(toolkitArgumentCount(3, args), 3);
    EXPECT_EQ(toolkitArgumentCount(1, args), 1);
}

TEST(WindowCommandLine, HelpVersionAndAWrongOptionNeedNoDisplay) {
    test::ScopedEnvironment environment;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.unset(name);
    }
    test::TempTree tree;

    auto r = test::runChild({QUORVEL_WINDOW_BIN, "--help"}, tree.root());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, windowUsage());
    EXPECT_EQ(r.err, "");

    r = test::runChild({QUORVEL_WINDOW_BIN, "--version"}, tree.root());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "quorvel 2.1\n");

    for (const char* wrong : {"--frob", "-x"}) {
        r = test::runChild({QUORVEL_WINDOW_BIN, "a", wrong, "b"}, tree.root());
        EXPECT_EQ(r.exitCode, 2) << wrong;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err,
                  "quorvel: unrecognized option '" + std::string(wrong) + "'\n" + windowUsage());
    }

    // Help that reaches nobody is no success.
    r = test::runChild({"/bin/sh", "-c", "exec \"$0\" --help >/dev/full", QUORVEL_WINDOW_BIN},
                       tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "quorvel: cannot write to standard output: No space left on device\n");
}

} // namespace
} // namespace quorvel
