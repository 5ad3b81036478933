#pragma once
// One call of VratOperaci: the walk over the journal, newest record first.

#include "operace/kniha_chyb.h"
#include "operace/strom_operace.h"
#include "operace/vraceni.h"
#include "operace/zapis_deniku.h"
#include "platform/kos.h"

#include <optional>

namespace zrc {

class BehVraceni final {
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
    void odeberInfo(const ZaznamDeniku& z);
    void zapisDenik(ZaznamDeniku z);
    void zapisChybu(const ZaznamDeniku& z, const ChybaSouboru& c, OdpovedZaznamu o);
    bool zrusitPozadovano() const;

    const Denik& d_;
    RozhraniOperace& r_;
    const VolbyOperace& volby_;
    platform::Syscalls& sys_;
    platform::Kos kos_;
    StromOperace zdroj_, cil_;
    std::int64_t celkem_ = 0, hotovo_ = 0;
};

} // namespace zrc
