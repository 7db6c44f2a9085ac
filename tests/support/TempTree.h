#pragma once

#include <cstdint>
#include <string>

namespace quorvel::test {

// A directory under the system's temporary directory, removed with everything in it.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return root_; }
    std::string path(const std::string& relative) const { return root_ + "/" + relative; }

    // Parent directories are made as needed.
    void write(const std::string& relative, const std::string& content) const;
    void writeSized(const std::string& relative, std::int64_t size, char fill = 'x') const;
    // A file of zeros that takes no disk space: it keeps a comparison busy for a while.
    void sparse(const std::string& relative, std::int64_t size) const;
    void mkdir(const std::string& relative) const;
    void symlink(const std::string& target, const std::string& relative) const;
    void fifo(const std::string& relative) const;

    std::string read(const std::string& relative) const;
    // The names directly in `relative` ("" for the root), sorted, separated by blanks.
    std::string listing(const std::string& relative = "") const;

private:
    std::string root_;
};

} // namespace quorvel::test
