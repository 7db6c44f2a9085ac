#pragma once

#include <dirent.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

enum class FileIconKind { Program, Document };

struct ListedFile {
    std::string name; // the real bytes, whatever their encoding
    // Left open when telling needs a look at the file: a list shows few of its names at a time,
    // and one look per name would make a big directory slow to list.
    std::optional<FileIconKind> icon;
};

struct FileListing {
    std::vector<ListedFile> files;    // in the engine's name order
    std::optional<std::string> error; // the system's reason when the directory cannot be read
};

// The plain files of a directory, hidden ones included, without subdirectories and without
// anything that is not a regular file (a link counts as what it leads to). Listed the way the
// engine lists, so names that are not valid UTF-8 are kept. Only names whose kind the directory
// does not tell (links, some file systems) are looked at. A listing that fails part-way gives
// the reason and no files; tests fail it through their own entry reader.
using DirectoryEntryReader = dirent* (*)(DIR*);
FileListing listPlainFiles(const std::string& directory,
                           DirectoryEntryReader readEntry = ::readdir);

// ".exe", ".com", ".bat" and ".pif" (any case) and files someone may execute are programs.
FileIconKind iconKindOf(std::string_view name, bool executable);

// The icon of a listed file, looking at the file when the listing could not tell.
FileIconKind iconKindOf(const std::string& directory, const ListedFile& file);

} // namespace quorvel
