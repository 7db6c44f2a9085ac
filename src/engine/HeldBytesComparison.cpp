#include "engine/HeldBytesComparison.h"

#include "engine/FileAccess.h"
#include "engine/PairRecord.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quorvel {

namespace {

HeldBytesComparison compareOnce(FileAccess& files, const std::string& path, std::string_view held,
                                char* buffer, std::int64_t bufferSize) {
    using Outcome = HeldBytesComparison::Outcome;
    auto file = files.openFile(path, nullptr);
    if (!file.isOpen()) {
        return {Outcome::Unreadable, file.problem.errorCode, file.problem.missing};
    }
    const auto heldSize = static_cast<std::int64_t>(held.size());
    if (file.sizeWhenOpened >= 0 && file.sizeWhenOpened != heldSize) {
        return {Outcome::Unequal};
    }
    std::int64_t done = 0;
    for (;;) {
        // One byte beyond what is held shows a file that grew.
        const auto wanted = std::min(bufferSize, heldSize - done + 1);
        const auto read = files.readBlock(file, buffer, wanted);
        if (read.count < 0) {
            return {Outcome::Unreadable, read.errorCode != 0 ? read.errorCode : EIO};
        }
        if (done + read.count > heldSize ||
            std::memcmp(buffer, held.data() + done, static_cast<std::size_t>(read.count)) != 0) {
            return {Outcome::Unequal};
        }
        done += read.count;
        if (read.count < wanted) {
            break;
        }
    }
    if (files.changedSinceOpened(file)) {
        return {Outcome::Unreadable, kChangedWhileRead};
    }
    return {done == heldSize ? Outcome::Equal : Outcome::Unequal};
}

} // namespace

HeldBytesComparison compareWithHeld(FileAccess& files, const std::string& path,
                                    std::string_view held, char* buffer, std::int64_t bufferSize) {
    auto compared = compareOnce(files, path, held, buffer, bufferSize);
    if (compared.errorCode == kChangedWhileRead) {
        compared = compareOnce(files, path, held, buffer, bufferSize);
    }
    return compared;
}

} // namespace quorvel
