// The delete step, the completion of a durability batch, and what the walk
// does before and after: the free-space check and the created directories' times.

#include "operace/beh_operace.h"
#include "operace/prorezavani.h"

#include <cerrno>

namespace zrc {

// The delete step with its error box. With ocekavany (a move across file
// systems) the source must still be the file that was copied.
Konec BehOperace::mazani(std::size_t i, const Cesty& c, const SdilenyAdresar& adresar,
                         const struct stat* ocekavany)
{
    for (;;) {
        r_.krok(Krok::Odstraneni, c.zdroj);
        const auto chyba = smazJednou(i, adresar, c, ocekavany);
        if (!chyba) {
            if (!z_.operace.kopie)
                posun(z_.polozky[i].velikost);
            vyrizeno(i);
            prorezej(c.podadr);
            return Konec::Hotovo;
        }
        if (const auto konec = poChybe(i, chyba, Krok::Odstraneni, c.zdroj))
            return *konec;
    }
}

// unlinkat of the item's own name: a symbolic link item deletes the link. A
// read-only file (no owner write permission) is deleted only after "Ano" or
// "Vše"; the permission is granted first, as a user would.
ChybaSouboru BehOperace::smazJednou(std::size_t i, const SdilenyAdresar& adresar, const Cesty& c,
                                    const struct stat* ocekavany)
{
    const std::string jmeno(c.jmeno);
    struct stat l {};
    if (const auto r = sys_.fstatAt(adresar->get(), jmeno.c_str(), l, AT_SYMLINK_NOFOLLOW); !r.ok())
        return ChybaSouboru::systemu(r.err);
    if (ocekavany) {
        struct stat f {};
        const auto r = sys_.fstatAt(adresar->get(), jmeno.c_str(), f, 0);
        if (!r.ok() || f.st_ino != ocekavany->st_ino || f.st_dev != ocekavany->st_dev ||
            f.st_size != ocekavany->st_size || f.st_mtim.tv_sec != ocekavany->st_mtim.tv_sec ||
            f.st_mtim.tv_nsec != ocekavany->st_mtim.tv_nsec)
            return {Duvod::ZdrojSeZmenil, 0};
    }
    const bool jenProCteni = S_ISREG(l.st_mode) && !(l.st_mode & S_IWUSR);
    if (jenProCteni && !vseBezPtani_) {
        const auto odp = r_.jenProCteni(c.zdroj);
        if (odp == OdpovedCteni::Ne)
            return {Duvod::JenProCteni, 0};
        vseBezPtani_ = odp == OdpovedCteni::Vse;
    }
    if (kosProMazani()) {
        // Into the trash with its mode unchanged, so that it comes back as it was.
        bool natrvalo = false;
        platform::VysledekKose kam;
        auto e = doKose(adresar->get(), jmeno, l, c.zdroj, natrvalo, kam);
        if (!e && !natrvalo)
            denikSmazano(i, l, &kam);
        if (e || !natrvalo)
            return e;
    }
    if (jenProCteni) {
        const mode_t mod = (l.st_mode & 07777) | S_IWUSR;
        if (const auto r = sys_.fchmodAt(adresar->get(), jmeno.c_str(), mod); !r.ok())
            return ChybaSouboru::systemu(r.err);
    }
    if (const auto r = sys_.unlinkAt(adresar->get(), jmeno.c_str(), 0); !r.ok())
        return ChybaSouboru::systemu(r.err);
    if (!ocekavany)   // a moved source lives on at its target: not a deletion
        denikSmazano(i, l, nullptr);
    return {};
}

void BehOperace::prorezej(std::string_view podadr)
{
    if (!z_.prorezavani.zapnuto)
        return;
    ChybaSouboru chyba;
    const auto zaklad = zdroj_.otevri({}, false, chyba);
    if (zaklad && prorezejAdresare(sys_, zaklad->get(), podadr, z_.prorezavani.uroven) > 0) {
        zdroj_.zapomen();   // cached descriptors may name removed directories
        cil_.zapomen();
    }
}

// syncfs once, then the renames and deletions of the whole batch.
bool BehOperace::dokonciDavku()
{
    while (!davka_.prazdna()) {
        const auto chyba = davka_.synchronizuj();
        if (!chyba)
            return dokonciOdlozene(davka_.vezmi());
        const auto odp = r_.chybaKopirovani(cesty(davka_.prvni().index).zdroj, chyba);
        if (odp != OdpovedChyby::Znovu) {
            for (const auto& k : davka_.polozky())
                zapis(k.index, chyba, odpovedZaznamu(odp));
            davka_.zahod();
            return odp == OdpovedChyby::Ignorovat;
        }
    }
    return true;
}

// Data on disk: rename each temporary file over its target, fsync the
// directories, and only then delete the moved sources.
bool BehOperace::dokonciOdlozene(std::vector<OdlozenaKopie> odlozene)
{
    bool zruseno = false;
    std::vector<SdilenyAdresar> adresare;
    std::vector<const OdlozenaKopie*> umistene;
    for (auto& k : odlozene) {
        if (zruseno) {
            odstranDocasny(sys_, k.docasny);
            continue;
        }
        const Konec konec = umistiOdlozenou(k);
        zruseno = konec == Konec::Zruseno;
        if (konec == Konec::Hotovo) {
            adresare.push_back(k.docasny.adresar);
            umistene.push_back(&k);
        }
    }
    denikSynchronizuj();   // the records of this batch before its renames are durable
    const ChybaSouboru naDisku = synchronizujAdresare(sys_, adresare);
    // The replaced old versions, once per trash. They are linked there
    // already; a failed flush risks them only in a crash, and there is no
    // single item to report it on.
    (void)kos_.synchronizuj();
    for (const OdlozenaKopie* k : umistene) {
        if (!k->smazatZdroj) {
            vyrizeno(k->index);
            continue;
        }
        // A source is deleted only when its copy is known to be on disk.
        if (zruseno)
            continue;
        if (naDisku) {
            const Konec konec = poChybeAdresare(*k, naDisku);
            zruseno = konec == Konec::Zruseno;
            if (konec != Konec::Hotovo)
                continue;
        }
        zruseno = mazani(k->index, cesty(k->index), k->zdrojAdresar, &k->zdrojSt) == Konec::Zruseno;
    }
    return !zruseno;
}

// The copy of a move is in place, but its directory's fsync failed: the source
// stays, and the box and the log say why, as for any failed copy. "Znovu"
// repeats the fsync; Linux reports a writeback error once per descriptor, so
// it succeeds only when the kernel holds no newer error for that directory.
Konec BehOperace::poChybeAdresare(const OdlozenaKopie& k, ChybaSouboru chyba)
{
    const std::string zdroj = cesty(k.index).zdroj;
    for (;;) {
        const auto odp = r_.chybaKopirovani(zdroj, chyba);
        if (odp != OdpovedChyby::Znovu) {
            zapis(k.index, chyba, odpovedZaznamu(odp));
            return odp == OdpovedChyby::Zrusit ? Konec::Zruseno : Konec::Preskoceno;
        }
        const auto r = sys_.fsync(k.docasny.adresar->get());
        if (r.ok())
            return Konec::Hotovo;
        chyba = ChybaSouboru::systemu(r.err);
    }
}

Konec BehOperace::umistiOdlozenou(OdlozenaKopie& k)
{
    for (;;) {
        platform::VysledekKose zaloha;
        const int adresar = k.docasny.adresar->get();
        auto chyba = starouDoKose(k.index, adresar, k.docasny.cil, zaloha);
        if (!chyba) {
            chyba = umisti(sys_, k.docasny, prepis_);
            if (chyba)
                if (auto e = vratStarou(zaloha, adresar, k.docasny.cil, chyba.err))
                    chyba = e;
        }
        if (!chyba) {
            denikVytvoreno(k.index, {.druh = k.nahrazuje ? DruhZaznamu::Nahrazeno
                                     : k.smazatZdroj ? DruhZaznamu::Presun : DruhZaznamu::Kopie,
                                     .adresar = adresar, .jmeno = k.docasny.cil, .stara = &zaloha,
                                     .presun = k.smazatZdroj});
            return Konec::Hotovo;
        }
        if (chyba.duvod == Duvod::Zruseno || chyba.duvod == Duvod::BezKose) {
            zapis(k.index, chyba,
                  chyba.duvod == Duvod::BezKose ? OdpovedZaznamu::Ne : OdpovedZaznamu::Zrusit);
            odstranDocasny(sys_, k.docasny);
            return chyba.duvod == Duvod::BezKose ? Konec::Preskoceno : Konec::Zruseno;
        }
        const auto odp = r_.chybaKopirovani(cesty(k.index).zdroj, chyba);
        if (odp == OdpovedChyby::Znovu)
            continue;
        zapis(k.index, chyba, odpovedZaznamu(odp));
        odstranDocasny(sys_, k.docasny);
        return odp == OdpovedChyby::Zrusit ? Konec::Zruseno : Konec::Preskoceno;
    }
}

bool BehOperace::dostMista()
{
    std::int64_t potreba = 0;
    for (const auto& p : z_.polozky) {
        potreba += p.velikost;
        // A replaced file frees its own size; a missing one counts -1. A
        // replaced file that goes to the trash stays on the disk.
        if (!CisloSeznamu(z_.operace.seznam).nove() && z_.mazani != Mazani::DoKose)
            potreba -= VelikostSouboru(z_.cil + "/" + p.cesta, &sys_);
    }
    const std::int64_t volne = volneMisto(sys_, z_.cil);
    if (volne < 0 || volne >= potreba)
        return true;
    return r_.nedostatekMista(volne, potreba);
}

// Directories that the operation created get their source directory's times,
// so that a new comparison with a subdirectory time filter sees the tree as
// the source.
void BehOperace::nastavCasyVytvorenych()
{
    for (const auto& rel : cil_.vytvorene()) {
        ChybaSouboru chyba;
        const auto zdroj = zdroj_.otevri(rel, false, chyba);
        struct stat st {};
        if (!zdroj || !sys_.fstat(zdroj->get(), st).ok())
            continue;
        const auto [rodic, jmeno] = rozdelCestu(rel);
        const auto cil = cil_.otevri(rodic, false, chyba);
        const timespec casy[2] = {st.st_atim, st.st_mtim};
        // The files are in place; a directory that keeps the time of its
        // creation only looks newer to a subdirectory time filter.
        if (cil)
            (void)sys_.utimensAt(cil->get(), std::string(jmeno).c_str(), casy);
    }
}

} // namespace zrc
