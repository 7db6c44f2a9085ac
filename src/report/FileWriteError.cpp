#include "report/FileWriteError.h"

#include <cstring>

namespace quorvel {

FileWriteError::FileWriteError(std::string path, int errorCode)
    : std::runtime_error(std::strerror(errorCode)), path_(std::move(path)), errorCode_(errorCode) {}

} // namespace quorvel
