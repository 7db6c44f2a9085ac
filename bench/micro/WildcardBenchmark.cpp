// Cost of matching one name against typical filter patterns, and against one built to make a
// backtracking matcher work hard.

#include "engine/Wildcard.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void wildcard(benchmark::State& state, const std::string& pattern, const std::string& name) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(quorvel::matchesWildcard(pattern, name));
    }
}

BENCHMARK_CAPTURE(wildcard, every_name, std::string("*.*"), std::string("ReportWriter.cpp"));
BENCHMARK_CAPTURE(wildcard, extension, std::string("*.cpp"), std::string("ReportWriter.cpp"));
BENCHMARK_CAPTURE(wildcard, extension_miss, std::string("*.h"), std::string("ReportWriter.cpp"));
BENCHMARK_CAPTURE(wildcard, prefix_and_marks, std::string("img_????.JPG"),
                  std::string("IMG_0042.jpg"));
BENCHMARK_CAPTURE(wildcard, utf8_name, std::string("r?sum?.*"), std::string("résumé.pdf"));
// Every star could swallow any run of a's; a naive matcher tries them all.
BENCHMARK_CAPTURE(wildcard, adversarial, std::string("*a*a*a*a*a*a*a*a*b"), std::string(255, 'a'));

} // namespace
