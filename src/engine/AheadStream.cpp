#include "engine/AheadStream.h"

namespace quorvel {

AheadStream::~AheadStream() {
    reader_.release(entry_, current_);
}

const char* AheadStream::nextBlock(BlockRead& read) {
    const auto block = reader_.nextBlock(entry_, current_);
    current_ = block.buffer;
    read = block.read;
    return block.buffer;
}

} // namespace quorvel
