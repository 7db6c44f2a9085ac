#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class FileAccess;

enum class FileIconKind { Program, Document };

struct ListedFile {
    std::string name; // the real bytes, whatever their encoding
    // Left open when telling needs a look at the file: a list shows few of its names at a time,
    // and one look per name would make a big directory slow to list.
    std::optional<FileIconKind> icon;
};

struct FileListing {
    std::vector<ListedFile> files; // in the engine's name order
    int errorCode = 0;             // the system's reason (an errno value) when it cannot be read
};

// The plain files of a directory, hidden ones included, without subdirectories and without
// anything that is not a regular file (a link counts as what it leads to), listed the way the
// engine lists, so names that are not valid UTF-8 are kept. A listing that fails gives the
// reason and no files.
FileListing listPlainFiles(FileAccess& files, const std::string& directory);

// ".exe", ".com", ".bat" and ".pif" (any case) and files someone may execute are programs.
FileIconKind iconKindOf(std::string_view name, bool executable);

// The icon of a listed file, looking at the file when the listing could not tell.
FileIconKind iconKindOf(const std::string& directory, const ListedFile& file);

} // namespace quorvel
