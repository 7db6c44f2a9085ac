#include "settings/RegKey.h"

#include "settings/AsciiCase.h"

#include <utility>

namespace quorvel {

RegKey::RegKey(QString path) : path_(std::move(path)) {}

const RegValue* RegKey::value(QStringView name) const {
    for (const Entry& e : entries_) {
        if (!e.isComment && equalsIgnoringAsciiCase(e.name, name)) {
            return &e.value;
        }
    }
    return nullptr;
}

void RegKey::setValue(const QString& name, RegValue value) {
    for (Entry& e : entries_) {
        if (!e.isComment && equalsIgnoringAsciiCase(e.name, name)) {
            e.value = std::move(value);
            return;
        }
    }
    Entry e;
    e.name = name;
    e.value = std::move(value);
    entries_.push_back(std::move(e));
}

void RegKey::addComment(QString line) {
    Entry e;
    e.isComment = true;
    e.comment = std::move(line);
    entries_.push_back(std::move(e));
}

} // namespace quorvel
