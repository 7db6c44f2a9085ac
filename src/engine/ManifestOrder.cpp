#include "engine/ManifestOrder.h"

#include "engine/NameOrder.h"

namespace quorvel {

namespace {

// The parts of a path one by one; the last is the file's name, "" for a directory's own entry.
class PathParts {
public:
    explicit PathParts(std::string_view path) : rest_(path == "./" ? std::string_view() : path) {}

    std::string_view next() {
        const auto slash = rest_.find('/');
        if (slash == std::string_view::npos) {
            last_ = true;
            return rest_;
        }
        auto part = rest_.substr(0, slash);
        rest_.remove_prefix(slash + 1);
        return part;
    }
    bool last() const { return last_; }

private:
    std::string_view rest_;
    bool last_ = false;
};

} // namespace

bool manifestPathLess(std::string_view a, std::string_view b) {
    PathParts pa(a);
    PathParts pb(b);
    for (;;) {
        const auto ka = pa.next();
        const auto kb = pb.next();
        if (pa.last() != pb.last()) {
            // A directory's files come before its subdirectories.
            return pa.last();
        }
        if (pa.last() || ka != kb) {
            return nameLess(ka, kb);
        }
    }
}

bool safeRelativePath(std::string_view path) {
    if (path == "./") {
        return true;
    }
    if (path.empty() || path.front() == '/') {
        return false;
    }
    if (path.back() == '/') {
        path.remove_suffix(1);
    }
    for (;;) {
        const auto slash = path.find('/');
        const auto part = path.substr(0, slash);
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
        if (slash == std::string_view::npos) {
            return true;
        }
        path.remove_prefix(slash + 1);
    }
}

} // namespace quorvel
