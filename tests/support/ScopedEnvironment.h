#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::test {

// Sets or unsets environment variables for one scope and puts back, for each, the value from
// before its first change, also when an assertion ends the test early.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const char* name, const std::string& value) { set(name, value); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const char* name, const std::string& value) {
        keep(name);
        ::setenv(name, value.c_str(), 1);
    }
    void unset(const char* name) {
        keep(name);
        ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name, value->c_str(), 1);
            } else {
                ::unsetenv(name);
            }
        }
    }

private:
    void keep(const char* name) {
        if (std::any_of(saved_.begin(), saved_.end(),
                        [name](const auto& kept) { return std::strcmp(kept.first, name) == 0; })) {
            return;
        }
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    }

    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

} // namespace quorvel::test
