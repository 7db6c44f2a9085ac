#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace quorvel {

// Replaces a file's contents as a whole. The bytes go to a new file in the target's directory,
// which is flushed to disk and then renamed over the target, so a failure part-way never leaves a
// truncated file where a good one was; the directory is flushed after the rename. A symbolic link
// is written through: its final target is replaced and the link stays. A target that exists but is
// not a regular file (a directory, a device, a FIFO) is refused and left untouched. A name of one
// of the process's open descriptors (/dev/stdout, /dev/fd/N, ...) is written through that
// descriptor where it points, with no replacement.
class AtomicFileWriter {
public:
    // Behaves like ::write; tests put a failing one in.
    using WriteCall = std::function<ssize_t(int fd, const char* data, std::size_t size)>;
    // Behaves like ::fsync; tests count or fail the calls.
    using SyncCall = std::function<int(int fd)>;

    AtomicFileWriter();
    explicit AtomicFileWriter(WriteCall write);
    AtomicFileWriter(WriteCall write, SyncCall sync);

    // Throws FileWriteError naming `target` as given.
    void replace(const std::string& target, std::string_view contents) const;
    // The same for a file that must not exist yet: one that does, or that appears while the
    // contents are written, is left as it is and the write fails with EEXIST.
    void create(const std::string& target, std::string_view contents) const;

    // Whether a name in a folder is one of the temporary files this writer makes there.
    static bool isTemporaryName(std::string_view name);

private:
    void put(const std::string& target, std::string_view contents, bool mayReplace) const;
    void writeAll(int fd, std::string_view contents, const std::string& target) const;
    void syncDirectory(const std::string& directory, const std::string& target) const;

    WriteCall write_;
    SyncCall sync_;
};

} // namespace quorvel
