#include "engine/shodne_pary.h"

#include <algorithm>

namespace zrc {

void SberShodnych::pridej(std::string_view podadresar, const std::vector<ShodnyPar>& jmena)
{
    std::lock_guard z(zamek_);
    for (const ShodnyPar& p : jmena)
        pary_.push_back({std::string(podadresar) + p.cesta, p.velikost});
}

std::vector<ShodnyPar> SberShodnych::pary() const
{
    std::lock_guard z(zamek_);
    std::vector<ShodnyPar> v = pary_;
    std::sort(v.begin(), v.end(), [](const ShodnyPar& a, const ShodnyPar& b) { return a.cesta < b.cesta; });
    // A pair reached from both sides' walks is recorded once per reading.
    v.erase(std::unique(v.begin(), v.end(), [](const ShodnyPar& a, const ShodnyPar& b) { return a.cesta == b.cesta; }),
            v.end());
    return v;
}

} // namespace zrc
