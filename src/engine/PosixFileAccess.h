#pragma once

#include "engine/AheadReader.h"
#include "engine/FileAccess.h"
#include "engine/FileOpener.h"
#include "engine/ReadAheadQueue.h"
#include "engine/ReadAheadSwitch.h"
#include "engine/SharedListings.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorvel {

// The file system through POSIX calls, with the speed work split by job: opening by kept
// directories (FileOpener), sorted listings (SortedListing), big files read on a thread of
// their own (AheadReader), files opened ahead (ReadAheadQueue) when the data
// is not cached (ReadAheadSwitch). This class opens and reads.
class PosixFileAccess : public FileAccess {
public:
    using ReadAheadMode = ReadAheadSwitch::Mode;
    explicit PosixFileAccess(ReadAheadMode mode = ReadAheadMode::WhenNotCached);
    // One of a run's threads, sharing its directory listings with the others.
    PosixFileAccess(ReadAheadMode mode, std::shared_ptr<SharedListings> listings);

    LookedUpFile lookUpFile(const std::string& path) override;
    OpenedFile openFile(const std::string& path, const DirectoryEntry* listed) override;
    bool changedSinceOpened(OpenedFile& file) override;
    BlockRead readBlock(OpenedFile& file, char* buffer, std::int64_t size) override;
    const char* readBlockAt(OpenedFile& file, char* buffer, std::int64_t size,
                            BlockRead& read) override;
    void willRead(const std::string& directory, std::string_view name, bool listed) override;
    bool fetchesAhead() const override { return switch_.on(); }
    void willReadWhole(const std::string& path) override;
    std::unique_ptr<FileAccess> forAnotherThread() const override;
    void forgetCaches() override;
    void stopReadingAhead() override;
    DirectoryListing listDirectory(const std::string& path) override;
    DirectoryListing listNames(const std::string& path) override;
    std::optional<DirectoryLook> lookAtDirectory(const std::string& path) override;

    // Waits until the files named so far are read ahead as far as they may be; for tests.
    void settleReadAhead() { aheadReader_.waitUntilIdle(); }

private:
    // The file as read ahead, while its name still leads to it unchanged.
    std::optional<OpenedFile> takeReadAhead(const std::string& path);

    // The start of each file read ahead; big files are read ahead by the kernel's own window in
    // their turn.
    static constexpr long kReadAheadLimit = 8L << 20;

    std::shared_ptr<SharedListings> listings_;
    FileOpener opener_;
    AheadReader aheadReader_;
    ReadAheadQueue readAhead_;
    ReadAheadSwitch switch_;
};

} // namespace quorvel
