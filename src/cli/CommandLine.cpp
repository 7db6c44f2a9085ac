#include "cli/CommandLine.h"

#include "engine/FilterPatterns.h"
#include "lang/LanguageTable.h"

namespace quorvel {

namespace {

ParsedCommandLine usageError(std::string message) {
    return {std::nullopt, std::move(message)};
}

// Patterns given more than once add up.
void addPatterns(std::string& patterns, const std::string& more) {
    patterns += patterns.empty() ? more : ";" + more;
}

struct FoundFlag {
    const OptionRow* row;
    const OptionFlag* flag;
};

std::optional<FoundFlag> optionFlag(std::string_view name) {
    for (const auto& row : kOptionTable) {
        for (const auto& flag : row.flags) {
            if (!flag.name.empty() && flag.name == name) {
                return FoundFlag{&row, &flag};
            }
        }
    }
    return std::nullopt;
}

// A usage error comes back as its message.
std::optional<std::string> applyFlag(CommandLine& cl, const FoundFlag& found,
                                     const std::string* value, const OptionRow*& contradiction) {
    const OptionRow& row = *found.row;
    bool& given = cl.given[static_cast<std::size_t>(&row - kOptionTable.data())];
    bool setsDefault = false;
    switch (found.flag->effect) {
    case FlagEffect::On:
    case FlagEffect::Off: {
        const bool on = found.flag->effect == FlagEffect::On;
        if (given && cl.options.*row.onOff != on) {
            contradiction = &row;
        }
        cl.options.*row.onOff = on;
        setsDefault = on == CompareOptions{}.*row.onOff;
        break;
    }
    case FlagEffect::AddPatterns:
        // The first patterns typed replace the default ones.
        if (!given) {
            (cl.options.*row.patterns).clear();
        }
        addPatterns(cl.options.*row.patterns, *value);
        break;
    case FlagEffect::PatternsFromFile:
        cl.excludeFiles.push_back(*value);
        break;
    case FlagEffect::Choose: {
        const auto choice = choiceOfWord(row, *value);
        if (!choice) {
            std::string words;
            for (const auto& known : row.choices) {
                words += (words.empty() ? "" : ", ") + std::string(known.word);
            }
            return "unknown value '" + *value + "' for option '" + std::string(found.flag->name) +
                   "' (use " + words + ")";
        }
        cl.options.*row.choice = *choice;
        setsDefault = *choice == CompareOptions{}.*row.choice;
        break;
    }
    }
    given = true;
    if (row.refusedElsewhere && !setsDefault) {
        cl.directoryOption = found.flag->name;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> pathPatternError(const std::string& patterns) {
    for (const auto& pattern : filterPatterns(patterns)) {
        if (pattern.find('/') != std::string::npos) {
            return "the pattern '" + pattern +
                   "' holds '/': patterns match names, never paths (exclude the directory by "
                   "its name)";
        }
    }
    return std::nullopt;
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    bool optionsEnded = false;
    const OptionRow* contradiction = nullptr; // told once every argument is known
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            cl.paths.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // Options that take a value accept "--name VALUE" and "--name=VALUE".
        std::string name = arg;
        std::optional<std::string> value;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const auto flag = optionFlag(name);
        const bool takesValue = (flag && !flag->flag->argument.empty()) || name == "--lang" ||
                                name == "--text" || name == "--html" || name == "--json" ||
                                name == "--manifest";
        if (takesValue && !value) {
            if (i + 1 >= args.size()) {
                return usageError("option '" + name + "' requires an argument");
            }
            value = args[++i];
        } else if (!takesValue && value) {
            return usageError("option '" + name + "' doesn't allow an argument");
        }

        if (flag) {
            if (auto error = applyFlag(cl, *flag, value ? &*value : nullptr, contradiction)) {
                return usageError(std::move(*error));
            }
        } else if (name == "--lang") {
            cl.language = languageFromCode(*value);
            if (cl.language == kNoLanguage) {
                return usageError("unknown language '" + *value +
                                  "' (use eng, ita, ned, deu, dk or esp)");
            }
        } else if (name == "--text") {
            cl.textFile = *value;
        } else if (name == "--html") {
            cl.htmlFile = *value;
        } else if (name == "--json") {
            cl.jsonFile = *value;
        } else if (name == "--manifest") {
            cl.manifestFile = *value;
        } else if (name == "--left-manifest") {
            cl.leftManifest = true;
        } else if (name == "--right-manifest") {
            cl.rightManifest = true;
        } else if (name == "--force") {
            cl.force = true;
        } else if (name == "--progress") {
            cl.progress = CommandLine::Progress::On;
        } else if (name == "--no-progress") {
            cl.progress = CommandLine::Progress::Off;
        } else if (name == "-q" || name == "--quiet") {
            cl.quiet = true;
        } else if (name == "--help") {
            cl.help = true;
        } else if (name == "--version") {
            cl.version = true;
        } else {
            return usageError("unrecognized option '" + arg + "'");
        }
    }
    if (contradiction) {
        return usageError("options '" + std::string(contradiction->flags[0].name) + "' and '" +
                          std::string(contradiction->flags[1].name) + "' contradict each other");
    }
    // Containment is a run of its own, and only bytes read make a file present there.
    if (cl.options.anywhere && cl.options.moves) {
        return usageError("options '--anywhere' and '--moves' ask for two different runs");
    }
    if (cl.options.anywhere && cl.options.fast) {
        return usageError("option '--anywhere' reads the files; sizes alone are not enough");
    }
    if (cl.textFile == "-" && cl.jsonFile == "-") {
        return usageError("only one report can go to standard output");
    }
    if (const auto error = pathPatternError(cl.options.filter + ";" + cl.options.exclusions)) {
        return usageError(*error);
    }
    if (!cl.help && !cl.version && cl.manifestFile) {
        if (cl.paths.size() != 1) {
            return usageError("option '--manifest' takes one directory");
        }
        if (cl.textFile || cl.htmlFile || cl.jsonFile) {
            return usageError("option '--manifest' writes no report");
        }
        if (cl.leftManifest || cl.rightManifest) {
            return usageError("option '--manifest' reads no manifest");
        }
        return {std::move(cl), {}};
    }
    if (!cl.help && !cl.version && cl.force) {
        return usageError("option '--force' goes with '--manifest'");
    }
    if (!cl.help && !cl.version && (cl.leftManifest || cl.rightManifest) && cl.paths.size() != 2) {
        return usageError("options '--left-manifest' and '--right-manifest' take two operands");
    }
    if (!cl.help && !cl.version && cl.paths.size() < 2) {
        return usageError(cl.paths.empty() ? "missing operands"
                                           : "missing operand after '" + cl.paths.back() + "'");
    }
    return {std::move(cl), {}};
}

} // namespace quorvel
