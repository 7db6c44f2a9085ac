#pragma once

#include "support/ChildProcess.h"
#include "support/ExpectedReport.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

// quorvel-compare run in `directory`, killed after a minute should it hang.
ChildResult runCompanion(const std::vector<std::string>& args, const std::string& directory);

// The same as a user for whom file permissions count: nobody when the tests run as root, else
// the user running them.
ChildResult runCompanionUnprivileged(const std::vector<std::string>& args,
                                     const std::string& directory);

// Why runCompanionUnprivileged cannot work in `directory`; nothing when it can.
std::optional<std::string> noUnprivilegedRun(const std::string& directory);

// Lets an unprivileged user reach everything below `root` that is not made unreadable on purpose.
void openToEveryone(const std::string& root);

} // namespace quorvel::test
