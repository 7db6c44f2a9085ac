#include "cli/PatternFile.h"

#include <cerrno>
#include <fstream>
#include <sys/stat.h>

namespace quorvel {

PatternFile readPatternFile(const std::string& path) {
    PatternFile read;
    // Read as a stream, so that "<(generate-patterns)" works too; never a directory.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        read.errorCode = errno;
        return read;
    }
    if (S_ISDIR(st.st_mode)) {
        read.errorCode = EISDIR;
        return read;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        read.errorCode = errno != 0 ? errno : EIO;
        return read;
    }
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        read.patterns += read.patterns.empty() ? line : ";" + line;
    }
    if (in.bad()) {
        read.errorCode = EIO;
    }
    return read;
}

} // namespace quorvel
