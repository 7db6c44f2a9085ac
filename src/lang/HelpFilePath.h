#pragma once

#include "lang/LanguageId.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The help file of language `id` in `programDirectory` (which carries no trailing "/"): English is
// taken without looking; another language's own file when it is a regular file there, else the
// English path. No value for an id that is not a language: the help file stays as it was.
std::optional<std::string> helpFilePath(const std::string& programDirectory, LanguageId id);

// Where a help file is looked for, in order: the path as given, then a file of the same name in
// `installedHelpFolder` (skipped when that folder is empty or the path names no file).
std::vector<std::string> helpFileCandidates(const std::string& helpFile,
                                            const std::string& installedHelpFolder);

// The first candidate that is a regular file, or no value.
std::optional<std::string> findHelpFile(const std::vector<std::string>& candidates);

} // namespace quorvel
