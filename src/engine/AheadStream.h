#pragma once

#include "engine/AheadReader.h"

namespace quorvel {

// A file read ahead, handed to its comparison: its blocks in turn. Dropping it ends the reading
// and closes the file.
class AheadStream {
public:
    AheadStream(AheadReader& reader, AheadReader::Entry& entry) : reader_(reader), entry_(entry) {}
    ~AheadStream();
    AheadStream(const AheadStream&) = delete;
    AheadStream& operator=(const AheadStream&) = delete;

    // The file as the thread opened it: open, or why not.
    const OpenedFile& file() const { return entry_.file; }
    const FileLook& look() const { return entry_.look; }
    // A look at the file once its last block was read; nothing before, or when it failed.
    const std::optional<FileLook>& lookAtEnd() const { return entry_.lookAtEnd; }
    // The next block, valid until the next call or the stream's end; waits for it.
    const char* nextBlock(BlockRead& read);

private:
    AheadReader& reader_;
    AheadReader::Entry& entry_;
    char* current_ = nullptr;
};

} // namespace quorvel
