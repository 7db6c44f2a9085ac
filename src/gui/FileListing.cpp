#include "gui/FileListing.h"

#include "base/AsciiFold.h"
#include "base/PathText.h"
#include "engine/FileAccess.h"
#include "engine/LongPath.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace quorvel {

namespace {

bool endsWithIgnoringAsciiCase(std::string_view name, std::string_view suffix) {
    if (name.size() < suffix.size()) {
        return false;
    }
    const auto tail = name.substr(name.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(),
                      [](char a, char b) { return foldAsciiCase(a) == b; });
}

// The engine lists a name it could not look at, or a link that leads nowhere, as an empty file, so
// that its pair tells the failure; a list to choose files from leaves out what leads nowhere. A
// name in a directory that may be read but not searched is still listed.
bool isPlainFile(FileAccess& files, const std::string& directory, std::string_view name) {
    const LookedUpFile looked = files.lookUpFile(joinPath(directory, name));
    if (looked.size) {
        return true;
    }
    const int error = looked.problem.errorCode;
    return error != 0 && error != ENOENT && error != ENOTDIR && error != ELOOP;
}

} // namespace

FileIconKind iconKindOf(std::string_view name, bool executable) {
    static constexpr std::array<std::string_view, 4> kProgramEndings{".exe", ".com", ".bat",
                                                                     ".pif"};
    if (executable) {
        return FileIconKind::Program;
    }
    for (const auto ending : kProgramEndings) {
        if (endsWithIgnoringAsciiCase(name, ending)) {
            return FileIconKind::Program;
        }
    }
    return FileIconKind::Document;
}

FileIconKind iconKindOf(const std::string& directory, const ListedFile& file) {
    if (file.icon) {
        return *file.icon;
    }
    struct stat st {};
    // The directory may be longer than the system takes in one call.
    const FileDescriptor dirFd = openDirectory(directory, O_PATH);
    const bool executable = dirFd.isOpen() &&
                            ::fstatat(dirFd.get(), file.name.c_str(), &st, 0) == 0 &&
                            (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
    return iconKindOf(file.name, executable);
}

FileListing listPlainFiles(FileAccess& files, const std::string& directory) {
    FileListing listing;
    // The engine's own listing, which takes a directory deeper than one call allows.
    const DirectoryListing listed = files.listDirectory(directory);
    if (!listed.entries) {
        listing.errorCode = listed.errorCode;
        return listing;
    }
    const ListedEntries& entries = *listed.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DirectoryEntry entry = entries[i];
        if (entry.kind != DirectoryEntry::Kind::File ||
            (entry.size == 0 && !isPlainFile(files, directory, entry.name))) {
            continue;
        }
        ListedFile file{std::string(entry.name), std::nullopt};
        if (iconKindOf(file.name, false) == FileIconKind::Program) {
            file.icon = FileIconKind::Program;
        }
        listing.files.push_back(std::move(file));
    }
    // No directory stays open behind the list, nor is taken for its namesake the next time.
    files.forgetCaches();
    return listing;
}

} // namespace quorvel
