#pragma once
// "vrátit poslední operaci": takes an operation back from its journal
// (denik.h), newest record first.
//
//   DoKose     the file comes back from the trash to its path, only where
//              that path is free; its info file goes after it is back
//   Kopie      the created file goes to the trash, only if unchanged
//   Nahrazeno  the new version and the old one in the trash swap places in
//              one rename (RENAME_EXCHANGE), only if the new one is unchanged;
//              where the file system refuses the exchange, in two renames
//              through the trash (vraceni_vymena.cpp)
//   Presun     the file goes back, only if unchanged and its old place is
//              free; across file systems by a copy (vraceni_svazky.cpp)
//   Smazano    cannot be undone; logged
//
// Nothing is ever overwritten: every placement is a rename that refuses an
// existing name (platform::prejmenujBezPrepisu) or the atomic exchange, so a
// failure or a kill at any point leaves each file in its before-undo or
// after-undo place (a copy back at worst in both, which the log says).
// Whatever has changed since is skipped and logged.
// The undo is journaled itself (VolbyOperace::denik), so it can be undone.

#include "operace/operace.h"
#include "operace/slozka_deniku.h"

#include <cstdint>
#include <string>

namespace zrc {

struct PlanVraceni {
    std::int64_t lze = 0, zmeneno = 0, natrvalo = 0;
};
PlanVraceni naplanujVraceni(const Denik& d, platform::Syscalls* sys = nullptr);

// "vrátí 12 souborů, 2 nelze: byly mezitím změněny, 1 nelze: smazán natrvalo"
std::string textPlanuVraceni(const PlanVraceni& p);

struct VysledekVraceni {
    std::size_t vraceno = 0, nevraceno = 0;
    bool zruseno = false;
};
// "Vráceno: 12 souborů." (", nevráceno: 2" before the full stop when some were not)
std::string textPoVraceni(const VysledekVraceni& v);

// The header of an operation's journal, and of an undo's: the same two trees.
HlavickaDeniku hlavickaOperace(const ZadaniOperace& z);
HlavickaDeniku hlavickaVraceni(const Denik& d);

// Runs the undo on the calling (worker) thread. r gets the steps, the
// progress and the error box (Retry, Ignore, Cancel) of a failed system call;
// volby: sys, zrusit, kosDomov, kniha (every item not taken back), denik.
VysledekVraceni VratOperaci(const Denik& d, RozhraniOperace& r, const VolbyOperace& volby = {});

} // namespace zrc
