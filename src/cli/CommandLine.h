#pragma once

#include "engine/CompareOptions.h"
#include "lang/LanguageId.h"

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
    // Files only in the second directory are listed unless this is given: a script must hear of
    // files a backup lacks, whichever side it names first.
    bool oneSided = false;
    bool help = false;
    bool version = false;
    // Which of the walk's options were typed; a manifest's own stand for the others.
    bool filterGiven = false;
    bool exclusionsGiven = false;
    bool recurseGiven = false;
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
