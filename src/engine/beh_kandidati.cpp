#include "engine/beh_kandidati.h"

#include <algorithm>
#include <cstring>

namespace zrc {

namespace {

constexpr std::size_t velikostBloku = 256 * 1024;

constexpr std::size_t zarovnej(std::size_t n)
{
    return (n + alignof(Kandidat) - 1) & ~(alignof(Kandidat) - 1);
}

std::size_t delkaZaznamu(std::size_t delkaJmena)
{
    return zarovnej(sizeof(Kandidat) + delkaJmena);
}

} // namespace

void ZasobnikKandidatu::pridej(std::uint32_t uzel, Trida trida, std::string_view jmeno,
                               BalenyCas cas, std::int64_t velikost)
{
    const std::size_t delka = delkaZaznamu(jmeno.size());
    if (bloky_.empty() || bloky_.back().pouzito + delka > velikostBloku)
        bloky_.push_back({std::make_unique_for_overwrite<std::byte[]>(std::max(velikostBloku, delka)), 0});
    Blok& b = bloky_.back();
    std::byte* misto = b.data.get() + b.pouzito;
    auto* k = new (misto) Kandidat{.velikost = velikost, .cas = cas, .uzel = uzel,
                                   .delka = static_cast<std::uint16_t>(jmeno.size()), .trida = trida};
    std::memcpy(k + 1, jmeno.data(), jmeno.size());
    b.pouzito += delka;
}

void ZasobnikKandidatu::preskocPrazdne()
{
    while (blokCteni_ < bloky_.size() && poziceCteni_ >= bloky_[blokCteni_].pouzito) {
        bloky_[blokCteni_].data.reset();
        ++blokCteni_;
        poziceCteni_ = 0;
    }
}

const Kandidat* ZasobnikKandidatu::aktualni() const
{
    if (blokCteni_ >= bloky_.size() || poziceCteni_ >= bloky_[blokCteni_].pouzito)
        return nullptr;
    return reinterpret_cast<const Kandidat*>(bloky_[blokCteni_].data.get() + poziceCteni_);
}

void ZasobnikKandidatu::dalsi()
{
    const Kandidat* k = aktualni();
    if (!k)
        return;
    poziceCteni_ += delkaZaznamu(k->delka);
    preskocPrazdne();
}

void ZasobnikKandidatu::vycisti()
{
    bloky_.clear();
    bloky_.shrink_to_fit();
    blokCteni_ = poziceCteni_ = 0;
}

} // namespace zrc
