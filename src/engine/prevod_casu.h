#pragma once
// Fast conversion of file times to the packed local form for the walk.
//
// The C library's local-time conversion takes a process-wide lock and searches
// the zone's transition table on every call; a walk converts one time per file
// on two threads. Zone offsets change at most a few times a year, so the offset
// is looked up once per 15-minute span and the calendar fields are computed
// arithmetically. A span whose two ends have different offsets (it holds a
// change) is converted file by file.

#include "engine/cas.h"

#include <cstdint>

namespace zrc {

class PrevodCasu {
public:
    BalenyCas baleny(std::int64_t unixCas);

private:
    std::int64_t usek_ = INT64_MIN;   // start of the cached span / 900
    long posun_ = 0;                  // UTC offset in seconds within the span
    bool smiseny_ = false;            // the span holds an offset change
};

// Packed value of local calendar fields; the year field runs outside 0..127 for
// years before 1980 and after 2107.
BalenyCas zabalCas(int rok, int mesic, int den, int hodina, int minuta, int sekunda);

} // namespace zrc
