#pragma once
// What a file is: the one place that sorts a source file against its
// counterpart, and the depth match test of a directory found by the walk.

#include "engine/filtry.h"
#include "engine/porovnani.h"
#include "engine/vypis_adresare.h"

#include <optional>
#include <string_view>

namespace zrc {

struct KontextZarazeni {
    const ZiveVolby& volby;
    const Limity& limity;
    VynechaneTypy* vynechaneTypy = nullptr;   // null: nothing excluded
};

// The page a source file lands on, with its packed time.
struct Rozdil {
    Trida trida;
    BalenyCas cas;
};

// The list page of source file a against its counterpart b (null: no file of
// that name on the other side), or nothing: older, equal, an excluded type or
// refused by the file time filter. The file time filter is read here, per file.
std::optional<Rozdil> zarad(const SouborVypisu& a, const SouborVypisu* b,
                            std::string_view jmeno, const KontextZarazeni& k, PrevodCasu& prevod);
// The two halves of zarad: the page by time and size alone, and the excluded
// types and the file time filter (read at this call) for a file on that page.
// Times compare packed (local, to two seconds), but are packed only when the
// seconds differ: files in step have the same seconds, and most files of two
// trees compared are in step.
std::optional<Rozdil> tridaRozdilu(const SouborVypisu& a, const SouborVypisu* b, PrevodCasu& prevod);
bool prijmout(Trida t, std::string_view jmeno, BalenyCas cas, const KontextZarazeni& k);

// tridaRozdilu of a pair both ways at once: the file of side 1 against its
// counterpart, and the counterpart against it. A time is packed only for a
// file that reaches a list, but for pairs within 2 seconds or across a change
// of the zone's offset, which need both; done per pass, a pair whose times
// differ was packed four times.
struct RozdilyParu {
    std::optional<Rozdil> a, b;
};
RozdilyParu tridyParu(const SouborVypisu& a, const SouborVypisu& b, PrevodCasu& prevod);

// Depth match of a directory at depth hloubka (1 = directly in the source
// directory) with level urovenShody: level 0 keeps everything; otherwise the
// other side must hold the directory itself when hloubka <= level
// (protejsekExistuje), or its ancestor at the level when it lies deeper
// (predekExistuje).
bool ShodaUrovne(int hloubka, int urovenShody, bool protejsekExistuje, bool predekExistuje);

} // namespace zrc
