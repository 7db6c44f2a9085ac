#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Where a manifest file lies inside a tree, so that a walk of the tree leaves it out, with the
// temporary files it is written through: a manifest of a tree that holds it would otherwise list
// a file that changes as soon as it is written.
class ManifestInTree {
public:
    // `manifest` as given, a name of a descriptor (/dev/stdout) for the file it is open on;
    // `tree` absolute; relative paths are taken from `here`.
    ManifestInTree(const std::string& tree, const std::string& manifest, const std::string& here);

    // Whether a path of the walk, relative to the tree, is the manifest or one of its temporaries.
    bool leavesOut(std::string_view relativePath) const;

private:
    std::optional<std::string> folder_; // relative to the tree, "" for its top; none: outside
    std::string name_;
};

} // namespace quorvel
