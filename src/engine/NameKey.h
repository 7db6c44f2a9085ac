#pragma once

#include "engine/NameRule.h"

#include <string>
#include <string_view>

namespace quorvel {

// What two names share when `rule` makes them namesakes. A name that is not valid UTF-8 is its
// own key: no key of valid text can equal it.
std::string nameKey(std::string_view name, NameRule rule);

} // namespace quorvel
