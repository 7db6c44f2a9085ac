#include "app/RegKey.h"

#include "app/AsciiCase.h"

#include <utility>

namespace quorvel {

RegKey::RegKey(QString path) : m_path(std::move(path)) {}

const RegValue* RegKey::value(QStringView name) const {
    for (const Entry& e : m_entries) {
        if (!e.isComment && equalsIgnoringAsciiCase(e.name, name)) {
            return &e.value;
        }
    }
    return nullptr;
}

void RegKey::setValue(const QString& name, RegValue value) {
    for (Entry& e : m_entries) {
        if (!e.isComment && equalsIgnoringAsciiCase(e.name, name)) {
            e.value = std::move(value);
            return;
        }
    }
    Entry e;
    e.name = name;
    e.value = std::move(value);
    m_entries.push_back(std::move(e));
}

void RegKey::addComment(QString line) {
    Entry e;
    e.isComment = true;
    e.comment = std::move(line);
    m_entries.push_back(std::move(e));
}

} // namespace quorvel
