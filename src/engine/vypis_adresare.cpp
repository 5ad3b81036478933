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
Zjisteni souborPresOdkaz(platform::Syscalls& sys, int fd, const char* jmeno)
{
    std::error_code ec;
    const auto cil = platform::statAt(sys, fd, jmeno, FollowLinks::Yes, ec);
    if (cil && cil->type == EntryType::Regular)
        return {Druh::Soubor, *cil, {}};
    return {};
}

[[gnu::always_inline]] inline Zjisteni podleStatu(platform::Syscalls& sys, int fd, const char* jmeno)
{
    std::error_code ec;
    const auto info = platform::statAt(sys, fd, jmeno, FollowLinks::No, ec);
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
        return souborPresOdkaz(sys, fd, jmeno);
    return {};
}

// One stat per file entry; none for a directory whose type the listing gave.
[[gnu::always_inline]] inline Zjisteni zjisti(platform::Syscalls& sys, int fd, const char* jmeno, EntryType typ)
{
    switch (typ) {
    case EntryType::Directory:
        return {Druh::Adresar, {}, {}};
    case EntryType::Symlink:
        return souborPresOdkaz(sys, fd, jmeno);
    case EntryType::Regular:
    case EntryType::Unknown:
        return podleStatu(sys, fd, jmeno);
    case EntryType::Other:
        break;
    }
    return {};
}

// What an examined entry is, kept in its file record's size until the listing
// is gathered: a file's size is never negative. Examining in place keeps a
// huge directory at 24 bytes per entry while threads share it.
// A file that could not be examined keeps the errno in its time.
enum class Znacka : std::int64_t { Adresar = -1, Nic = -2, Docasny = -3, Necteny = -4 };

constexpr std::int64_t znacka(Znacka z) { return static_cast<std::int64_t>(z); }

// No search permission fails the stat of every entry alike: that is the
// directory's fault, not a file's. Any other reason (an I/O error on one
// inode) belongs to the file alone, and the rest of the directory is compared.
bool chybaAdresare(std::error_code ec)
{
    return ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted;
}

// prvni gets the first reason that is the directory's.
[[gnu::always_inline]] inline SouborVypisu zaznam(platform::Syscalls& sys, int fd, const platform::RawListing& surovy,
                                                  const platform::RawEntry& e, std::error_code& prvni)
{
    SouborVypisu s{.velikost = znacka(Znacka::Nic), .sekundy = 0, .jmeno = e.name, .delka = e.length};
    // A temporary file left by an interrupted copy (kill -9, power loss) is
    // no file of the tree: it never enters the lists.
    const char* jmeno = surovy.name(e);
    if (e.type != EntryType::Directory && jmeno[0] == '.' && jeDocasnySoubor({jmeno, e.length})) {
        s.velikost = znacka(Znacka::Docasny);
        return s;
    }
    const Zjisteni z = zjisti(sys, fd, jmeno, e.type);
    if (z.chyba && chybaAdresare(z.chyba)) {
        if (!prvni)
            prvni = z.chyba;
    } else if (z.chyba) {
        s.velikost = znacka(Znacka::Necteny);
        s.sekundy = z.chyba.value();
    }
    if (z.druh == Druh::Soubor) {
        s.velikost = z.info.size;
        s.sekundy = z.info.mtime;
    } else if (z.druh == Druh::Adresar) {
        s.velikost = znacka(Znacka::Adresar);
    }
    return s;
}

// An examined entry that is no file: a subdirectory, a file that could not be
// examined, or a leftover to record.
void pridejJinou(int fd, NeserazenyVypis& v, const SouborVypisu& s, std::vector<NalezenyDocasny>* docasne)
{
    if (s.velikost == znacka(Znacka::Adresar))
        v.podadresare.push_back({.jmeno = s.jmeno, .delka = s.delka});
    else if (s.velikost == znacka(Znacka::Necteny))
        v.nectene.push_back({.jmeno = s.jmeno, .delka = s.delka,
                             .duvod = std::error_code(static_cast<int>(s.sekundy), std::generic_category())});
    else if (NalezenyDocasny d; s.velikost == znacka(Znacka::Docasny) && docasne
             && zjistiDocasny(fd, {v.surovy.names.data() + s.jmeno, s.delka}, d))
        docasne->push_back(std::move(d));
}

// Sorts by the names' bytes through their 8-byte prefixes; only equal prefixes
// compare the names themselves. Comparing every pair's names (a memcmp call
// each) and moving the 24-byte entries was a fifth of the walk's own time.
template <class T>
void seradKlice(std::span<const T> v, std::string_view jmena, std::vector<KlicJmena>& klice)
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

std::uint64_t predponaJmena(std::string_view jmeno)
{
    static_assert(std::endian::native == std::endian::little);
    // The first byte is to weigh most; a short name is padded with zero
    // bytes, below every byte a name may hold.
    std::uint64_t k = 0;
    if (jmeno.size() >= 8)
        std::memcpy(&k, jmeno.data(), 8);   // one load; a length known only at run time calls memcpy
    else
        std::memcpy(&k, jmeno.data(), jmeno.size());
    return __builtin_bswap64(k);
}

void seradPodleJmena(std::span<const SouborVypisu> v, std::string_view jmena, std::vector<KlicJmena>& klice)
{
    seradKlice(v, jmena, klice);
}

void seradPodleJmena(std::span<const PodadresarVypisu> v, std::string_view jmena, std::vector<KlicJmena>& klice)
{
    seradKlice(v, jmena, klice);
}

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
        seradPodleJmena(std::span(zdroj), jmena, klice);
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

bool NeserazenyVypis::jeNecteny(std::string_view jmeno) const
{
    return std::ranges::any_of(nectene, [&](const NectenySoubor& n) { return this->jmeno(n) == jmeno; });
}

void NeserazenyVypis::vyprazdni()
{
    surovy.clear();
    soubory.clear();
    podadresare.clear();
    nectene.clear();
    chyba = {};
    casAdresare.reset();
}

std::size_t PracovniPametVypisu::velikostZaznamu() const
{
    std::size_t n = (klice[0].capacity() + klice[1].capacity()) * sizeof(KlicJmena);
    for (const NeserazenyVypis& v : strany)
        n += v.surovy.names.capacity() + v.surovy.entries.capacity() * sizeof(platform::RawEntry)
            + v.soubory.capacity() * sizeof(SouborVypisu) + v.podadresare.capacity() * sizeof(PodadresarVypisu);
    return n;
}

void PracovniPametVypisu::uvolniNadbytek()
{
    constexpr std::size_t mez = 512 * 1024;
    if (velikostZaznamu() <= mez)
        return;
    // Swapped with empty containers: "v = {}" assigns an empty initializer
    // list and a string moved from an empty one keeps its own buffer, so both
    // kept their capacity (9.8 MB per thread after 200 000 files).
    for (NeserazenyVypis& v : strany) {
        std::string().swap(v.surovy.names);
        std::vector<platform::RawEntry>().swap(v.surovy.entries);
        std::vector<SouborVypisu>().swap(v.soubory);
        std::vector<PodadresarVypisu>().swap(v.podadresare);
    }
    std::vector<KlicJmena>().swap(klice[0]);
    std::vector<KlicJmena>().swap(klice[1]);
}

Precteno nactiZacatek(int fd, PracovniPametVypisu& p, int strana, CasAdresare cas, std::size_t mez)
{
    NeserazenyVypis& v = p.strany[strana];
    v.chyba = {};
    v.casAdresare.reset();
    std::error_code ec;
    if (cas == CasAdresare::Cist)
        if (const auto info = platform::statOpen(*p.sys, fd, ec))
            v.casAdresare = p.prevod.baleny(info->mtime);
    v.surovy.clear();
    v.podadresare.clear();
    v.soubory.clear();
    v.nectene.clear();
    const platform::ListingStep krok = platform::readDirectoryUpTo(fd, v.surovy, p.buffer, mez);
    if (krok.error) {
        v.chyba = krok.error;   // a listing that fails half-way counts as empty too
        v.surovy.clear();
    }
    return krok.end == platform::ListingEnd::Reached ? Precteno::Cely : Precteno::Cast;
}

namespace {

// The rest of a huge listing takes its room at once, as much as the
// directory's size (on ext4 the bytes of its entries: 2.4 MB for 50 000 names
// of 27 bytes, untouched pages of which cost nothing): grown by doubling, the
// names of every such listing were copied and faulted in anew at each step.
// Only a hint: a size that cannot be read leaves the containers to grow.
void vyhradMisto(platform::Syscalls& sys, int fd, platform::RawListing& surovy)
{
    std::error_code ec;
    const auto info = platform::statOpen(sys, fd, ec);
    if (!info)
        return;
    constexpr std::int64_t strop = std::int64_t(64) << 20;
    const auto bajtu = static_cast<std::size_t>(std::clamp<std::int64_t>(info->size, 0, strop));
    constexpr std::size_t nejkratsiZaznam = 12;   // of ext4 and of getdents64 alike
    surovy.names.reserve(std::max(surovy.names.size(), bajtu));
    surovy.entries.reserve(std::max(surovy.entries.size(), bajtu / nejkratsiZaznam));
}

} // namespace

void doctiZaznamy(int fd, PracovniPametVypisu& p, int strana)
{
    NeserazenyVypis& v = p.strany[strana];
    vyhradMisto(*p.sys, fd, v.surovy);
    if (const std::error_code chyba = platform::readDirectoryUpTo(fd, v.surovy, p.buffer, SIZE_MAX).error) {
        v.chyba = chyba;
        v.surovy.clear();
    }
}

void roztridZaznamy(int fd, NeserazenyVypis& v, PracovniPametVypisu& p)
{
    std::vector<NalezenyDocasny>* docasne = p.docasne ? &p.nalezeneDocasne : nullptr;
    std::error_code prvni;
    for (const platform::RawEntry& e : v.surovy.entries) {
        const SouborVypisu s = zaznam(*p.sys, fd, v.surovy, e, prvni);
        if (s.velikost >= 0)
            v.soubory.push_back(s);
        else
            pridejJinou(fd, v, s, docasne);
    }
    if (!v.chyba)
        v.chyba = prvni;
}

void pripravMista(NeserazenyVypis& v)
{
    v.soubory.resize(v.surovy.entries.size());
}

std::error_code zjistiZaznamy(platform::Syscalls& sys, int fd, NeserazenyVypis& v, std::size_t od, std::size_t po)
{
    std::error_code prvni;
    for (std::size_t i = od; i < po; ++i)
        v.soubory[i] = zaznam(sys, fd, v.surovy, v.surovy.entries[i], prvni);
    return prvni;
}

// The examined entries gathered in the listing's order: files stay where they
// are in soubory, moved up over the rest.
void dokonciVypis(int fd, NeserazenyVypis& v, std::error_code prvni, std::vector<NalezenyDocasny>* docasne)
{
    std::size_t souboru = 0;
    for (const SouborVypisu& s : v.soubory) {
        if (s.velikost >= 0)
            v.soubory[souboru++] = s;
        else
            pridejJinou(fd, v, s, docasne);
    }
    v.soubory.resize(souboru);
    if (!v.chyba)
        v.chyba = prvni;
    // Only the names are read from here on: the entries of a huge listing
    // (8 bytes each, 0.4 MB at 50 000) go before its files are paired.
    std::vector<platform::RawEntry>().swap(v.surovy.entries);
}

void vypisNeserazene(int fd, PracovniPametVypisu& p, int strana, CasAdresare cas)
{
    (void)nactiZacatek(fd, p, strana, cas, SIZE_MAX);   // without a limit: all of it
    p.nalezeneDocasne.clear();
    roztridZaznamy(fd, p.strany[strana], p);
}

NactenyAdresar nactiAdresar(int fd, PracovniPametVypisu& p)
{
    vypisNeserazene(fd, p, 0, CasAdresare::Cist);
    const NeserazenyVypis& v = p.strany[0];
    NactenyAdresar vysledek;
    vysledek.chyba = v.chyba;
    if (!vysledek.chyba && !v.nectene.empty())
        vysledek.chyba = v.nectene.front().duvod;
    vysledek.casAdresare = v.casAdresare;
    vysledek.vypis = VypisAdresare::sestav(v.soubory, v.podadresare, v.jmena(), p.klice[0]);
    p.uvolniNadbytek();
    return vysledek;
}

} // namespace zrc
