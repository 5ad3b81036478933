#pragma once
// Throttles the run's status and progress reports by time, not by count: a
// report at most every 100 ms, so that a status text is built only when it
// is shown, however many files a directory holds.

#include <chrono>

namespace zrc {

class Omezovac final {
public:
    // True when at least 100 ms passed since the last true.
    bool ted();
private:
    std::chrono::steady_clock::time_point posledni_{};
};

} // namespace zrc
