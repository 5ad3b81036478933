#pragma once
// Fast conversion of file times to the packed local form for the walk.
//
// The C library's local-time conversion takes a process-wide lock and searches
// the zone's transition table on every call; a walk converts one time per file
// on two threads. Zone offsets change at most a few times a year, so the offset
// is looked up once per day (UTC) and the calendar fields are computed
// arithmetically. A day whose two ends have different offsets (it holds a
// change) is converted file by file. Files of a tree carry times spread over
// years in no order, so the days are kept in a table of 4096 slots (ten years
// of days fit with few collisions), about 100 KB per listing thread.

#include "engine/cas.h"

#include <array>
#include <cstdint>

namespace zrc {

class PrevodCasu {
public:
    BalenyCas baleny(std::int64_t unixCas);

private:
    struct Den {
        std::int64_t den = INT64_MIN;   // days since 1970-01-01 (UTC)
        long posun = 0;                 // UTC offset in seconds during that day
        bool smiseny = false;           // the day holds an offset change
    };
    std::array<Den, 4096> dny_{};
};

// Packed value of local calendar fields; the year field runs outside 0..127 for
// years before 1980 and after 2107.
BalenyCas zabalCas(int rok, int mesic, int den, int hodina, int minuta, int sekunda);

} // namespace zrc
