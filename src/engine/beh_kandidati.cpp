#include "engine/beh_kandidati.h"

#include <cstring>

namespace zrc {

namespace {

// The block starts with the length of its records, padded to their alignment.
constexpr std::size_t hlavicka = alignof(Kandidat);
static_assert(hlavicka >= sizeof(std::uint32_t));

// Scratch that grew past this for one large directory is given back after it.
constexpr std::size_t mezScratche = 512 * 1024;

constexpr std::size_t zarovnej(std::size_t n)
{
    return (n + alignof(Kandidat) - 1) & ~(alignof(Kandidat) - 1);
}

std::size_t delkaZaznamu(std::size_t delkaJmena)
{
    return zarovnej(sizeof(Kandidat) + delkaJmena);
}

} // namespace

KandidatiAdresare::Iterator& KandidatiAdresare::Iterator::operator++()
{
    p_ += delkaZaznamu((**this).delka);
    return *this;
}

KandidatiAdresare::Iterator KandidatiAdresare::begin() const
{
    return Iterator(blok_ ? blok_.get() + hlavicka : nullptr);
}

KandidatiAdresare::Iterator KandidatiAdresare::end() const
{
    if (!blok_)
        return Iterator(nullptr);
    std::uint32_t delka;
    std::memcpy(&delka, blok_.get(), sizeof delka);
    return Iterator(blok_.get() + hlavicka + delka);
}

void SberKandidatu::pridej(int pruchod, Trida trida, std::string_view jmeno, BalenyCas cas,
                           std::int64_t velikost)
{
    std::vector<std::byte>& d = data_[pruchod];
    const std::size_t zacatek = d.size();
    d.resize(zacatek + delkaZaznamu(jmeno.size()));
    const Kandidat k{.velikost = velikost, .cas = cas,
                     .delka = static_cast<std::uint16_t>(jmeno.size()), .trida = trida};
    std::memcpy(d.data() + zacatek, &k, sizeof k);
    std::memcpy(d.data() + zacatek + sizeof k, jmeno.data(), jmeno.size());
}

KandidatiAdresare SberKandidatu::vezmi(int pruchod)
{
    std::vector<std::byte>& d = data_[pruchod];
    KandidatiAdresare k;
    if (d.empty())
        return k;
    k.blok_ = std::make_unique_for_overwrite<std::byte[]>(hlavicka + d.size());
    const auto delka = static_cast<std::uint32_t>(d.size());
    std::memcpy(k.blok_.get(), &delka, sizeof delka);
    std::memcpy(k.blok_.get() + hlavicka, d.data(), d.size());
    d.clear();
    if (d.capacity() > mezScratche)
        d.shrink_to_fit();
    return k;
}

} // namespace zrc
