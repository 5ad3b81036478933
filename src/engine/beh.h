#pragma once
// The passes of one comparison run after validation: the structure stage that
// builds the table of the source side's directories, and the file stage that
// pairs and sorts their files. The tree of each side is listed level by level;
// the directories of a level are listed in parallel and then taken in order,
// which is exactly the breadth-first order of a sequential walk.

#include "engine/filtry.h"
#include "engine/otevirac_stromu.h"
#include "engine/porovnani.h"
#include "engine/strom_strany.h"
#include "engine/worker_pool.h"
#include "engine/zarazeni.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zrc {

// One directory of a pass's table.
struct PolozkaTabulky {
    std::uint32_t zdroj = StromStrany::koren;       // node on the source side
    std::uint32_t protejsek = StromStrany::koren;   // node on the other side, or zadnyUzel
    std::uint32_t rodic = zadnyUzel;                // table index of the parent
    int hloubka = 0;
    bool predekNaUrovni = true;   // the other side has the ancestor at the depth-match level
};

// Reports at most every 100 ms, so that a status text is built only when shown.
class Omezovac {
public:
    bool ted();
private:
    std::chrono::steady_clock::time_point posledni_{};
};

struct ZakladyBehu {
    std::string adresar1, adresar2;   // bytes, one trailing "/" removed
};

class Beh {
public:
    Beh(const ParametryBehu& p, PrijemceBehu& prijemce, const ZiveVolby& volby,
        const Limity& limity, const ZakladyBehu& zaklady);

    KonecBehu proved();
    std::size_t pocetPolozek() const { return pocetPolozek_; }
    // The unreadable directories of side 1, then those of side 2.
    std::vector<NepristupnyAdresar> nepristupne() const;

private:
    bool pruchod(int zdroj);
    std::vector<PolozkaTabulky> strukturaPodadresaru(int zdroj);
    void nactiUroven(int zdroj, const std::vector<PolozkaTabulky>& t, std::size_t od);
    void hlasCteni(int zdroj, std::size_t precteno);
    void pridejPodadresare(int zdroj, std::vector<PolozkaTabulky>& t, std::size_t i);
    bool ponechat(int zdroj, const PolozkaTabulky& rodic, bool protejsekExistuje) const;
    void filtrPodadresaru(int zdroj, std::vector<PolozkaTabulky>& t);
    std::optional<BalenyCas> casAdresare(int strana, std::uint32_t uzel) const;

    bool porovnejSoubory(int zdroj, const std::vector<PolozkaTabulky>& t);
    bool porovnejAdresar(int zdroj, const PolozkaTabulky& p);
    void hlasPrubeh(int pozice);
    QString textCesty(int strana, std::uint32_t uzel, std::string_view jmeno = {}) const;
    bool zastaveno() const;

    PrijemceBehu& prijemce_;
    const ZiveVolby& volby_;
    const Limity& limity_;
    KontextZarazeni kontext_;
    const std::atomic<bool>* stop_;
    int omezeni_;                       // CBOmez
    StromStrany stromy_[2];
    WorkerPool pool_;
    std::vector<PracovniPametVypisu> pameti_;   // one per listing thread
    std::vector<OteviracStromu> oteviraci_;     // two per listing thread: side 1, side 2
    Omezovac omezovac_;
    std::atomic<std::size_t> precteno_{0};   // directories listed in this run, both sides
    int posledniPrubeh_ = 0;           // the run reports 0 before the passes
    std::string rel_, podadresar_;      // reused per directory
    std::size_t pocetPolozek_ = 0;
};

} // namespace zrc
