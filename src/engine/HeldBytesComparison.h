#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

class FileAccess;

// How a file's contents compare with bytes read from another file before.
struct HeldBytesComparison {
    enum class Outcome { Equal, Unequal, Unreadable };
    Outcome outcome = Outcome::Unequal;
    int errorCode = 0; // why it was unreadable; kChangedWhileRead when it kept changing
    bool missing = false;
};

// Reads the file through the engine's file access, so only a regular file is opened, into
// `buffer` of `bufferSize` bytes. A file that changed while it was read is read once more.
HeldBytesComparison compareWithHeld(FileAccess& files, const std::string& path,
                                    std::string_view held, char* buffer, std::int64_t bufferSize);

} // namespace quorvel
