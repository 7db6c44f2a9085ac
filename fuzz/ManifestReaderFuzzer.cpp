// Reading a manifest from any bytes: it is refused with a line inside the text, or every path it
// gives is safe and in walk order, without repeats.
#include "engine/ManifestOrder.h"
#include "fuzz/FuzzCheck.h"
#include "manifest/ManifestReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

using quorvel::manifestPathLess;
using quorvel::readManifest;
using quorvel::safeRelativePath;
using quorvel::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    const auto read = readManifest(in);
    check(read.manifest.has_value() != read.damage.has_value(), "a manifest or a damage, not both");
    if (read.damage) {
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        check(read.damage->line >= 1 && read.damage->line <= lines + 1,
              "the damage is on a line of the text or just after it");
        check(!read.damage->reason.empty(), "the damage has a reason");
        return 0;
    }
    const auto& entries = read.manifest->entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        check(safeRelativePath(entries[i].path), "every path is inside the tree");
        check(i == 0 || manifestPathLess(entries[i - 1].path, entries[i].path),
              "paths in walk order, none twice");
    }
    return 0;
}
