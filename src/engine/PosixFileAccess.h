#pragma once

#include "engine/FileAccess.h"
#include "engine/OpenDirectories.h"
#include "engine/ReadAheadQueue.h"
#include "engine/ReadAheadSwitch.h"

#include <string>
#include <string_view>

namespace quorvel {

// The file system through POSIX calls, with the speed work split by job: kept directories and
// their listings (OpenDirectories), sorted listings (SortedListing), files opened ahead
// (ReadAheadQueue) and the choice whether that pays (ReadAheadSwitch). This class opens and reads.
class PosixFileAccess : public FileAccess {
public:
    using ReadAheadMode = ReadAheadSwitch::Mode;
    explicit PosixFileAccess(ReadAheadMode mode = ReadAheadMode::WhenNotCached);

    LookedUpFile lookUpFile(const std::string& path) override;
    OpenedFile openFile(const std::string& path, const DirectoryEntry* listed) override;
    BlockRead readBlock(OpenedFile& file, char* buffer, std::int64_t size) override;
    void willRead(const std::string& directory, std::string_view name, bool listed) override;
    void forgetCaches() override;
    DirectoryListing listDirectory(const std::string& path) override;
    DirectoryListing listNames(const std::string& path) override;
    std::optional<DirectoryLook> lookAtDirectory(const std::string& path) override;

private:
    // Opens a name only if it is a regular file, and makes sure it still is once open.
    // `listedRegular` when a listing just found it to be one.
    OpenedFile openChecked(const std::string& path, bool listedRegular);

    // The start of each file read ahead; big files are read ahead by the kernel's own window in
    // their turn.
    static constexpr long kReadAheadLimit = 8L << 20;

    OpenDirectories directories_;
    ReadAheadQueue readAhead_;
    ReadAheadSwitch switch_;
};

} // namespace quorvel
