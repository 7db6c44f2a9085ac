#include "engine/FileHasher.h"

#include "engine/PairRecord.h"

#include <cerrno>

namespace quorvel {

FileHasher::FileHasher(FileAccess& files)
    : files_(files), buffer_(std::make_unique<char[]>(kBlockBytes)) {}

HashedFile FileHasher::hash(const std::string& path, const Progress& progress,
                            std::int64_t keepUpTo) {
    auto result = hashOnce(path, progress, keepUpTo);
    if (result.errorCode == kChangedWhileRead) {
        result = hashOnce(path, progress, keepUpTo);
    }
    return result;
}

HashedFile FileHasher::hashOnce(const std::string& path, const Progress& progress,
                                std::int64_t keepUpTo) {
    HashedFile result;
    auto file = files_.openFile(path, nullptr);
    if (!file.isOpen()) {
        // Something that is not a regular file has no contents to vouch for.
        result.errorCode = file.problem.errorCode != 0 ? file.problem.errorCode : EINVAL;
        return result;
    }
    result.modifiedNanoseconds = file.modifiedWhenOpened;
    ContentHash content;
    for (;;) {
        const auto read = files_.readBlock(file, buffer_.get(), kBlockBytes);
        if (read.count < 0) {
            result.errorCode = read.errorCode != 0 ? read.errorCode : EIO;
            return result;
        }
        content.add({buffer_.get(), static_cast<std::size_t>(read.count)});
        result.size += read.count;
        if (result.size <= keepUpTo) {
            result.bytes.append(buffer_.get(), static_cast<std::size_t>(read.count));
        } else if (!result.bytes.empty()) {
            result.bytes = {}; // longer than asked: none of it is kept
        }
        if (progress && !progress(result.size)) {
            result.stopped = true;
            return result;
        }
        if (read.count < kBlockBytes) {
            break;
        }
    }
    if (files_.changedSinceOpened(file)) {
        result.errorCode = kChangedWhileRead;
        result.bytes.clear();
        return result;
    }
    result.hash = content.digest();
    return result;
}

} // namespace quorvel
