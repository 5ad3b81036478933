#include "engine/vysledky.h"

#include <algorithm>

namespace zrc {

void UlozisteVysledku::nastavZaklad(const QString& cestaAdr1, const QString& cestaAdr2)
{
    cestaAdr_[0] = cestaAdr1;
    cestaAdr_[1] = cestaAdr2;
}

const QString& UlozisteVysledku::cestaAdr(int strana) const
{
    return cestaAdr_[strana == 2 ? 1 : 0];
}

std::uint32_t UlozisteVysledku::adresar(std::string_view podadresar, std::uint32_t cislo)
{
    if (cislo != UINT32_MAX) {
        if (cislo >= podleCisla_.size())
            podleCisla_.resize(std::max<std::size_t>(cislo + 1, 2 * podleCisla_.size()), UINT32_MAX);
        std::uint32_t& index = podleCisla_[cislo];
        if (index == UINT32_MAX) {
            index = std::uint32_t(podadresare_.size());
            podadresare_.push_back(jmena_.uloz(podadresar));
        }
        return index;
    }
    // Items arrive directory by directory, so the last directory almost always
    // matches and the hash lookup runs about once per directory.
    if (posledniAdresar_ != UINT32_MAX && podadresare_[posledniAdresar_] == podadresar)
        return posledniAdresar_;
    const auto nalezeny = indexAdresaru_.find(podadresar);
    if (nalezeny != indexAdresaru_.end())
        return posledniAdresar_ = nalezeny->second;
    const auto index = std::uint32_t(podadresare_.size());
    podadresare_.push_back(jmena_.uloz(podadresar));
    indexAdresaru_.emplace(podadresare_.back(), index);
    return posledniAdresar_ = index;
}

std::string_view UlozisteVysledku::podadresar(std::uint32_t index) const
{
    return podadresare_.at(index);
}

void UlozisteVysledku::pridej(int seznam, const NalezenySoubor& soubor)
{
    Polozka p;
    p.jmeno = jmena_.uloz(soubor.jmeno);
    p.podadresar = adresar(soubor.podadresar, soubor.cisloAdresare);
    p.cas = soubor.cas;
    p.velikost = soubor.velikost;
    this->seznam(seznam).push_back(std::move(p));
}

void UlozisteVysledku::pripravMisto(int seznam, std::size_t pocet)
{
    std::vector<Polozka>& s = this->seznam(seznam);
    s.reserve(s.size() + pocet);
}

std::vector<Polozka>& UlozisteVysledku::seznam(int cislo)
{
    return seznamy_.at(std::size_t(cislo - 1));
}

const std::vector<Polozka>& UlozisteVysledku::seznam(int cislo) const
{
    return seznamy_.at(std::size_t(cislo - 1));
}

void UlozisteVysledku::vycisti()
{
    for (auto& s : seznamy_) {
        s.clear();
        s.shrink_to_fit();
    }
    indexAdresaru_.clear();
    podleCisla_.clear();
    podleCisla_.shrink_to_fit();
    podadresare_.clear();
    podadresare_.shrink_to_fit();
    jmena_.vycisti();
    posledniAdresar_ = UINT32_MAX;
}

} // namespace zrc
