#include "settings/RegFile.h"

#include "settings/AsciiCase.h"

#include <utility>

namespace quorvel {

namespace {

// Bytes per line of a hex value before it continues on the next line, as regedit wraps them.
constexpr qsizetype kHexBytesPerLine = 25;

QString quoted(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (QChar c : text) {
        if (c == u'\\' || c == u'"') {
            out += u'\\';
        }
        out += c;
    }
    out += u'"';
    return out;
}

// A string with a line break or another control character cannot stand between quotes on one
// line, so it is written as the bytes of the same registry type instead.
bool needsHexForm(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            return true;
        }
    }
    return false;
}

QString hexData(std::uint32_t type, const QByteArray& bytes) {
    QString out = type == RegValue::kTypeBinary ? QStringLiteral("hex:")
                                                : QStringLiteral("hex(%1):").arg(type, 0, 16);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out += (i % kHexBytesPerLine == 0) ? QStringLiteral(",\\\n  ") : QStringLiteral(",");
        }
        out += QStringLiteral("%1").arg(static_cast<unsigned char>(bytes[i]), 2, 16, QChar(u'0'));
    }
    return out;
}

QString stringBytes(std::uint32_t type, const QString& text) {
    return hexData(type, text.toUtf8() + '\0');
}

QString data(const RegValue& v) {
    switch (v.form) {
    case RegValue::Form::String:
        return needsHexForm(v.text) ? stringBytes(RegValue::kTypeString, v.text) : quoted(v.text);
    case RegValue::Form::ExpandString:
        return needsHexForm(v.text) ? stringBytes(RegValue::kTypeExpandString, v.text)
                                    : QStringLiteral("str(2):") + quoted(v.text);
    case RegValue::Form::Dword:
        return QStringLiteral("dword:%1").arg(v.dwordValue, 8, 16, QChar(u'0'));
    case RegValue::Form::Hex:
        break;
    }
    return hexData(v.hexType, v.bytes);
}

} // namespace

const RegKey* RegFile::key(QStringView path) const {
    for (const RegKey& k : keys_) {
        if (equalsIgnoringAsciiCase(k.path(), path)) {
            return &k;
        }
    }
    return nullptr;
}

RegKey& RegFile::ensureKey(const QString& path) {
    for (RegKey& k : keys_) {
        if (equalsIgnoringAsciiCase(k.path(), path)) {
            return k;
        }
    }
    return keys_.emplace_back(path);
}

void RegFile::addPreambleComment(QString line) {
    preamble_.append(std::move(line));
}

QByteArray RegFile::serialize() const {
    QString out = QStringLiteral("REGEDIT4\n");
    for (const QString& line : preamble_) {
        out += line + u'\n';
    }
    for (const RegKey& k : keys_) {
        out += QStringLiteral("\n[") + k.path() + QStringLiteral("]\n");
        for (const RegKey::Entry& e : k.entries()) {
            if (e.isComment) {
                out += e.comment;
            } else {
                out += (e.name.isEmpty() ? QStringLiteral("@") : quoted(e.name)) + u'=' +
                       data(e.value);
            }
            out += u'\n';
        }
    }
    return out.toUtf8();
}

} // namespace quorvel
