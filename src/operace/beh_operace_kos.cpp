// The trash in an operation, and the log of the items left undone.

#include "operace/beh_operace.h"
#include "operace/kniha_chyb.h"
#include "operace/zapis_deniku.h"

#include <cerrno>

namespace zrc {

OdpovedKose RozhraniOperace::kosNepouzitelny(const std::string&, const ChybaSouboru&)
{
    return OdpovedKose::Ne;
}

std::string textOtazkyKose(const std::string& zdroj, const ChybaSouboru& c)
{
    return "Pro soubor\r" + zdroj + "\rnelze použít koš (" + textChyby(c) +
           ").\rSmazat soubory tohoto svazku natrvalo?";
}

// Asked once per file system: a read-only mount or a disk without room for a
// .Trash-$uid would otherwise ask for every one of its files.
OdpovedKose BehOperace::rozhodnutiBezKose(dev_t dev, const std::string& zdroj, int err)
{
    if (const auto it = bezKose_.find(dev); it != bezKose_.end())
        return it->second;
    const auto o = r_.kosNepouzitelny(zdroj, ChybaSouboru::systemu(err));
    if (o != OdpovedKose::Zrusit)
        bezKose_[dev] = o;
    return o;
}

// A file that code 2 deletes goes to the trash. natrvalo: no trash usable and
// "Ano" to deleting permanently; the caller unlinks then.
ChybaSouboru BehOperace::doKose(int adresar, const std::string& jmeno, const struct stat& l,
                                const std::string& zdroj, bool& natrvalo, platform::VysledekKose& kam)
{
    const auto k = kos_.doKose(adresar, jmeno);
    kam = k;
    if (k.ok()) {
        ++doKose_;
        return {};
    }
    if (k.stav == platform::StavKose::Chyba)
        return ChybaSouboru::systemu(k.err);
    switch (rozhodnutiBezKose(l.st_dev, zdroj, k.err)) {
    case OdpovedKose::Ano: natrvalo = true; return {};
    case OdpovedKose::Ne: return {Duvod::BezKose, k.err};
    case OdpovedKose::Zrusit: break;
    }
    return {Duvod::Zruseno, 0};
}

// The version of a target that a copy or a move is about to replace: saved in
// the trash first (a hard link, see Kos::uloz). Nothing to save when the
// target is absent. zaloha tells the caller whether the target was moved away
// and must be put back should the replacement fail.
ChybaSouboru BehOperace::starouDoKose(std::size_t i, int adresar, const std::string& jmeno,
                                      platform::VysledekKose& zaloha)
{
    if (z_.mazani != Mazani::DoKose || prepis_ != Prepis::Nahradit || zaloha.ok())
        return {};
    if (const auto it = ulozene_.find(i); it != ulozene_.end()) {
        zaloha = it->second;
        return {};
    }
    struct stat st {};
    if (const auto r = sys_.fstatAt(adresar, jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW); !r.ok())
        return r.err == ENOENT ? ChybaSouboru{} : ChybaSouboru::systemu(r.err);
    if (S_ISDIR(st.st_mode))
        return {};   // refused by the target check
    zaloha = kos_.uloz(adresar, jmeno);
    if (zaloha.ok()) {
        ++doKose_;
        if (zaloha.odkaz)
            ulozene_.emplace(i, zaloha);
        return {};
    }
    if (zaloha.stav == platform::StavKose::Chyba)
        return ChybaSouboru::systemu(zaloha.err);
    switch (rozhodnutiBezKose(st.st_dev, cesty(i).zdroj, zaloha.err)) {
    case OdpovedKose::Ano: return {};
    case OdpovedKose::Ne: return {Duvod::BezKose, zaloha.err};
    case OdpovedKose::Zrusit: break;
    }
    return {Duvod::Zruseno, 0};
}

// Puts the old version of a target back from the trash after its replacement
// failed with err. Where that fails too, the old version stays in the trash,
// and the box and the log say so: the user finds the target gone and must
// know where its old version is.
ChybaSouboru BehOperace::vratStarou(const platform::VysledekKose& zaloha, int adresar,
                                    const std::string& jmeno, int err)
{
    if (kos_.vrat(zaloha, adresar, jmeno).ok())
        return {};
    return {Duvod::StaraVKosi, err};
}

OdpovedZaznamu odpovedZaznamu(OdpovedChyby o)
{
    return o == OdpovedChyby::Zrusit ? OdpovedZaznamu::Zrusit : OdpovedZaznamu::Ignorovat;
}

// Only how an item ends is logged: a Retry that succeeds leaves no record.
void BehOperace::zapis(std::size_t i, const ChybaSouboru& c, OdpovedZaznamu o)
{
    if (!volby_.denik && !volby_.kniha)
        return;
    const std::string zdroj = cesty(i).zdroj;
    const std::string cil = z_.operace.kopie ? cilPolozky(i) : std::string();
    const std::string duvod = textChyby(c);
    if (volby_.denik)
        volby_.denik->zapis({.druh = DruhZaznamu::Chyba, .cesta = zdroj, .cil = cil, .duvod = duvod});
    if (volby_.kniha)
        volby_.kniha->pridej({.kod = z_.operace.kod, .zdroj = zdroj, .cil = cil, .duvod = duvod, .odpoved = o});
}

} // namespace zrc
