#include "engine/strom_strany.h"

#include <algorithm>

namespace zrc {

StromStrany::StromStrany(std::string zaklad) : zaklad_(std::move(zaklad))
{
    uzly_.emplace_back();
}

std::uint32_t StromStrany::potomek(std::uint32_t rodic, std::string_view jmeno) const
{
    const UzelStromu& r = uzly_[rodic];
    if (r.prvniPotomek == zadnyUzel)
        return zadnyUzel;
    const int i = r.vypis.najdiPodadresar(jmeno);
    return i < 0 ? zadnyUzel : r.prvniPotomek + static_cast<std::uint32_t>(i);
}

std::uint32_t StromStrany::potomek(std::uint32_t rodic, std::uint32_t poradi) const
{
    return uzly_[rodic].prvniPotomek + poradi;
}

std::string_view StromStrany::jmeno(std::uint32_t i) const
{
    const UzelStromu& u = uzly_[i];
    if (u.rodic == zadnyUzel)
        return {};
    const VypisAdresare& v = uzly_[u.rodic].vypis;
    return v.jmeno(v.podadresare()[u.poradi]);
}

void StromStrany::relativniCesta(std::uint32_t i, std::string& cil) const
{
    cil.clear();
    if (i == koren)
        return;
    // Collect the names leaf first, then join them root first.
    std::string_view casti[256];
    std::vector<std::string_view> dalsi;
    std::size_t n = 0;
    for (std::uint32_t u = i; u != koren; u = uzly_[u].rodic) {
        if (n < std::size(casti))
            casti[n++] = jmeno(u);
        else
            dalsi.push_back(jmeno(u));
    }
    for (auto it = dalsi.rbegin(); it != dalsi.rend(); ++it) {
        cil.append(*it);
        cil.push_back('/');
    }
    for (std::size_t k = n; k-- > 0;) {
        cil.append(casti[k]);
        if (k > 0)
            cil.push_back('/');
    }
}

std::string StromStrany::plnaCesta(std::uint32_t i) const
{
    std::string rel;
    relativniCesta(i, rel);
    if (rel.empty())
        return zaklad_;
    std::string plna = zaklad_;
    if (plna.empty() || plna.back() != '/')
        plna.push_back('/');
    plna.append(rel);
    return plna;
}

void StromStrany::vloz(std::uint32_t i, NactenyAdresar&& nacteny)
{
    const std::size_t pocet = nacteny.vypis.podadresare().size();
    const auto prvni = static_cast<std::uint32_t>(uzly_.size());
    UzelStromu& u = uzly_[i];
    u.stav = nacteny.chyba ? StavUzlu::Chyba : StavUzlu::Nacteny;
    if (nacteny.chyba)
        chyby_.push_back({i, nacteny.chyba});
    if (nacteny.casAdresare) {
        u.maCas = true;
        u.cas = *nacteny.casAdresare;
    }
    u.vypis = std::move(nacteny.vypis);
    u.prvniPotomek = prvni;
    uzly_.resize(uzly_.size() + pocet);
    for (std::size_t k = 0; k < pocet; ++k) {
        uzly_[prvni + k].rodic = i;
        uzly_[prvni + k].poradi = static_cast<std::uint32_t>(k);
    }
}

std::vector<NepristupnyAdresar> StromStrany::nepristupne() const
{
    std::vector<NepristupnyAdresar> v;
    v.reserve(chyby_.size());
    for (const ChybaUzlu& c : chyby_)
        v.push_back({plnaCesta(c.uzel), c.duvod});
    return v;
}

} // namespace zrc
