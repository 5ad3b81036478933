#pragma once
// The filters that act during a run: the two time limits, the depth match and
// the excluded types.

#include "engine/cas.h"
#include "engine/nastaveni.h"

#include <QDateTime>
#include <optional>
#include <string_view>

namespace zrc {

struct Limity {
    BalenyCas LimitSouboru = 0;      // 0: every time passes
    BalenyCas LimitPodadresaru = 0;
    int UrovenShody = 0;
};

// The time of day of a time field ("10:00", " 9:05"): hours and minutes, or
// nothing when the text is not a valid time (fewer than 5 characters, not
// numbers, hours outside 0..23, minutes outside 0..59).
std::optional<QTime> casZTextu(const QString& text);

// Computes the three limits from the record; "now" comes from the caller. Both
// time limits are computed whether their filters are on or not. Returns nothing
// when a filter in mode "po datu" holds a time text that is not a valid time.
std::optional<Limity> Dopoctilimit(const NastaveniPorovnani& n, const QDateTime& ted);

// Strict: a time equal to the limit (the same 2-second step) fails; limit 0 passes all.
bool VyhovujeSoubor(BalenyCas casSouboru, const Limity& l);
bool VyhovujePodadresar(BalenyCas casAdresare, const Limity& l);

// The last extension of a file name, dot included ("" when the name has no ".").
std::string_view priponaSouboru(std::string_view jmenoSouboru);

} // namespace zrc
