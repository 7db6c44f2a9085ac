#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

enum class FileIconKind { Program, Document };

struct ListedFile {
    std::string name; // the real bytes, whatever their encoding
    FileIconKind icon = FileIconKind::Document;
};

struct FileListing {
    std::vector<ListedFile> files;    // in the engine's name order
    std::optional<std::string> error; // the system's reason when the directory cannot be read
};

// The plain files of a directory, hidden ones included, without subdirectories and without
// anything that is not a regular file (a link counts as what it leads to). Listed the way the
// engine lists, so names that are not valid UTF-8 are kept.
FileListing listPlainFiles(const std::string& directory);

// ".exe", ".com", ".bat" and ".pif" (any case) and files someone may execute are programs.
FileIconKind iconKindOf(std::string_view name, bool executable);

} // namespace quorvel
