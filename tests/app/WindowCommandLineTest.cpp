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
        {"a toolkit option passes first", {"-style", "fusion"}, true, Action::Open, {"fusion"}},
        {"one dash is unknown after the toolkit", {"-x", "a"}, false, Action::UsageError, {}},
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

    r = test::runChild({QUORVEL_WINDOW_BIN, "a", "--frob", "b"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string("quorvel: unrecognized option '--frob'\n") + windowUsage());
}

} // namespace
} // namespace quorvel
