#pragma once

namespace quorvel {

// Which of the three mode buttons is down.
enum class CompareMode { None, FileWithFile, FilesWithDirectory, DirectoryWithDirectory };

} // namespace quorvel
