#include "cli/ManifestOperands.h"

#include "cli/ManifestInTree.h"

#include "base/FileDescriptor.h"
#include "engine/LexicalPath.h"
#include "engine/RunPlan.h"
#include "manifest/ManifestReader.h"
#include "report/DescriptorPath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace quorvel {

namespace {

constexpr std::string_view kManifestEnding = ".qvm";

enum class Role { Tree, File, Stream };

struct Operand {
    Role role = Role::Tree;
    std::optional<int> descriptor; // a stream already open
    std::optional<std::string> error;
};

std::string fromHere(const std::string& path, const std::string& here) {
    return path.empty() || path.front() == '/' ? path : here + "/" + path;
}

Operand classify(const std::string& path, bool forced, const std::string& here) {
    if (path == "-") {
        return {Role::Stream, 0, std::nullopt};
    }
    struct stat st {};
    const auto descriptor = descriptorNamedBy(path);
    if (descriptor && ::fstat(*descriptor, &st) == 0 && !S_ISREG(st.st_mode) &&
        !S_ISDIR(st.st_mode)) {
        return {Role::Stream, descriptor, std::nullopt};
    }
    const bool named = path.ends_with(kManifestEnding);
    const auto whole = fromHere(path, here);
    if (::stat(whole.c_str(), &st) != 0) {
        // Left to the reader or the run plan, which say why it cannot be reached.
        return {forced || named ? Role::File : Role::Tree, std::nullopt, std::nullopt};
    }
    if (S_ISDIR(st.st_mode)) {
        if (forced) {
            return {Role::Tree, std::nullopt, "'" + path + "' is a directory, not a manifest"};
        }
        return {};
    }
    if (S_ISREG(st.st_mode)) {
        return {forced || named || looksLikeManifest(whole) ? Role::File : Role::Tree, std::nullopt,
                std::nullopt};
    }
    if (forced) {
        return {Role::Stream, std::nullopt, std::nullopt};
    }
    if (named) {
        return {Role::Tree, std::nullopt,
                "cannot read '" + path +
                    "': not a regular file (--left-manifest or --right-manifest reads it as it "
                    "comes)"};
    }
    return {};
}

// The manifest of one operand, or the diagnostic why there is none.
std::optional<std::string> load(const std::string& path, const Operand& operand,
                                const std::string& here, std::unique_ptr<Manifest>& into) {
    ManifestRead read;
    if (operand.role == Role::File) {
        read = readManifestFile(fromHere(path, here));
    } else if (operand.descriptor) {
        read = readManifestDescriptor(*operand.descriptor);
    } else {
        const FileDescriptor fd(::open(fromHere(path, here).c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd.isOpen()) {
            read.errorCode = errno;
        } else {
            read = readManifestDescriptor(fd.get());
        }
    }
    if (read.damage) {
        return path + ":" + std::to_string(read.damage->line) +
               ": damaged manifest: " + read.damage->reason;
    }
    if (!read.manifest) {
        // Not a regular file where one was looked for: stat gave no reason of its own.
        const int reason = read.errorCode != 0 ? read.errorCode : EINVAL;
        return "cannot read '" + path + "': " + std::strerror(reason);
    }
    into = std::make_unique<Manifest>(std::move(*read.manifest));
    return std::nullopt;
}

} // namespace

std::optional<std::string> takeManifestOptions(const ManifestOperands& operands, bool filterGiven,
                                               bool exclusionsGiven, bool recurseGiven,
                                               CompareOptions& options) {
    const ManifestInfo* left = operands.left ? &operands.left->info : nullptr;
    const ManifestInfo* right = operands.right ? &operands.right->info : nullptr;
    if (left == nullptr && right == nullptr) {
        return std::nullopt;
    }
    if (left != nullptr && right != nullptr) {
        const auto differ = [](const char* what, const std::string& a, const std::string& b,
                               const char* option) {
            return "the manifests were taken with different " + std::string(what) + " ('" + a +
                   "' and '" + b + "'); give " + option + " to compare them under one";
        };
        if (!filterGiven && left->filter != right->filter) {
            return differ("filters", left->filter, right->filter, "--filter");
        }
        if (!exclusionsGiven && left->exclusions != right->exclusions) {
            return differ("exclusions", left->exclusions, right->exclusions, "--exclude");
        }
        if (!recurseGiven && left->recurse != right->recurse) {
            return std::string("one manifest was taken without subdirectories; give --no-recurse "
                               "to compare them so");
        }
    }
    const ManifestInfo& taken = left != nullptr ? *left : *right;
    if (!filterGiven) {
        options.filter = taken.filter;
    }
    if (!exclusionsGiven) {
        options.exclusions = taken.exclusions;
    }
    if (!recurseGiven) {
        options.recurse = taken.recurse;
    }
    return std::nullopt;
}

std::optional<std::string> treeOperand(const std::string& path, const std::string& here,
                                       std::string& error) {
    auto planned = planRun({path}, here);
    if (!planned.plan) {
        error = planned.error;
        return std::nullopt;
    }
    if (!planned.plan->leftNames.empty()) {
        error = "'" + path + "' is not a directory";
        return std::nullopt;
    }
    return planned.plan->leftDirectory;
}

ManifestOperandsRead readManifestOperands(const std::vector<std::string>& paths, bool leftForced,
                                          bool rightForced, const std::string& here) {
    ManifestOperandsRead result;
    if (paths.size() != 2) {
        return result;
    }
    if (paths[0] == "-" && paths[1] == "-") {
        result.error = "standard input ('-') can be read for one side only";
        result.usageError = true;
        return result;
    }
    const Operand sides[] = {classify(paths[0], leftForced, here),
                             classify(paths[1], rightForced, here)};
    for (const auto& side : sides) {
        if (side.error) {
            result.error = side.error;
            return result;
        }
    }
    if (sides[0].role == Role::Tree && sides[1].role == Role::Tree) {
        return result;
    }
    result.withManifest = true;
    auto& operands = result.operands;
    std::unique_ptr<Manifest>* manifests[] = {&operands.left, &operands.right};
    std::string* named[] = {&operands.leftPath, &operands.rightPath};
    for (int i = 0; i < 2; ++i) {
        const auto& path = paths[static_cast<std::size_t>(i)];
        if (sides[i].role == Role::Tree) {
            std::string error;
            const auto directory = treeOperand(path, here, error);
            if (!directory) {
                result.error = "cannot compare a manifest with " + error;
                result.usageError = true;
                return result;
            }
            *named[i] = *directory;
            continue;
        }
        if (auto failed = load(path, sides[i], here, *manifests[i])) {
            result.error = std::move(failed);
            return result;
        }
        *named[i] = path == "-" ? path : lexicallyAbsolute(path, here);
    }
    if (!operands.left || !operands.right) {
        const bool leftIsTree = !operands.left;
        const auto& manifest = paths[leftIsTree ? 1 : 0];
        auto inTree =
            std::make_shared<ManifestInTree>(leftIsTree ? operands.leftPath : operands.rightPath,
                                             manifest == "-" ? "/dev/stdin" : manifest, here);
        operands.leftOut = [inTree](std::string_view path) { return inTree->leavesOut(path); };
    }
    return result;
}

} // namespace quorvel
