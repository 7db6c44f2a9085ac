#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quorvel {

// Our texts and names are UTF-8 bytes; Qt wants QString. Bytes that are not valid UTF-8 show as
// replacement characters and must never be turned back into a name: keep the original bytes.
QString toQString(std::string_view bytes);
std::string toBytes(const QString& text);

} // namespace quorvel
