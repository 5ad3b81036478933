#include "operace/overeni_behem.h"

#include "util/cesty.h"

#include <algorithm>
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

void OvereniBehem::vratPorovnani(std::unique_ptr<PorovnaniObsahu> p)
{
    std::lock_guard z(zamek_);
    volna_.push_back(std::move(p));
}

void OvereniBehem::novejsi(std::string_view podadresar, const int (&adresare)[2], const std::vector<NovejsiPar>& pary)
{
    std::unique_ptr<PorovnaniObsahu> p = vezmiPorovnani();
    p->nastavAdresare(adresare[0], adresare[1]);
    Adresar hotove;
    hotove.reserve(pary.size());
    for (const NovejsiPar& par : pary) {
        Vysledek v{std::string(par.jmeno), {Shoda::Lisi, {}, 0, par.velikost1}};
        if (par.velikost1 == par.velikost2)
            v.shoda = p->porovnej(v.jmeno, v.jmeno, par.velikost1);
        hotove.push_back(std::move(v));
    }
    std::sort(hotove.begin(), hotove.end(), [](const Vysledek& a, const Vysledek& b) { return a.jmeno < b.jmeno; });
    {
        std::lock_guard z(zamek_);
        vysledky_.insert_or_assign(std::string(podadresar), std::move(hotove));
    }
    vratPorovnani(std::move(p));
}

const VysledekShody* OvereniBehem::najdi(std::string_view rel)
{
    const auto lomitko = rel.rfind('/');
    const std::string_view adresar = lomitko == std::string_view::npos ? std::string_view() : rel.substr(0, lomitko + 1);
    const std::string_view jmeno = rel.substr(adresar.size());
    if (!posledni_ || adresar != posledniJmeno_) {
        posledniJmeno_ = adresar;
        const auto i = vysledky_.find(posledniJmeno_);
        posledni_ = i == vysledky_.end() ? nullptr : &i->second;
    }
    if (!posledni_)
        return nullptr;
    const auto j = std::lower_bound(posledni_->begin(), posledni_->end(), jmeno,
                                    [](const Vysledek& v, std::string_view k) { return v.jmeno < k; });
    return j != posledni_->end() && j->jmeno == jmeno ? &j->shoda : nullptr;
}

VysledekShody OvereniBehem::vysledek(const std::string& rel, std::int64_t velikost)
{
    if (const VysledekShody* v = najdi(rel))
        return *v;
    std::unique_ptr<PorovnaniObsahu> p = vezmiPorovnani();
    p->nastavAdresare(adresar1_.valid() ? adresar1_.get() : AT_FDCWD, adresar2_.valid() ? adresar2_.get() : AT_FDCWD);
    std::string plna1, plna2;
    const VysledekShody v = p->porovnej(cestaOvereni(adresar1_, zaklad1_, rel, plna1),
                                        cestaOvereni(adresar2_, zaklad2_, rel, plna2), velikost);
    vratPorovnani(std::move(p));
    return v;
}

std::string OvereniBehem::cesta(int strana, const std::string& rel) const
{
    return spojCestu(strana == 2 ? zaklad2_ : zaklad1_, rel);
}

} // namespace zrc
