#pragma once
// The status line after an operation: what was done, also when nothing failed.
//
//   "Zkopírováno: 10 souborů, 1,2 MiB."
//   "Přesunuto do koše: 3 soubory, 6,0 MiB."
//   "Zkopírováno: 8 souborů, 1,0 MiB, neprovedeno: 2 (viz chyby operace)."
//
// Every piece of work that ends with a line in the status bar words it here,
// so that the lines read alike: a verb per kind of work, the Czech plural of
// the count, the size from util/velikost_text.h, and the items left undone
// pointing to the list menu's "zobrazit chyby operace".

#include "operace/prikazy.h"

#include <cstdint>
#include <string>

namespace zrc {

// What was done to the files; each kind has its verb.
enum class DruhSouhrnu : std::uint8_t {
    Kopie,       // "Zkopírováno"
    Presun,      // "Přesunuto"
    Smazani,     // "Smazáno" (permanently)
    DoKose,      // "Přesunuto do koše"
    Nahrazeni,   // "Nahrazeno" ("kop.pův.", "přes.pův.")
};

struct SouhrnOperace {
    DruhSouhrnu druh = DruhSouhrnu::Kopie;
    std::int64_t souboru = 0;       // items done
    std::int64_t bajtu = 0;         // their summed size
    std::int64_t neprovedeno = 0;   // failed, ignored, refused or never reached
    // Of a deletion: how many of the done files went to the trash while the
    // rest went permanently (a disk without a usable trash, "Ano" to deleting
    // there). Of a copy, move or replacement: the old versions of replaced
    // files that went to the trash.
    std::int64_t doKose = 0;
};

// The kind of a decoded command; smazanoDoKose: deletions go to the trash.
DruhSouhrnu druhOperace(const Operace& o, bool smazanoDoKose);

// "Zkopírováno: 10 souborů, 1,2 MiB." A deletion that sent only part of its
// files to the trash says "Smazáno: 5 souborů, 10 KiB, z toho do koše: 3.";
// a copy or replacement whose old versions went there ends "…, staré verze v koši.".
std::string textSouhrnu(const SouhrnOperace& s);

} // namespace zrc
