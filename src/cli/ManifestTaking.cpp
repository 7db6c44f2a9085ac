#include "cli/ManifestTaking.h"

#include "engine/FileHasher.h"
#include "engine/RunObserver.h"
#include "engine/TreeLister.h"
#include "report/ManifestLines.h"

namespace quorvel {

TakenManifest takeManifest(FileAccess& files, const std::string& treeAsGiven,
                           const std::string& treePath, const CompareOptions& options,
                           RunObserver& observer) {
    TakenManifest taken;
    ManifestInfo info;
    info.tree = treeAsGiven;
    info.filter = options.filter;
    info.exclusions = options.exclusions;
    info.recurse = options.recurse;
    info.date = manifestDateNow();
    taken.text = manifestHeaderLine(info);

    observer.runStarted();
    TreeLister tree(files, treePath, options, true);
    FileHasher hasher(files);
    std::size_t entries = 0;
    double runDone = 0;
    while (auto item = tree.next()) {
        if (!observer.mayGoOn()) {
            taken.interrupted = true;
            break;
        }
        ++entries;
        if (item->unreadableDirectory) {
            observer.readProblem(item->wholePath, item->errorCode);
            appendManifestUnreadableLine(taken.text, item->path, item->errorCode);
            taken.troubled = true;
            continue;
        }
        observer.pairBegun(item->name);
        const auto hashed = hasher.hash(item->wholePath, [&](std::int64_t done) {
            RunBytes bytes;
            bytes.pairDone = done;
            bytes.pairSize = item->size;
            bytes.runDone = runDone + static_cast<double>(done);
            bytes.blockRead = true;
            observer.bytesCompared(bytes);
        });
        runDone += static_cast<double>(hashed.size);
        if (!hashed.hash) {
            observer.readProblem(item->wholePath, hashed.errorCode);
            appendManifestUnreadableLine(taken.text, item->path, hashed.errorCode);
            taken.troubled = true;
            continue;
        }
        appendManifestFileLine(taken.text, item->path, hashed.size, hashed.modifiedNanoseconds,
                               *hashed.hash);
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
