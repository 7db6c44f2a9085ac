#pragma once

namespace quorvel {

// A reason of our own beside the system's errno values, which stay far below it: the file's
// size or times moved while it was read, so what was read vouches for no moment of it.
inline constexpr int kChangedWhileRead = 1000;

// A name that is there but is no regular file (a directory, a FIFO, a device): a difference of
// kind, which no read was tried on.
inline constexpr int kNotARegularFile = 1001;

// The reason of one of our own codes, in English as the system's are; nothing for an errno value.
inline const char* ownReasonText(int code) {
    switch (code) {
    case kChangedWhileRead:
        return "changed while it was read";
    case kNotARegularFile:
        return "not a regular file";
    default:
        return nullptr;
    }
}

} // namespace quorvel
