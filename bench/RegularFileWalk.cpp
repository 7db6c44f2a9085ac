#include "bench/RegularFileWalk.h"

#include <cstdio>
#include <system_error>

namespace quorvel {

int forEachRegularFile(const char* tool, int argc, char** argv,
                       const std::function<bool(const std::filesystem::path&)>& visit) {
    if (argc < 2) {
        std::fprintf(stderr, "Usage: %s DIRECTORY...\n", tool);
        return 2;
    }
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        std::filesystem::recursive_directory_iterator walk(argv[i], error);
        for (; !error && walk != std::filesystem::recursive_directory_iterator();
             walk.increment(error)) {
            std::error_code typeError;
            if (walk->symlink_status(typeError).type() == std::filesystem::file_type::regular) {
                ok = visit(walk->path()) && ok;
            }
        }
        if (error) {
            std::fprintf(stderr, "%s: cannot walk '%s': %s\n", tool, argv[i],
                         error.message().c_str());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

} // namespace quorvel
