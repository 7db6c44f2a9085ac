#include "gui/FileListing.h"

#include "engine/AsciiFold.h"
#include "engine/DirectoryStream.h"
#include "engine/LongPath.h"
#include "engine/NameOrder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    const int dirFd = openDirectory(directory, O_PATH);
    const bool executable = dirFd >= 0 && ::fstatat(dirFd, file.name.c_str(), &st, 0) == 0 &&
                            (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
    if (dirFd >= 0) {
        ::close(dirFd);
    }
    return iconKindOf(file.name, executable);
}

FileListing listPlainFiles(const std::string& directory, DirectoryEntryReader readEntry) {
    FileListing listing;
    // Through the engine's way in, which takes a directory deeper than one call allows.
    DirectoryStream stream(openDirectory(directory, O_RDONLY));
    if (stream.get() == nullptr) {
        listing.error = std::strerror(errno);
        return listing;
    }
    const int dirFd = ::dirfd(stream.get());
    errno = 0;
    while (const dirent* entry = readEntry(stream.get())) {
        const unsigned char type = entry->d_type;
        if (type == DT_REG) {
            ListedFile file{entry->d_name, std::nullopt};
            if (iconKindOf(file.name, false) == FileIconKind::Program) {
                file.icon = FileIconKind::Program;
            }
            listing.files.push_back(std::move(file));
        } else if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode)) {
                const bool executable = (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
                listing.files.push_back({entry->d_name, iconKindOf(entry->d_name, executable)});
            }
        }
        errno = 0;
    }
    if (errno != 0) {
        listing.error = std::strerror(errno);
        listing.files.clear();
        return listing;
    }
    std::sort(listing.files.begin(), listing.files.end(),
              [](const ListedFile& a, const ListedFile& b) { return nameLess(a.name, b.name); });
    return listing;
}

} // namespace quorvel
