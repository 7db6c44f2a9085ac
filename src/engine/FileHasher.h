#pragma once

#include "engine/ContentHash.h"
#include "engine/FileAccess.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quorvel {

// A file read to its end as it is now: its hash, the bytes read and when it was last changed.
struct HashedFile {
    std::optional<Hash128> hash; // nothing when it could not be read
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    int errorCode = 0;
    bool stopped = false; // the progress said to stop: nothing is vouched for
    std::string bytes;    // the contents, when asked to keep them and no longer than asked
};

// Hashes files through the engine's file access, so that only regular files are ever opened.
class FileHasher {
public:
    // Told the bytes read so far after each block; false stops the hashing there.
    using Progress = std::function<bool(std::int64_t done)>;

    explicit FileHasher(FileAccess& files);

    // A file that moved while it was read is read once more; moved again, it has no hash and the
    // reason kChangedWhileRead. Contents of at most `keepUpTo` bytes are kept with the hash.
    HashedFile hash(const std::string& path, const Progress& progress = {},
                    std::int64_t keepUpTo = 0);

private:
    HashedFile hashOnce(const std::string& path, const Progress& progress, std::int64_t keepUpTo);

    static constexpr std::int64_t kBlockBytes = std::int64_t{64} << 10;

    FileAccess& files_;
    std::unique_ptr<char[]> buffer_;
};

} // namespace quorvel
