#pragma once

#include <string>

namespace quorvel {

// A file that another writer (a printer driver) fills under a temporary name beside its target,
// and that takes the target's place only once it is finished, as a saved report does: flushed,
// renamed over the target, the directory flushed. Until then, and if it never is, the target
// stays as it was and the temporary file is removed. A link at the target is written through.
class StagedFile {
public:
    // Throws FileWriteError naming `target` when no temporary file can be made beside it or the
    // target exists and is no regular file the user may replace.
    explicit StagedFile(std::string target);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Where the writer puts the bytes.
    const std::string& path() const { return path_; }

    // Throws FileWriteError naming the target; the temporary file is removed then.
    void commit();

private:
    std::string target_;
    std::string destination_; // the target with its links followed
    std::string path_;
    bool committed_ = false;
};

} // namespace quorvel
