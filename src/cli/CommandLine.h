#pragma once

#include "engine/CompareOptions.h"
#include "lang/LanguageId.h"
#include "options/OptionTable.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// What the command line asks for, before any path is looked at.
struct CommandLine {
    enum class Progress { Auto, On, Off };

    CompareOptions options;
    LanguageId language = kEnglish;
    Progress progress = Progress::Auto;
    bool quiet = false;
    bool help = false;
    bool version = false;
    // Which options were typed, in the order of their rows: a manifest's own stand for the
    // others, and both sides are the companion's default unless that option was typed.
    std::array<bool, kOptionCount> given{};
    std::optional<std::string> textFile; // "-" for standard output
    std::optional<std::string> htmlFile;
    std::optional<std::string> jsonFile;     // "-" for standard output
    std::optional<std::string> manifestFile; // write the tree's manifest there ("-" too)
    bool force = false;                      // the manifest may replace an existing file
    bool leftManifest = false;               // read that operand as a manifest, whatever it is
    bool rightManifest = false;
    std::vector<std::string> paths;
    // Files of exclusion patterns, one a line, read before the run.
    std::vector<std::string> excludeFiles;
    // The last option given that only a comparison of two directories takes, if any.
    std::string directoryOption;

    template <class T>
    bool typed(T CompareOptions::*member) const {
        return given[static_cast<std::size_t>(&optionRow(member) - kOptionTable.data())];
    }
};

// Parses the arguments after the program name; a usage error comes back as its message.
struct ParsedCommandLine {
    std::optional<CommandLine> commandLine;
    std::string error;
};
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

// The usage error of a pattern among `patterns` (";" between them) that holds a '/', which no
// name can match.
std::optional<std::string> pathPatternError(const std::string& patterns);

} // namespace quorvel
