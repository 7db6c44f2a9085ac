#pragma once

#include "engine/RunObserver.h"

#include <vector>

namespace quorvel {

// Tells every event of a run to several observers in the order given; the run goes on only while
// all of them let it.
class RunObserverFanOut : public RunObserver {
public:
    explicit RunObserverFanOut(std::vector<RunObserver*> observers);

    void runStarted() override;
    void runEnded(bool interrupted) override;
    void directoryBegun(std::string_view relativePath) override;
    void pairBegun(std::string_view name) override;
    void bytesCompared(const RunBytes& bytes) override;
    void pairCounted(const PairRecord& pair, const RunCounters& counters) override;
    void readProblem(std::string_view path, int errorCode) override;
    void recordedProblem(std::string_view manifest, std::string_view path, int errorCode) override;
    bool mayGoOn() override;

private:
    std::vector<RunObserver*> observers_;
};

} // namespace quorvel
