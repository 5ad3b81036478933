#include "engine/parovani_souboru.h"

#include <bit>
#include <cstring>

namespace zrc {

namespace {

constexpr std::uint64_t nasobitel = 0x9e3779b97f4a7c15ull;

std::uint64_t nacti8(const char* p)
{
    std::uint64_t k;
    std::memcpy(&k, p, 8);
    return k;
}

std::uint64_t nacti4(const char* p)
{
    std::uint32_t k;
    std::memcpy(&k, p, 4);
    return k;
}

// The table holds at least twice the files of side 2, so a probe meets on
// average fewer than 1.5 places.
int bitu(std::size_t pocet)
{
    return std::bit_width(std::max<std::size_t>(16, 2 * pocet) - 1);
}

} // namespace

// Loads of fixed width only: the last 8 bytes (or two overlapping halves,
// or three single bytes of a short name) stand for the tail, so no load has
// a length known only at run time. A byte-wise hash, or a tail copied with
// memcpy, cost 70 instructions a name of some 25 bytes; this costs about 25.
std::uint64_t hashJmena(std::string_view jmeno)
{
    const char* p = jmeno.data();
    const std::size_t n = jmeno.size();
    std::uint64_t h = n * nasobitel;
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            h = std::rotl((h ^ nacti8(p + i)) * nasobitel, 29);
        h ^= nacti8(p + n - 8);
    } else if (n >= 4) {
        h ^= nacti4(p) << 32 | nacti4(p + n - 4);
    } else if (n > 0) {
        h ^= std::uint64_t(std::uint8_t(p[0])) << 16 | std::uint64_t(std::uint8_t(p[n / 2])) << 8
            | std::uint8_t(p[n - 1]);
    }
    h *= nasobitel;
    return h ^ (h >> 31);
}

void ParovaniSouboru::sparuj(const NeserazenyVypis& a, const NeserazenyVypis& b)
{
    // The place comes from the hash's top bits, multiplied once more.
    const int posun = 64 - bitu(b.soubory.size());
    const auto misto = [posun](std::string_view jmeno) {
        return static_cast<std::size_t>((hashJmena(jmeno) * nasobitel) >> posun);
    };
    const std::size_t maska = (std::size_t(1) << (64 - posun)) - 1;
    tabulka_.assign(maska + 1, 0);
    for (std::size_t j = 0; j < b.soubory.size(); ++j) {
        std::size_t k = misto(b.jmeno(b.soubory[j]));
        while (tabulka_[k] != 0)
            k = (k + 1) & maska;
        tabulka_[k] = static_cast<std::uint32_t>(j + 1);
    }
    sparovane_.assign(b.soubory.size(), 0);
    protejsky_.resize(a.soubory.size());
    for (std::size_t i = 0; i < a.soubory.size(); ++i) {
        const std::string_view jmeno = a.jmeno(a.soubory[i]);
        std::uint32_t nalezeny = bezProtejsku;
        for (std::size_t k = misto(jmeno); tabulka_[k] != 0; k = (k + 1) & maska) {
            const std::uint32_t j = tabulka_[k] - 1;
            if (b.jmeno(b.soubory[j]) == jmeno) {
                nalezeny = j;
                sparovane_[j] = 1;
                break;
            }
        }
        protejsky_[i] = nalezeny;
    }
}

void ParovaniSouboru::uvolniNadbytek()
{
    constexpr std::size_t mez = 256 * 1024;
    if (tabulka_.capacity() * 4 + protejsky_.capacity() * 4 + sparovane_.capacity() <= mez)
        return;
    std::vector<std::uint32_t>().swap(tabulka_);
    std::vector<std::uint32_t>().swap(protejsky_);
    std::vector<std::uint8_t>().swap(sparovane_);
}

} // namespace zrc
