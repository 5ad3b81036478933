#pragma once
// Fast conversion of file times to the packed local form for the walk.
//
// The C library's local-time conversion takes a process-wide lock and searches
// the zone's transition table on every call; a walk converts the times of its
// differences on eight threads. Zone offsets change at most a few times a year,
// so the offsets are read once per block of 256 days (UTC), as the offset at the
// block's start and the days where it changes; the calendar fields are computed
// arithmetically. A day that holds a change is converted file by file.
//
// A block costs some 40 library conversions once; a tree whose files span 30
// years touches 43 blocks. The table of 256 blocks (180 years, 12 KB) stays in
// the processor's cache: an earlier table of 4 096 days (160 KB a thread) missed it on nearly
// every lookup among the kernel's work of the walk, at 250 ns a conversion.

#include "engine/cas.h"

#include <array>
#include <climits>
#include <cstdint>
#include <optional>

namespace zrc {

class PrevodCasu final {
public:
    BalenyCas baleny(std::int64_t unixCas);
    // Both times lie in the packed range with the same UTC offset: their
    // packed values then order as the seconds do, 2 seconds apart or more.
    // A table lookup, where packing takes the calendar arithmetic too.
    bool stejnyPosun(std::int64_t a, std::int64_t b);

private:
    struct Zmena {
        std::uint8_t den = 0;        // day within the block
        bool smiseny = false;        // the change falls inside that day
        std::int32_t posun = 0;      // UTC offset in seconds from the day's end on
    };
    struct Blok {
        std::int64_t cislo = INT64_MIN;   // days since 1970-01-01 (UTC) / 256
        std::int32_t posun = 0;           // offset at the block's first second
        std::uint8_t zmen = 0;            // entries of zmeny used
        bool pomaly = false;              // more changes than zmeny holds
        std::array<Zmena, 4> zmeny{};
    };
    void naplnBlok(Blok& b, std::int64_t cislo) const;
    long posunDne(const Blok& b, int den, std::int64_t unixCas) const;
    long posun(std::int64_t unixCas);   // inside the packed range

    std::array<Blok, 256> bloky_{};
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
