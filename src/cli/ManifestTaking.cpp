#include "cli/ManifestTaking.h"

#include "engine/RunObserver.h"
#include "engine/WalkedFiles.h"
#include "manifest/ManifestLines.h"

#include <cerrno>
#include <deque>

namespace quorvel {

namespace {

constexpr std::size_t kFilesInHand = 256;

} // namespace

TakenManifest takeManifest(FileAccess& files, const ParallelHasher::MakeFileAccess& workerFiles,
                           unsigned workers, const std::string& treeAsGiven,
                           const std::string& treePath, const CompareOptions& options,
                           RunObserver& observer, const LeftOutPaths& leftOut) {
    TakenManifest taken;
    ManifestInfo info;
    info.tree = treeAsGiven;
    info.filter = options.filter;
    info.exclusions = options.exclusions;
    info.recurse = options.recurse;
    info.date = manifestDateNow();
    taken.text = manifestHeaderLine(info);

    observer.runStarted();
    // Each worker opens its own files: the walk's hints would open files no worker reads.
    WalkedFiles tree(files, treePath, options, false);
    ParallelHasher hasher(workerFiles, workers);
    std::deque<WalkedFile> pending; // met by the walk, in its order, their hashes under way
    bool walked = false;
    std::size_t entries = 0;
    double runDone = 0;
    for (;;) {
        // Enough files in hand to keep every worker busy, few enough to stop soon when asked.
        while (!walked && pending.size() < kFilesInHand) {
            auto item = tree.next();
            if (!item) {
                walked = true;
                break;
            }
            if (leftOut && leftOut(item->path)) {
                continue;
            }
            if (!item->unreadableDirectory) {
                hasher.submit(item->wholePath);
            }
            pending.push_back(std::move(*item));
        }
        if (pending.empty()) {
            break;
        }
        if (!observer.mayGoOn()) {
            taken.interrupted = true;
            break;
        }
        const auto item = std::move(pending.front());
        pending.pop_front();
        ++entries;
        // A line no reader takes would make the whole manifest unreadable: the path is trouble.
        const auto lineFits = [&, before = taken.text.size()] {
            if (taken.text.size() - before - 1 <= kManifestLineLimit) {
                return true;
            }
            taken.text.resize(before);
            --entries;
            observer.readProblem(item.wholePath, ENAMETOOLONG);
            taken.troubled = true;
            return false;
        };
        if (item.unreadableDirectory) {
            appendManifestUnreadableLine(taken.text, item.path, item.errorCode);
            if (lineFits()) {
                observer.readProblem(item.wholePath, item.errorCode);
                taken.troubled = true;
            }
            continue;
        }
        observer.pairBegun(item.name);
        const auto next = hasher.next([&observer] { return observer.mayGoOn(); });
        if (!next) {
            taken.interrupted = true;
            break;
        }
        const auto& hashed = *next;
        runDone += static_cast<double>(hashed.size);
        RunBytes bytes;
        bytes.pairDone = hashed.size;
        bytes.pairSize = item.size;
        bytes.runDone = runDone;
        bytes.blockRead = true;
        observer.bytesCompared(bytes);
        if (!hashed.hash) {
            appendManifestUnreadableLine(taken.text, item.path, hashed.errorCode);
            if (lineFits()) {
                observer.readProblem(item.wholePath, hashed.errorCode);
                taken.troubled = true;
            }
            continue;
        }
        appendManifestFileLine(taken.text, item.path, hashed.size, hashed.modifiedNanoseconds,
                               *hashed.hash);
        lineFits();
    }
    // An interrupt after the last file still counts: nothing is written once one was seen.
    if (!taken.interrupted && !observer.mayGoOn()) {
        taken.interrupted = true;
    }
    observer.runEnded(taken.interrupted);
    if (taken.interrupted) {
        taken.text.clear();
        return taken;
    }
    ContentHash whole;
    whole.add(taken.text);
    taken.text += manifestTrailerLine(entries, whole.digest());
    return taken;
}

} // namespace quorvel
