#include "app/WindowCommandLine.h"

#include <cstdio>

namespace quorvel {

namespace {

const char* const kUsage =
    R"(Usage: quorvel [LEFT [RIGHT]]
       quorvel FILE... DIRECTORY
Open the comparison window on two directories, two files, or files of one
directory with their namesakes in another directory, ready to start.

  LEFT RIGHT          two directories: directory with directory;
                      two files: file with file, each file selected
  FILE... DIRECTORY   files of one directory, selected, with their namesakes
                      in DIRECTORY
  LEFT                a directory alone goes to the left panel

      --help          show this help and exit
      --version       show the version and exit

Without operands the window opens on the directories of the last session.
A path that cannot be read is named in an error box, and the window opens as
without operands. The toolkit's own options (-style, -platform, ...) are
accepted too.
)";

} // namespace

WindowCommandLine parseWindowCommandLine(const std::vector<std::string>& args,
                                         bool toolkitOptionsLeft) {
    WindowCommandLine cl;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            cl.operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            cl.action = WindowCommandLine::Action::Help;
            return cl;
        } else if (arg == "--version") {
            cl.action = WindowCommandLine::Action::Version;
        } else if (!toolkitOptionsLeft || arg.starts_with("--")) {
            cl.action = WindowCommandLine::Action::UsageError;
            cl.error = "unrecognized option '" + arg + "'";
            return cl;
        }
    }
    return cl;
}

std::optional<int> answerInTerminal(const WindowCommandLine& commandLine) {
    switch (commandLine.action) {
    case WindowCommandLine::Action::Open:
        return std::nullopt;
    case WindowCommandLine::Action::Help:
        std::fputs(kUsage, stdout);
        return 0;
    case WindowCommandLine::Action::Version:
        std::puts("quorvel 2.1");
        return 0;
    case WindowCommandLine::Action::UsageError:
        break;
    }
    std::fprintf(stderr, "quorvel: %s\n", commandLine.error.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

const char* windowUsage() {
    return kUsage;
}

} // namespace quorvel
