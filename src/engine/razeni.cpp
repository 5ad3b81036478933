#include "engine/razeni.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <functional>
#include <numeric>
#include <thread>
#include <unordered_map>

namespace zrc {

namespace {

QCollator collatorRazeni()
{
    // The user's locale, case-sensitive.
    // Under the C locale a language collation still beats code-point order:
    // "č" sorts next to "c", not after "z".
    QLocale jazyk;
    if (jazyk.language() == QLocale::C)
        jazyk = QLocale(QLocale::English);
    QCollator collator(jazyk);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    return collator;
}

// Past this many items (distinct texts, or rows to group) a sort runs in two
// halves on two threads: a million names took 2.8 s on one, most of it in the
// sorts of their keys and of their bytes.
constexpr std::size_t prahDvouVlaken = 50000;

// Stable: the halves are sorted apart and merged, which keeps equal items in
// their order.
template <typename It, typename Mensi>
void seradStabilne(It zacatek, It konec, Mensi mensi)
{
    if (std::size_t(konec - zacatek) < prahDvouVlaken) {
        std::stable_sort(zacatek, konec, mensi);
        return;
    }
    const It stred = zacatek + (konec - zacatek) / 2;
    std::thread druha([&] { std::stable_sort(stred, konec, mensi); });
    std::stable_sort(zacatek, stred, mensi);
    druha.join();
    std::inplace_merge(zacatek, stred, konec, mensi);
}

// Ranks of the distinct texts: equal collation keys share a rank.
std::vector<int> rankyKlicu(const std::vector<QCollatorSortKey>& klice, int& pocetRanku)
{
    std::vector<int> poradi(klice.size());
    std::iota(poradi.begin(), poradi.end(), 0);
    seradStabilne(poradi.begin(), poradi.end(), [&](int a, int b) { return klice[a].compare(klice[b]) < 0; });
    std::vector<int> rank(klice.size());
    int r = -1;
    for (std::size_t i = 0; i < poradi.size(); ++i) {
        if (i == 0 || klice[poradi[i - 1]].compare(klice[poradi[i]]) != 0)
            ++r;
        rank[poradi[i]] = r;
    }
    pocetRanku = r + 1;
    return rank;
}

// Rows grouped by a cheap identity of their text (the raw name bytes, the
// directory index, the size), so that each distinct text is formatted and given
// its collation key once: "typ" and "podadr" hold a few hundred distinct texts
// among 200 000 rows.
struct Skupiny {
    std::vector<int> radkyNaSkupinu;
    std::vector<int> vzory;   // one row of each group
};

// Grouping by sorting suits columns of mostly distinct texts (names, sizes): it
// also creates the keys in nearly their final order, so the merge sort of the
// keys reads them mostly in sequence; with 200 000 names that rank step is
// several times faster than after grouping in hash order.
template <typename Klic, typename KlicFn>
Skupiny seskupTridenim(std::size_t radku, KlicFn klicRadku)
{
    std::vector<std::pair<Klic, int>> podleKlice;
    podleKlice.reserve(radku);
    for (std::size_t i = 0; i < radku; ++i)
        podleKlice.emplace_back(klicRadku(i), int(i));
    // The comparisons of the names' bytes are two thirds of a million names'
    // sort: in two halves on two threads the whole sort takes 0.20 s, not 0.33 s.
    seradStabilne(podleKlice.begin(), podleKlice.end(), std::less<>());
    Skupiny g{std::vector<int>(radku), {}};
    for (std::size_t i = 0; i < podleKlice.size(); ++i) {
        if (i == 0 || podleKlice[i - 1].first != podleKlice[i].first)
            g.vzory.push_back(podleKlice[i].second);
        g.radkyNaSkupinu[std::size_t(podleKlice[i].second)] = int(g.vzory.size()) - 1;
    }
    return g;
}

// Hashing suits columns of few distinct texts (types, directories): one lookup
// per row and no sort of 200 000 mostly equal keys.
template <typename Klic, typename KlicFn>
Skupiny seskupHashem(std::size_t radku, KlicFn klicRadku)
{
    std::unordered_map<Klic, int> skupina;
    Skupiny g{std::vector<int>(radku), {}};
    for (std::size_t i = 0; i < radku; ++i) {
        auto [it, nova] = skupina.try_emplace(klicRadku(i), int(g.vzory.size()));
        if (nova)
            g.vzory.push_back(int(i));
        g.radkyNaSkupinu[i] = it->second;
    }
    return g;
}

// Rank of every row's text from the collation keys of the groups.
template <typename TextFn>
std::vector<int> rankySkupin(Skupiny g, TextFn text, int& pocetRanku)
{
    const std::size_t n = g.vzory.size();
    // Each thread has its own collator.
    const auto udelej = [&](std::size_t od, std::size_t po, std::vector<QCollatorSortKey>& cil) {
        const QCollator collator = collatorRazeni();
        cil.reserve(po - od);
        for (std::size_t i = od; i < po; ++i)
            cil.push_back(collator.sortKey(text(std::size_t(g.vzory[i]))));
    };
    std::vector<QCollatorSortKey> klice, druhePulky;
    if (n >= prahDvouVlaken) {
        std::thread druha(udelej, n / 2, n, std::ref(druhePulky));
        udelej(0, n / 2, klice);
        druha.join();
        klice.insert(klice.end(), std::make_move_iterator(druhePulky.begin()),
                     std::make_move_iterator(druhePulky.end()));
    } else {
        udelej(0, n, klice);
    }
    const std::vector<int> rank = rankyKlicu(klice, pocetRanku);
    for (int& r : g.radkyNaSkupinu)
        r = rank[std::size_t(r)];
    return std::move(g.radkyNaSkupinu);
}

// Sizes by their value. "datum" has one fixed format, in which text order is
// time order (the date alone at midnight is a prefix of that day's other texts
// and sorts first), so the packed time orders the rows without formatting a
// single text.
std::vector<int> rankyCisel(const std::vector<std::int64_t>& cisla, int& pocetRanku)
{
    // The groups of equal values are numbered in the values' order: a group's
    // number is its rank. A sort of the distinct values and a binary search
    // per row took 0.22 s for a million rows, this takes 0.07 s.
    Skupiny g = seskupTridenim<std::int64_t>(cisla.size(), [&](std::size_t i) { return cisla[i]; });
    pocetRanku = int(g.vzory.size());
    return std::move(g.radkyNaSkupinu);
}

std::string_view bajtyRadku(const PodkladRazeni& p, std::size_t i)
{
    const std::uint32_t od = i == 0 ? 0 : p.konce[i - 1];
    return std::string_view(p.bajty).substr(od, p.konce[i] - od);
}

std::vector<int> rankyTextu(const PodkladRazeni& p, int& pocetRanku)
{
    const std::size_t n = p.radku();
    const auto bajty = [&p](std::size_t i) { return bajtyRadku(p, i); };
    // The texts as textPolozky shows them: the sort orders what the lists show.
    const auto textBajtu = [&p](std::size_t i) { return textZobrazeni(bajtyRadku(p, i)); };
    switch (p.sloupec) {
    case Sloupec::Nazev:
        return rankySkupin(seskupTridenim<std::string_view>(n, bajty), textBajtu, pocetRanku);
    case Sloupec::Typ:
        return rankySkupin(seskupHashem<std::string_view>(n, bajty), textBajtu, pocetRanku);
    case Sloupec::Podadr:
        return rankySkupin(
            seskupHashem<std::uint32_t>(n, [&p](std::size_t i) { return p.adresare[i]; }),
            [&p](std::size_t i) { return textZobrazeni(p.textyAdresaru[p.adresare[i]]); }, pocetRanku);
    case Sloupec::Velikost:
    case Sloupec::Datum:
        break;
    }
    return rankyCisel(p.cisla, pocetRanku);
}

} // namespace

std::size_t PodkladRazeni::radku() const
{
    switch (sloupec) {
    case Sloupec::Nazev:
    case Sloupec::Typ: return konce.size();
    case Sloupec::Podadr: return adresare.size();
    case Sloupec::Datum:
    case Sloupec::Velikost: break;
    }
    return cisla.size();
}

void pridejDoPodkladu(PodkladRazeni& p, const UlozisteVysledku& u, std::span<const Polozka> polozky)
{
    switch (p.sloupec) {
    case Sloupec::Nazev:
    case Sloupec::Typ:
        for (const Polozka& x : polozky) {
            p.bajty += p.sloupec == Sloupec::Nazev ? nazevPolozky(x) : typPolozky(x);
            p.konce.push_back(std::uint32_t(p.bajty.size()));
        }
        break;
    case Sloupec::Podadr:
        for (const Polozka& x : polozky) {
            p.adresare.push_back(x.podadresar);
            // Directories are interned for good: their texts never change.
            while (p.textyAdresaru.size() <= x.podadresar)
                p.textyAdresaru.emplace_back(u.podadresar(std::uint32_t(p.textyAdresaru.size())));
        }
        break;
    case Sloupec::Velikost:
    case Sloupec::Datum:
        for (const Polozka& x : polozky)
            p.cisla.push_back(p.sloupec == Sloupec::Velikost ? x.velikost : std::int64_t(x.cas));
        break;
    }
}

PodkladRazeni podkladRazeni(const UlozisteVysledku& u, const std::vector<Polozka>& seznam, Sloupec sloupec)
{
    PodkladRazeni p;
    p.sloupec = sloupec;
    pridejDoPodkladu(p, u, seznam);
    return p;
}

std::vector<int> poradiRazeni(const PodkladRazeni& podklad, bool vzestupne)
{
    int pocetRanku = 0;
    std::vector<int> ranky = rankyTextu(podklad, pocetRanku);
    if (!vzestupne)
        for (int& r : ranky)
            r = pocetRanku - 1 - r;
    // Stable counting sort by rank: O(rows + distinct texts).
    std::vector<int> zacatky(pocetRanku + 1, 0);
    for (int r : ranky)
        ++zacatky[r + 1];
    std::partial_sum(zacatky.begin(), zacatky.end(), zacatky.begin());
    std::vector<int> poradi(ranky.size());
    for (std::size_t i = 0; i < ranky.size(); ++i)
        poradi[zacatky[ranky[i]]++] = int(i);
    return poradi;
}

std::vector<int> poradiRazeni(const UlozisteVysledku& u, const std::vector<Polozka>& seznam,
                              Sloupec sloupec, bool vzestupne)
{
    return poradiRazeni(podkladRazeni(u, seznam, sloupec), vzestupne);
}

void seradSeznam(UlozisteVysledku& u, int cislo, Sloupec sloupec, bool vzestupne)
{
    std::vector<Polozka>& seznam = u.seznam(cislo);
    if (seznam.size() < 2)
        return;
    const std::vector<int> poradi = poradiRazeni(u, seznam, sloupec, vzestupne);
    std::vector<Polozka> serazeny;
    serazeny.reserve(seznam.size());
    for (int i : poradi)
        serazeny.push_back(std::move(seznam[std::size_t(i)]));
    seznam = std::move(serazeny);
}

} // namespace zrc
