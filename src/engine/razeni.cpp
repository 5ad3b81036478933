#include "engine/razeni.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace zrc {

namespace {

QCollator collatorRazeni()
{
    // The user's locale, case-sensitive, digits as text ("1000" before "999").
    // Under the C locale a language collation still beats code-point order:
    // "č" sorts next to "c", not after "z".
    QLocale jazyk;
    if (jazyk.language() == QLocale::C)
        jazyk = QLocale(QLocale::English);
    QCollator collator(jazyk);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    return collator;
}

// Ranks of the distinct texts: equal collation keys share a rank.
std::vector<int> rankyKlicu(const std::vector<QCollatorSortKey>& klice, int& pocetRanku)
{
    std::vector<int> poradi(klice.size());
    std::iota(poradi.begin(), poradi.end(), 0);
    std::stable_sort(poradi.begin(), poradi.end(),
                     [&](int a, int b) { return klice[a].compare(klice[b]) < 0; });
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
    std::vector<const Polozka*> vzory;   // one row of each group
};

// Grouping by sorting suits columns of mostly distinct texts (names, sizes): it
// also creates the keys in nearly their final order, so the merge sort of the
// keys reads them mostly in sequence; with 200 000 names that rank step is
// several times faster than after grouping in hash order.
template <typename Klic, typename KlicFn>
Skupiny seskupTridenim(const std::vector<Polozka>& seznam, KlicFn klicRadku)
{
    std::vector<std::pair<Klic, int>> podleKlice;
    podleKlice.reserve(seznam.size());
    for (std::size_t i = 0; i < seznam.size(); ++i)
        podleKlice.emplace_back(klicRadku(seznam[i]), int(i));
    std::sort(podleKlice.begin(), podleKlice.end());
    Skupiny g{std::vector<int>(seznam.size()), {}};
    for (std::size_t i = 0; i < podleKlice.size(); ++i) {
        if (i == 0 || podleKlice[i - 1].first != podleKlice[i].first)
            g.vzory.push_back(&seznam[std::size_t(podleKlice[i].second)]);
        g.radkyNaSkupinu[std::size_t(podleKlice[i].second)] = int(g.vzory.size()) - 1;
    }
    return g;
}

// Hashing suits columns of few distinct texts (types, directories): one lookup
// per row and no sort of 200 000 mostly equal keys.
template <typename Klic, typename KlicFn>
Skupiny seskupHashem(const std::vector<Polozka>& seznam, KlicFn klicRadku)
{
    std::unordered_map<Klic, int> skupina;
    Skupiny g{std::vector<int>(seznam.size()), {}};
    for (std::size_t i = 0; i < seznam.size(); ++i) {
        auto [it, nova] = skupina.try_emplace(klicRadku(seznam[i]), int(g.vzory.size()));
        if (nova)
            g.vzory.push_back(&seznam[i]);
        g.radkyNaSkupinu[i] = it->second;
    }
    return g;
}

// Rank of every row's text from the collation keys of the groups.
template <typename TextFn>
std::vector<int> rankySkupin(Skupiny g, TextFn text, int& pocetRanku)
{
    const QCollator collator = collatorRazeni();
    std::vector<QCollatorSortKey> klice;
    klice.reserve(g.vzory.size());
    for (const Polozka* p : g.vzory)
        klice.push_back(collator.sortKey(text(*p)));
    const std::vector<int> rank = rankyKlicu(klice, pocetRanku);
    for (int& r : g.radkyNaSkupinu)
        r = rank[std::size_t(r)];
    return std::move(g.radkyNaSkupinu);
}

// "datum" has one fixed format, in which text order is time order (the date
// alone at midnight is a prefix of that day's other texts and sorts first), so
// the packed time orders the rows without formatting a single text.
std::vector<int> rankyCasu(const std::vector<Polozka>& seznam, int& pocetRanku)
{
    std::vector<BalenyCas> casy;
    casy.reserve(seznam.size());
    for (const Polozka& p : seznam)
        casy.push_back(p.cas);
    std::sort(casy.begin(), casy.end());
    casy.erase(std::unique(casy.begin(), casy.end()), casy.end());
    pocetRanku = int(casy.size());
    std::vector<int> ranky(seznam.size());
    for (std::size_t i = 0; i < seznam.size(); ++i)
        ranky[i] = int(std::lower_bound(casy.begin(), casy.end(), seznam[i].cas) - casy.begin());
    return ranky;
}

std::vector<int> rankyTextu(const UlozisteVysledku& u, const std::vector<Polozka>& seznam,
                            Sloupec sloupec, int& pocetRanku)
{
    using Bajty = std::string_view;
    const auto text = [&u, sloupec](const Polozka& p) { return textPolozky(u, p, sloupec); };
    const auto velikost = [](const Polozka& p) { return p.velikost; };
    const auto adresar = [](const Polozka& p) { return p.podadresar; };
    switch (sloupec) {
    case Sloupec::Nazev:
        return rankySkupin(seskupTridenim<Bajty>(seznam, nazevPolozky), text, pocetRanku);
    case Sloupec::Typ:
        return rankySkupin(seskupHashem<Bajty>(seznam, typPolozky), text, pocetRanku);
    case Sloupec::Velikost:
        return rankySkupin(seskupTridenim<std::int64_t>(seznam, velikost), text, pocetRanku);
    case Sloupec::Podadr:
        return rankySkupin(seskupHashem<std::uint32_t>(seznam, adresar), text, pocetRanku);
    case Sloupec::Datum:
        break;
    }
    return rankyCasu(seznam, pocetRanku);
}

} // namespace

std::vector<int> poradiRazeni(const UlozisteVysledku& u, const std::vector<Polozka>& seznam,
                              Sloupec sloupec, bool vzestupne)
{
    int pocetRanku = 0;
    std::vector<int> ranky = rankyTextu(u, seznam, sloupec, pocetRanku);
    if (!vzestupne)
        for (int& r : ranky)
            r = pocetRanku - 1 - r;
    // Stable counting sort by rank: O(rows + distinct texts).
    std::vector<int> zacatky(pocetRanku + 1, 0);
    for (int r : ranky)
        ++zacatky[r + 1];
    std::partial_sum(zacatky.begin(), zacatky.end(), zacatky.begin());
    std::vector<int> poradi(seznam.size());
    for (std::size_t i = 0; i < ranky.size(); ++i)
        poradi[zacatky[ranky[i]]++] = int(i);
    return poradi;
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
