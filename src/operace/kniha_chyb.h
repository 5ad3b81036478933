#pragma once
// The log of what an operation did not do: every failed, ignored or refused
// item with its time, operation, source, target, the Czech reason and the
// answer given. The operation engine feeds it (VolbyOperace::kniha); the
// window keeps one per operation, and when it holds anything after the end:
//
//   the status line counts the items left undone (souhrn_operace.h),
//   context menu "zobrazit chyby" shows textKnihy(kniha.zaznamy()),
//   "uložit chyby..." writes the same bytes to the chosen file (a path that
//   is not UTF-8 keeps its bytes there).
//
// Written from the operation's worker thread only while it runs and read by
// the window only after it ended, so it takes no lock.

#include "operace/chyba_souboru.h"
#include "operace/operace.h"

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

namespace zrc {

// The answer with which an item was left undone.
enum class OdpovedZaznamu : std::uint8_t {
    Zrusit,       // "Zrušit": the operation ended here
    Ignorovat,    // "Ignorovat": the item was passed over
    Ne,           // "Ne" to a question (read-only file, permanent deletion, free space)
    Zadna,        // no question was asked (an earlier answer covered it)
};

struct ZaznamChyby {
    std::time_t cas = 0;
    KodOperace kod = KodOperace::Kopie;
    std::string zdroj;        // full path (bytes, as the file system has them)
    std::string cil;          // full target path; "" for a deletion
    std::string duvod;        // Czech
    OdpovedZaznamu odpoved = OdpovedZaznamu::Ignorovat;
    bool polozka = true;      // false: the whole operation (the free-space "Ne")
};

class KnihaChyb final {
public:
    void pridej(ZaznamChyby z);
    const std::vector<ZaznamChyby>& zaznamy() const { return zaznamy_; }
    bool prazdna() const { return zaznamy_.empty(); }
    // Distinct items in the log (a retried item that failed twice counts once
    // when its source and target repeat consecutively).
    std::size_t pocetPolozek() const;
    void vymaz() { zaznamy_.clear(); }

private:
    std::vector<ZaznamChyby> zaznamy_;
};

// The log's answer for an error box's answer (Retry never ends an item).
OdpovedZaznamu odpovedZaznamu(OdpovedChyby o);

// "Zrušit", "Ignorovat", "Ne", "—".
const char* textOdpovedi(OdpovedZaznamu o);
// One block per record, UTF-8, "\n" line ends:
//   2026-12-07 14:03:11  Kopírování
//     zdroj: /data/a.txt
//     cíl:   /zaloha/a.txt
//     důvod: na disku není místo
//     odpověď: Ignorovat
std::string textKnihy(const std::vector<ZaznamChyby>& zaznamy);

} // namespace zrc
