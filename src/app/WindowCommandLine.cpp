#include "app/WindowCommandLine.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

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
accepted too, before "--" only.
)";

// The toolkit's own options; those of the first list take a value, after a blank or "=".
constexpr std::array<std::string_view, 20> kToolkitValueOptions = {
    "-style",         "-stylesheet",   "-platform",      "-platformpluginpath",
    "-platformtheme", "-plugin",       "-qmljsdebugger", "-qwindowgeometry",
    "-qwindowicon",   "-qwindowtitle", "-session",       "-display",
    "-geometry",      "-name",         "-title",         "-icon",
    "-visual",        "-ncols",        "-cmap",          "-fontengine"};
constexpr std::array<std::string_view, 7> kToolkitFlags = {
    "-widgetcount", "-reverse", "-nograb", "-dograb", "-sync", "-testability", "-dialogs"};

bool listed(std::string_view name, auto const& list) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

} // namespace

ToolkitOption toolkitOption(std::string_view arg) {
    const auto eq = arg.find('=');
    const auto name = arg.substr(0, eq);
    if (listed(name, kToolkitValueOptions)) {
        return eq == std::string_view::npos ? ToolkitOption::TakesNext : ToolkitOption::Whole;
    }
    return listed(name, kToolkitFlags) ? ToolkitOption::Whole : ToolkitOption::None;
}

WindowCommandLine parseWindowCommandLine(const std::vector<std::string>& args,
                                         bool toolkitOptionsLeft) {
    WindowCommandLine cl;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            cl.operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            cl.action = WindowCommandLine::Action::Help;
            return cl;
        } else if (arg == "--version") {
            cl.action = WindowCommandLine::Action::Version;
        } else if (const auto toolkit =
                       toolkitOptionsLeft ? toolkitOption(arg) : ToolkitOption::None;
                   toolkit != ToolkitOption::None) {
            // Left to the toolkit, its value with it.
            i += toolkit == ToolkitOption::TakesNext ? 1 : 0;
        } else {
            // Caught here, before the toolkit would abort on it without a display.
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
        return printedAll(kUsage);
    case WindowCommandLine::Action::Version:
        return printedAll("quorvel 2.1\n");
    case WindowCommandLine::Action::UsageError:
        break;
    }
    std::fprintf(stderr, "quorvel: %s\n", commandLine.error.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

int toolkitArgumentCount(int argc, const char* const* argv) {
    const auto end = std::find_if(argv + std::min(argc, 1), argv + argc,
                                  [](const char* arg) { return std::strcmp(arg, "--") == 0; });
    return static_cast<int>(end - argv);
}

int printedAll(const char* text) {
    // A help that reached nobody (a full disk, a closed output) is no success.
    if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
        const int error = errno;
        std::fprintf(stderr, "quorvel: cannot write to standard output: %s\n",
                     std::strerror(error));
        return 2;
    }
    return 0;
}

const char* windowUsage() {
    return kUsage;
}

} // namespace quorvel
