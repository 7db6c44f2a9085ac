// Writes the benchmark's trees under a fresh directory:
//   big/left, big/right            equal trees of a few big files
//   big/right-last-byte            big/right with the last byte of its last file changed
//   small/left, small/right        equal trees of many small files in many directories
//   small/right-1pct               small/right with about one file in a hundred changed
// or, with --many, only many/left and many/right: equal trees of very many files of 1–4 KiB, and
//   many/right-moved               many/right's files under other names in other directories
// The changed trees hard-link their unchanged files to big/right and small/right: only files of
// different trees are ever compared, so no pair shares an inode, and the disk holds each file once.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr std::int64_t kSmallMin = 1024;
constexpr std::int64_t kSmallMax = 16 * 1024;

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    std::fprintf(stderr, "generate-bench-data: %s '%s': %s\n", what.c_str(), path.c_str(),
                 std::strerror(errno));
    std::exit(1);
}

// splitmix64: fast, and random enough that nothing can shortcut a comparison.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    void fill(char* data, std::size_t size) {
        std::size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            const std::uint64_t v = next();
            std::memcpy(data + i, &v, 8);
        }
        const std::uint64_t v = next();
        std::memcpy(data + i, &v, size - i);
    }

private:
    std::uint64_t state_;
};

int create(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        fail("cannot create", path);
    }
    return fd;
}

void writeAll(int fd, const char* data, std::size_t size, const std::string& path) {
    while (size > 0) {
        const auto n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("cannot write", path);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void closeFile(int fd, const std::string& path) {
    if (::close(fd) != 0) {
        fail("cannot close", path);
    }
}

void makeDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0) {
        fail("cannot create directory", path);
    }
}

void hardLink(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) != 0) {
        fail("cannot link", to);
    }
}

std::string numbered(const char* prefix, std::int64_t number, int width, const char* suffix) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%0*lld%s", prefix, width, static_cast<long long>(number),
                  suffix);
    return text;
}

void writeBigTrees(const std::string& root, std::int64_t files, std::int64_t bytes) {
    const std::string left = root + "/big/left";
    const std::string right = root + "/big/right";
    const std::string changed = root + "/big/right-last-byte";
    makeDirectory(root + "/big");
    makeDirectory(left);
    makeDirectory(right);
    makeDirectory(changed);
    std::vector<char> chunk(kChunk);
    for (std::int64_t i = 0; i < files; ++i) {
        const std::string name = numbered("/big-", i + 1, 2, ".bin");
        const bool last = i + 1 == files;
        const int l = create(left + name);
        const int r = create(right + name);
        const int c = last ? create(changed + name) : -1;
        Random random(0xB16F11E5ULL + static_cast<std::uint64_t>(i));
        for (std::int64_t done = 0; done < bytes;) {
            const auto size = static_cast<std::size_t>(
                std::min<std::int64_t>(static_cast<std::int64_t>(kChunk), bytes - done));
            random.fill(chunk.data(), size);
            writeAll(l, chunk.data(), size, left + name);
            writeAll(r, chunk.data(), size, right + name);
            done += static_cast<std::int64_t>(size);
            if (c >= 0) {
                if (done == bytes) {
                    chunk[size - 1] = static_cast<char>(~chunk[size - 1]);
                }
                writeAll(c, chunk.data(), size, changed + name);
            }
        }
        closeFile(l, left + name);
        closeFile(r, right + name);
        if (c >= 0) {
            closeFile(c, changed + name);
        } else {
            hardLink(right + name, changed + name);
        }
    }
}

// Returns how many files of SET/right-1pct differ from SET/left; without `withChanged` there is
// no such tree.
std::int64_t writeSmallTrees(const std::string& root, std::int64_t files, std::int64_t dirs,
                             const std::string& set = "small", std::int64_t maxSize = kSmallMax,
                             bool withChanged = true) {
    const std::string left = root + "/" + set + "/left";
    const std::string right = root + "/" + set + "/right";
    const std::string changed = root + "/" + set + "/right-1pct";
    makeDirectory(root + "/" + set);
    makeDirectory(left);
    makeDirectory(right);
    if (withChanged) {
        makeDirectory(changed);
    }
    const std::int64_t perDirectory = (files + dirs - 1) / dirs;
    Random picker(0x5A11F11EULL);
    std::vector<char> content(kSmallMax);
    std::int64_t differing = 0;
    std::string directory;
    for (std::int64_t i = 0; i < files; ++i) {
        if (i % perDirectory == 0) {
            directory = numbered("/d", i / perDirectory, 3, "");
            makeDirectory(left + directory);
            makeDirectory(right + directory);
            if (withChanged) {
                makeDirectory(changed + directory);
            }
        }
        const std::string name = directory + numbered("/f", i, 5, ".dat");
        const auto size = static_cast<std::size_t>(
            kSmallMin + static_cast<std::int64_t>(picker.next() % (maxSize - kSmallMin + 1)));
        // At least one file differs, however few there are.
        const bool differs = picker.next() % 100 == 0 || (differing == 0 && i + 1 == files);
        const std::size_t changedAt = static_cast<std::size_t>(picker.next() % size);
        Random random(0x5E1ECDA7AULL + static_cast<std::uint64_t>(i));
        random.fill(content.data(), size);
        for (const auto& tree : {left, right}) {
            const int fd = create(tree + name);
            writeAll(fd, content.data(), size, tree + name);
            closeFile(fd, tree + name);
        }
        if (!withChanged) {
            continue;
        }
        if (differs) {
            content[changedAt] = static_cast<char>(~content[changedAt]);
            const int fd = create(changed + name);
            writeAll(fd, content.data(), size, changed + name);
            closeFile(fd, changed + name);
            ++differing;
        } else {
            hardLink(right + name, changed + name);
        }
    }
    return differing;
}

// Hard-links the files of SET/right into SET/right-moved, each under another name in another
// directory, the files of one directory spread over all: every file is there, none where it was.
void linkRearranged(const std::string& root, const std::string& set, std::int64_t files,
                    std::int64_t dirs) {
    const std::string right = root + "/" + set + "/right";
    const std::string moved = root + "/" + set + "/right-moved";
    makeDirectory(moved);
    for (std::int64_t d = 0; d < dirs; ++d) {
        makeDirectory(moved + numbered("/m", d, 3, ""));
    }
    const std::int64_t perDirectory = (files + dirs - 1) / dirs;
    for (std::int64_t i = 0; i < files; ++i) {
        hardLink(right + numbered("/d", i / perDirectory, 3, "") + numbered("/f", i, 5, ".dat"),
                 moved + numbered("/m", i % dirs, 3, "") +
                     numbered("/g", files - 1 - i, 5, ".dat"));
    }
}

std::int64_t positive(const char* text, const char* what) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value <= 0) {
        std::fprintf(stderr, "generate-bench-data: %s must be a positive whole number: '%s'\n",
                     what, text);
        std::exit(2);
    }
    return value;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--many") {
        const auto files = positive(argv[3], "FILES");
        const auto dirs = positive(argv[4], "DIRECTORIES");
        writeSmallTrees(argv[2], files, dirs, "many", 4 * 1024, false);
        linkRearranged(argv[2], "many", files, dirs);
        return 0;
    }
    if (argc != 6) {
        std::fprintf(stderr, "Usage: generate-bench-data ROOT BIG_FILES BIG_BYTES SMALL_FILES "
                             "SMALL_DIRECTORIES\n       generate-bench-data --many ROOT FILES "
                             "DIRECTORIES\n");
        return 2;
    }
    const std::string root = argv[1];
    const auto bigFiles = positive(argv[2], "BIG_FILES");
    const auto bigBytes = positive(argv[3], "BIG_BYTES");
    const auto smallFiles = positive(argv[4], "SMALL_FILES");
    const auto smallDirectories = std::min(positive(argv[5], "SMALL_DIRECTORIES"), smallFiles);
    writeBigTrees(root, bigFiles, bigBytes);
    const auto differing = writeSmallTrees(root, smallFiles, smallDirectories);
    std::printf("small-differing %lld\n", static_cast<long long>(differing));
    return 0;
}
