#include "operace/beh_operace.h"

#include "platform/zapisy.h"
#include "util/cesty.h"

#include <algorithm>
#include <cerrno>

namespace zrc {

namespace {

// Progress at least every 16 MiB or 100 ms, whichever comes first: smooth bars
// without flooding the window's event queue (a 1 GiB copy sends ~64 updates).
constexpr std::int64_t krokHlaseniBajtu = std::int64_t{16} << 20;
constexpr auto krokHlaseniCasu = std::chrono::milliseconds(100);


} // namespace

platform::Syscalls& systemova(const VolbyOperace& v)
{
    return v.sys ? *v.sys : platform::realSyscalls();
}

BehOperace::BehOperace(const ZadaniOperace& z, RozhraniOperace& r, const VolbyOperace& volby)
    : z_(z), otazky_(r), r_(otazky_), volby_(volby), sys_(systemova(volby)),
      prepis_(prepisOperace(z.operace)), zdroj_(sys_, z.zdroj), cil_(sys_, z.cil),
      kopie_(sys_, volby_), davka_(sys_, volby_),
      kos_(platform::VolbyKose{.sys = &sys_, .domov = volby.kosDomov})
{
    otazky_.denik(volby_.denik);
    for (const auto& p : z_.polozky)
        celkem_ += p.velikost;
}

BehOperace::Cesty BehOperace::cesty(std::size_t i) const
{
    const auto& rel = z_.polozky[i].cesta;
    const auto [podadr, jmeno] = rozdelCestu(rel);
    return {podadr, jmeno, spojCestu(z_.zdroj, rel)};
}

std::string BehOperace::cilPolozky(std::size_t i) const
{
    return spojCestu(z_.cil, z_.polozky[i].cesta);
}

VysledekOperace BehOperace::proved()
{
    VysledekOperace v;
    if (z_.operace.kopie && !dostMista()) {
        v.bezMista = true;
        if (volby_.kniha) {
            ZaznamChyby zaznam;
            zaznam.kod = z_.operace.kod;
            zaznam.cil = z_.cil;
            zaznam.duvod = "nedostatek místa na disku";
            zaznam.odpoved = OdpovedZaznamu::Ne;
            zaznam.polozka = false;
            volby_.kniha->pridej(std::move(zaznam));
        }
        return v;
    }
    bool zruseno = false;
    for (std::size_t i = 0; i < z_.polozky.size() && !zruseno; ++i) {
        zruseno = zrusitPozadovano() || polozka(i) == Konec::Zruseno;
        if (!zruseno && davka_.plna())
            zruseno = !dokonciDavku();
    }
    if (!zruseno)
        zruseno = !dokonciDavku();
    denikSynchronizuj();
    otazky_.predcteni(nullptr);
    predcteni_.reset();
    davka_.zahod();   // after Cancel: the batch's temporary files go, the targets stay
    nastavCasyVytvorenych();
    std::sort(vyrizene_.begin(), vyrizene_.end());
    v.vyrizene = std::move(vyrizene_);
    v.zruseno = zruseno;
    v.doKose = doKose_;
    return v;
}

Konec BehOperace::polozka(std::size_t i)
{
    const Cesty c = cesty(i);
    if (z_.operace.kopie)
        return kopirovani(i, c);
    for (;;) {
        r_.krok(Krok::Odstraneni, c.zdroj);
        ChybaSouboru chyba;
        const auto adresar = zdroj_.otevri(c.podadr, false, chyba);
        if (adresar)
            return mazani(i, c, adresar, nullptr);
        if (const auto konec = poChybe(i, chyba, Krok::Odstraneni, c.zdroj))
            return *konec;
    }
}

// How a failed step of item i ends. Esc and an answer to the trash question end
// it without an error box; otherwise the box decides: Retry gives nothing (the
// step runs again), Ignore leaves the item in its list (a copy counts its size
// as done), Cancel ends the operation.
std::optional<Konec> BehOperace::poChybe(std::size_t i, const ChybaSouboru& chyba, Krok krok,
                                         const std::string& zdroj)
{
    if (chyba.duvod == Duvod::Zruseno || chyba.duvod == Duvod::BezKose) {
        const bool bezKose = chyba.duvod == Duvod::BezKose;
        zapis(i, chyba, bezKose ? OdpovedZaznamu::Ne : OdpovedZaznamu::Zrusit);
        return bezKose ? Konec::Preskoceno : Konec::Zruseno;
    }
    const bool kopie = krok == Krok::Kopirovani;
    const auto odp = kopie ? r_.chybaKopirovani(zdroj, chyba) : r_.chybaMazani(zdroj, chyba);
    if (odp == OdpovedChyby::Znovu)
        return std::nullopt;
    zapis(i, chyba, odpovedZaznamu(odp));
    if (odp == OdpovedChyby::Zrusit)
        return Konec::Zruseno;
    if (kopie)
        posun(z_.polozky[i].velikost);
    return Konec::Preskoceno;
}

// The copy step with its error box: Retry handles the same item again from the
// start, Ignore counts its size as done and leaves it in the list, Cancel ends.
Konec BehOperace::kopirovani(std::size_t i, const Cesty& c)
{
    for (bool prvni = true;; prvni = false) {
        r_.krok(Krok::Kopirovani, c.zdroj);
        Konec konec = Konec::Hotovo;
        const auto chyba = pokusKopie(i, c, prvni, konec);
        if (!chyba)
            return konec;
        if (const auto po = poChybe(i, chyba, Krok::Kopirovani, c.zdroj))
            return *po;
    }
}

ChybaSouboru BehOperace::pokusKopie(std::size_t i, const Cesty& c, bool prvni, Konec& konec)
{
    ChybaSouboru chyba;
    const auto zdrojAdr = zdroj_.otevri(c.podadr, false, chyba);
    if (!zdrojAdr)
        return chyba;
    const auto cilAdr = cil_.otevri(c.podadr, true, chyba);
    if (!cilAdr)
        return chyba;
    if (z_.operace.odstraneni) {
        bool presunuto = false;
        if (auto e = presunPrejmenovanim(i, c, zdrojAdr, cilAdr, presunuto))
            return e;
        if (presunuto) {
            posun(z_.polozky[i].velikost);
            vyrizeno(i);
            prorezej(c.podadr);
            return {};
        }
    }
    return zkopiruj(i, c, zdrojAdr, cilAdr, prvni, konec);
}

// The copy proper: from the read-ahead's data or from the opened source.
ChybaSouboru BehOperace::zkopiruj(std::size_t i, const Cesty& c, const SdilenyAdresar& zdrojAdr,
                                  const SdilenyAdresar& cilAdr, bool prvni, Konec& konec)
{
    PrectenyZdroj precteny;
    const bool zPameti = predcteno(i, prvni, precteny);
    ZdrojKopie zdroj;
    const std::string jmeno(c.jmeno);
    if (!zPameti)
        if (auto e = otevriZdroj(sys_, zdrojAdr->get(), jmeno.c_str(), zdroj))
            return e;
    const struct stat& st = zPameti ? precteny.st : zdroj.st;
    StavCile stav;
    // A "NOVÉ" item in memory skips the look at the target: the rename with
    // RENAME_NOREPLACE refuses an existing one just as surely, and the copy
    // wasted on that rare refusal is one small write.
    if (!(zPameti && prepis_ == Prepis::JenNovy))
        if (auto e = zkontrolujCil(sys_, cilAdr->get(), jmeno.c_str(), st, prepis_, stav))
            return e;
    // Only a replaced target or a source to delete needs the data on disk first.
    const bool odlozit = z_.operace.odstraneni || stav.existuje;
    const bool samostatne = odlozit && st.st_size > volby_.samostatnySync;
    OdlozenaKopie k{.index = i, .docasny = {}, .velikost = st.st_size, .smazatZdroj = z_.operace.odstraneni,
                    .nahrazuje = stav.existuje, .zdrojAdresar = zdrojAdr, .zdrojJmeno = jmeno, .zdrojSt = st};
    posledniBajty_ = souborHotovo_ = 0;
    souborCelkem_ = st.st_size;
    r_.prubeh({0, souborCelkem_, hotovo_, celkem_});
    // A target that must be absent and is placed at once gets a file without
    // name, linked to it when complete.
    const auto druh = !odlozit && prepis_ == Prepis::JenNovy ? DruhDocasneho::BezJmena
                                                             : DruhDocasneho::Pojmenovany;
    if (auto e = zPameti ? kopie_.zPameti(precteny, cilAdr, c.jmeno, druh, *this, k.docasny)
                         : kopie_(zdroj, cilAdr, c.jmeno, samostatne, druh, *this, k.docasny))
        return e;
    zdroj.fd.reset();
    if (!zPameti)
        spustPredcteni(i, st.st_dev);
    if (!odlozit) {
        if (auto e = umisti(sys_, k.docasny, prepis_)) {
            odstranDocasny(sys_, k.docasny);
            return e;
        }
        denikVytvoreno(i, {.druh = DruhZaznamu::Kopie, .adresar = cilAdr->get(), .jmeno = jmeno});
        posun(z_.polozky[i].velikost);
        vyrizeno(i);
        return {};
    }
    konec = dokonciKopii(i, std::move(k), samostatne);
    return {};
}

// A move within one file system is one rename: no data copied, the inode kept.
// A read-only source or a symbolic link takes the copy + delete path (the
// read-only question belongs to the delete step); EXDEV falls back to it too.
ChybaSouboru BehOperace::presunPrejmenovanim(std::size_t i, const Cesty& c,
                                             const SdilenyAdresar& zdroj, const SdilenyAdresar& cil,
                                             bool& hotovo)
{
    const std::string jmeno(c.jmeno);
    struct stat st {};
    if (const auto r = sys_.fstatAt(zdroj->get(), jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW); !r.ok())
        return ChybaSouboru::systemu(r.err);
    if (!S_ISREG(st.st_mode) || !(st.st_mode & S_IWUSR))
        return {};
    StavCile stav;
    if (auto e = zkontrolujCil(sys_, cil->get(), jmeno.c_str(), st, prepis_, stav))
        return e;
    const bool novy = prepis_ == Prepis::JenNovy;
    platform::VysledekKose zaloha;
    if (stav.existuje)
        if (auto e = starouDoKose(i, cil->get(), jmeno, zaloha))
            return e;
    // Without RENAME_NOREPLACE the link + unlink either moves the file or
    // leaves it where it was (platform/zapisy.h): a source whose unlink fails
    // stays, and so does the item, with the error in the box and the log.
    const auto r = novy ? platform::prejmenujBezPrepisu(sys_, zdroj->get(), jmeno.c_str(), cil->get(),
                                                        jmeno.c_str())
                        : sys_.renameAt(zdroj->get(), jmeno.c_str(), cil->get(), jmeno.c_str(), 0);
    if (r.ok()) {
        hotovo = true;
        denikVytvoreno(i, {.druh = stav.existuje ? DruhZaznamu::Nahrazeno : DruhZaznamu::Presun,
                           .adresar = cil->get(), .jmeno = jmeno, .stara = &zaloha, .presun = true});
        return {};
    }
    if (auto e = vratStarou(zaloha, cil->get(), jmeno, r.err))
        return e;
    if (r.err == EXDEV)
        return {};
    return r.err == EEXIST && novy ? ChybaSouboru{Duvod::CilExistuje, 0}
                                   : ChybaSouboru::systemu(r.err);
}

// A complete temporary file that replaces a target or whose source is deleted:
// into the batch, or for a large file (flushed with fdatasync already) at once.
Konec BehOperace::dokonciKopii(std::size_t i, OdlozenaKopie k, bool samostatne)
{
    posun(z_.polozky[i].velikost);
    if (!samostatne) {
        davka_.pridej(std::move(k));
        return Konec::Odlozeno;
    }
    std::vector<OdlozenaKopie> jedna;
    jedna.push_back(std::move(k));
    return dokonciOdlozene(std::move(jedna)) ? Konec::Hotovo : Konec::Zruseno;
}

void BehOperace::vyrizeno(std::size_t i)
{
    vyrizene_.push_back(i);
    r_.vyrizeno(i);
}

void BehOperace::posun(std::int64_t bajty)
{
    hotovo_ += bajty;
    r_.prubeh({souborHotovo_, souborCelkem_, hotovo_, celkem_});
}

bool BehOperace::kopirovano(std::int64_t hotovo, std::int64_t celkem)
{
    const auto ted = std::chrono::steady_clock::now();
    if (hotovo == celkem || hotovo - posledniBajty_ >= krokHlaseniBajtu ||
        ted - posledniHlaseni_ >= krokHlaseniCasu) {
        posledniHlaseni_ = ted;
        posledniBajty_ = hotovo;
        souborHotovo_ = hotovo;
        souborCelkem_ = celkem;
        r_.prubeh({hotovo, celkem, hotovo_ + hotovo, celkem_});
    }
    return !zrusitPozadovano();
}

bool BehOperace::zrusitPozadovano() const
{
    return volby_.zrusit && volby_.zrusit->load(std::memory_order_relaxed);
}

} // namespace zrc
