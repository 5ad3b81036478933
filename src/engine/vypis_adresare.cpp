#include "engine/vypis_adresare.h"
#include "engine/docasne_soubory.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zrc {

namespace {

using platform::EntryType;
using platform::FollowLinks;

// What an entry turns out to be once its type is known.
enum class Druh { Soubor, Adresar, Nic };

struct Zjisteni {
    Druh druh = Druh::Nic;
    platform::FileInfo info;
    std::error_code chyba;   // the entry itself could not be examined
};

// A link counts when it leads to a regular file; a dangling or looping link, or
// one whose target cannot be reached, is left out like any other non-file.
Zjisteni souborPresOdkaz(int fd, const char* jmeno)
{
    std::error_code ec;
    const auto cil = platform::statAt(fd, jmeno, FollowLinks::Yes, ec);
    if (cil && cil->type == EntryType::Regular)
        return {Druh::Soubor, *cil, {}};
    return {};
}

Zjisteni podleStatu(int fd, const char* jmeno)
{
    std::error_code ec;
    const auto info = platform::statAt(fd, jmeno, FollowLinks::No, ec);
    if (!info) {
        // Vanished since the listing: nothing to compare. Anything else (no
        // search permission on the directory, an I/O error) must be reported.
        if (ec == std::errc::no_such_file_or_directory)
            return {};
        return {Druh::Nic, {}, ec};
    }
    if (info->type == EntryType::Regular)
        return {Druh::Soubor, *info, {}};
    if (info->type == EntryType::Directory)
        return {Druh::Adresar, {}, {}};
    if (info->type == EntryType::Symlink)
        return souborPresOdkaz(fd, jmeno);
    return {};
}

// One stat per file entry; none for a directory whose type the listing gave.
Zjisteni zjisti(int fd, const char* jmeno, EntryType typ)
{
    switch (typ) {
    case EntryType::Directory:
        return {Druh::Adresar, {}, {}};
    case EntryType::Symlink:
        return souborPresOdkaz(fd, jmeno);
    case EntryType::Regular:
    case EntryType::Unknown:
        return podleStatu(fd, jmeno);
    case EntryType::Other:
        break;
    }
    return {};
}

// Returns the first reason an entry could not be examined.
std::error_code roztridZaznamy(int fd, PracovniPametVypisu& p)
{
    std::error_code prvni;
    p.soubory.clear();
    p.podadresare.clear();
    for (const platform::RawEntry& e : p.surovy.entries) {
        // A temporary file left by an interrupted copy (kill -9, power loss) is
        // no file of the tree: it never enters the lists.
        const char* jmeno = p.surovy.name(e);
        if (e.type != EntryType::Directory && jmeno[0] == '.' &&
            jeDocasnySoubor({jmeno, e.length})) {
            if (p.docasne)
                p.docasne->pridej(fd, {jmeno, e.length});
            continue;
        }
        const Zjisteni z = zjisti(fd, jmeno, e.type);
        if (z.chyba && !prvni)
            prvni = z.chyba;
        if (z.druh == Druh::Soubor)
            p.soubory.push_back({.velikost = z.info.size,
                                 .sekundy = z.info.mtime,
                                 .jmeno = e.name,
                                 .delka = e.length});
        else if (z.druh == Druh::Adresar)
            p.podadresare.push_back({.jmeno = e.name, .delka = e.length});
    }
    return prvni;
}

std::uint64_t predponaJmena(std::string_view jmeno)
{
    static_assert(std::endian::native == std::endian::little);
    // The first byte is to weigh most; a short name is padded with zero
    // bytes, below every byte a name may hold.
    std::uint64_t k = 0;
    std::memcpy(&k, jmeno.data(), std::min<std::size_t>(jmeno.size(), 8));
    return __builtin_bswap64(k);
}

// Sorts by the names' bytes through their 8-byte prefixes; only equal prefixes
// compare the names themselves. Comparing every pair's names (a memcmp call
// each) and moving the 24-byte entries was a fifth of the walk's own time.
template <class T>
void seradPodleJmena(const std::vector<T>& v, std::string_view jmena, std::vector<KlicJmena>& klice)
{
    klice.resize(v.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        klice[i] = {predponaJmena(jmena.substr(v[i].jmeno, v[i].delka)), static_cast<std::uint32_t>(i)};
    std::sort(klice.begin(), klice.end(), [&](const KlicJmena& a, const KlicJmena& b) {
        if (a.predpona != b.predpona)
            return a.predpona < b.predpona;
        const T& x = v[a.index];
        const T& y = v[b.index];
        return jmena.substr(x.jmeno, x.delka) < jmena.substr(y.jmeno, y.delka);
    });
}

} // namespace

std::span<const SouborVypisu> VypisAdresare::soubory() const
{
    if (!blok_)
        return {};
    return {reinterpret_cast<const SouborVypisu*>(blok_.get()), pocetSouboru_};
}

std::span<const PodadresarVypisu> VypisAdresare::podadresare() const
{
    if (!blok_)
        return {};
    const std::byte* zacatek = blok_.get() + pocetSouboru_ * sizeof(SouborVypisu);
    return {reinterpret_cast<const PodadresarVypisu*>(zacatek), pocetPodadresaru_};
}

int VypisAdresare::najdiPodadresar(std::string_view jmeno) const
{
    const auto p = podadresare();
    const auto it = std::lower_bound(p.begin(), p.end(), jmeno,
        [this](const PodadresarVypisu& a, std::string_view j) { return this->jmeno(a) < j; });
    if (it == p.end() || this->jmeno(*it) != jmeno)
        return -1;
    return static_cast<int>(it - p.begin());
}

VypisAdresare VypisAdresare::sestav(const std::vector<SouborVypisu>& soubory,
                                    const std::vector<PodadresarVypisu>& podadresare,
                                    std::string_view jmena, std::vector<KlicJmena>& klice)
{
    VypisAdresare v;
    if (soubory.empty() && podadresare.empty())
        return v;
    std::size_t delkaJmen = 0;
    for (const auto& s : soubory)
        delkaJmen += s.delka;
    for (const auto& a : podadresare)
        delkaJmen += a.delka;
    const std::size_t hlavicka = soubory.size() * sizeof(SouborVypisu)
        + podadresare.size() * sizeof(PodadresarVypisu);
    v.blok_ = std::make_unique_for_overwrite<std::byte[]>(hlavicka + delkaJmen);
    v.pocetSouboru_ = static_cast<std::uint32_t>(soubory.size());
    v.pocetPodadresaru_ = static_cast<std::uint32_t>(podadresare.size());
    char* jmenaBloku = reinterpret_cast<char*>(v.blok_.get() + hlavicka);
    v.jmena_ = jmenaBloku;
    std::uint32_t pozice = 0;
    // Each entry lands in its sorted place with its name behind the others.
    auto prenes = [&](const auto& zdroj, auto* cil) {
        seradPodleJmena(zdroj, jmena, klice);
        for (std::size_t i = 0; i < klice.size(); ++i) {
            cil[i] = zdroj[klice[i].index];
            std::memcpy(jmenaBloku + pozice, jmena.data() + cil[i].jmeno, cil[i].delka);
            cil[i].jmeno = pozice;
            pozice += cil[i].delka;
        }
    };
    auto* cilSoubory = reinterpret_cast<SouborVypisu*>(v.blok_.get());
    prenes(soubory, cilSoubory);
    prenes(podadresare, reinterpret_cast<PodadresarVypisu*>(cilSoubory + soubory.size()));
    return v;
}

std::size_t PracovniPametVypisu::velikostZaznamu() const
{
    return surovy.names.capacity() + surovy.entries.capacity() * sizeof(platform::RawEntry)
        + soubory.capacity() * sizeof(SouborVypisu) + podadresare.capacity() * sizeof(PodadresarVypisu)
        + klice.capacity() * sizeof(KlicJmena);
}

void PracovniPametVypisu::uvolniNadbytek()
{
    constexpr std::size_t mez = 512 * 1024;
    if (velikostZaznamu() <= mez)
        return;
    // Swapped with empty containers: "v = {}" assigns an empty initializer
    // list and a string moved from an empty one keeps its own buffer, so both
    // kept their capacity (9.8 MB per thread after 200 000 files).
    std::string().swap(surovy.names);
    std::vector<platform::RawEntry>().swap(surovy.entries);
    std::vector<SouborVypisu>().swap(soubory);
    std::vector<PodadresarVypisu>().swap(podadresare);
    std::vector<KlicJmena>().swap(klice);
}

NactenyAdresar nactiAdresar(int fd, PracovniPametVypisu& p)
{
    NactenyAdresar vysledek;
    std::error_code ec;
    if (const auto info = platform::statOpen(fd, ec))
        vysledek.casAdresare = p.prevod.baleny(info->mtime);
    if (const std::error_code chyba = platform::readDirectory(fd, p.surovy, p.buffer)) {
        vysledek.chyba = chyba;   // a listing that fails half-way counts as empty too
        p.surovy.clear();
    }
    const std::error_code zaznamy = roztridZaznamy(fd, p);
    if (!vysledek.chyba)
        vysledek.chyba = zaznamy;
    vysledek.vypis = VypisAdresare::sestav(p.soubory, p.podadresare, p.surovy.names, p.klice);
    p.uvolniNadbytek();
    return vysledek;
}

} // namespace zrc
