#include "operace/soubezne_overeni.h"

#include "util/cesty.h"

#include <algorithm>

namespace zrc {

SoubezneOvereni::SoubezneOvereni(VolbySoubeznehoOvereni volby) : volby_(std::move(volby))
{
    platform::Syscalls& sys = volby_.shoda.sys ? *volby_.shoda.sys : platform::realSyscalls();
    adresar1_ = otevriZakladOvereni(sys, volby_.zaklad1);
    adresar2_ = otevriZakladOvereni(sys, volby_.zaklad2);
    for (int i = 0; i < std::max(1, volby_.vlakna); ++i)
        vlakna_.emplace_back([this] { pracuj(); });
}

SoubezneOvereni::~SoubezneOvereni()
{
    ukonciVlakna();
}

void SoubezneOvereni::pridej(ParOvereni par)
{
    {
        std::lock_guard z(zamek_);
        pary_.push_back(std::move(par));
        vysledky_.emplace_back();
    }
    prace_.notify_one();
}

void SoubezneOvereni::pracuj()
{
    VolbyShody shoda = volby_.shoda;
    shoda.adresar1 = adresar1_.valid() ? adresar1_.get() : AT_FDCWD;
    shoda.adresar2 = adresar2_.valid() ? adresar2_.get() : AT_FDCWD;
    PorovnaniObsahu porovnani(shoda);
    std::string plna1, plna2;
    std::unique_lock z(zamek_);
    for (;;) {
        prace_.wait(z, [this] { return konec_ || dalsi_ < pary_.size(); });
        if (dalsi_ == pary_.size())
            return;
        const std::size_t i = dalsi_++;
        const ParOvereni& par = pary_[i];
        z.unlock();
        VysledekShody v = porovnani.porovnej(cestaOvereni(adresar1_, volby_.zaklad1, par.cesta, plna1),
                                             cestaOvereni(adresar2_, volby_.zaklad2, par.cesta, plna2), par.velikost);
        z.lock();
        vysledky_[i] = std::move(v);
    }
}

// The threads take what is left and end.
void SoubezneOvereni::ukonciVlakna()
{
    {
        std::lock_guard z(zamek_);
        konec_ = true;
    }
    prace_.notify_all();
    for (std::thread& t : vlakna_)
        if (t.joinable())
            t.join();
}

VysledekOvereni SoubezneOvereni::vysledek()
{
    ukonciVlakna();
    VysledekOvereni v;
    for (std::size_t i = 0; i < pary_.size(); ++i) {
        const VysledekShody& s = vysledky_[i];
        std::string cestaChyby;
        if (s.shoda == Shoda::Chyba)
            cestaChyby = spojCestu(s.strana == 2 ? volby_.zaklad2 : volby_.zaklad1, pary_[i].cesta);
        if (!zaradPar(v, i, s, std::move(cestaChyby)))
            break;
    }
    return v;
}

} // namespace zrc
