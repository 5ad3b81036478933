#include "operace/beh_vraceni.h"

#include "platform/zapisy.h"

#include <cerrno>
#include <linux/fs.h>

namespace zrc {

namespace {

// The path that the step of a record works on, for the status line and the log.
const std::string& cestaZaznamu(const ZaznamDeniku& z)
{
    return z.druh == DruhZaznamu::DoKose || z.druh == DruhZaznamu::Smazano ? z.cesta : z.cil;
}

bool koren(const std::string& cesta, const std::string& zaklad)
{
    const std::size_t n = zaklad.size() - (zaklad.ends_with('/') ? 1 : 0);
    return cesta.size() > n + 1 && cesta.compare(0, n, zaklad, 0, n) == 0 && cesta[n] == '/';
}

} // namespace

BehVraceni::BehVraceni(const Denik& d, RozhraniOperace& r, const VolbyOperace& volby)
    : d_(d), otazky_(r), r_(otazky_), volby_(volby), sys_(systemova(volby)),
      kos_(platform::VolbyKose{.sys = &sys_, .domov = volby.kosDomov}),
      zdroj_(sys_, d.hlavicka.zdroj), cil_(sys_, d.hlavicka.cil)
{
    otazky_.denik(volby_.denik);
    for (const auto& z : d_.zaznamy)
        if (z.druh != DruhZaznamu::Chyba)
            celkem_ += z.identita.velikost;
}

VysledekVraceni BehVraceni::proved()
{
    VysledekVraceni v;
    for (auto it = d_.zaznamy.rbegin(); it != d_.zaznamy.rend(); ++it) {
        if (it->druh == DruhZaznamu::Chyba)
            continue;
        if (zrusitPozadovano()) {
            v.zruseno = true;
            break;
        }
        const Konec k = zaznam(*it);
        if (k == Konec::Zruseno) {
            v.zruseno = true;
            break;
        }
        ++(k == Konec::Vraceno ? v.vraceno : v.nevraceno);
    }
    // One flush at the end, as an operation's batch: the trash directories
    // and the journal of the undo.
    (void)kos_.synchronizuj();   // a failure risks the entries only in a crash; the files are in place
    if (volby_.denik)
        volby_.denik->synchronizuj();
    return v;
}

// One record with its error box: Retry runs the step again, Ignore logs and
// goes on, Cancel ends the undo. A file changed since is logged without a box.
BehVraceni::Konec BehVraceni::zaznam(const ZaznamDeniku& z)
{
    const std::string& cesta = cestaZaznamu(z);
    for (;;) {
        r_.krok(Krok::Kopirovani, cesta);
        zustaloVKosi_.clear();
        const auto chyba = vrat(z);
        if (!chyba) {
            hotovo_ += z.identita.velikost;
            r_.prubeh({z.identita.velikost, z.identita.velikost, hotovo_, celkem_});
            return Konec::Vraceno;
        }
        if (chyba.duvod != Duvod::System) {
            zapisChybu(z, chyba, OdpovedZaznamu::Zadna);
            return Konec::Nevraceno;
        }
        const auto odp = r_.chybaKopirovani(cesta, chyba);
        if (odp == OdpovedChyby::Znovu)
            continue;
        zapisChybu(z, chyba, odpovedZaznamu(odp));
        return odp == OdpovedChyby::Zrusit ? Konec::Zruseno : Konec::Nevraceno;
    }
}

ChybaSouboru BehVraceni::vrat(const ZaznamDeniku& z)
{
    switch (z.druh) {
    case DruhZaznamu::Kopie: return vratKopii(z);
    case DruhZaznamu::DoKose: return vratZKose(z);
    case DruhZaznamu::Presun: return vratPresun(z);
    case DruhZaznamu::Nahrazeno: return vratNahrazeni(z);
    case DruhZaznamu::Smazano: return {Duvod::SmazanoNatrvalo, 0};
    case DruhZaznamu::Chyba: break;
    }
    return {};
}

// The parent directory is opened below its tree's base with O_NOFOLLOW
// (strom_operace.h): an undo never reaches outside the two trees either.
ChybaSouboru BehVraceni::otevri(const std::string& cesta, bool vytvorit, Misto& m)
{
    StromOperace& strom = koren(cesta, d_.hlavicka.cil) ? cil_ : zdroj_;
    const std::string& zaklad = strom.zaklad();
    const std::string rel = cesta.substr(zaklad.size() + (zaklad.ends_with('/') ? 0 : 1));
    const auto [podadr, jmeno] = rozdelCestu(rel);
    ChybaSouboru chyba;
    m.adresar = strom.otevri(podadr, vytvorit, chyba);
    m.jmeno = std::string(jmeno);
    return chyba;
}

ChybaSouboru BehVraceni::overIdentitu(const Misto& m, const Identita& i)
{
    struct stat st {};
    const auto r = sys_.fstatAt(m.adresar->get(), m.jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW);
    if (!r.ok() && r.err != ENOENT)
        return ChybaSouboru::systemu(r.err);
    return r.ok() && Identita::ze(st) == i ? ChybaSouboru{} : ChybaSouboru{Duvod::ZmenenoOdOperace, 0};
}

// A copy to a free name: into the trash, never deleted.
ChybaSouboru BehVraceni::vratKopii(const ZaznamDeniku& z)
{
    Misto m;
    if (auto e = otevri(z.cil, false, m))
        return e.err == ENOENT ? ChybaSouboru{Duvod::ZmenenoOdOperace, 0} : e;
    if (auto e = overIdentitu(m, z.identita))
        return e;
    const auto k = kos_.doKose(m.adresar->get(), m.jmeno);
    if (!k.ok())
        return ChybaSouboru::systemu(k.err);
    zapisDenik({.druh = DruhZaznamu::DoKose, .cesta = z.cil, .kos = k.kos, .vKosi = k.jmeno,
                .identita = z.identita});
    return {};
}

// Back from the trash to the free path; the info file goes once it is back.
ChybaSouboru BehVraceni::vratZKose(const ZaznamDeniku& z)
{
    const std::string soubor = z.kos + "/files/" + z.vKosi;
    struct stat st {};
    if (!sys_.fstatAt(AT_FDCWD, soubor.c_str(), st, AT_SYMLINK_NOFOLLOW).ok() || !(Identita::ze(st) == z.identita))
        return {Duvod::ZmenenoOdOperace, 0};
    Misto m;
    if (auto e = otevri(z.cesta, true, m))
        return e;
    const auto r = platform::prejmenujBezPrepisu(sys_, AT_FDCWD, soubor.c_str(), m.adresar->get(), m.jmeno.c_str());
    if (!r.ok())
        return r.err == EEXIST ? ChybaSouboru{Duvod::MistoObsazeno, 0} : ChybaSouboru::systemu(r.err);
    odeberInfo(z);
    zapisDenik({.druh = DruhZaznamu::Kopie, .cil = z.cesta, .identita = z.identita});
    return {};
}

ChybaSouboru BehVraceni::vratPresun(const ZaznamDeniku& z)
{
    Misto cil, zdroj;
    if (auto e = otevri(z.cil, false, cil))
        return e.err == ENOENT ? ChybaSouboru{Duvod::ZmenenoOdOperace, 0} : e;
    if (auto e = overIdentitu(cil, z.identita))
        return e;
    if (auto e = otevri(z.cesta, true, zdroj))
        return e;
    const auto e = presun(cil, zdroj, z.identita);
    if (!e)
        zapisIdentitu({.druh = DruhZaznamu::Presun, .cesta = z.cil, .cil = z.cesta}, zdroj);
    else if (e.duvod == Duvod::NaObouMistech)   // the copy back is the undo's own
        zapisIdentitu({.druh = DruhZaznamu::Kopie, .cil = z.cesta}, zdroj);
    return e;
}

// The new version and the old one in the trash swap places in one rename:
// there is no moment with the name empty or either version gone. The trash
// entry then holds the new version, under the same info file (its Path is
// right for it too), so that the undo can be undone the same way.
ChybaSouboru BehVraceni::vratNahrazeni(const ZaznamDeniku& z)
{
    if (z.kos.empty())
        return {Duvod::SmazanoNatrvalo, 0};
    Misto cil;
    if (auto e = otevri(z.cil, false, cil))
        return e.err == ENOENT ? ChybaSouboru{Duvod::ZmenenoOdOperace, 0} : e;
    if (auto e = overIdentitu(cil, z.identita))
        return e;
    if (!z.cesta.empty())
        return vratPresunSNahrazenim(z, cil);
    const std::string soubor = z.kos + "/files/" + z.vKosi;
    const auto r = sys_.renameAt(AT_FDCWD, soubor.c_str(), cil.adresar->get(), cil.jmeno.c_str(), RENAME_EXCHANGE);
    if (r.err == EINVAL)
        return vymenVeDvou(z, cil);
    if (!r.ok())
        return r.err == ENOENT ? ChybaSouboru{Duvod::ZmenenoOdOperace, 0} : ChybaSouboru::systemu(r.err);
    zapisIdentitu({.druh = DruhZaznamu::Nahrazeno, .cil = z.cil, .kos = z.kos, .vKosi = z.vKosi}, cil);
    return {};
}

// A move that replaced a target: the moved file goes back to its free old
// place, then the old version comes back from the trash to the emptied name.
ChybaSouboru BehVraceni::vratPresunSNahrazenim(const ZaznamDeniku& z, const Misto& cil)
{
    Misto zdroj;
    if (auto e = otevri(z.cesta, true, zdroj))
        return e;
    if (auto e = presun(cil, zdroj, z.identita)) {
        if (e.duvod == Duvod::NaObouMistech)
            zapisIdentitu({.druh = DruhZaznamu::Kopie, .cil = z.cesta}, zdroj);
        return e;
    }
    const std::string soubor = z.kos + "/files/" + z.vKosi;
    const auto r = platform::prejmenujBezPrepisu(sys_, AT_FDCWD, soubor.c_str(), cil.adresar->get(),
                                                 cil.jmeno.c_str());
    if (!r.ok())
        return zpetNaCil(z, cil, zdroj, r.err);
    odeberInfo(z);
    zapisIdentitu({.druh = DruhZaznamu::Presun, .cesta = z.cil, .cil = z.cesta}, zdroj);
    zapisIdentitu({.druh = DruhZaznamu::Kopie, .cil = z.cil}, cil);
    return {};
}

// The old version could not come back to the target (err): the moved file
// returns there, as before the undo. Where that fails, the moved file stays
// at its old place and the old version in the trash; the journal holds the
// move, so that undoing the undo takes the file to the target again.
ChybaSouboru BehVraceni::zpetNaCil(const ZaznamDeniku& z, const Misto& cil, const Misto& zdroj, int err)
{
    struct stat st {};
    if (const auto s = sys_.fstatAt(zdroj.adresar->get(), zdroj.jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW); !s.ok())
        return {Duvod::StaraVKosi, err};
    const auto zpet = presun(zdroj, cil, Identita::ze(st));
    if (!zpet)
        return ChybaSouboru::systemu(err);
    if (zpet.duvod == Duvod::NaObouMistech) {
        zapisIdentitu({.druh = DruhZaznamu::Kopie, .cil = z.cesta}, zdroj);
        return {Duvod::NaObouMistech, err};
    }
    zapisIdentitu({.druh = DruhZaznamu::Presun, .cesta = z.cil, .cil = z.cesta}, zdroj);
    return {Duvod::StaraVKosi, err};
}

// Moves the file i from odkud to the free place kam: one rename, or between
// file systems a copy (vraceni_svazky.cpp).
ChybaSouboru BehVraceni::presun(const Misto& odkud, const Misto& kam, const Identita& i)
{
    const auto r = platform::prejmenujBezPrepisu(sys_, odkud.adresar->get(), odkud.jmeno.c_str(),
                                                 kam.adresar->get(), kam.jmeno.c_str());
    if (r.err == EXDEV)
        return presunKopii(odkud, kam, i);
    if (!r.ok())
        return r.err == EEXIST ? ChybaSouboru{Duvod::MistoObsazeno, 0} : ChybaSouboru::systemu(r.err);
    return {};
}

// The data is back; an info file left behind names no data, and file
// managers (and trash-list) ignore it.
void BehVraceni::odeberInfo(const ZaznamDeniku& z)
{
    (void)sys_.unlinkAt(AT_FDCWD, (z.kos + "/info/" + z.vKosi + ".trashinfo").c_str(), 0);
}

void BehVraceni::zapisDenik(ZaznamDeniku z)
{
    if (volby_.denik)
        volby_.denik->zapis(z);
}

// A record of what the place m holds now, with its identity read from the
// disk. Without it (the stat failed) no record: an undo of the undo must not
// take away a file of unknown identity.
void BehVraceni::zapisIdentitu(ZaznamDeniku z, const Misto& m)
{
    struct stat st {};
    if (!sys_.fstatAt(m.adresar->get(), m.jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW).ok())
        return;
    z.identita = Identita::ze(st);
    zapisDenik(std::move(z));
}

void BehVraceni::zapisChybu(const ZaznamDeniku& z, const ChybaSouboru& c, OdpovedZaznamu o)
{
    zapisDenik({.druh = DruhZaznamu::Chyba, .cesta = z.cesta, .cil = z.cil, .duvod = textChyby(c)});
    if (volby_.kniha)
        volby_.kniha->pridej({.kod = KodOperace::Vraceni, .zdroj = cestaZaznamu(z),
                              .cil = !zustaloVKosi_.empty() ? zustaloVKosi_
                                      : z.druh == DruhZaznamu::DoKose ? std::string() : z.cesta,
                              .duvod = textChyby(c), .odpoved = o});
}

bool BehVraceni::zrusitPozadovano() const
{
    return volby_.zrusit && volby_.zrusit->load(std::memory_order_relaxed);
}

VysledekVraceni VratOperaci(const Denik& d, RozhraniOperace& r, const VolbyOperace& volby)
{
    return BehVraceni(d, r, volby).proved();
}

} // namespace zrc
