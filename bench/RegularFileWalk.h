#pragma once

#include <filesystem>
#include <functional>

namespace quorvel {

// The command line of the page cache tools: every regular file under each directory given (links
// are not followed) goes to `visit`, which returns false when it could not do its work on it.
// Returns the tool's exit code: 0 when all went well, 1 when a file or a walk failed, 2 with a
// usage line when no directory is given. `tool` names the tool in its messages.
int forEachRegularFile(const char* tool, int argc, char** argv,
                       const std::function<bool(const std::filesystem::path&)>& visit);

} // namespace quorvel
