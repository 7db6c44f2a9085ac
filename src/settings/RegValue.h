#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace quorvel {

// One value as the settings file holds it: a string, an expandable string, a DWORD, or raw bytes
// of any registry type, which are kept exactly as they were read.
struct RegValue {
    enum class Form { String, ExpandString, Dword, Hex };

    static constexpr std::uint32_t kTypeString = 1;
    static constexpr std::uint32_t kTypeExpandString = 2;
    static constexpr std::uint32_t kTypeBinary = 3;
    static constexpr std::uint32_t kTypeDword = 4;

    static RegValue string(QString text);
    static RegValue expandString(QString text);
    static RegValue dword(std::uint32_t value);
    static RegValue hex(std::uint32_t type, QByteArray bytes);

    // The registry type number, whatever form the value was written in.
    std::uint32_t type() const;

    bool operator==(const RegValue&) const = default;

    Form form = Form::String;
    QString text;
    std::uint32_t dwordValue = 0;
    std::uint32_t hexType = kTypeBinary;
    QByteArray bytes;
};

} // namespace quorvel
