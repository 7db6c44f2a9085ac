#include "settings/SettingsStore.h"

#include "settings/RegValue.h"
#include "settings/SettingsError.h"

#include <QFile>
#include <QStringDecoder>

#include <utility>
#include <vector>

#include <pwd.h>
#include <unistd.h>

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
    const QString file = QStringLiteral("/Quorvel/settings.reg");
    // A relative value would make the settings follow the working directory.
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.startsWith(u'/')) {
        return configHome + file;
    }
    QString home = qEnvironmentVariable("HOME");
    if (!home.startsWith(u'/')) {
        home.clear();
        std::vector<char> buffer(16384);
        passwd entry{};
        passwd* found = nullptr;
        if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
            found != nullptr && found->pw_dir != nullptr) {
            home = QFile::decodeName(found->pw_dir);
        }
    }
    if (!home.startsWith(u'/')) {
        return {};
    }
    if (home.endsWith(u'/')) {
        home.chop(1);
    }
    return home + QStringLiteral("/.config") + file;
}

SettingsStore::SettingsStore(QString filePath) : file_(std::move(filePath)) {}

SettingsStore::~SettingsStore() {
    batching_ = false;
    closeKey();
}

bool SettingsStore::openKey(const QString& path, bool canCreate) {
    const QString base = path.startsWith(u'\\') ? kHive : openKey_;
    openKey_.clear();
    if (base.isEmpty()) {
        return false;
    }
    QString target = base;
    for (const QString& part : path.split(u'\\', Qt::SkipEmptyParts)) {
        target += u'\\' + part;
    }
    if (!loaded_) {
        document_ = usable(file_.load());
        loaded_ = true;
    }
    if (!document_ || (!canCreate && document_->key(target) == nullptr)) {
        return false;
    }
    // A new key lives in memory until a write saves it with its first value.
    document_->ensureKey(target);
    openKey_ = target;
    return true;
}

void SettingsStore::closeKey() {
    if (batching_) {
        return; // the batch holds the lock and the document until it is committed
    }
    openKey_.clear();
    document_.reset();
    loaded_ = false;
    file_.unlock();
}

const RegValue* SettingsStore::find(const QString& name) const {
    if (openKey_.isEmpty() || !document_ || leftOut_.contains(name)) {
        return nullptr;
    }
    const RegKey* key = document_->key(openKey_);
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
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    return upToNul(decoder.decode(v->bytes));
}

QByteArray SettingsStore::readPath(const QString& name) const {
    const RegValue* v = find(name);
    if (v != nullptr && v->form == RegValue::Form::Hex && v->hexType == RegValue::kTypeString) {
        const qsizetype nul = v->bytes.indexOf('\0');
        return nul < 0 ? v->bytes : v->bytes.left(nul);
    }
    return readString(name).toUtf8();
}

void SettingsStore::writePath(const QString& name, const QByteArray& path) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(path);
    if (decoder.hasError() || text.contains(QChar(u'\0'))) {
        write(name, RegValue::hex(RegValue::kTypeString, path));
    } else {
        writeString(name, text);
    }
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
    if (file_.isLocked()) {
        return true;
    }
    if (!file_.lock(lockTimeout_)) {
        return false;
    }
    // Another instance may have saved since this moment began: build on what is there now.
    document_ = usable(file_.load());
    return document_.has_value();
}

void SettingsStore::write(const QString& name, RegValue value) {
    if (openKey_.isEmpty() || !document_ || !loadUnderLock()) {
        throw SettingsError::failedToSet(name);
    }
    if (batching_) {
        document_->ensureKey(openKey_).setValue(name, std::move(value));
        if (firstUnsaved_.isEmpty()) {
            firstUnsaved_ = name;
        }
        return;
    }
    RegFile next = *document_;
    next.ensureKey(openKey_).setValue(name, std::move(value));
    if (!file_.save(next)) {
        throw SettingsError::failedToSet(name);
    }
    document_ = std::move(next);
}

void SettingsStore::commitBatch() {
    batching_ = false;
    const QString first = std::exchange(firstUnsaved_, QString());
    if (!first.isEmpty() && (!document_ || !file_.save(*document_))) {
        closeKey();
        throw SettingsError::failedToSet(first);
    }
    closeKey();
}

void SettingsStore::abortBatch() {
    if (!batching_) {
        return;
    }
    batching_ = false;
    firstUnsaved_.clear();
    closeKey();
}

} // namespace quorvel
