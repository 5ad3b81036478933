#pragma once
// One call of VratOperaci: the walk over the journal, newest record first.

#include "operace/kniha_chyb.h"
#include "operace/kopie_souboru.h"
#include "operace/otazky_operace.h"
#include "operace/strom_operace.h"
#include "operace/vraceni.h"
#include "operace/zapis_deniku.h"
#include "platform/kos.h"

#include <chrono>
#include <optional>

namespace zrc {

class BehVraceni final : private PrubehKopie {
public:
    BehVraceni(const Denik& d, RozhraniOperace& r, const VolbyOperace& volby);
    VysledekVraceni proved();

private:
    // A directory entry named by a full path of one of the two trees.
    struct Misto {
        SdilenyAdresar adresar;
        std::string jmeno;
    };
    ChybaSouboru otevri(const std::string& cesta, bool vytvorit, Misto& m);
    ChybaSouboru overIdentitu(const Misto& m, const Identita& i);

    enum class Konec : std::uint8_t { Vraceno, Nevraceno, Zruseno };
    Konec zaznam(const ZaznamDeniku& z);
    ChybaSouboru vrat(const ZaznamDeniku& z);
    ChybaSouboru vratKopii(const ZaznamDeniku& z);
    ChybaSouboru vratZKose(const ZaznamDeniku& z);
    ChybaSouboru vratPresun(const ZaznamDeniku& z);
    ChybaSouboru vratNahrazeni(const ZaznamDeniku& z);
    ChybaSouboru vratPresunSNahrazenim(const ZaznamDeniku& z, const Misto& cil);
    ChybaSouboru zpetNaCil(const ZaznamDeniku& z, const Misto& cil, const Misto& zdroj, int err);
    ChybaSouboru presun(const Misto& odkud, const Misto& kam, const Identita& i);

    // A move between file systems, back by a copy (vraceni_svazky.cpp).
    ChybaSouboru presunKopii(const Misto& odkud, const Misto& kam, const Identita& i);
    ChybaSouboru zkopirujZpet(const Identita& i, const Misto& odkud, const Misto& kam, DocasnySoubor& t);
    ChybaSouboru odstranPresunuty(const Misto& m, const Identita& i);
    bool kopirovano(std::int64_t hotovo, std::int64_t celkem) override;

    // A replacement where the atomic exchange is refused (vraceni_vymena.cpp).
    ChybaSouboru vymenVeDvou(const ZaznamDeniku& z, const Misto& cil);
    ChybaSouboru vratNovou(const ZaznamDeniku& z, const Misto& cil, const platform::VysledekKose& k, int err);

    void zapisIdentitu(ZaznamDeniku z, const Misto& m);
    void odeberInfo(const ZaznamDeniku& z);
    void zapisDenik(ZaznamDeniku z);
    void zapisChybu(const ZaznamDeniku& z, const ChybaSouboru& c, OdpovedZaznamu o);
    bool zrusitPozadovano() const;

    const Denik& d_;
    OtazkyOperace otazky_;   // writes the journal's waiting records before questions
    RozhraniOperace& r_;     // otazky_
    const VolbyOperace& volby_;
    platform::Syscalls& sys_;
    platform::Kos kos_;
    StromOperace zdroj_, cil_;
    std::int64_t celkem_ = 0, hotovo_ = 0;
    std::optional<KopirujSoubor> kopie_;   // made at the first copy back: it reads the umask
    std::chrono::steady_clock::time_point posledniHlaseni_{};
    // Where the new version of a replaced file stayed when neither version
    // could take its name: the log's target for that record.
    std::string zustaloVKosi_;
};

} // namespace zrc
