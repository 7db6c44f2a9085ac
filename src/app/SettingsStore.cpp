#include "app/SettingsStore.h"

#include "app/RegValue.h"
#include "app/SettingsError.h"

#include <QStandardPaths>
#include <QStringDecoder>

namespace quorvel {

namespace {

const QString kHive = QStringLiteral("HKEY_CURRENT_USER");

std::optional<RegFile> usable(SettingsFile::Contents contents) {
    if (contents.state == SettingsFile::State::Unreadable) {
        return std::nullopt;
    }
    // A damaged file reads as an empty one: every default stays in force.
    return std::move(contents.document);
}

// Registry strings end at their first NUL.
QString upToNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

} // namespace

QString SettingsStore::defaultFilePath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/Quorvel/settings.reg");
}

SettingsStore::SettingsStore(QString filePath) : m_file(std::move(filePath)) {}

SettingsStore::~SettingsStore() {
    closeKey();
}

bool SettingsStore::openKey(const QString& path, bool canCreate) {
    const QString base = path.startsWith(u'\\') ? kHive : m_openKey;
    m_openKey.clear();
    if (base.isEmpty()) {
        return false;
    }
    QString target = base;
    for (const QString& part : path.split(u'\\', Qt::SkipEmptyParts)) {
        target += u'\\' + part;
    }
    if (!m_loaded) {
        m_document = usable(m_file.load());
        m_loaded = true;
    }
    if (!m_document || (!canCreate && m_document->key(target) == nullptr)) {
        return false;
    }
    // A new key lives in memory until a write saves it with its first value.
    m_document->ensureKey(target);
    m_openKey = target;
    return true;
}

void SettingsStore::closeKey() {
    m_openKey.clear();
    m_document.reset();
    m_loaded = false;
    m_file.unlock();
}

const RegValue* SettingsStore::find(const QString& name) const {
    if (m_openKey.isEmpty() || !m_document) {
        return nullptr;
    }
    const RegKey* key = m_document->key(m_openKey);
    return key == nullptr ? nullptr : key->value(name);
}

bool SettingsStore::valueExists(const QString& name) const {
    return find(name) != nullptr;
}

std::int32_t SettingsStore::readInteger(const QString& name) const {
    const RegValue* v = find(name);
    if (v == nullptr) {
        throw SettingsError::failedToGet(name);
    }
    if (v->type() != RegValue::kTypeDword) {
        throw SettingsError::invalidType(name);
    }
    if (v->form == RegValue::Form::Dword) {
        return static_cast<std::int32_t>(v->dwordValue);
    }
    if (v->bytes.size() != 4) {
        throw SettingsError::failedToGet(name);
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(v->bytes[i]);
    }
    return static_cast<std::int32_t>(value);
}

bool SettingsStore::readBool(const QString& name) const {
    return readInteger(name) != 0;
}

QString SettingsStore::readString(const QString& name) const {
    const RegValue* v = find(name);
    if (v == nullptr) {
        return {};
    }
    switch (v->form) {
    case RegValue::Form::String:
    case RegValue::Form::ExpandString:
        return upToNul(v->text);
    case RegValue::Form::Dword:
        throw SettingsError::invalidType(name);
    case RegValue::Form::Hex:
        break;
    }
    if (v->bytes.isEmpty()) {
        return {};
    }
    if (v->hexType != RegValue::kTypeString && v->hexType != RegValue::kTypeExpandString) {
        throw SettingsError::invalidType(name);
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    return upToNul(decoder.decode(v->bytes));
}

void SettingsStore::writeInteger(const QString& name, std::int32_t value) {
    write(name, RegValue::dword(static_cast<std::uint32_t>(value)));
}

void SettingsStore::writeBool(const QString& name, bool value) {
    writeInteger(name, value ? 1 : 0);
}

void SettingsStore::writeString(const QString& name, const QString& value) {
    write(name, RegValue::string(value));
}

bool SettingsStore::loadUnderLock() {
    if (m_file.isLocked()) {
        return true;
    }
    if (!m_file.lock(m_lockTimeout)) {
        return false;
    }
    // Another instance may have saved since this moment began: build on what is there now.
    m_document = usable(m_file.load());
    if (!m_document) {
        return false;
    }
    m_document->ensureKey(m_openKey);
    return true;
}

void SettingsStore::write(const QString& name, RegValue value) {
    if (m_openKey.isEmpty() || !m_document || !loadUnderLock()) {
        throw SettingsError::failedToSet(name);
    }
    RegFile next = *m_document;
    next.ensureKey(m_openKey).setValue(name, std::move(value));
    if (!m_file.save(next)) {
        throw SettingsError::failedToSet(name);
    }
    m_document = std::move(next);
}

} // namespace quorvel
