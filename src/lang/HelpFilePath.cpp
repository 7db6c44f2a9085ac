#include "lang/HelpFilePath.h"

#include "lang/LanguageTable.h"

#include <sys/stat.h>

namespace quorvel {

namespace {

// A directory, a FIFO or a device of that name is no help file; stat never opens it.
bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::optional<std::string> helpFilePath(const std::string& programDirectory, LanguageId id) {
    const std::optional<LanguageRecord> record = languageRecord(id);
    if (!record) {
        return std::nullopt;
    }
    const std::string english =
        programDirectory + std::string(languageRecord(kEnglish)->helpFileName);
    if (id == kEnglish) {
        return english;
    }
    std::string own = programDirectory + std::string(record->helpFileName);
    return isRegularFile(own) ? own : english;
}

std::vector<std::string> helpFileCandidates(const std::string& helpFile,
                                            const std::string& installedHelpFolder) {
    std::vector<std::string> candidates{helpFile};
    const std::size_t slash = helpFile.rfind('/');
    const std::string name = slash == std::string::npos ? helpFile : helpFile.substr(slash + 1);
    if (installedHelpFolder.empty() || name.empty() || name == "." || name == "..") {
        return candidates;
    }
    std::string installed = installedHelpFolder;
    if (installed.back() != '/') {
        installed += '/';
    }
    installed += name;
    if (installed != helpFile) {
        candidates.push_back(installed);
    }
    return candidates;
}

std::optional<std::string> findHelpFile(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) {
        if (!candidate.empty() && isRegularFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace quorvel
