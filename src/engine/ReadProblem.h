#pragma once

namespace quorvel {

// A reason of our own beside the system's errno values, which stay far below it: the file's
// size or times moved while it was read, so what was read vouches for no moment of it.
inline constexpr int kChangedWhileRead = 1000;

// A name that is there but is no regular file (a directory, a FIFO, a device): a difference of
// kind, which no read was tried on.
inline constexpr int kNotARegularFile = 1001;

// The reason a read problem gives, in English, as the system's own reasons are.
inline const char* changedWhileReadText() {
    return "changed while it was read";
}

inline const char* notARegularFileText() {
    return "not a regular file";
}

} // namespace quorvel
