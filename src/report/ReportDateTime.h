#pragma once

#include <ctime>
#include <string>

namespace quorvel {

// `when` as local date, one blank, local time, in the formats of the LC_TIME locale in force, as
// UTF-8 whatever that locale's character set.
std::string localDateTimeText(std::time_t when);

} // namespace quorvel
