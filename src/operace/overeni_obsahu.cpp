#include "operace/overeni_obsahu.h"

#include "operace/plan_operace.h"
#include "util/cesty.h"

#include <chrono>
#include <fcntl.h>

namespace zrc {

namespace {

// The progress of a long pair every 100 ms, as the copy reports it: smooth
// bars without flooding the window's event queue.
constexpr auto krokHlaseni = std::chrono::milliseconds(100);

class Hlasic {
public:
    Hlasic(RozhraniOvereni& r, const ZadaniOvereni& z) : r_(r)
    {
        for (const ParOvereni& p : z.pary)
            stav_.celkem += p.velikost;
    }
    void zacatek(std::int64_t velikost)
    {
        stav_.souborHotovo = 0;
        stav_.souborCelkem = velikost;
        r_.prubeh(stav_);
        posledni_ = std::chrono::steady_clock::now();
    }
    void behem(std::int64_t hotovo)
    {
        const auto ted = std::chrono::steady_clock::now();
        if (ted - posledni_ < krokHlaseni)
            return;
        posledni_ = ted;
        Prubeh p = stav_;
        p.souborHotovo = hotovo;
        p.celkemHotovo += hotovo;
        r_.prubeh(p);
    }
    void konec()
    {
        stav_.souborHotovo = stav_.souborCelkem;
        stav_.celkemHotovo += stav_.souborCelkem;
        r_.prubeh(stav_);
    }

private:
    RozhraniOvereni& r_;
    Prubeh stav_;
    std::chrono::steady_clock::time_point posledni_;
};

} // namespace

platform::Fd otevriZakladOvereni(platform::Syscalls& sys, const std::string& zaklad)
{
    const auto r = sys.openAt(AT_FDCWD, zaklad.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return r.ok() ? platform::Fd(sys, int(r.value)) : platform::Fd();
}

const std::string& cestaOvereni(const platform::Fd& adresar, const std::string& zaklad, const std::string& rel,
                                std::string& plna)
{
    if (adresar.valid())
        return rel;
    plna = spojCestu(zaklad, rel);
    return plna;
}

bool zaradPar(VysledekOvereni& v, std::size_t i, const VysledekShody& s, std::string cestaChyby)
{
    switch (s.shoda) {
    case Shoda::Zruseno: v.zruseno = true; return false;
    case Shoda::Shodne:
        v.shodne.push_back(i);
        v.bajtuShodnych += s.velikost;
        break;
    case Shoda::Lisi: v.lisi.push_back(i); break;
    case Shoda::Chyba: v.necitelne.push_back({i, std::move(cestaChyby), s.chyba}); break;
    }
    return true;
}

std::string textShodnehoObsahu(const VysledekOvereni& v)
{
    return "shodný obsah: " +
           textPlanu({.soubory = std::int64_t(v.shodne.size()), .bajty = v.bajtuShodnych});
}

VysledekOvereni OverObsah(const ZadaniOvereni& z, RozhraniOvereni& r, const VolbyShody& volby)
{
    VysledekOvereni v;
    PorovnaniObsahu porovnani(volby);
    Hlasic hlasic(r, z);
    for (std::size_t i = 0; i < z.pary.size(); ++i) {
        const std::string a = spojCestu(z.zaklad1, z.pary[i].cesta);
        const std::string b = spojCestu(z.zaklad2, z.pary[i].cesta);
        r.krok(a);
        hlasic.zacatek(z.pary[i].velikost);
        const VysledekShody s = porovnani.porovnej(a, b, z.pary[i].velikost,
                                                      [&](std::int64_t n) { hlasic.behem(n); });
        if (!zaradPar(v, i, s, s.strana == 2 ? b : a))
            return v;
        hlasic.konec();
    }
    return v;
}

} // namespace zrc
