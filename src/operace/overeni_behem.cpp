#include "operace/overeni_behem.h"

#include <utility>

namespace zrc {

OvereniBehem::OvereniBehem(const VolbyShody& shoda) : shoda_(shoda) {}

void OvereniBehem::zacni(const std::string& zaklad1, const std::string& zaklad2)
{
    platform::Syscalls& sys = shoda_.sys ? *shoda_.sys : platform::realSyscalls();
    zaklad1_ = zaklad1;
    zaklad2_ = zaklad2;
    adresar1_ = otevriZakladOvereni(sys, zaklad1_);
    adresar2_ = otevriZakladOvereni(sys, zaklad2_);
    shoda_.adresar1 = adresar1_.valid() ? adresar1_.get() : AT_FDCWD;
    shoda_.adresar2 = adresar2_.valid() ? adresar2_.get() : AT_FDCWD;
}

// A comparer (two buffers of a block) per listing thread at a time, kept for
// the next directory.
std::unique_ptr<PorovnaniObsahu> OvereniBehem::vezmiPorovnani()
{
    {
        std::lock_guard z(zamek_);
        if (!volna_.empty()) {
            auto p = std::move(volna_.back());
            volna_.pop_back();
            return p;
        }
    }
    return std::make_unique<PorovnaniObsahu>(shoda_);
}

VysledekShody OvereniBehem::porovnej(PorovnaniObsahu& p, const std::string& rel, std::int64_t velikost)
{
    std::string plna1, plna2;
    return p.porovnej(cestaOvereni(adresar1_, zaklad1_, rel, plna1), cestaOvereni(adresar2_, zaklad2_, rel, plna2),
                      velikost);
}

void OvereniBehem::novejsi(std::string_view podadresar, const std::vector<NovejsiPar>& pary)
{
    std::unique_ptr<PorovnaniObsahu> p = vezmiPorovnani();
    std::vector<std::pair<std::string, VysledekShody>> hotove;
    hotove.reserve(pary.size());
    for (const NovejsiPar& par : pary) {
        std::string rel;
        rel.reserve(podadresar.size() + par.jmeno.size());
        rel.append(podadresar).append(par.jmeno);
        VysledekShody v{Shoda::Lisi, {}, 0, par.velikost1};
        if (par.velikost1 == par.velikost2)
            v = porovnej(*p, rel, par.velikost1);
        hotove.emplace_back(std::move(rel), v);
    }
    std::lock_guard z(zamek_);
    for (auto& [rel, v] : hotove)
        vysledky_.insert_or_assign(std::move(rel), v);
    volna_.push_back(std::move(p));
}

VysledekShody OvereniBehem::vysledek(const std::string& rel, std::int64_t velikost)
{
    if (const auto i = vysledky_.find(rel); i != vysledky_.end())
        return i->second;
    std::unique_ptr<PorovnaniObsahu> p = vezmiPorovnani();
    const VysledekShody v = porovnej(*p, rel, velikost);
    std::lock_guard z(zamek_);
    volna_.push_back(std::move(p));
    return v;
}

std::string OvereniBehem::cesta(int strana, const std::string& rel) const
{
    return spojOvereni(strana == 2 ? zaklad2_ : zaklad1_, rel);
}

} // namespace zrc
