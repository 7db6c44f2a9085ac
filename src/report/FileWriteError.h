#pragma once

#include <stdexcept>
#include <string>

namespace quorvel {

// A file that could not be written. what() is the system's reason (strerror of errorCode()), so a
// caller can put it into a message of its own language.
class FileWriteError : public std::runtime_error {
public:
    FileWriteError(std::string path, int errorCode);

    const std::string& path() const { return path_; }
    int errorCode() const { return errorCode_; }

private:
    std::string path_;
    int errorCode_;
};

} // namespace quorvel
