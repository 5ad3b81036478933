// The operation's journal records: what each item became.

#include "operace/beh_operace.h"
#include "operace/zapis_deniku.h"

namespace zrc {

// The identity is read after the placement: the file the name holds now is
// the one that an undo may take away again.
void BehOperace::denikVytvoreno(std::size_t i, const Vytvoreno& v)
{
    if (!volby_.denik)
        return;
    struct stat st {};
    const auto r = sys_.fstatAt(v.adresar, v.jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW);
    ZaznamDeniku z{.druh = v.druh,
                   .cesta = v.presun ? cesty(i).zdroj : std::string(),
                   .cil = cilPolozky(i)};
    if (!r.ok()) {
        // Done, but of unknown identity: an undo must not take it away.
        z.druh = DruhZaznamu::Chyba;
        z.duvod = "identitu vytvořeného souboru nelze zjistit (" + textChyby(ChybaSouboru::systemu(r.err)) + ")";
    }
    z.identita = Identita::ze(st);
    if (v.stara && v.stara->ok()) {
        z.kos = v.stara->kos;
        z.vKosi = v.stara->jmeno;
    }
    volby_.denik->zapis(z);
}

void BehOperace::denikSmazano(std::size_t i, const struct stat& l, const platform::VysledekKose* kos)
{
    if (!volby_.denik)
        return;
    ZaznamDeniku z{.druh = kos ? DruhZaznamu::DoKose : DruhZaznamu::Smazano, .cesta = cesty(i).zdroj};
    z.identita = Identita::ze(l);
    if (kos) {
        z.kos = kos->kos;
        z.vKosi = kos->jmeno;
    }
    volby_.denik->zapis(z);
}

void BehOperace::denikSynchronizuj()
{
    if (volby_.denik)
        volby_.denik->synchronizuj();
}

} // namespace zrc
