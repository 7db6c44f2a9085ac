#pragma once

#include <string>

namespace quorvel::test {

// A fresh directory under the system's temporary directory, removed with its contents.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& root() const { return root_; }
    std::string path(const std::string& relative) const { return root_ + "/" + relative; }

    // Parent directories are made as needed.
    void write(const std::string& relative, const std::string& contents) const;
    std::string read(const std::string& relative) const;
    // The names directly in `relative` ("" for the root), sorted.
    std::string listing(const std::string& relative = "") const;

private:
    std::string root_;
};

} // namespace quorvel::test
