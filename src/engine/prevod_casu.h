#pragma once
// Fast conversion of file times to the packed local form for the walk.
//
// The C library's local-time conversion takes a process-wide lock and searches
// the zone's transition table on every call; a walk converts one time per file
// on two threads. Zone offsets change at most a few times a year, so the offset
// is looked up once per day (UTC) and the calendar fields are computed
// arithmetically. A day whose two ends have different offsets (it holds a
// change) is converted file by file. The packed dates of the (at most two)
// local days a UTC day spans are kept with it: the calendar arithmetic took a
// fifth of the conversion. Files of a tree carry times spread over years in no
// order, so the days are kept in a table of 4096 slots (ten years of days fit
// with few collisions), 160 KB per listing thread; a miss in it is the cost of
// a conversion.

#include "engine/cas.h"

#include <array>
#include <cstdint>
#include <optional>

namespace zrc {

class PrevodCasu {
public:
    BalenyCas baleny(std::int64_t unixCas);

private:
    struct Den {
        std::int64_t den = INT64_MIN;   // days since 1970-01-01 (UTC)
        long posun = 0;                 // UTC offset in seconds during that day
        bool smiseny = false;           // the day holds an offset change
        std::int64_t prvniMistni = 0;   // the local day of its first second
        BalenyCas datum[2] = {0, 0};    // packed dates of prvniMistni and the day after
    };
    std::array<Den, 4096> dny_{};
};

// Packed value of local calendar fields; the year field runs outside 0..127 for
// years before 1980 and after 2107.
BalenyCas zabalCas(std::int64_t rok, int mesic, int den, int hodina, int minuta, int sekunda);

// A file system may hold any 64-bit count of seconds (tmpfs keeps years beyond
// 10^9). The packed layout costs 2^25 per year, so it is used for the years
// -2*10^9 .. 2*10^9; times beyond continue in plain 2-second steps from the
// ends of that range. Every time therefore packs into 64 bits without
// overflow, in the order of time.
constexpr std::int64_t rokMezePakovani = 2'000'000'000;
bool mimoRozsahPakovani(std::int64_t unixCas);
BalenyCas balenyMimoRozsah(std::int64_t unixCas);
// The seconds of a packed value beyond the layout's range, nothing inside it.
std::optional<std::int64_t> unixCasMimoRozsah(BalenyCas b);

// Proleptic Gregorian date of a day count since 1970-01-01.
void datumZeDne(std::int64_t z, std::int64_t& rok, int& mesic, int& den);

} // namespace zrc
