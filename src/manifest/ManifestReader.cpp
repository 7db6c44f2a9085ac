#include "manifest/ManifestReader.h"

#include "engine/ManifestOrder.h"
#include "manifest/DescriptorInputBuffer.h"
#include "manifest/ManifestLines.h"
#include "report/Base64.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace quorvel {

namespace {

using json = nlohmann::json;

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isHeader(const json& object) {
    return object.is_object() && object.value("type", json()) == "header" &&
           object.value("format", json()) == kManifestFormatName;
}

std::optional<std::string> textOf(const json& object, const std::string& key) {
    const auto bytes = object.find(key + "_bytes");
    if (bytes != object.end()) {
        return bytes->is_string() ? base64Decode(bytes->get_ref<const std::string&>())
                                  : std::nullopt;
    }
    const auto text = object.find(key);
    if (text == object.end() || !text->is_string()) {
        return std::nullopt;
    }
    return text->get<std::string>();
}

std::optional<std::int64_t> integerOf(const json& object, const char* key) {
    const auto value = object.find(key);
    if (value == object.end() || !value->is_number_integer()) {
        return std::nullopt;
    }
    return value->get<std::int64_t>();
}

class Reading {
public:
    ManifestRead read(std::istream& in) {
        std::string text;
        bool trailerSeen = false;
        // A line is read into a buffer of the longest allowed, never grown: a stream of one
        // endless line costs no more than a short one.
        std::vector<char> buffer(kManifestLineLimit + 1);
        for (;;) {
            in.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            const auto count = static_cast<std::size_t>(in.gcount());
            if (in.bad() || (count == 0 && in.eof())) {
                break;
            }
            ++line_;
            if (in.fail()) {
                return damaged("a line longer than " + std::to_string(kManifestLineLimit >> 10) +
                               " KiB");
            }
            if (in.eof()) {
                return damaged("the last line is cut short");
            }
            text.assign(buffer.data(), count - 1);
            if (trailerSeen) {
                return damaged("a line after the trailer");
            }
            const json object = json::parse(text, nullptr, false);
            if (object.is_discarded() || !object.is_object()) {
                return damaged("not a JSON object");
            }
            if (line_ == 1) {
                if (auto problem = header(object)) {
                    return damaged(*problem);
                }
            } else {
                const auto type = object.value("type", json());
                if (type == "trailer") {
                    if (auto problem = trailer(object)) {
                        return damaged(*problem);
                    }
                    trailerSeen = true;
                    continue;
                }
                if (auto problem = entry(object, type)) {
                    return damaged(*problem);
                }
            }
            hash_.add(text);
            hash_.add("\n");
        }
        if (in.bad()) {
            ManifestRead failed;
            failed.errorCode = EIO;
            return failed;
        }
        if (line_ == 0) {
            ++line_;
            return damaged("empty: no header");
        }
        if (!trailerSeen) {
            ++line_;
            return damaged("cut short: no trailer after the last entry");
        }
        ManifestRead done;
        done.manifest = std::move(manifest_);
        return done;
    }

private:
    ManifestRead damaged(std::string reason) const {
        ManifestRead read;
        read.damage = ManifestDamage{line_, std::move(reason)};
        return read;
    }

    std::optional<std::string> header(const json& object) {
        if (!isHeader(object)) {
            return "not a manifest's header";
        }
        const auto version = integerOf(object, "version");
        if (!version || *version != kManifestVersion) {
            return "format version " + (version ? std::to_string(*version) : "unknown") +
                   " (this program reads version " + std::to_string(kManifestVersion) + ")";
        }
        if (object.value("hash", json()) != kManifestHashName) {
            return "unknown hash (this program knows " + std::string(kManifestHashName) + ")";
        }
        auto& info = manifest_.info;
        const auto tree = textOf(object, "tree");
        const auto filter = textOf(object, "filter");
        const auto exclusions = textOf(object, "exclusions");
        const auto date = object.find("date");
        const auto recurse = object.find("recurse");
        if (!tree || !filter || !exclusions || date == object.end() || !date->is_string() ||
            recurse == object.end() || !recurse->is_boolean()) {
            return "the header lacks the tree, filter, exclusions, recursion or date";
        }
        info.version = static_cast<int>(*version);
        info.tree = *tree;
        info.filter = *filter;
        info.exclusions = *exclusions;
        info.recurse = recurse->get<bool>();
        info.date = date->get<std::string>();
        return std::nullopt;
    }

    std::optional<std::string> entry(const json& object, const json& type) {
        const auto path = textOf(object, "path");
        if (!path) {
            return "an entry without a path";
        }
        if (!safeRelativePath(*path)) {
            return "the path '" + *path + "' leads outside the tree or is not relative";
        }
        ManifestEntry entry;
        if (type == "file") {
            const auto size = integerOf(object, "size");
            const auto modified = integerOf(object, "mtime_ns");
            const auto hash = object.find("hash");
            std::optional<Hash128> value;
            if (hash != object.end() && hash->is_string()) {
                value = hashFromHex(hash->get_ref<const std::string&>());
            }
            // Sizes are summed as whole bytes in a double: beyond 2^53 (8 PiB, larger than any
            // file system holds) the sum would be wrong, so such a size is damage.
            if (size && *size > (std::int64_t{1} << 53)) {
                return "a size larger than any file: " + std::to_string(*size);
            }
            if (!size || *size < 0 || !modified || !value || path->back() == '/') {
                return "a file entry without a path, size, mtime_ns or hash";
            }
            entry.size = *size;
            entry.modifiedNanoseconds = *modified;
            entry.hash = *value;
        } else if (type == "unreadable") {
            const auto code = integerOf(object, "error_code");
            if (!code || *code <= 0 || *code > 0xFFFF) {
                return "an unreadable entry without its error_code";
            }
            entry.errorCode = static_cast<int>(*code);
        } else {
            return "an object of unknown type";
        }
        if (!previous_.empty() || manifest_.entries.size() > 0) {
            if (*path == previous_) {
                return "the path '" + *path + "' is listed twice";
            }
            if (!manifestPathLess(previous_, *path)) {
                return "the path '" + *path + "' is out of order (after '" + previous_ + "')";
            }
        }
        entry.path = *path;
        manifest_.entries.add(entry);
        previous_ = *path;
        return std::nullopt;
    }

    std::optional<std::string> trailer(const json& object) {
        const auto entries = integerOf(object, "entries");
        const auto hash = object.find("hash");
        std::optional<Hash128> value;
        if (hash != object.end() && hash->is_string()) {
            value = hashFromHex(hash->get_ref<const std::string&>());
        }
        if (!entries || !value) {
            return "a trailer without its count or hash";
        }
        if (*entries < 0 || static_cast<std::size_t>(*entries) != manifest_.entries.size()) {
            return "the trailer counts " + std::to_string(*entries) +
                   " entries, the manifest has " + std::to_string(manifest_.entries.size());
        }
        if (*value != hash_.digest()) {
            return "the trailer's hash does not match the lines before it (changed or cut)";
        }
        return std::nullopt;
    }

    std::size_t line_ = 0;
    Manifest manifest_;
    ContentHash hash_;
    std::string previous_;
};

} // namespace

ManifestRead readManifest(std::istream& in) {
    return Reading().read(in);
}

ManifestRead readManifestFile(const std::string& path) {
    ManifestRead failed;
    if (!isRegularFile(path)) {
        failed.errorCode = errno != 0 ? errno : EINVAL;
        return failed;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        failed.errorCode = errno != 0 ? errno : EIO;
        return failed;
    }
    return readManifest(in);
}

ManifestRead readManifestDescriptor(int fd) {
    DescriptorInputBuffer buffer(fd);
    std::istream in(&buffer);
    auto read = readManifest(in);
    // A failed read ends the input early: it is the reason, not the cut it leaves.
    if (buffer.errorCode() != 0) {
        ManifestRead failed;
        failed.errorCode = buffer.errorCode();
        return failed;
    }
    return read;
}

bool looksLikeManifest(const std::string& path) {
    if (!isRegularFile(path)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    // Most files named beside a directory are not manifests: one byte tells.
    if (in.peek() != '{') {
        return false;
    }
    std::string first;
    char c = 0;
    while (first.size() < kManifestLineLimit && in.get(c) && c != '\n') {
        first += c;
    }
    if (c != '\n') {
        return false;
    }
    const json object = json::parse(first, nullptr, false);
    return !object.is_discarded() && isHeader(object);
}

} // namespace quorvel
