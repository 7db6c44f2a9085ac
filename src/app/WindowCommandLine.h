#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What the window's command line asks for.
struct WindowCommandLine {
    enum class Action { Open, Help, Version, UsageError };

    Action action = Action::Open;
    std::vector<std::string> operands;
    std::string error; // the usage error's message, without the program name
};

// Parses the arguments after the program name. Before the toolkit has taken its own options
// (`-style`, `-platform` and the like, with one dash), `toolkitOptionsLeft` lets them pass; after,
// an option of one dash is unknown too. "--" ends the options.
WindowCommandLine parseWindowCommandLine(const std::vector<std::string>& args,
                                         bool toolkitOptionsLeft);

// Answers help, the version and a usage error on the terminal and gives the exit status; nothing
// when the window is to open.
std::optional<int> answerInTerminal(const WindowCommandLine& commandLine);

// Writes `text` to standard output whole: 0, or 2 with the reason on standard error.
int printedAll(const char* text);

// How many of the arguments, the program's name first, the toolkit may take its options from:
// those before "--". After it everything is an operand, "-reverse" and "-style" too.
int toolkitArgumentCount(int argc, const char* const* argv);

// Whether an argument is one of the toolkit's own options, and whether its value is the next one.
enum class ToolkitOption { None, Whole, TakesNext };
ToolkitOption toolkitOption(std::string_view arg);

// The terminal help of `quorvel --help`, in English like the companion's.
const char* windowUsage();

} // namespace quorvel
