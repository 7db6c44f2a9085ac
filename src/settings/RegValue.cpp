#include "settings/RegValue.h"

#include <utility>

namespace quorvel {

RegValue RegValue::string(QString text) {
    RegValue v;
    v.form = Form::String;
    v.text = std::move(text);
    return v;
}

RegValue RegValue::expandString(QString text) {
    RegValue v;
    v.form = Form::ExpandString;
    v.text = std::move(text);
    return v;
}

RegValue RegValue::dword(std::uint32_t value) {
    RegValue v;
    v.form = Form::Dword;
    v.dwordValue = value;
    return v;
}

RegValue RegValue::hex(std::uint32_t type, QByteArray bytes) {
    RegValue v;
    v.form = Form::Hex;
    v.hexType = type;
    v.bytes = std::move(bytes);
    return v;
}

std::uint32_t RegValue::type() const {
    switch (form) {
    case Form::String:
        return kTypeString;
    case Form::ExpandString:
        return kTypeExpandString;
    case Form::Dword:
        return kTypeDword;
    case Form::Hex:
        break;
    }
    return hexType;
}

} // namespace quorvel
